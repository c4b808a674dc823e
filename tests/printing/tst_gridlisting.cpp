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
    void listing_data();
    void listing();
};

void TstGridListing::listing_data()
{
    QTest::addColumn<int>("rowCount"); // the heading row counted
    QTest::addColumn<int>("fromPage");
    QTest::addColumn<int>("toPage");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("offered"); // pages the print dialog offers
    QTest::addColumn<QList<QPoint>>("pages"); // the first and last row of each page printed
    QTest::newRow("both pages") << 47 << 1 << 2 << 600 << 2 << QList<QPoint>{{1, 45}, {46, 46}};
    QTest::newRow("a full first page at 300 per inch") << 47 << 1 << 1 << 300 << 2 << QList<QPoint>{{1, 45}};
    QTest::newRow("second page") << 47 << 2 << 2 << 600 << 2 << QList<QPoint>{{46, 46}};
    QTest::newRow("beyond the rows") << 47 << 3 << 3 << 600 << 2 << QList<QPoint>{};
    QTest::newRow("44 rows") << 44 << 1 << 1 << 600 << 1 << QList<QPoint>{{1, 43}};
    QTest::newRow("45 rows") << 45 << 1 << 2 << 600 << 2 << QList<QPoint>{{1, 44}};
}

// The listing of a grid of eleven columns (cell (c, r) holds "r<r>c<c>", the
// heading "H<c>"), as the database window prints it: landscape, 45 rows a page.
void TstGridListing::listing()
{
    QFETCH(int, rowCount);
    QFETCH(int, fromPage);
    QFETCH(int, resolution);
    QFETCH(QList<QPoint>, pages);
    GridModel grid(11);
    for (int r = 0; r < rowCount; ++r)
        for (int c = 0; c < 11; ++c)
            grid.SetCell(c, r, r == 0 ? QString("H%1").arg(c) : QString("r%1c%2").arg(r).arg(c));
    grid.SetRowCount(rowCount);
    QTEST(ListingPageCount(grid, 45), "offered");
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("listing.pdf"));
    printer.setResolution(resolution);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    GridListing listing{"Databáza prevádzok"}; // landscape, 45 rows a page
    listing.copies = 2;
    listing.fromPage = fromPage;
    QFETCH(int, toPage);
    listing.toPage = toPage;
    QVERIFY(PrintGrid(printer, grid, {125, 85, 113, 182, 173, 57, 104, 79, 79, 92, 147}, listing));
    QCOMPARE(printer.copyCount(), 2);
    SKIP_WITHOUT_PDF_READER();
    const QList<PdfText::Word> words = PdfText::words(printer.outputFileName());
    QCOMPARE(PdfText::pageCount(printer.outputFileName()), std::max<int>(1, pages.size()));
    const auto at = [&](int page, const QString &text) {
        return std::find_if(words.begin(), words.end(), [&](auto &w) { return w.page == page && w.text == text; });
    };
    for (int page = 1; page <= pages.size(); ++page) {
        QVERIFY(PdfText::pageImage(printer.outputFileName(), page, 10).width() > 100); // landscape: 29.7 cm
        // The title with the page's number and the headings on every page.
        QVERIFY(PdfText::pageText(words, page).startsWith(QString("Databáza prevádzok / %1 (strana %2) H0 H1")
                                                              .arg(QDate::currentDate().toString("dd.MM.yyyy"))
                                                              .arg(fromPage + page - 1)));
        const QPoint rows = pages.at(page - 1);
        for (const int r : {rows.x() - 1, rows.x(), rows.y(), rows.y() + 1})
            QVERIFY2((at(page, QString("r%1c0").arg(r)) != words.cend()) == (r == rows.x() || r == rows.y()),
                     qPrintable(QString::number(r)));
    }
    // The same places on paper whatever the resolution, in pixels at 600 per
    // inch (0.12 points): column c starts 10 after the previous column's right
    // edge, which lies 4.6 per screen pixel of its width further on; texts are
    // indented by 25, rows 90 apart.  A word's box starts a little right of
    // and below the text's corner.
    const std::tuple<QString, int, int> places[] = {
        {"H0", 5 + 25, 350}, {"r1c1", 5 + 575 + 10 + 25, 500}, {"r2c2", 590 + 391 + 10 + 25, 590},
        {"r43c0", 30, 500 + 42 * 90}};
    for (const auto &[text, x, y] : places) {
        const auto word = at(1, text);
        QVERIFY2(fromPage > 1 || (word != words.cend() && qAbs(word->box.left() - x * 0.12) < 1
                                  && qAbs(word->box.top() - y * 0.12) < 2), qPrintable(text));
    }
}

QTEST_MAIN(TstGridListing)
#include "tst_gridlisting.moc"
