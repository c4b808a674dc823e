// The input, after a first byte that chooses how the rest is read (Windows-1250
// or UTF-8), is a sequence of keys typed into every column of both tables.
// What the key filters let through must keep the column's rule (as far as
// single keys can check it) and come back unchanged from the data files.

#include "fuzzsupport.h"

#include "app/vouchermodel.h"
#include "common/cp1250.h"
#include "grid/recordfile.h"
#include "common/validators.h"
#include "database/establishmentmodel.h"

namespace {

// Types the keys into an empty cell: a key the filter drops does nothing,
// Backspace takes the last character, Tab and Enter are no text.
QString typeKeys(const RecordModel &table, int column, const QString &keys)
{
    QString text;
    for (QChar key : keys) {
        if (key.unicode() == KeyBackspace)
            text.chop(1);
        else if (key.unicode() != KeyTab && key.unicode() != KeyEnter && !table.keyRejected(column, text, key))
            text += key;
    }
    return text;
}

// wholeTextRules: the columns whose rule asks for more than single keys can
// check (the IČO, the e-mail address).
void checkTyping(const RecordModel &table, const QString &keys, const ColumnSet &wholeTextRules)
{
    const int columns = table.columnCount();
    QStringList row;
    for (int column = 0; column < columns; ++column) {
        const QString typed = typeKeys(table, column, keys);
        FUZZ_CHECK(wholeTextRules.test(size_t(column)) || table.cellValid(typed, column));
        // Pasted text is held to the same filter.
        if (CouldBeTyped(keys, [&](const QString &text, QChar key) { return table.keyRejected(column, text, key); }))
            FUZZ_CHECK(typed == keys);
        row.append(typed);
    }
    // Saved and read back: each cell as typed, less the blanks around it that
    // reading trims.
    const QString text = DecodeRecordFile(Cp1250::encode(row.join(u';') + QStringLiteral(";\r\n")));
    QList<QStringView> lines;
    ForEachRecordLine(text, [&](QStringView line) { lines.append(line); });
    FUZZ_CHECK(lines.size() == 1);
    QList<QStringView> read;
    SplitRecordFields(lines.at(0), columns, read);
    for (int column = 0; column < columns; ++column)
        FUZZ_CHECK(read.value(column) == TrimControl(QStringView(row.at(column))));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzBytes input(data, size);
    const bool utf8 = input.byte() & 1;
    const QByteArray payload = input.rest();
    const QString keys = utf8 ? QString::fromUtf8(payload) : Cp1250::decode(payload);
    if (keys.size() > 512)
        return 0;
    checkTyping(EstablishmentModel(), keys, Columns({EstablishmentModel::IcoColumn, EstablishmentModel::EmailColumn}));
    checkTyping(VoucherModel(), keys, {});
    return 0;
}
