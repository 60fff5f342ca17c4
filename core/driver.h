#pragma once

// One run of the program as every front end drives it: the main window started as the window
// starts it (created, then painted once because it is shown), the user's and the timer's actions,
// and the window system's share in them (a menu command that changed the window colour is
// followed by a paint). The Qt window, lumaro-render and the page all run the program through it.

#include "core/main_form.h"

#include <functional>
#include <memory>
#include <string_view>

namespace lumaro {

class Driver {
public:
    // How a paint owed by the window system comes about. Without one it is made at once, as
    // lumaro-render and the page do; the Qt window has its widget ask for it.
    using RepaintRequest = std::function<void()>;

    Driver();
    explicit Driver(RepaintRequest requestRepaint);

    // Creation, then the paint of the window being shown.
    void Start();

    void Tick();
    // A paint the window system asked for.
    void Paint();
    bool ClickButton(int n);
    // ButtonN pressed from the keyboard: a click that leaves the focus on the button.
    bool KeyPressButton(int n);
    // The keyboard moved the focus to ButtonN (0: to no button).
    void ControlFocused(int n);
    // A menu item by component name; false for an unknown one.
    bool MenuCommand(std::string_view component);
    void FormClick();
    // The main window's close request; true when the window closes.
    bool CloseRequest();
    void WindowHidden(SecondaryWindow window);
    void RecordTrace(bool on);

    const MainForm& Form() const { return *m_form; }
    const FormState& View() const { return m_form->View(); }
    // The canvas's pixels, drawn up to the last operation.
    const RetainedRaster& DrawCanvas() { return m_form->DrawCanvas(); }

    // A run that goes on from this one's state by itself, making every paint it owes at once:
    // the self-test looks ahead on copies.
    Driver Copy() const;
    // Takes over the state of `other`, keeping this run's way of repainting: the self-test sets
    // its situations up on the window's own run and gives the learner's line back afterwards.
    void Restore(const Driver& other);

private:
    void RequestRepaint();

    // The form is large (canvas and its scratch); it lives on the heap.
    std::unique_ptr<MainForm> m_form;
    // Empty: the paint is made at once.
    RepaintRequest m_requestRepaint;
};

} // namespace lumaro
