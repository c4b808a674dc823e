#pragma once

#include "grid/recordview.h"

#include <QLineEdit>
#include <QTest>

// Types into a grid as a user does: characters go to the in-place editor
// while it is open and to the grid otherwise; "\t" is Tab, "\r" Enter and
// "\b" Backspace.
inline void typeIntoGrid(RecordView *grid, const QString &keys)
{
    for (QChar c : keys) {
        QWidget *target = grid->editor() ? static_cast<QWidget *>(grid->editor()) : grid;
        if (c.unicode() < 128)
            QTest::keyClicks(target, QString(c));
        else // keys with no Latin-1 code of their own: the text is what counts
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Clicks a cell of the grid; true when it became the current cell.
inline bool clickCell(RecordView *grid, int row, int column)
{
    const QModelIndex cell = grid->model()->index(row, column);
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    return grid->currentIndex() == cell;
}
