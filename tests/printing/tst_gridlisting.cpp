#include "common/gridmodel.h"
#include "printing/gridlisting.h"
#include "support/pdftext.h"

#include <QDate>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

class TstGridListing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesOffered_data();
    void pagesOffered();
    void listing_data();
    void listing();
};

void TstGridListing::pagesOffered_data()
{
    QTest::addColumn<int>("rowCount"); // the heading row counted
    QTest::addColumn<int>("pages");
    QTest::newRow("one row") << 2 << 1;
    QTest::newRow("44") << 44 << 1;
    QTest::newRow("45") << 45 << 2;
}

void TstGridListing::pagesOffered()
{
    QFETCH(int, rowCount);
    GridModel grid(11);
    grid.SetRowCount(rowCount);
    QTEST(ListingPageCount(grid, 45), "pages");
}

void TstGridListing::listing_data()
{
    QTest::addColumn<int>("fromPage");
    QTest::addColumn<int>("toPage");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QStringList>("pages"); // the first and last row of each page
    QTest::newRow("both pages") << 1 << 2 << 600 << QStringList{"r1c0 r45c0", "r46c0 r46c0"};
    QTest::newRow("a full first page at 300 per inch") << 1 << 1 << 300 << QStringList{"r1c0 r45c0"};
    QTest::newRow("second page") << 2 << 2 << 600 << QStringList{"r46c0 r46c0"};
    QTest::newRow("beyond the rows") << 3 << 3 << 600 << QStringList{};
}

// The listing of a grid of eleven columns, the heading row and 46 data rows
// (cell (c, r) holds "r<r>c<c>", the heading "H<c>"), as the database window
// prints it: landscape, 45 rows a page.
void TstGridListing::listing()
{
    QFETCH(int, fromPage);
    QFETCH(int, toPage);
    QFETCH(int, resolution);
    QFETCH(QStringList, pages);
    GridModel grid(11);
    for (int r = 0; r <= 46; ++r)
        for (int c = 0; c < 11; ++c)
            grid.SetCell(c, r, r == 0 ? QString("H%1").arg(c) : QString("r%1c%2").arg(r).arg(c));
    grid.SetRowCount(47);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("listing.pdf"));
    printer.setResolution(resolution);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    GridListing listing;
    listing.title = "Databáza prevádzok";
    listing.copies = 2;
    listing.fromPage = fromPage;
    listing.toPage = toPage;
    QVERIFY(PrintGrid(printer, grid, {125, 85, 113, 182, 173, 57, 104, 79, 79, 92, 147}, listing));
    QCOMPARE(printer.copyCount(), 2);
    SKIP_WITHOUT_PDF_READER();
    const QList<PdfText::Word> words = PdfText::words(printer.outputFileName());
    QCOMPARE(words.isEmpty(), pages.isEmpty());
    if (pages.isEmpty())
        return;
    QCOMPARE(PdfText::pageCount(printer.outputFileName()), pages.size());
    const QString date = QDate::currentDate().toString("dd.MM.yyyy");
    for (int page = 1; page <= pages.size(); ++page) {
        const QImage sheet = PdfText::pageImage(printer.outputFileName(), page, 10);
        QVERIFY(sheet.width() > sheet.height()); // landscape
        // The title with the page's number and the headings on every page.
        const QString text = PdfText::pageText(words, page);
        QVERIFY2(text.startsWith(QString("Databáza prevádzok / %1 (strana %2) H0 H1").arg(date).arg(fromPage + page - 1)),
                 qPrintable(text));
        QList<int> rows;
        for (const PdfText::Word &w : words)
            if (w.page == page && w.text.startsWith('r') && w.text.endsWith("c0"))
                rows << w.text.mid(1).chopped(2).toInt();
        std::sort(rows.begin(), rows.end());
        QVERIFY(!rows.isEmpty());
        QCOMPARE(QString("r%1c0 r%2c0").arg(rows.first()).arg(rows.last()), pages.at(page - 1));
    }
    // The same places on paper whatever the resolution, in pixels at 600 per
    // inch (0.12 points): column c starts 10 after the previous column's right
    // edge, which lies 4.6 per screen pixel of its width further on; texts are
    // indented by 25, rows 90 apart.  A word's box starts a little right of
    // and below the text's corner.
    const std::tuple<QString, int, int> places[] = {
        {"H0", 5 + 25, 350}, {"r1c1", 5 + 575 + 10 + 25, 500}, {"r2c2", 590 + 391 + 10 + 25, 590}, {"r45c0", 30, 500 + 44 * 90}};
    for (const auto &[text, x, y] : places) {
        const auto word = std::find_if(words.cbegin(), words.cend(), [&](const PdfText::Word &w) { return w.text == text; });
        QVERIFY2(fromPage > 1
                     || (word != words.cend() && qAbs(word->box.left() - x * 0.12) < 1 && qAbs(word->box.top() - y * 0.12) < 2),
                 qPrintable(text));
    }
}

QTEST_MAIN(TstGridListing)
#include "tst_gridlisting.moc"
