#include "core/main_form.h"

namespace lumaro {
// FIXME: placeholder until the propagation lands.
void MainForm::PropagateStates() {}
} // namespace lumaro
