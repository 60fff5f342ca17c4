#pragma once

// The line as the main window's last paint drew it, for the explanations.

#include "core/main_form.h"
#include "learn/explain.h"

namespace lumaro::learn {

inline LineView LineOf(const FormState& form)
{
    return {form.SelectedSystem(), form.PaintedSignals, form.PaintedOrigins, form.Panels, form.Lights.Lights(),
            form.PaintedCaptionsThen};
}

} // namespace lumaro::learn
