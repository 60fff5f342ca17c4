#include "core/main_form.h"

namespace lumaro {
// FIXME: placeholder until the scene lands.
void MainForm::FormPaint() {}
} // namespace lumaro
