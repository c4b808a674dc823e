#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvaro"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kelvaro"));
    window.show();
    return app.exec();
}
