// A button pressed from the keyboard: the click's action without taking the focus away.

#include "core/main_form.h"

namespace lumaro {

bool MainForm::KeyPressButton(int n)
{
    if (!ClickButton(n))
        return false;
    // The click's handler took the focus off all controls; a keyboard user stays where they are.
    m_state.FocusedControl = n;
    return true;
}

void MainForm::ControlFocused(int n)
{
    m_state.FocusedControl = IsAspectButton(n) ? n : 0;
}

} // namespace lumaro
