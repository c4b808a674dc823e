#pragma once

#include "common/dialogs.h"
#include "grid/recordfile.h"

#include <QString>

class QWidget;

// What both windows tell the user about their tables.

// "Odstrániť nekompletné riadky?": true when the user answered Yes.
bool AskRemoveIncompleteRows(Dialogs &dialogs, QWidget *parent);

// After a load: the file that could not be read, then the marked cells, in
// the box the window shows them in.
void ReportRecordLoad(Dialogs &dialogs, QWidget *parent, RecordFileLoad result, const QString &path, bool marked,
                      Dialogs::Box marksBox);
