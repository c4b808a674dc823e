#include "recordmessages.h"

#include <QDir>

bool AskRemoveIncompleteRows(Dialogs &dialogs, QWidget *parent)
{
    return dialogs.confirm(parent, QStringLiteral("Odstrániť nekompletné riadky?")) == Dialogs::Button::Yes;
}

void ReportRecordLoad(Dialogs &dialogs, QWidget *parent, RecordFileLoad result, const QString &path, bool marked,
                      Dialogs::Box marksBox)
{
    if (result == RecordFileLoad::Failed) {
        dialogs.error(parent, QStringLiteral("Chyba pri importovaní databázy zo súboru \"%1\"!")
                                  .arg(QDir::toNativeSeparators(path)));
    }
    if (marked) {
        dialogs.message(parent, marksBox,
                        QStringLiteral("Konzistentnosť údajov v databáze je porušená!\r\n"
                                       "(Chybné údaje sú farebne zvýraznené)"),
                        Dialogs::Buttons::Ok);
    }
}
