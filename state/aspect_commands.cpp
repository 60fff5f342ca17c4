#include "core/main_form.h"

namespace lumaro {
// FIXME: placeholder until the aspect commands land.
bool MainForm::ClickButton(int) { return false; }
#define STUB(n) void MainForm::Button##n##Click() { FocusedControl = 0; }
STUB(1) STUB(2) STUB(3) STUB(5) STUB(6) STUB(7) STUB(8) STUB(9) STUB(10) STUB(11) STUB(12) STUB(13)
STUB(14) STUB(16) STUB(17) STUB(18) STUB(19) STUB(20) STUB(21) STUB(22) STUB(23) STUB(24) STUB(25)
STUB(26) STUB(27) STUB(28) STUB(29) STUB(30) STUB(31) STUB(32) STUB(34) STUB(35) STUB(36) STUB(37)
} // namespace lumaro
namespace lumaro {
// FIXME: placeholder until the aspect commands land.
void MainForm::ApplyButtonVisibility() {}
} // namespace lumaro
