// The yardstick of the start-up benchmark: an empty main window of the
// program's size, built with the program's flags.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(800, 399);
    window.show();
    return app.exec();
}
