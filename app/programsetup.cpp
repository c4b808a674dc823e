#include "programsetup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#ifndef Q_OS_WIN
#include <csignal>
#endif

void InstallSlovakTranslations(QCoreApplication &app)
{
    const QLocale slovak(QLocale::Slovak, QLocale::Slovakia);
    auto *qt = new QTranslator(&app);
    if (qt->load(slovak, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
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
