// The input, read as Latin-1, is an amount text; its first 24 bytes are also
// two raw amounts and a factor.  Reading, writing, multiplying and adding are
// compared with 128-bit arithmetic: a result beyond the range must be
// reported, never wrapped.  The display forms must keep the value and group
// the digits by three.

#include "fuzzsupport.h"

#include "common/amount.h"
#include "common/gridsort.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

using Wide = __int128;

constexpr qint64 MaxRaw = std::numeric_limits<qint64>::max();
constexpr qint64 MinRaw = std::numeric_limits<qint64>::min();

// The value of an amount text in ten-thousandths, when the text has the form
// digits [, one to four digits]; an integer part of more than 30 digits is
// beyond any range.
std::optional<Wide> wideValue(const QString &text)
{
    const qsizetype comma = text.indexOf(u',');
    const QString whole = comma < 0 ? text : text.left(comma);
    const QString fraction = comma < 0 ? QString() : text.mid(comma + 1);
    if (!isDigits(whole) || (comma >= 0 && !isDigits(fraction)) || fraction.size() > Amount::Decimals)
        return std::nullopt;
    Wide value = 0;
    for (QChar c : whole) {
        value = value * 10 + (c.unicode() - u'0');
        if (value > Wide(1000000000000000) * 1000000000000000)
            return std::nullopt;
    }
    value *= Amount::Scale;
    Wide place = Amount::Scale;
    for (QChar c : fraction) {
        place /= 10;
        value += place * (c.unicode() - u'0');
    }
    return value;
}

// The shortest form of an amount text: no leading zeros, no trailing zeros
// after the comma, no comma without decimals.
QString canonical(const QString &text)
{
    const qsizetype comma = text.indexOf(u',');
    QString whole = comma < 0 ? text : text.left(comma);
    QString fraction = comma < 0 ? QString() : text.mid(comma + 1);
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    return fraction.isEmpty() ? whole : whole + u',' + fraction;
}

void checkReading(const QString &text)
{
    const std::optional<Wide> expected = wideValue(text);
    const std::optional<Amount> amount = Amount::fromText(text);
    if (!expected || *expected > Wide(MaxRaw)) {
        FUZZ_CHECK_DETAIL(!amount, QStringLiteral("%1 read as %2").arg(text).arg(amount->raw()));
        return;
    }
    FUZZ_CHECK_DETAIL(amount && Wide(amount->raw()) == *expected, text);
    FUZZ_CHECK(amount->toText() == canonical(text));
    FUZZ_CHECK(Amount::fromText(amount->toText()) == amount);

    // The row sort reads the same text as a double: it must land on the
    // double nearest to the amount, so that sort order and value agree.
    const double number = CellNumber(text, -1);
    if (amount->raw() < (qint64(1) << 53))
        FUZZ_CHECK_DETAIL(number == double(amount->raw()) / Amount::Scale, text);
}

void checkArithmetic(qint64 a, qint64 b, qint64 factor)
{
    const Amount x = Amount::fromRaw(a);
    const Wide product = Wide(a) * factor;
    const auto times = x.times(factor);
    if (product > Wide(MaxRaw) || product < Wide(MinRaw))
        FUZZ_CHECK(!times);
    else
        FUZZ_CHECK(times && Wide(times->raw()) == product);

    const Wide sum = Wide(a) + b;
    const auto plus = x.plus(Amount::fromRaw(b));
    if (sum > Wide(MaxRaw) || sum < Wide(MinRaw))
        FUZZ_CHECK(!plus);
    else
        FUZZ_CHECK(plus && Wide(plus->raw()) == sum);

    // Every raw value has a text that reads back as its magnitude.
    const QString text = x.toText();
    const bool negative = text.startsWith(u'-');
    FUZZ_CHECK(negative == (a < 0));
    const auto magnitude = wideValue(negative ? text.mid(1) : text);
    FUZZ_CHECK_DETAIL(magnitude && *magnitude == (a < 0 ? -Wide(a) : Wide(a)), text);
    FUZZ_CHECK(canonical(negative ? text.mid(1) : text) == (negative ? text.mid(1) : text));
}

// The integer part of a grouped text: groups of three digits joined by one
// space, the first group of one to three.
bool groupedByThree(const QString &integerPart)
{
    const QStringList groups = integerPart.split(u' ');
    for (qsizetype k = 0; k < groups.size(); ++k) {
        const qsizetype n = groups.at(k).size();
        if (k == 0 ? (n < 1 || n > 3) : n != 3)
            return false;
    }
    return true;
}

void checkDisplay(const QString &text)
{
    for (bool withDecimals : {false, true}) {
        const QString grouped = FormatAmountGrouped(text, withDecimals);
        const QString plain = CompleteAmountDecimals(text, withDecimals);
        QString ungrouped = grouped;
        ungrouped.remove(u' ');
        QString plainNoSpaces = plain;
        plainNoSpaces.remove(u' ');
        FUZZ_CHECK(ungrouped == plainNoSpaces);

        // For an amount as the program holds it the value stays, two to
        // four decimals show whenever any do, and the digits are grouped.
        const auto amount = Amount::fromText(text);
        if (!amount || amount->toText() != text)
            continue;
        const bool decimals = withDecimals || text.contains(u',');
        if (decimals) {
            FUZZ_CHECK(Amount::fromText(plain) == amount);
            const qsizetype shown = plain.size() - plain.indexOf(u',') - 1;
            FUZZ_CHECK(plain.contains(u',') && shown >= 2 && shown <= Amount::Decimals);
        } else {
            FUZZ_CHECK(plain == text);
        }
        const qsizetype comma = grouped.indexOf(u',');
        FUZZ_CHECK_DETAIL(groupedByThree(comma < 0 ? grouped : grouped.left(comma)), grouped);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    FuzzBytes input(data, size);
    const auto a = input.value<qint64>();
    const auto b = input.value<qint64>();
    const auto factor = input.value<qint64>();

    checkReading(text);
    checkArithmetic(a, b, factor);
    if (const auto amount = Amount::fromText(text)) {
        checkArithmetic(amount->raw(), a, b);
        checkDisplay(amount->toText());
    }
    checkDisplay(text);
    return 0;
}
