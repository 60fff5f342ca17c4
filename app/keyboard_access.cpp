// Keyboard presses of the aspect buttons.

#include "app/keyboard_access.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QVariant>

namespace lumaro {

namespace {

constexpr const char* kNumberProperty = "lumaroButton";

bool IsPressKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
}

} // namespace

ButtonKeys::ButtonKeys(std::function<void(int)> pressed, QObject* parent)
    : QObject(parent)
    , m_pressed(std::move(pressed))
{
}

void ButtonKeys::watch(QPushButton* button, int n)
{
    button->setProperty(kNumberProperty, n);
    button->installEventFilter(this);
}

bool ButtonKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!IsPressKey(key->key()) || key->modifiers() & ~Qt::KeypadModifier)
        return QObject::eventFilter(watched, event);
    // The button never sees its press keys, so it never emits the clicked() of a mouse click.
    auto* button = qobject_cast<QPushButton*>(watched);
    if (event->type() == QEvent::KeyPress && !key->isAutoRepeat() && button && button->isEnabled())
        m_pressed(watched->property(kNumberProperty).toInt());
    return true;
}

} // namespace lumaro
