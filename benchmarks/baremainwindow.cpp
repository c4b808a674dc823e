// The yardsticks of the start-up benchmark: an empty main window of the
// program's size, built with the program's flags, and with "--text" the same
// window showing one line of text, which is what loading the fonts costs.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(800, 399);
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        window.setCentralWidget(new QLabel(QStringLiteral("Súpiska kupónov")));
    window.show();
    return app.exec();
}
