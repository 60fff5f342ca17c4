// lumaro-bare-window: an empty Qt main window of the program's window size, the yardstick for the
// program's resident memory (lumaro-shell-bench memory).

#include "render/canvas.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(lumaro::Canvas::kWidth, window.menuBar()->sizeHint().height() + lumaro::Canvas::kHeight);
    window.show();
    return app.exec();
}
