#include "app/supiska.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt's own catalogues: where the system's Qt keeps them, or on Windows beside
// the program, which brings its own copy of Qt.
QString qtTranslationsPath()
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvaro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kelvaro"));

    // Qt's own buttons and dialogs speak Slovak like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Slovak, QLocale::Slovakia), QStringLiteral("qtbase"), QStringLiteral("_"),
                          qtTranslationsPath()))
        QApplication::installTranslator(&qtTranslator);

    TForm2 window;
    window.show();
    return app.exec();
}
