#include "app/programsetup.h"
#include "app/supiska.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvaro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvaro"));
    InstallSlovakTranslations(app);
    IgnoreFileSizeSignal();

    TForm2 window;
    window.show();
    return app.exec();
}
