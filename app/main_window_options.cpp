// The main window's options that the learner keeps: the names above the canvas, the size of the
// view, and all of them read at the start and written at every change.

#include "app/main_window.h"

#include "app/canvas_widget.h"
#include "app/names_overlay.h"
#include "app/why_bar.h"
#include "app/window_options.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>

namespace lumaro {

QString MainWindow::optionsFile()
{
    return OptionsFilePath();
}

QAction* MainWindow::viewSizeAction(int percent) const
{
    for (const auto& [p, action] : m_viewSizes)
        if (p == percent)
            return action;
    return nullptr;
}

void MainWindow::createOptions()
{
    auto* settings = findChild<QMenu*>(QStringLiteral("Einstellungen1"));
    m_signalNames = new QAction(QString::fromUtf8("Signalnamen anzeigen"), this);
    m_signalNames->setObjectName(QStringLiteral("Signalnamen1"));
    m_signalNames->setCheckable(true);
    settings->addAction(m_signalNames);

    // The whole window larger, by Qt's scale factor, which can only be set before the program's
    // windows exist: the size chosen applies from the next start.
    settings->addSeparator();
    QMenu* sizes = settings->addMenu(QString::fromUtf8("Größe (ab dem nächsten Start)"));
    sizes->setObjectName(QStringLiteral("Groesse1"));
    auto* group = new QActionGroup(sizes);
    for (const int percent : kViewPercents) {
        QAction* action = sizes->addAction(QStringLiteral("%1 %").arg(percent));
        action->setObjectName(QStringLiteral("Groesse%1").arg(percent));
        action->setCheckable(true);
        group->addAction(action);
        m_viewSizes.emplace_back(percent, action);
    }

    const WindowOptions kept = LoadOptions(optionsFile());
    m_showWhy->setChecked(kept.showWhy);
    m_why->setShown(kept.showWhy);
    m_steadyLamps->setChecked(kept.steadyLamps);
    m_colorLetters->setChecked(kept.colorLetters);
    m_canvas->setOverlays({kept.steadyLamps, kept.colorLetters});
    m_signalNames->setChecked(kept.signalNames);
    m_names->setVisible(kept.signalNames);
    viewSizeAction(kept.viewPercent)->setChecked(true);

    connect(m_signalNames, &QAction::toggled, m_names, &QWidget::setVisible);
    for (QAction* option : {m_showWhy, m_steadyLamps, m_colorLetters, m_signalNames})
        connect(option, &QAction::toggled, this, &MainWindow::saveOptions);
    connect(group, &QActionGroup::triggered, this, &MainWindow::saveOptions);

    m_reportSettingsError = [this](const QString& message) {
        QMessageBox::warning(this, QString::fromUtf8("Einstellungen"), message);
    };
}

void MainWindow::saveOptions()
{
    WindowOptions options;
    options.showWhy = m_showWhy->isChecked();
    options.steadyLamps = m_steadyLamps->isChecked();
    options.colorLetters = m_colorLetters->isChecked();
    options.signalNames = m_signalNames->isChecked();
    for (const auto& [percent, action] : m_viewSizes)
        if (action->isChecked())
            options.viewPercent = percent;
    if (SaveOptions(options, optionsFile()) || m_settingsErrorTold)
        return;
    // Once a run: the options still work until the program ends.
    m_settingsErrorTold = true;
    m_reportSettingsError(QString::fromUtf8("Die Einstellungen konnten nicht gespeichert werden; sie gelten nur bis "
                                            "zum Ende des Programms.\n\nDatei: %1").arg(optionsFile()));
}

} // namespace lumaro
