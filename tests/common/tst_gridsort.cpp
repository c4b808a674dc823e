#include "common/gridmodel.h"
#include "common/gridsort.h"
#include "support/gridtexts.h"

#include <QTest>

namespace {

// A grid whose rows are given as "key|tag" (or "key1|key2|tag"), one column
// per part.
void load(GridModel &grid, const QStringList &rows)
{
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList parts = rows.at(r).split(QLatin1Char('|'));
        for (int c = 0; c < grid.ColCount(); ++c)
            grid.SetCell(c, r + 1, parts.value(c));
    }
    grid.SetRowCount(int(rows.size()) + 1);
}

// "0+" sorts column 0 as numbers ascending, "1s-" column 1 as text
// descending, keys separated by spaces.
SortKeys keysOf(const QString &spec)
{
    SortKeys keys;
    for (const QString &key : spec.split(QLatin1Char(' '))) {
        keys.Keys.append({key.at(0).digitValue(), key.endsWith(QLatin1Char('+')),
                          key.contains(QLatin1Char('s')) ? CompareStrings : CompareNumeric});
    }
    return keys;
}

} // namespace

class TstGridSort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellNumber_data();
    void cellNumber();
    void exchangeSortOrder_data();
    void exchangeSortOrder();
    void currentRowAndMarksFollowTheirRecords();
    void noSortInsideASort();
};

void TstGridSort::cellNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("whole") << "12" << 12.0;
    QTest::newRow("comma") << "7,5" << 7.5;
    QTest::newRow("full stop") << "7.5" << 7.5;
    QTest::newRow("empty") << "" << -1.0;
    QTest::newRow("letters") << "abc" << -1.0;
    QTest::newRow("comma last") << "12," << -1.0;
    QTest::newRow("grouped") << "1 000" << -1.0;
    // Damaged files hold numbers no double holds.
    QTest::newRow("a million leading zeros") << QString(1000000, '0') + "7,5" << 7.5;
    QTest::newRow("three thousand decimals") << "0," + QString(3000, '5') << 5.0 / 9;
    QTest::newRow("beyond every double") << QString(400, '9') << qInf();
    QTest::newRow("below every double") << "0," + QString(400, '0') + "1" << 0.0;
}

void TstGridSort::cellNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(CellNumber(text, -1), number);
}

void TstGridSort::exchangeSortOrder_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("tags");

    // The orders an exchange sort leaves, worked out by hand: for each row
    // from the top, every later row is compared with it and the two are
    // exchanged when they are out of order; equal keys are never exchanged.
    QTest::newRow("one row") << QStringList{"9|a"} << "0-" << QStringList{"a"};
    QTest::newRow("empty and decimal keys") << QStringList{"10|a", "5|b", "|c", "7,5|d"} << "0+"
                                            << QStringList{"c", "b", "d", "a"};
    QTest::newRow("equal keys change places") << QStringList{"2|a", "2|b", "1|c"} << "0+" << QStringList{"c", "b", "a"};
    QTest::newRow("equal keys, five rows") << QStringList{"3|a", "1|b", "3|c", "2|d", "1|e"} << "0+"
                                           << QStringList{"b", "e", "d", "a", "c"};
    QTest::newRow("descending, a text last") << QStringList{"5|a", "100|b", "x|c", "20|d"} << "0-"
                                             << QStringList{"b", "d", "a", "c"};
    QTest::newRow("second key within equal first")
        << QStringList{"B|1|r1", "A|1|r2", "B|3|r3", "A|2|r4"} << "0s+ 1-" << QStringList{"r4", "r2", "r3", "r1"};
    QTest::newRow("every earlier key kept") << QStringList{"A|x|2|a", "B|x|1|b"} << "0s+ 1s+ 2+"
                                            << QStringList{"a", "b"};
    // Without a locale the tests sort as Slovak: "ch" is a letter after "h".
    QTest::newRow("Slovak collation") << QStringList{"ihla|a", "chlieb|b", "hrad|c", "cesta|d", "čaj|e"} << "0s+"
                                      << QStringList{"d", "e", "c", "b", "a"};
}

void TstGridSort::exchangeSortOrder()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, keys);
    QFETCH(QStringList, tags);
    GridModel grid(4);
    load(grid, rows);
    SortRowsByKeys(grid, keysOf(keys), 1);
    const int tagColumn = int(rows.first().count(QLatin1Char('|')));
    QCOMPARE(ColumnTexts(grid, tagColumn), tags);
}

void TstGridSort::currentRowAndMarksFollowTheirRecords()
{
    GridModel grid(2);
    load(grid, {"30|c", "10|a", "20|b"});
    QVERIFY(grid.SetCurrentCell(1, 1));
    grid.MarkCells(1, 1u << 1);
    grid.MarkCells(3, 1u << 0);
    QList<int> selected;
    grid.SetSelectCellHook([&](int, int row) {
        selected << row;
        return true;
    });

    SortRowsByColumn(grid, 0, CompareNumeric, true);

    QCOMPARE(ColumnTexts(grid, 1), QStringList({"a", "b", "c"}));
    QCOMPARE(MarkedCellNames(grid), QStringList({"0,2", "1,3"}));
    // Moving the current row at the end goes through the selection, so a
    // window learns where its record went.
    QCOMPARE(grid.CurrentRow(), 3);
    QCOMPARE(grid.CurrentCol(), 1);
    QCOMPARE(selected, QList<int>({3}));
}

void TstGridSort::noSortInsideASort()
{
    GridModel grid(1);
    load(grid, {"3", "1", "2"});
    QVERIFY(grid.SetCurrentCell(0, 2));
    grid.SetSelectCellHook([&](int, int) {
        // A handler that sorts again while the rows move must do nothing.
        SortRowsByColumn(grid, 0, CompareNumeric, false);
        return true;
    });
    SortRowsByColumn(grid, 0, CompareNumeric, true);
    QCOMPARE(ColumnTexts(grid, 0), QStringList({"1", "2", "3"}));

    // The guard is released: a later sort runs.
    grid.SetSelectCellHook({});
    SortRowsByColumn(grid, 0, CompareNumeric, false);
    QCOMPARE(ColumnTexts(grid, 0), QStringList({"3", "2", "1"}));
}

QTEST_GUILESS_MAIN(TstGridSort)
#include "tst_gridsort.moc"
