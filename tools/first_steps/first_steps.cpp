// Takes the README's first pictures offscreen: the window as a learner sees it after the first
// press, with every signal named and the "Warum" line explaining the pressed column; and the line
// shown whole for a designation under the mouse.
//   build/tools/lumaro-first-steps docs
#include "app/main_window.h"
#include "app/why_bar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>
#include <QTest>

using namespace lumaro;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The user's own options stay untouched: the picture shows a first start.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(MainWindow::optionsFile());
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs"));
    MainWindow window;
    window.timer()->stop();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const auto tick = [&] { QMetaObject::invokeMethod(window.timer(), "timeout", Qt::DirectConnection); };
    window.signalNamesAction()->trigger();
    tick();
    // The exit signal at 60 km/h: its distant signals follow at the next ticks.
    window.button(3)->click();
    tick();
    tick();
    QTest::qWait(50);
    bool saved = window.grab().save(out.filePath(QStringLiteral("first-steps.png")));

    // The intermediate signal dark with its identification light and the entry signal at 40 km/h:
    // the mouse on the distant part of the entry signal's mast, which now announces the exit
    // signal, and the whole explanation.
    window.signalNamesAction()->trigger();
    window.button(20)->click();
    tick();
    window.button(31)->click();
    tick();
    tick();
    QLabel* panel = window.panel(11);
    QEnterEvent enter(QPointF(2, 2), panel->mapTo(&window, QPointF(2, 2)), panel->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(panel, &enter);
    window.why()->setExpanded(true);
    QTest::qWait(50);
    saved = window.grab().save(out.filePath(QStringLiteral("warum.png"))) && saved;
    QFile::remove(MainWindow::optionsFile());
    return saved ? 0 : 1;
}
