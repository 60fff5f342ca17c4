// The main window for keyboard and screen-reader users: accessible names of the buttons, panels
// and logo, keyboard presses that keep the focus, shortcuts, and the learners' overlay options.

#include "app/canvas_widget.h"
#include "app/keyboard_access.h"
#include "app/main_window.h"
#include "core/menu.h"
#include "learn/columns.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace lumaro {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

} // namespace

void MainWindow::createAccessibility()
{
    m_buttonKeys = new ButtonKeys([this](int n) {
        m_driver.KeyPressButton(n);
        mirror();
    }, this);
    for (const ButtonDef& def : kButtons)
        m_buttonKeys->watch(m_buttons[def.number], def.number);
    // The core keeps which control has the focus; Tab moves it without the core's doing.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (const ButtonDef& def : kButtons)
            if (now == m_buttons[def.number])
                m_driver.ControlFocused(def.number);
    });

    for (int n = kDesignationPanels + 1; n <= kPanelCount; ++n) {
        const PanelDef& def = kPanels[static_cast<std::size_t>(n - 1)];
        m_panels[n]->setAccessibleName(QString::fromUtf8(def.hint));
        m_panels[n]->setAccessibleDescription(QString::fromUtf8(def.caption));
    }
    m_image1->setAccessibleName(QString::fromUtf8("Lumaro-Logo"));

    for (const TopMenuDef& top : kTopMenus)
        if (auto* menu = findChild<QMenu*>(QString::fromUtf8(top.component)))
            menu->setTitle(QString::fromUtf8(top.accessText));
    for (const MenuItem& item : kMenuItems)
        if (QAction* action = item.shortcut ? menuAction(QString::fromUtf8(item.component)) : nullptr)
            action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut), QKeySequence::PortableText));

    // Window options, not the core's: they change what is drawn above the canvas, never its
    // state, its trace or its picture.
    if (auto* settings = findChild<QMenu*>(QStringLiteral("Einstellungen1"))) {
        settings->addSeparator();
        m_steadyLamps = settings->addAction(QString::fromUtf8("Blinken anhalten"));
        m_steadyLamps->setObjectName(QStringLiteral("BlinkenAnhalten1"));
        m_colorLetters = settings->addAction(QString::fromUtf8("Lampenfarben beschriften"));
        m_colorLetters->setObjectName(QStringLiteral("Lampenfarben1"));
        for (QAction* option : {m_steadyLamps, m_colorLetters}) {
            option->setCheckable(true);
            connect(option, &QAction::toggled, this, [this] {
                m_canvas->setOverlays({m_steadyLamps->isChecked(), m_colorLetters->isChecked()});
            });
        }
    }
}

void MainWindow::mirrorAccessibility()
{
    const System system = form().SelectedSystem();
    // A few buttons set a signal that the systems call differently.
    for (const ButtonDef& def : kButtons) {
        const QString name = FromUtf8(learn::ButtonName(system, def.number));
        if (m_buttons[def.number]->accessibleName() != name)
            m_buttons[def.number]->setAccessibleName(name);
    }
    const auto lights = form().Lights.Lights();
    for (int n = 1; n <= kDesignationPanels; ++n) {
        const PanelState& state = form().Panels[n];
        // A concealed panel is named by its signal alone and described by nothing. The others
        // are described by their designation's meaning; the tooltip keeps the panel's own hint.
        const bool concealed = m_concealment.Conceals(n);
        const QString name = FromUtf8(learn::PanelName(system, n, concealed ? std::string_view() : state.caption));
        const QString description = concealed ? QString() : FromUtf8(learn::PanelMeaning(system, form().Panels, lights, n));
        QLabel* label = m_panels[n];
        if (label->accessibleName() != name)
            label->setAccessibleName(name);
        if (label->accessibleDescription() != description)
            label->setAccessibleDescription(description);
    }
    m_canvas->refreshColumns();
}

} // namespace lumaro
