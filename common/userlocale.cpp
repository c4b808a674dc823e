#include "userlocale.h"

QLocale UserLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C || system.language() == QLocale::AnyLanguage)
        return QLocale(QLocale::Slovak, QLocale::Slovakia);
    return system;
}
