#include "common/gridrows.h"
#include "common/gridsort.h"
#include "support/gridtexts.h"

#include <QTest>

namespace {

// Fills the data rows from texts "a|b|c", one column per part; a part
// ending in "*" is a marked cell.
void load(GridModel &grid, const QStringList &rows)
{
    for (int r = 1; r <= rows.size(); ++r) {
        grid.ClearRow(r);
        const QStringList parts = rows.at(r - 1).split(QLatin1Char('|'));
        for (int c = 0; c < parts.size(); ++c) {
            grid.SetCell(c, r, QString(parts.at(c)).remove(QLatin1Char('*')));
            grid.MarkCells(r, parts.at(c).endsWith(QLatin1Char('*')) ? 1u << c : 0);
        }
    }
    grid.SetRowCount(int(rows.size()) + 1);
}

} // namespace

class TstGridRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compaction();
    void sort_data();
    void sort();
};

void TstGridRows::compaction()
{
    // Empty rows go; the current row follows its record, and a dropped one
    // keeps its number within the grid.
    GridModel grid(2);
    load(grid, {"A", "", "", "B", ""});
    QVERIFY(grid.SetCurrentCell(1, 4));
    RemoveEmptyRows(grid);
    QCOMPARE(ColumnTexts(grid, 0), QStringList({"A", "B"}));
    QCOMPARE(grid.CurrentRow(), 2);
    load(grid, {"A", "B", "", ""});
    QVERIFY(grid.SetCurrentCell(1, 4));
    RemoveEmptyRows(grid);
    QCOMPARE(grid.CurrentRow(), 2);
}

void TstGridRows::sort_data()
{
    QTest::addColumn<QString>("rows"); // "key|tag" or "key|key|tag", by spaces
    QTest::addColumn<QString>("keys"); // "0+": column 0 by number ascending, "1s-": 1 as text descending
    QTest::addColumn<QString>("tags"); // from the top
    QTest::addColumn<QString>("marks");
    // The orders an exchange sort leaves, worked out by hand: for each row
    // from the top, every later row is compared with it and the two are
    // exchanged when they are out of order; equal keys are never exchanged.
    QTest::newRow("empty and decimal keys") << "10|a* 5|b |c 7,5*|d" << "0+" << "cbda" << "0,3 1,4";
    QTest::newRow("equal keys") << "3|a 3|b 1|c 3|d 2|e" << "0+" << "ceadb" << "";
    QTest::newRow("descending, a text last") << "5|a 100|b x|c 20.5|d" << "0-" << "bdac" << "";
    QTest::newRow("second key within equal first") << "B|1|a A|1|b* B|3|c A|2|d" << "0s+ 1-" << "dbca" << "2,2";
    QTest::newRow("every earlier key kept") << "A|x|2|a B|x|1|b" << "0s+ 1s+ 2+" << "ab" << "";
    // Without a locale the tests sort as Slovak: "ch" is a letter after "h".
    QTest::newRow("Slovak collation") << "ihla|a chlieb|b hrad|c cesta|d čaj|e" << "0s+" << "decba" << "";
}

void TstGridRows::sort()
{
    QFETCH(QString, rows);
    QFETCH(QString, keys);
    const QStringList records = rows.split(u' ');
    GridModel grid(4);
    load(grid, records);
    SortKeys by;
    for (const QString &k : keys.split(u' '))
        by.Keys.append({k.at(0).digitValue(), k.endsWith(u'+'), k.contains(u's') ? CompareStrings : CompareNumeric});
    SortRowsByKeys(grid, by, 1);
    QTEST(ColumnTexts(grid, int(records.first().count(u'|'))).join(QString()), "tags");
    QTEST(MarkedCellNames(grid).join(u' '), "marks");
}

QTEST_GUILESS_MAIN(TstGridRows)
#include "tst_gridrows.moc"
