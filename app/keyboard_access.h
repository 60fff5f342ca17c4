#pragma once

// Keyboard presses of the aspect buttons, told apart from mouse clicks: a click takes the focus
// off all controls, while a button pressed with Space or Enter keeps it.

#include <QObject>

#include <functional>

class QPushButton;

namespace lumaro {

class ButtonKeys : public QObject {
    Q_OBJECT
public:
    // `pressed` gets the button's number whenever a watched button is pressed from the keyboard.
    explicit ButtonKeys(std::function<void(int)> pressed, QObject* parent = nullptr);

    // Watches `button`, which stands for ButtonN.
    void watch(QPushButton* button, int n);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(int)> m_pressed;
};

} // namespace lumaro
