#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// The windows were laid out for an 11-pixel sans-serif face; where that face
// is missing, one with the same metrics as Arial keeps the captions inside
// their places.
QFont WindowFont();

// The colours both windows share: marked cells (and the totals they blank),
// and the boxes that are only read.
inline QColor MarkBrush() { return QColor(255, 0, 0); }
inline QColor MarkText() { return QColor(255, 255, 0); }
inline QColor ReadOnlyGrey() { return QColor(210, 210, 210); }

// Places a window of fixed size in the middle of its screen.
void CentreOnScreen(QWidget &window);
