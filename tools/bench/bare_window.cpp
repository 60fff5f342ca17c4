// lumaro-bare-window [WIDTH HEIGHT]: an empty Qt main window, the yardstick for the program's
// resident memory (lumaro-shell-bench memory). It is given the size of the program's window
// (menu bar, canvas and explanation line); without a size it takes the canvas's.

#include "render/canvas.h"

#include <QApplication>
#include <QMainWindow>

#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    const QStringList args = QApplication::arguments();
    if (args.size() == 3)
        window.resize(args[1].toInt(), args[2].toInt());
    else
        window.resize(lumaro::Canvas::kWidth, lumaro::Canvas::kHeight);
    window.show();
    return app.exec();
}
