#include "app/buildinfo.h"
#include "app/datadirectory.h"
#include "app/supiska.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Milbor"));
    QApplication::setApplicationName(QStringLiteral("Kelvaro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvaro"));
    QApplication::setApplicationVersion(QStringLiteral(KELVARO_VERSION));
    // The desktop entry's id and icon, for the task bar.
    QApplication::setDesktopFileName(QStringLiteral("sk.milbor.Kelvaro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/sk.milbor.Kelvaro.png")));

    QCommandLineParser arguments;
    arguments.addVersionOption();
    arguments.process(app);

    // Qt's own buttons and dialogs speak Slovak like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Slovak, QLocale::Slovakia), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    TForm2 window(DataDirectory(QCoreApplication::applicationDirPath(), QStringLiteral(KELVARO_INSTALLED_BINDIR)));
    window.show();
    return app.exec();
}
