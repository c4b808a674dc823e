#pragma once

#include "common/amount.h"

#include <QLineEdit>

// A read-only box that holds a number and shows it grouped by thousands with
// a decimal comma, either as a whole number or with two decimals.  It takes
// the number as plain amount text ("" for zero).
class NumericDisplay : public QLineEdit
{
    Q_OBJECT

public:
    explicit NumericDisplay(QWidget *parent = nullptr);

    void setDecimals(bool twoDecimals);
    // Unreadable text counts as zero.
    void setNumberText(const QString &text);
    // Grey with black text, or red with yellow text while the totals are
    // blanked.
    void setAlarm(bool alarm);

private:
    // The number without grouping, at most two decimals, "" for zero.
    QString numberText() const;
    void showNumber();

    Amount number_;
    bool twoDecimals_ = false;
};
