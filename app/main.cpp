// Entry of the desktop program: the application and its main window.

#include "app/deferred_icon_style.h"
#include "app/main_window.h"
#include "app/program_icon.h"
#include "app/quiz_window.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The style Qt chose, by name, so that a style asked for on the command line stays.
    QApplication::setStyle(new lumaro::DeferredIconStyle(QStyleFactory::create(QApplication::style()->name())));
    // The desktop matches the window to the installed entry (LUMARO_DESKTOP_ID.desktop, the id the
    // build gives) by this name, and shows the same icon in the task bar whether or not the icon
    // theme has it.
    QApplication::setDesktopFileName(QStringLiteral(LUMARO_DESKTOP_ID));
    lumaro::MainWindow window;
    lumaro::QuizController quiz(window);
    QApplication::setWindowIcon(lumaro::ProgramIcon());
    window.show();
    return app.exec();
}
