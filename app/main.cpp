// Entry of the desktop program: the application and its main window.

#include "app/application.h"
#include "app/main_window.h"
#include "app/quiz_window.h"
#include "app/window_options.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The size of the view the learner chose: Qt takes its scale factor only before it starts.
    lumaro::ApplyViewSize();
    QApplication app(argc, argv);
    // The desktop matches the window to the installed entry (LUMARO_DESKTOP_ID.desktop, the id the
    // build gives) by this name.
    QApplication::setDesktopFileName(QStringLiteral(LUMARO_DESKTOP_ID));
    lumaro::SetUpApplication();
    lumaro::MainWindow window;
    lumaro::QuizController quiz(window);
    window.show();
    return app.exec();
}
