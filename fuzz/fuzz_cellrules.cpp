// The input, after a first byte that chooses how the rest is read (Windows-1250
// or UTF-8), is a sequence of keys typed into every column of both grids, and
// a text for the number, IČO and e-mail rules.  What the key filters let
// through must pass the cell rules, be text that could be pasted, and come
// back unchanged from the data files; the comparisons that the row sort
// builds on must be orders.

#include "fuzzsupport.h"

#include "app/voucherlist.h"
#include "common/amount.h"
#include "common/cp1250.h"
#include "common/gridsort.h"
#include "common/recordfile.h"
#include "common/validators.h"
#include "database/establishments.h"

#include <algorithm>

namespace {

using Table = EstablishmentTable;

constexpr qsizetype MaxText = 512;

bool isAsciiDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Types the keys into an empty cell: a key the filter drops does nothing,
// Backspace takes the last character, Tab and Enter are no text.
template<typename RejectedFn>
QString typeKeys(const QString &keys, RejectedFn rejected)
{
    QString text;
    for (QChar key : keys) {
        if (rejected(text, key))
            continue;
        if (key.unicode() == KeyBackspace)
            text.chop(1);
        else if (key.unicode() != KeyTab && key.unicode() != KeyEnter)
            text += key;
    }
    return text;
}

// The cells as one line of a data file, read back: the code page must hold
// every character, and each cell must stay one field.
QStringList throughFile(const QStringList &row)
{
    const QString line = row.join(u';') + QStringLiteral(";\r\n");
    const QByteArray bytes = Cp1250::encode(line);
    FUZZ_CHECK_DETAIL(Cp1250::decode(bytes) == line, line);
    const QStringList lines = SplitRecordLines(bytes);
    FUZZ_CHECK(lines.size() == 1);
    const QStringList fields = SplitRecordFields(lines.at(0), int(row.size()));
    FUZZ_CHECK(fields.size() == row.size());
    return fields;
}

void checkEstablishmentColumns(const QString &keys)
{
    QStringList row;
    for (int column = -1; column <= Table::ColumnCount; ++column) {
        const QString typed = typeKeys(keys, [column](const QString &text, QChar key) {
            return Table::KeyRejected(column, text, key);
        });
        const bool digitColumn = Table::AllowedChars(column).contains(QChar(u'0'))
                                 && !Table::AllowedChars(column).contains(QChar(u'a'));
        FUZZ_CHECK(typed.size() <= Table::MaxLength(column));
        FUZZ_CHECK(!digitColumn || isAsciiDigits(typed));
        // Nothing that could break a line of DB.csv.
        FUZZ_CHECK(!typed.contains(u';'));
        FUZZ_CHECK(std::none_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.unicode() < 32; }));
        FUZZ_CHECK(Table::InsertionAllowed(column, typed));
        if (Table::InsertionAllowed(column, keys))
            FUZZ_CHECK(typed == keys);

        // Typed text passes the column's rule, except where the rule asks
        // for more than single keys can check.
        if (column == Table::IcoColumn)
            FUZZ_CHECK(Table::ValidateCell(typed, column) == IcoIsValid(typed));
        else if (column == Table::EmailColumn)
            FUZZ_CHECK(Table::ValidateCell(typed, column) == (typed.isEmpty() || !EmailIsInvalid(typed)));
        else
            FUZZ_CHECK_DETAIL(Table::ValidateCell(typed, column), QStringLiteral("column %1: %2").arg(column).arg(typed));

        if (column == Table::CodeColumn) {
            const QString code = Table::CompletedCode(typed);
            FUZZ_CHECK(code.size() == Table::CodeLength && code.endsWith(typed));
            FUZZ_CHECK(Table::ValidateCell(code, column));
        }
        if (column >= 0 && column < Table::ColumnCount)
            row.append(typed);
    }
    // A row of typed cells saved and read back: each cell as typed, less
    // the spaces around it that reading trims.
    const QStringList read = throughFile(row);
    for (int column = 0; column < Table::ColumnCount; ++column)
        FUZZ_CHECK(read.at(column) == TrimControl(row.at(column)));
}

void checkVoucherColumns(const QString &keys)
{
    const KeyFilter nominalRejected = [](const QString &text, QChar key) { return DecimalKeyRejected(text, 3, 2, key); };
    const KeyFilter countRejected = [](const QString &text, QChar key) { return KeyRejected(text, 5, key, Digits); };
    const QString nominal = typeKeys(keys, nominalRejected);
    const QString count = typeKeys(keys, countRejected);
    FUZZ_CHECK_DETAIL(VoucherList::ValidateCell(nominal, VoucherList::NominalColumn), nominal);
    FUZZ_CHECK_DETAIL(VoucherList::ValidateCell(count, VoucherList::CountColumn), count);
    FUZZ_CHECK(nominal.count(u',') <= 1);
    // Pasted text is held to the same filters.
    if (CouldBeTyped(keys, nominalRejected))
        FUZZ_CHECK(keys == nominal);
    if (CouldBeTyped(keys, countRejected))
        FUZZ_CHECK(keys == count);

    // The largest typed row is valued exactly, and its value fits the value
    // column's rule, so a saved list reads back without marks.
    const auto amount = Amount::fromText(nominal);
    if (amount && !count.isEmpty()) {
        const auto value = amount->times(count.toLongLong());
        FUZZ_CHECK(value.has_value());
        FUZZ_CHECK_DETAIL(VoucherList::ValidateCell(value->toText(), VoucherList::ValueColumn), value->toText());
        const QStringList row = {nominal, count, value->toText()};
        FUZZ_CHECK(throughFile(row) == row);
    }
}

void checkNumberTests(const QString &text)
{
    if (IsAllDigits(text))
        FUZZ_CHECK(IsDecimalNumber(text));
    // A number of a cell's length is read as itself, never as the default.
    if (IsDecimalNumber(text) && text.size() <= 32)
        FUZZ_CHECK(CellNumber(text, -1) >= 0);
    if (!IsDecimalNumber(text))
        FUZZ_CHECK(CellNumber(text, -1) == -1);

    // The row sort ranks texts once and relies on both comparisons being
    // strict weak orders: irreflexive, asymmetric, mirrored by the
    // direction, and transitive in order and in equality.
    const qsizetype third = text.size() / 3;
    const QString a = text.left(third);
    const QString b = text.mid(third, third);
    const QString c = text.mid(2 * third);
    for (CompareFn after : {CompareNumeric, CompareStrings}) {
        FUZZ_CHECK(!after(a, a, true) && !after(a, a, false));
        FUZZ_CHECK(!(after(a, b, true) && after(b, a, true)));
        FUZZ_CHECK(after(a, b, true) == after(b, a, false));
        if (after(a, b, true) && after(b, c, true))
            FUZZ_CHECK(after(a, c, true));
        if (!after(a, b, true) && !after(b, a, true))
            FUZZ_CHECK(after(a, c, true) == after(b, c, true) && after(c, a, true) == after(c, b, true));
    }
}

void checkIco(const QString &text)
{
    if (IcoIsValid(text))
        FUZZ_CHECK(text.size() == 8 && isAsciiDigits(text));
    // Every seven digits have exactly one check digit.
    if (text.size() == 8 && isAsciiDigits(text)) {
        int valid = 0;
        for (char16_t d = u'0'; d <= u'9'; ++d)
            valid += IcoIsValid(text.left(7) + QChar(d)) ? 1 : 0;
        FUZZ_CHECK(valid == 1);
    }
}

void checkEmail(const QString &text)
{
    // The rule does not care for the case of ASCII letters, and a letter
    // added at either end keeps a good address good.
    QString flipped = text;
    for (QChar &c : flipped) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
        else if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    FUZZ_CHECK(EmailIsInvalid(text) == EmailIsInvalid(flipped));
    if (!EmailIsInvalid(text)) {
        FUZZ_CHECK(!EmailIsInvalid(u'x' + text));
        FUZZ_CHECK(!EmailIsInvalid(text + u'x'));
        FUZZ_CHECK(text.count(u'@') == 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzBytes input(data, size);
    const bool utf8 = input.byte() & 1;
    const QByteArray payload = input.rest();
    const QString text = utf8 ? QString::fromUtf8(payload) : Cp1250::decode(payload);
    if (text.size() > MaxText)
        return 0;
    checkEstablishmentColumns(text);
    checkVoucherColumns(text);
    checkNumberTests(text);
    checkIco(text);
    checkEmail(text);
    return 0;
}
