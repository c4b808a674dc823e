#pragma once

#include <QFont>

class QWidget;

// The windows were laid out for an 11-pixel sans-serif face; where that face
// is missing, one with the same metrics as Arial keeps the captions inside
// their places.
QFont WindowFont();

// Places a window of fixed size in the middle of its screen.
void CentreOnScreen(QWidget &window);
