#include "common/gridmodel.h"
#include "common/gridrows.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

// A grid of one column holding the given data rows.
void fill(GridModel &grid, const QStringList &rows)
{
    for (int r = 0; r < rows.size(); ++r)
        grid.SetCell(0, r + 1, rows.at(r));
    grid.SetRowCount(int(rows.size()) + 1);
}

QStringList dataRows(const GridModel &grid, int column = 0)
{
    QStringList rows;
    for (int r = 1; r < grid.RowCount(); ++r)
        rows << grid.Cell(column, r);
    return rows;
}

} // namespace

class TstGridRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void padLeft_data();
    void padLeft();
    void completeness();
    void textsBeyondRowCount();
    void rowCountNeverBelowTwo();
    void copyRowToItself();
    void valueInColumn();
    void compaction_data();
    void compaction();
    void compactionCarriesMarksAndCurrentRow();
    void modelSignalsStayConsistent();
    void selectionHookMayRefuse();
};

void TstGridRows::padLeft_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("padded");

    QTest::newRow("pads") << "12345" << 6 << "012345";
    QTest::newRow("cuts the front") << "1234567" << 6 << "234567";
    QTest::newRow("empty") << "" << 4 << "0000";
    QTest::newRow("exact") << "1234" << 4 << "1234";
    QTest::newRow("width 0") << "12" << 0 << "";
    QTest::newRow("negative width") << "12" << -3 << "";
}

void TstGridRows::padLeft()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, padded);
    QCOMPARE(PadLeft(text, QLatin1Char('0'), width), padded);
}

void TstGridRows::completeness()
{
    GridModel grid(3);
    QVERIFY(AllRowsComplete(grid, Columns({})));
    QVERIFY(!AllRowsComplete(grid, Columns({0})));
    QVERIFY(RowIsComplete(grid, Columns({}), 1));
    QVERIFY(RowIsEmpty(grid, 1));

    grid.SetCell(0, 1, QStringLiteral("10"));
    grid.SetCell(2, 1, QStringLiteral("x"));
    QVERIFY(!RowIsEmpty(grid, 1));
    QVERIFY(!RowIsComplete(grid, Columns({0, 1}), 1));
    QVERIFY(RowIsComplete(grid, Columns({0, 2}), 1));
    // Columns beyond the grid are ignored.
    QVERIFY(RowIsComplete(grid, Columns({0, 2, 7, 255}), 1));

    QVERIFY(AllRowsComplete(grid, Columns({0, 2})));
    AppendEmptyRow(grid);
    QVERIFY(!AllRowsComplete(grid, Columns({0, 2})));
    QVERIFY(AllRowsComplete(grid, Columns({})));
}

void TstGridRows::textsBeyondRowCount()
{
    GridModel grid(2);
    grid.SetCell(1, 5, QStringLiteral("later"));
    QCOMPARE(grid.RowCount(), 2);
    QCOMPARE(grid.rowCount(), 1);
    grid.SetRowCount(6);
    QCOMPARE(grid.Cell(1, 5), QStringLiteral("later"));

    // Shrinking may keep old texts, but a row appended afterwards is empty.
    grid.SetRowCount(3);
    AppendEmptyRow(grid);
    QCOMPARE(grid.RowCount(), 4);
    QVERIFY(RowIsEmpty(grid, 3));
}

void TstGridRows::rowCountNeverBelowTwo()
{
    GridModel grid(1);
    grid.SetRowCount(0);
    QCOMPARE(grid.RowCount(), 2);
    fill(grid, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QVERIFY(grid.SetCurrentCell(0, 3));
    grid.SetRowCount(2);
    QCOMPARE(grid.CurrentRow(), 1);
}

void TstGridRows::copyRowToItself()
{
    GridModel grid(2);
    fill(grid, {QStringLiteral("a"), QStringLiteral("b")});
    QSignalSpy changed(&grid, &GridModel::dataChanged);
    CopyRow(grid, 2, 2);
    QCOMPARE(dataRows(grid), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(changed.count(), 0);
    CopyRow(grid, 1, 2);
    QCOMPARE(dataRows(grid), QStringList({QStringLiteral("a"), QStringLiteral("a")}));
}

void TstGridRows::valueInColumn()
{
    GridModel grid(2);
    SetGridHeader(grid, {QStringLiteral("Kód"), QStringLiteral("Názov")});
    fill(grid, {QStringLiteral("000123"), QStringLiteral("000456")});
    QVERIFY(!ValueInColumn(grid, 0, 0, QStringLiteral("Kód")));
    QVERIFY(ValueInColumn(grid, 2, 0, QStringLiteral("000123")));
    QVERIFY(!ValueInColumn(grid, 1, 0, QStringLiteral("000123")));
    QVERIFY(!ValueInColumn(grid, 0, 0, QStringLiteral("123")));
    QVERIFY(!ValueInColumn(grid, 0, 1, QStringLiteral("000123")));
}

void TstGridRows::compaction_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("compacted");

    const QString e;
    const QString a = QStringLiteral("A"), b = QStringLiteral("B");
    QTest::newRow("gaps") << QStringList{a, e, e, b, e} << QStringList{a, b};
    QTest::newRow("only an empty row") << QStringList{e} << QStringList{e};
    QTest::newRow("all empty") << QStringList{e, e, e} << QStringList{e};
    QTest::newRow("nothing to drop") << QStringList{a, b} << QStringList{a, b};
    QTest::newRow("empty first") << QStringList{e, a} << QStringList{a};
}

void TstGridRows::compaction()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, compacted);
    GridModel grid(1);
    fill(grid, rows);
    RemoveEmptyRows(grid);
    QCOMPARE(dataRows(grid), compacted);
    QCOMPARE(grid.RowCount(), int(compacted.size()) + 1);
}

void TstGridRows::compactionCarriesMarksAndCurrentRow()
{
    const QString e;
    GridModel grid(2);
    fill(grid, {QStringLiteral("A"), e, e, QStringLiteral("B"), e});
    TBadRows marks{{3, Columns({0})}, {4, Columns({1})}, {1, Columns({0, 1})}};

    // The current row on B follows B up to row 2.
    QVERIFY(grid.SetCurrentCell(1, 4));
    RemoveEmptyRows(grid, &marks);
    QCOMPARE(grid.RowCount(), 3);
    QCOMPARE(grid.CurrentRow(), 2);
    QCOMPARE(grid.CurrentCol(), 1);
    // The mark of dropped row 3 is gone; the others followed their rows.
    QCOMPARE(marks.size(), 2);
    QCOMPARE(marks.at(0).Row, 2);
    QCOMPARE(marks.at(0).Columns, Columns({1}));
    QCOMPARE(marks.at(1).Row, 1);

    // A current row that is dropped keeps its number, within the grid.
    fill(grid, {QStringLiteral("A"), QStringLiteral("B"), e, e});
    QVERIFY(grid.SetCurrentCell(0, 4));
    RemoveEmptyRows(grid);
    QCOMPARE(dataRows(grid), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(grid.CurrentRow(), 2);
}

void TstGridRows::modelSignalsStayConsistent()
{
    GridModel grid(3);
    QAbstractItemModelTester tester(&grid, QAbstractItemModelTester::FailureReportingMode::QtTest);
    SetGridHeader(grid, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QCOMPARE(grid.headerData(1, Qt::Horizontal).toString(), QStringLiteral("b"));
    for (int r = 1; r < 30; ++r) {
        grid.SetCell(0, r, r % 3 ? QString::number(r) : QString());
        grid.SetRowCount(r + 1);
    }
    QCOMPARE(grid.rowCount(), 29);
    QCOMPARE(grid.data(grid.index(0, 0)).toString(), QStringLiteral("1"));
    RemoveEmptyRows(grid);
    QCOMPARE(grid.RowCount(), 21);
    std::vector<int> reversed;
    for (int r = grid.RowCount() - 1; r >= 1; --r)
        reversed.push_back(r);
    grid.PermuteRows(reversed);
    QCOMPARE(grid.Cell(0, 1), QStringLiteral("29"));
    QVERIFY(grid.setData(grid.index(0, 1), QStringLiteral("x")));
    QCOMPARE(grid.Cell(1, 1), QStringLiteral("x"));
    {
        GridBulkUpdate bulk(grid);
        for (int r = 1; r < grid.RowCount(); ++r)
            ClearRow(grid, r);
        RemoveEmptyRows(grid);
    }
    QCOMPARE(grid.RowCount(), 2);
}

void TstGridRows::selectionHookMayRefuse()
{
    GridModel grid(2);
    fill(grid, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QList<int> asked;
    bool allow = false;
    grid.SetSelectCellHook([&](int, int row) {
        asked << row;
        return allow;
    });
    QVERIFY(!grid.SetCurrentCell(0, 3));
    QCOMPARE(grid.CurrentRow(), 1);
    allow = true;
    QSignalSpy moved(&grid, &GridModel::currentCellChanged);
    QVERIFY(grid.SetCurrentCell(1, 3));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(grid.CurrentRow(), 3);
    // Positions outside the grid are limited to it before the hook is asked.
    QVERIFY(grid.SetCurrentCell(1, 99));
    QCOMPARE(asked, QList<int>({3, 3}));
}

QTEST_GUILESS_MAIN(TstGridRows)
#include "tst_gridrows.moc"
