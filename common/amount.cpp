#include "amount.h"

#include "validators.h"

std::optional<Amount> Amount::fromText(const QString &text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    const QString integerPart = comma < 0 ? text : text.left(comma);
    const QString fraction = comma < 0 ? QString() : text.mid(comma + 1);
    if (!IsAllDigits(integerPart) || (comma >= 0 && !IsAllDigits(fraction)))
        return std::nullopt;
    if (fraction.size() > Decimals)
        return std::nullopt;

    qint64 raw = 0;
    for (QChar c : integerPart) {
        if (__builtin_mul_overflow(raw, qint64(10), &raw)
            || __builtin_add_overflow(raw, qint64(c.digitValue()), &raw))
            return std::nullopt;
    }
    if (__builtin_mul_overflow(raw, Scale, &raw))
        return std::nullopt;
    qint64 place = Scale;
    for (QChar c : fraction) {
        place /= 10;
        if (__builtin_add_overflow(raw, place * c.digitValue(), &raw))
            return std::nullopt;
    }
    return Amount(raw);
}

std::optional<Amount> Amount::fromTyped(QStringView text)
{
    return fromText(WrittenOutAmount(text));
}

QString WrittenOutAmount(QStringView typed)
{
    // Only a text of one comma and digits on one side of it; a lone comma
    // stays what it is, no number.
    const qsizetype comma = typed.indexOf(QLatin1Char(','));
    if (typed.size() < 2 || comma != typed.lastIndexOf(QLatin1Char(',')))
        return typed.toString();
    if (comma == typed.size() - 1)
        return typed.chopped(1).toString();
    if (comma == 0)
        return QLatin1Char('0') + typed.toString();
    return typed.toString();
}

QString Amount::toText() const
{
    // The magnitude as unsigned, so that the smallest value has one too.
    const bool negative = raw_ < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(raw_) : quint64(raw_);
    QString text = QString::number(magnitude / quint64(Scale));
    quint64 fraction = magnitude % quint64(Scale);
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(Decimals, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char(',') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

std::optional<Amount> Amount::times(qint64 factor) const
{
    qint64 result;
    if (__builtin_mul_overflow(raw_, factor, &result))
        return std::nullopt;
    return Amount(result);
}

std::optional<Amount> Amount::plus(Amount other) const
{
    qint64 result;
    if (__builtin_add_overflow(raw_, other.raw_, &result))
        return std::nullopt;
    return Amount(result);
}

namespace {

QString groupByThree(const QString &digits)
{
    QString grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += QLatin1Char(' ');
        grouped += digits.at(i);
    }
    return grouped;
}

QString formatAmount(const QString &text, bool withDecimals, bool grouped)
{
    if (text.isEmpty())
        return text;
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    const QString integerPart = comma < 0 ? text : text.left(comma);
    QString fraction = comma < 0 ? QString() : text.mid(comma + 1);
    const QString shownInteger = grouped ? groupByThree(integerPart) : integerPart;
    if (!fraction.isEmpty()) {
        while (fraction.size() < 2)
            fraction += QLatin1Char('0');
        return shownInteger + QLatin1Char(',') + fraction;
    }
    return withDecimals ? shownInteger + QLatin1String(",00") : shownInteger;
}

} // namespace

QString FormatAmountGrouped(const QString &text, bool withDecimals)
{
    return formatAmount(text, withDecimals, true);
}

QString CompleteAmountDecimals(const QString &text, bool withDecimals)
{
    return formatAmount(text, withDecimals, false);
}
