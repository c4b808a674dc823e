#pragma once

#include <QString>

#include <optional>

// An amount in euro as a signed 64-bit count of ten-thousandths.  Products and
// sums are exact; nothing goes through floating point.
class Amount
{
public:
    static constexpr qint64 Scale = 10000;
    static constexpr int Decimals = 4;

    constexpr Amount() = default;
    static constexpr Amount fromRaw(qint64 raw) { return Amount(raw); }

    // Reads the amount text form: digits with at most one comma and at most
    // four digits after it, both sides non-empty when there is a comma ("12,5",
    // "250").  Anything else, or a value beyond the range, gives nothing.
    static std::optional<Amount> fromText(const QString &text);
    // An amount as a decimal key filter lets it be typed, the comma first or
    // last: ",5" reads as 0,5 and "1," as 1.  Anything else as fromText().
    static std::optional<Amount> fromTyped(QStringView text);

    // The amount text form: decimal comma, no grouping, no trailing zeros
    // ("12,5", "250", "0").
    QString toText() const;

    constexpr qint64 raw() const { return raw_; }
    constexpr bool isZero() const { return raw_ == 0; }

    std::optional<Amount> times(qint64 factor) const;
    std::optional<Amount> plus(Amount other) const;

    friend constexpr bool operator==(Amount a, Amount b) { return a.raw_ == b.raw_; }
    friend constexpr bool operator!=(Amount a, Amount b) { return a.raw_ != b.raw_; }

private:
    constexpr explicit Amount(qint64 raw) : raw_(raw) {}
    qint64 raw_ = 0;
};

// A typed amount in the amount text form's spelling (",5" as "0,5", "1," as
// "1"); any other text as it is.
QString WrittenOutAmount(QStringView typed);

// Display form of an amount text: the integer part in groups of three joined
// by spaces, at least two decimals (",00" added when asked for).
QString FormatAmountGrouped(const QString &text, bool withDecimals);

// The same without the grouping, for texts written one character per box.
QString CompleteAmountDecimals(const QString &text, bool withDecimals);
