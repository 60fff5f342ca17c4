// Entry of the desktop program: the application and its main window.

#include "app/main_window.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The desktop matches the window to the installed entry (LUMARO_DESKTOP_ID.desktop, the id the
    // build gives) by this name, and shows the same icon in the task bar whether or not the icon
    // theme has it.
    QApplication::setDesktopFileName(QStringLiteral(LUMARO_DESKTOP_ID));
    lumaro::MainWindow window;
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/lumaro/icons/lumaro-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    window.show();
    return app.exec();
}
