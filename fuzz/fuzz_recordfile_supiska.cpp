// The input is a supiska.csv.  Loading it must keep every record with the
// marks its cells earn, in the order of the exchange sort by nominal value,
// value each row exactly when nothing is marked, and survive a save and a
// second load unchanged.

#include "fuzzsupport.h"
#include "recordreference.h"

#include "app/voucherlist.h"
#include "common/amount.h"
#include "common/recordfile.h"

#include <QTemporaryDir>

#include <algorithm>
#include <optional>

namespace {

// A nominal value in cents, read without the program's amount type: digits,
// optionally a comma and one or two more digits.
std::optional<qint64> nominalCents(const QString &text)
{
    const qsizetype comma = text.indexOf(u',');
    const QString whole = comma < 0 ? text : text.left(comma);
    const QString fraction = comma < 0 ? QString() : text.mid(comma + 1);
    if (!isDigits(whole) || (comma >= 0 && !isDigits(fraction)) || whole.size() > 3 || fraction.size() > 2)
        return std::nullopt;
    return whole.toLongLong() * 100 + fraction.leftJustified(2, u'0').toLongLong();
}

QString centsText(qint64 cents)
{
    QString text = QString::number(cents / 100);
    if (cents % 100 != 0) {
        text += u',' + QString::number(cents % 100).rightJustified(2, u'0');
        if (text.endsWith(u'0'))
            text.chop(1);
    }
    return text;
}

bool bothFilled(const QStringList &cells)
{
    return !cells.at(VoucherList::NominalColumn).isEmpty() && !cells.at(VoucherList::CountColumn).isEmpty();
}

const QList<SortKey> ByNominalValue = {{VoucherList::NominalColumn, true, CompareNumeric}};

void checkLoaded(VoucherList &list, const QList<RefRecord> &expected)
{
    const QList<RefRecord> rows = GridRecords(list.grid(), list.markedCells());
    // A marked nominal value leaves its row complete.
    CheckEntryRow(rows, [](const RefRecord &record) {
        return bothFilled(record.cells)
               && (record.marked.test(VoucherList::NominalColumn)
                   || Amount::fromText(record.cells.at(VoucherList::NominalColumn)).has_value());
    });
    const QList<RefRecord> loaded = WithoutEntryRow(rows);

    bool anyMark = false;
    for (const RefRecord &record : expected)
        anyMark = anyMark || record.marked.any();
    FUZZ_CHECK(list.HasMarkedCells() == anyMark);
    if (anyMark) {
        // The value column is left as read.
        CheckSorted(loaded, expected, ByNominalValue, -1, -1);
    } else {
        // Every row was valued: the exact product of nominal value and count.
        QList<RefRecord> valued = expected;
        for (RefRecord &record : valued) {
            QString &value = record.cells[VoucherList::ValueColumn];
            const auto cents = nominalCents(record.cells.at(VoucherList::NominalColumn));
            value = cents ? centsText(*cents * record.cells.at(VoucherList::CountColumn).toLongLong()) : QString();
        }
        CheckSorted(loaded, valued, ByNominalValue, -1, -1);
    }

    // The totals: counts and values of the valued rows, summed exactly.
    const VoucherList::Totals totals = list.RecalcTotals();
    FUZZ_CHECK(totals.blanked == anyMark);
    if (!anyMark) {
        qint64 count = 0;
        qint64 cents = 0;
        for (const RefRecord &record : loaded) {
            const auto nominal = nominalCents(record.cells.at(VoucherList::NominalColumn));
            if (!nominal)
                continue;
            const qint64 n = record.cells.at(VoucherList::CountColumn).toLongLong();
            count += n;
            cents += *nominal * n;
        }
        FUZZ_CHECK(totals.count == (count == 0 ? QString() : QString::number(count)));
        FUZZ_CHECK_DETAIL(totals.value == (cents == 0 ? QString() : centsText(cents)),
                          QStringLiteral("total %1, expected %2").arg(totals.value, centsText(cents)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    const QByteArray contents(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = dir.filePath(VoucherList::fileName());
    WriteBytes(path, contents);

    const QList<QStringList> lines = CheckedRecords(contents, VoucherList::ColumnCount);

    VoucherList list;
    FUZZ_CHECK(list.load(path) == RecordFileLoad::Loaded);
    checkLoaded(list, ExpectedRecords(lines, VoucherList::ColumnCount, bothFilled, VoucherList::ValidateCell));

    // Saving writes the rows with both cells filled, in order; reading the
    // file back gives those rows again.
    QList<QStringList> written;
    for (int r = 1; r < list.grid().RowCount(); ++r) {
        if (bothFilled(list.grid().RowTexts(r)))
            written.append(list.grid().RowTexts(r));
    }
    const QString savedPath = dir.filePath(QStringLiteral("saved.csv"));
    FUZZ_CHECK(list.save(savedPath));
    const QByteArray saved = ReadBytes(savedPath);
    FUZZ_CHECK(saved == SavedBytes(written));

    VoucherList reread;
    FUZZ_CHECK(reread.load(savedPath) == RecordFileLoad::Loaded);
    const QList<RefRecord> again = WithoutEntryRow(GridRecords(reread.grid(), reread.markedCells()));
    FUZZ_CHECK(again.size() == written.size());
    for (qsizetype k = 0; k < again.size(); ++k) {
        FUZZ_CHECK(again.at(k).cells.at(VoucherList::NominalColumn) == written.at(k).at(VoucherList::NominalColumn));
        FUZZ_CHECK(again.at(k).cells.at(VoucherList::CountColumn) == written.at(k).at(VoucherList::CountColumn));
        if (!list.HasMarkedCells())
            FUZZ_CHECK(again.at(k).cells == written.at(k));
    }
    return 0;
}
