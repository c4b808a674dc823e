#include "programsetup.h"

#include "grid/gridaccessible.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#ifndef Q_OS_WIN
#include <csignal>
#endif

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

void InstallSlovakTranslations(QCoreApplication &app)
{
    const QLocale slovak(QLocale::Slovak, QLocale::Slovakia);
    auto *qt = new QTranslator(&app);
    if (qt->load(slovak, QStringLiteral("qtbase"), QStringLiteral("_"), qtTranslationsPath()))
        QCoreApplication::installTranslator(qt);
    // Embedded at build time from translations/kelvaro_sk.ts.
    auto *own = new QTranslator(&app);
    if (own->load(slovak, QStringLiteral("kelvaro"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(own);
}

void IgnoreFileSizeSignal()
{
#ifndef Q_OS_WIN
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void SetUpAccessibility()
{
    InstallGridAccessibility();
}
