#include "common/gridmodel.h"
#include "common/gridsort.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

namespace {

using Table = std::vector<QStringList>; // data rows only

void load(GridModel &grid, const Table &rows)
{
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < grid.ColCount(); ++c)
            grid.SetCell(c, int(r) + 1, rows[r].value(c));
    }
    grid.SetRowCount(int(rows.size()) + 1);
}

Table rowsOf(const GridModel &grid)
{
    Table rows;
    for (int r = 1; r < grid.RowCount(); ++r)
        rows.push_back(grid.RowTexts(r));
    return rows;
}

QStringList column(const GridModel &grid, int c)
{
    QStringList texts;
    for (int r = 1; r < grid.RowCount(); ++r)
        texts << grid.Cell(c, r);
    return texts;
}

// The exchange sort written out plainly, one comparison of texts per pair,
// as the rows must come out.  Levels after the first compare a pair only when
// it agrees on every earlier key.
struct Reference
{
    Table rows;
    int current = 1;
    TBadRows marks;

    void exchange(size_t i, size_t j)
    {
        std::swap(rows[i], rows[j]);
        const int ri = int(i) + 1, rj = int(j) + 1;
        if (current == ri)
            current = rj;
        else if (current == rj)
            current = ri;
        SwapMarkedRows(&marks, ri, rj);
    }

    void sort(const SortKeys &keys)
    {
        for (int level = 0; level < keys.Count(); ++level) {
            const SortKey &key = keys.Keys.at(level);
            for (size_t i = 0; i + 1 < rows.size(); ++i) {
                for (size_t j = i + 1; j < rows.size(); ++j) {
                    bool agree = true;
                    for (int earlier = 0; earlier < level; ++earlier) {
                        const int c = keys.Keys.at(earlier).Column;
                        agree = agree && rows[i].at(c) == rows[j].at(c);
                    }
                    if (agree && key.Compare(rows[i].at(key.Column), rows[j].at(key.Column), key.Ascending))
                        exchange(i, j);
                }
            }
        }
    }
};

SortKeys keysOf(std::initializer_list<SortKey> keys)
{
    SortKeys sortKeys;
    for (const SortKey &key : keys)
        sortKeys.Keys.append(key);
    return sortKeys;
}

} // namespace

class TstGridSort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellNumber_data();
    void cellNumber();
    void fewRowsStayAsTheyAre();
    void numericAscending();
    void equalKeysLikeTheExchangeSort();
    void currentRowAndMarksFollowTheirRecords();
    void secondKeyOnlyWithinEqualFirst();
    void everyEarlierKeyIsKept();
    void stringsBySlovakCollation();
    void descendingNumeric();
    void noSortInsideASort();
    void sameResultAsThePlainExchangeSort();
    void swapMarkedRows();
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

void TstGridSort::fewRowsStayAsTheyAre()
{
    GridModel grid(1);
    SortRowsByColumn(grid, 0, CompareNumeric, nullptr, true);
    QCOMPARE(grid.RowCount(), 2);
    QCOMPARE(grid.CurrentRow(), 1);

    load(grid, {{QStringLiteral("9")}});
    TBadRows marks{{1, Columns({0})}};
    SortRowsByKeys(grid, keysOf({{0, false, CompareNumeric}}), 0, &marks, 1);
    QCOMPARE(column(grid, 0), QStringList({QStringLiteral("9")}));
    QCOMPARE(marks.at(0).Row, 1);
}

void TstGridSort::numericAscending()
{
    GridModel grid(1);
    load(grid, {{QStringLiteral("10")}, {QStringLiteral("5")}, {QString()}, {QStringLiteral("7,5")}});
    SortRowsByColumn(grid, 0, CompareNumeric, nullptr, true);
    QCOMPARE(column(grid, 0),
             QStringList({QString(), QStringLiteral("5"), QStringLiteral("7,5"), QStringLiteral("10")}));
}

void TstGridSort::equalKeysLikeTheExchangeSort()
{
    GridModel grid(2);
    load(grid, {{QStringLiteral("2"), QStringLiteral("first")},
                {QStringLiteral("2"), QStringLiteral("second")},
                {QStringLiteral("1"), QStringLiteral("third")}});
    SortRowsByColumn(grid, 0, CompareNumeric, nullptr, true);
    QCOMPARE(column(grid, 1),
             QStringList({QStringLiteral("third"), QStringLiteral("second"), QStringLiteral("first")}));
}

void TstGridSort::currentRowAndMarksFollowTheirRecords()
{
    GridModel grid(2);
    load(grid, {{QStringLiteral("30"), QStringLiteral("c")},
                {QStringLiteral("10"), QStringLiteral("a")},
                {QStringLiteral("20"), QStringLiteral("b")}});
    QVERIFY(grid.SetCurrentCell(1, 1));
    TBadRows marks{{1, Columns({1})}, {3, Columns({0})}};
    QList<int> selected;
    grid.SetSelectCellHook([&](int, int row) {
        selected << row;
        return true;
    });

    SortRowsByColumn(grid, 0, CompareNumeric, &marks, true);

    QCOMPARE(column(grid, 1), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    QCOMPARE(grid.CurrentRow(), 3);
    QCOMPARE(grid.CurrentCol(), 1);
    // Moving the current row at the end goes through the selection, so a
    // window learns where its record went.
    QCOMPARE(selected, QList<int>({3}));
    QCOMPARE(marks.at(0).Row, 3);
    QCOMPARE(marks.at(0).Columns, Columns({1}));
    QCOMPARE(marks.at(1).Row, 2);
}

void TstGridSort::secondKeyOnlyWithinEqualFirst()
{
    GridModel grid(3);
    load(grid, {{QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("r1")},
                {QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("r2")},
                {QStringLiteral("B"), QStringLiteral("3"), QStringLiteral("r3")},
                {QStringLiteral("A"), QStringLiteral("2"), QStringLiteral("r4")}});
    SortRowsByKeys(grid, keysOf({{0, true, CompareStrings}, {1, false, CompareNumeric}}), 0, nullptr, 1);
    QCOMPARE(column(grid, 2),
             QStringList({QStringLiteral("r4"), QStringLiteral("r2"), QStringLiteral("r3"), QStringLiteral("r1")}));
}

void TstGridSort::everyEarlierKeyIsKept()
{
    // The rows agree on the second key but not on the first: the third key
    // must not exchange them.
    GridModel grid(3);
    load(grid, {{QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("2")},
                {QStringLiteral("B"), QStringLiteral("x"), QStringLiteral("1")}});
    SortRowsByKeys(grid,
                   keysOf({{0, true, CompareStrings}, {1, true, CompareStrings}, {2, true, CompareNumeric}}),
                   0, nullptr, 1);
    QCOMPARE(column(grid, 0), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
}

void TstGridSort::stringsBySlovakCollation()
{
    // The tests run without a locale, which means Slovak: "ch" is a letter of
    // its own after "h".
    GridModel grid(1);
    load(grid, {{QStringLiteral("ihla")}, {QStringLiteral("chlieb")}, {QStringLiteral("hrad")},
                {QStringLiteral("cesta")}, {QStringLiteral("čaj")}});
    SortRowsByKeys(grid, keysOf({{0, true, CompareStrings}}), 0, nullptr, 1);
    QCOMPARE(column(grid, 0),
             QStringList({QStringLiteral("cesta"), QStringLiteral("čaj"), QStringLiteral("hrad"),
                          QStringLiteral("chlieb"), QStringLiteral("ihla")}));

    QVERIFY(CompareStrings(QStringLiteral("a"), QStringLiteral("A"), true)
            != CompareStrings(QStringLiteral("A"), QStringLiteral("a"), true));
    QVERIFY(!CompareStrings(QStringLiteral("a"), QStringLiteral("a"), true));
    QVERIFY(!CompareStrings(QStringLiteral("a"), QStringLiteral("a"), false));
}

void TstGridSort::descendingNumeric()
{
    GridModel grid(1);
    load(grid, {{QStringLiteral("5")}, {QStringLiteral("100")}, {QStringLiteral("x")}, {QStringLiteral("20")}});
    SortRowsByKeys(grid, keysOf({{0, false, CompareNumeric}}), 0, nullptr, 1);
    QCOMPARE(column(grid, 0),
             QStringList({QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("5"), QStringLiteral("x")}));
}

void TstGridSort::noSortInsideASort()
{
    GridModel grid(1);
    load(grid, {{QStringLiteral("3")}, {QStringLiteral("1")}, {QStringLiteral("2")}});
    bool sawGuard = false;
    grid.SetSelectCellHook([&](int, int) {
        sawGuard = SortIsRunning();
        // A handler that sorts again while the rows move must do nothing.
        SortRowsByColumn(grid, 0, CompareNumeric, nullptr, false);
        SortRowsByKeys(grid, keysOf({{0, false, CompareNumeric}}), 0, nullptr, 1);
        return true;
    });
    SortRowsByColumn(grid, 0, CompareNumeric, nullptr, true);
    QVERIFY(sawGuard);
    QVERIFY(!SortIsRunning());
    QCOMPARE(column(grid, 0), QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));

    // The guard is released: a later sort runs.
    grid.SetSelectCellHook({});
    SortRowsByColumn(grid, 0, CompareNumeric, nullptr, false);
    QCOMPARE(column(grid, 0), QStringList({QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}));
}

void TstGridSort::sameResultAsThePlainExchangeSort()
{
    // Few distinct texts, so that equal keys are common; numbers written in
    // several ways that are equal in value.
    const QStringList numbers{QString(), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2,0"),
                              QStringLiteral("2.0"), QStringLiteral("02"), QStringLiteral("10"),
                              QStringLiteral("1,5"), QStringLiteral("abc"), QStringLiteral("12,")};
    const QStringList words{QString(), QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("b"),
                            QStringLiteral("ch"), QStringLiteral("h"), QStringLiteral("á"), QStringLiteral("c"),
                            QStringLiteral("Ch")};
    QRandomGenerator random(20261206);
    constexpr int Columns = 4;

    for (int round = 0; round < 3000; ++round) {
        const int rowCount = random.bounded(1, 40);
        Table rows;
        for (int r = 0; r < rowCount; ++r) {
            QStringList row;
            for (int c = 0; c < Columns; ++c) {
                const QStringList &pool = c % 2 ? words : numbers;
                row << pool.at(random.bounded(int(pool.size())));
            }
            rows.push_back(row);
        }
        SortKeys keys;
        const int keyCount = random.bounded(1, 4);
        for (int k = 0; k < keyCount; ++k) {
            const int c = random.bounded(Columns);
            keys.Keys.append({c, random.bounded(2) == 0, c % 2 ? CompareStrings : CompareNumeric});
        }
        TBadRows marks;
        for (int r = 1; r <= rowCount; ++r) {
            if (random.bounded(4) == 0)
                marks.append({r, ::Columns({random.bounded(Columns)})});
        }
        const int current = random.bounded(1, rowCount + 1);

        Reference expected{rows, current, marks};
        expected.sort(keys);

        GridModel grid(Columns);
        load(grid, rows);
        QVERIFY(grid.SetCurrentCell(0, current));
        SortRowsByKeys(grid, keys, 0, &marks, current);

        QCOMPARE(rowsOf(grid), expected.rows);
        QCOMPARE(grid.CurrentRow(), expected.current);
        QCOMPARE(marks.size(), expected.marks.size());
        for (qsizetype m = 0; m < marks.size(); ++m) {
            QCOMPARE(marks.at(m).Row, expected.marks.at(m).Row);
            QCOMPARE(marks.at(m).Columns, expected.marks.at(m).Columns);
        }
    }
}

void TstGridSort::swapMarkedRows()
{
    TBadRows marks{{2, Columns({0})}, {5, Columns({1})}};
    SwapMarkedRows(&marks, 2, 5);
    QCOMPARE(marks.at(0).Row, 5);
    QCOMPARE(marks.at(1).Row, 2);
    SwapMarkedRows(&marks, 5, 7);
    QCOMPARE(marks.at(0).Row, 7);
    SwapMarkedRows(nullptr, 1, 2);

    SortKeys keys = keysOf({{3, true, CompareNumeric}, {1, false, CompareStrings}});
    QVERIFY(ColumnInKeys(keys, 1));
    QVERIFY(ColumnInKeys(keys, 3));
    QVERIFY(!ColumnInKeys(keys, 0));
}

QTEST_GUILESS_MAIN(TstGridSort)
#include "tst_gridsort.moc"
