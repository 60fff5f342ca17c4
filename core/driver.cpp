// The program's run as the front ends drive it.

#include "core/driver.h"

namespace lumaro {

Driver::Driver()
    : Driver(nullptr)
{
}

Driver::Driver(RepaintRequest requestRepaint)
    : m_form(std::make_unique<MainForm>())
    , m_requestRepaint(std::move(requestRepaint))
{
}

void Driver::RequestRepaint()
{
    if (m_requestRepaint)
        m_requestRepaint();
    else
        m_form->Paint();
}

void Driver::Start()
{
    m_form->FormCreate();
    RequestRepaint();
}

void Driver::Tick()
{
    m_form->Timer1Timer();
}

void Driver::Paint()
{
    m_form->Paint();
}

bool Driver::ClickButton(int n)
{
    return m_form->ClickButton(n);
}

bool Driver::KeyPressButton(int n)
{
    return m_form->KeyPressButton(n);
}

void Driver::ControlFocused(int n)
{
    m_form->ControlFocused(n);
}

bool Driver::MenuCommand(std::string_view component)
{
    const bool known = m_form->MenuCommand(component);
    // A new window colour invalidates the window.
    if (m_form->View().RepaintPending)
        RequestRepaint();
    return known;
}

void Driver::FormClick()
{
    m_form->FormClick();
}

bool Driver::CloseRequest()
{
    return m_form->FormCloseQuery();
}

void Driver::WindowHidden(SecondaryWindow window)
{
    m_form->WindowHidden(window);
}

void Driver::RecordTrace(bool on)
{
    m_form->RecordTrace(on);
}

Driver Driver::Copy() const
{
    Driver copy;
    *copy.m_form = *m_form;
    return copy;
}

void Driver::Restore(const Driver& other)
{
    // Into the same form: whoever holds a reference to this run's view keeps seeing it.
    *m_form = *other.m_form;
}

} // namespace lumaro
