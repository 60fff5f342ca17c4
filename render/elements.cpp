#include "core/main_form.h"

namespace lumaro {
// FIXME: placeholder until the element routine lands.
void MainForm::DrawElement(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
} // namespace lumaro
