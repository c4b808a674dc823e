#pragma once

#include "grid/recordmodel.h"

#include <QStringList>

// The texts of one column's rows, from the top.
inline QStringList ColumnTexts(const RecordModel &records, int column)
{
    QStringList texts;
    for (int r = 0; r < records.rowCount(); ++r)
        texts << records.text(r, column);
    return texts;
}

// The marked cells as "column,row", row by row.
inline QStringList MarkedCellNames(const RecordModel &records)
{
    QStringList found;
    for (int r = 0; r < records.rowCount(); ++r)
        for (int c = 0; c < records.columnCount(); ++c)
            if (records.isMarked(r, c))
                found << QStringLiteral("%1,%2").arg(c).arg(r);
    return found;
}
