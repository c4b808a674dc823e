#include "app/buildinfo.h"
#include "app/datadirectory.h"
#include "app/programsetup.h"
#include "app/mainwindow.h"
#include "common/dialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication::setOrganizationName(QStringLiteral("Milbor"));
    QApplication::setApplicationName(QStringLiteral("Kelvaro"));
    // No display name: Qt would append it to every window's caption.
    QApplication::setApplicationVersion(QStringLiteral(KELVARO_VERSION));

    // --version is answered before the application connects to a display, so
    // that it works without one too.
    QCommandLineParser arguments;
    arguments.addVersionOption();
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    if (arguments.parse(given) && arguments.isSet(QStringLiteral("version")))
        arguments.showVersion();

    QApplication app(argc, argv);
    // The desktop entry's id and icon, for the task bar.
    QApplication::setDesktopFileName(QStringLiteral("sk.milbor.Kelvaro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/sk.milbor.Kelvaro-64.png")));
    // Any other option ends the program with a message.
    arguments.process(app);

    InstallSlovakTranslations(app);
    IgnoreFileSizeSignal();
    SetUpAccessibility();

    const ProgramFolders folders = DecideProgramFolders(QCoreApplication::applicationDirPath(), InstalledDirectory());
    if (!folders.working.isEmpty())
        QDir::setCurrent(folders.working);
    DataFolderLock lock(folders.data);
    if (!lock.take(Dialogs::standard()))
        return 1;

    MainWindow window(folders.data);
    window.show();
    return app.exec();
}
