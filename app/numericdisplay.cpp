#include "numericdisplay.h"

#include "common/windowstyle.h"

NumericDisplay::NumericDisplay(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAlarm(false);
    showNumber();
}

void NumericDisplay::setDecimals(bool twoDecimals)
{
    twoDecimals_ = twoDecimals;
    showNumber();
}

void NumericDisplay::setNumberText(const QString &text)
{
    number_ = Amount::fromText(text).value_or(Amount());
    showNumber();
}

QString NumericDisplay::numberText() const
{
    if (number_.isZero())
        return {};
    // Two decimals at most, rounded half away from zero.
    constexpr qint64 Cent = Amount::Scale / 100;
    const qint64 raw = number_.raw();
    const qint64 half = raw < 0 ? -Cent / 2 : Cent / 2;
    const qint64 rounded = (raw + half) / Cent * Cent;
    return rounded == 0 ? QString() : Amount::fromRaw(rounded).toText();
}

void NumericDisplay::showNumber()
{
    QString plain = numberText();
    if (plain.isEmpty())
        plain = QStringLiteral("0");
    if (!twoDecimals_) {
        const qsizetype comma = plain.indexOf(QLatin1Char(','));
        if (comma >= 0)
            plain.truncate(comma);
    }
    setText(FormatAmountGrouped(plain, twoDecimals_));
}

void NumericDisplay::setAlarm(bool alarm)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, alarm ? MarkBrush() : ReadOnlyGrey());
    p.setColor(QPalette::Text, alarm ? MarkText() : QColor(0, 0, 0));
    setPalette(p);
}
