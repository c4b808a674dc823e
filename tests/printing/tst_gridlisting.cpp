#include "common/gridmodel.h"
#include "printing/gridlisting.h"
#include "support/pdftext.h"

#include <QDate>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QList<int> Widths{125, 85, 113, 182, 173, 57, 104, 79, 79, 92, 147};

// A grid of eleven columns with the given number of data rows; cell (c, r)
// holds "r<r>c<c>".
std::unique_ptr<GridModel> table(int dataRows)
{
    auto grid = std::make_unique<GridModel>(11);
    for (int c = 0; c < 11; ++c)
        grid->SetCell(c, 0, QStringLiteral("H%1").arg(c));
    for (int r = 1; r <= dataRows; ++r) {
        for (int c = 0; c < 11; ++c)
            grid->SetCell(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
    }
    grid->SetRowCount(dataRows + 1);
    return grid;
}

struct Printed
{
    QTemporaryDir dir;
    QString pdf;
    bool ok = false;
    QList<PdfText::Word> words;

    Printed(const GridModel &grid, int fromPage, int toPage, int resolution = 600)
    {
        pdf = dir.filePath(QStringLiteral("listing.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(resolution);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        GridListing listing;
        listing.title = QStringLiteral("Databáza prevádzok");
        listing.fromPage = fromPage;
        listing.toPage = toPage;
        ok = PrintGrid(printer, grid, Widths, listing);
        words = PdfText::words(pdf);
    }

    const PdfText::Word *find(const QString &text) const
    {
        for (const PdfText::Word &w : words) {
            if (w.text == text)
                return &w;
        }
        return nullptr;
    }
};

// Pixels at 600 per inch in points.
double points(int pixels)
{
    return pixels * 72.0 / 600.0;
}

} // namespace

class TstGridListing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageCountOffered_data();
    void pageCountOffered();
    void rowsBreakAtFortyFive();
    void pageRangeStartsWhereAsked();
    void positionsOnPaper_data();
    void positionsOnPaper();
};

void TstGridListing::pageCountOffered_data()
{
    QTest::addColumn<int>("dataRows");
    QTest::addColumn<int>("pages");
    // One more than the whole pages of RowCount, the heading row counted.
    QTest::newRow("one row") << 1 << 1;
    QTest::newRow("RowCount 44") << 43 << 1;
    QTest::newRow("RowCount 45") << 44 << 2;
    QTest::newRow("44 rows and the entry row") << 45 << 2;
}

void TstGridListing::pageCountOffered()
{
    QFETCH(int, dataRows);
    QFETCH(int, pages);
    QCOMPARE(ListingPageCount(*table(dataRows), 45), pages);
}

void TstGridListing::rowsBreakAtFortyFive()
{
    const auto grid = table(46);
    Printed printed(*grid, 1, 2);
    QVERIFY(printed.ok);
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(PdfText::pageCount(printed.pdf), 2);
    const QString date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    QVERIFY(PdfText::pageText(printed.words, 1)
                .startsWith(QStringLiteral("Databáza prevádzok / %1 (strana 1) H0 H1").arg(date)));
    const QString page2 = PdfText::pageText(printed.words, 2);
    QVERIFY(page2.contains(QStringLiteral("(strana 2) H0")));
    QVERIFY(page2.contains(QStringLiteral("r46c0")));
    QVERIFY(!page2.contains(QStringLiteral("r45c0")));
    // The 45th row is the last of page 1, 44 pitches below the first.
    const PdfText::Word *first = printed.find(QStringLiteral("r1c0"));
    const PdfText::Word *last = printed.find(QStringLiteral("r45c0"));
    QVERIFY(first && last);
    QCOMPARE(last->page, 1);
    QVERIFY(qAbs(last->box.top() - first->box.top() - points(44 * 90)) < 0.5);
}

void TstGridListing::pageRangeStartsWhereAsked()
{
    const auto grid = table(46);
    Printed printed(*grid, 2, 2);
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(PdfText::pageCount(printed.pdf), 1);
    const QString page1 = PdfText::pageText(printed.words, 1);
    QVERIFY(page1.contains(QStringLiteral("(strana 2)")));
    QVERIFY(page1.contains(QStringLiteral("r46c0")));
    QVERIFY(!page1.contains(QStringLiteral("r1c0")));

    // A range beyond the rows prints no row.
    Printed beyond(*grid, 3, 3);
    QVERIFY(beyond.ok);
    QVERIFY(!beyond.find(QStringLiteral("r46c0")));
}

void TstGridListing::positionsOnPaper_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    // Column c starts 10 pixels after the previous column's right edge, which
    // lies 4.6 pixels per screen pixel of its width further on.
    QTest::newRow("heading of column 0") << "H0" << 5 + 25 << 350;
    QTest::newRow("heading of column 1") << "H1" << 5 + 575 + 10 + 25 << 350;
    QTest::newRow("first row, column 1") << "r1c1" << 590 + 25 << 500;
    // 590 + 391 (85 x 4.6) + 10
    QTest::newRow("second row, column 2") << "r2c2" << 991 + 25 << 590;
}

void TstGridListing::positionsOnPaper()
{
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, y);
    const auto grid = table(3);
    for (int resolution : {600, 300}) {
        Printed printed(*grid, 1, 1, resolution);
        SKIP_WITHOUT_PDF_READER();
        const PdfText::Word *word = printed.find(text);
        QVERIFY(word);
        // The same place on paper whatever the printer's resolution; the
        // word's box starts a little right of and below the text's corner.
        QVERIFY2(qAbs(word->box.left() - points(x)) < 1.0, qPrintable(QString::number(word->box.left())));
        QVERIFY2(qAbs(word->box.top() - points(y)) < 2.0, qPrintable(QString::number(word->box.top())));
    }
}

QTEST_MAIN(TstGridListing)
#include "tst_gridlisting.moc"
