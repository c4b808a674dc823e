#include "common/gridmodel.h"
#include "printing/gridlisting.h"
#include "support/pdftext.h"

#include <QDate>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// The database listing of a grid of eleven columns, a heading row and 46 data
// rows; cell (c, r) holds "r<r>c<c>", the heading "H<c>".
struct Printed
{
    QTemporaryDir dir;
    QString pdf = dir.filePath("listing.pdf");
    QPrinter printer{QPrinter::HighResolution};
    QList<PdfText::Word> words;

    Printed(int fromPage, int toPage, int resolution = 600)
    {
        GridModel grid(11);
        for (int r = 0; r <= 46; ++r)
            for (int c = 0; c < 11; ++c)
                grid.SetCell(c, r, r == 0 ? QString("H%1").arg(c) : QString("r%1c%2").arg(r).arg(c));
        grid.SetRowCount(47);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(resolution);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        GridListing listing; // as the database window prints it: landscape, 45 rows a page
        listing.title = "Databáza prevádzok";
        listing.copies = 2;
        listing.fromPage = fromPage;
        listing.toPage = toPage;
        QVERIFY(PrintGrid(printer, grid, {125, 85, 113, 182, 173, 57, 104, 79, 79, 92, 147}, listing));
        words = PdfText::words(pdf);
    }
};

} // namespace

class TstGridListing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesOffered_data();
    void pagesOffered();
    void pageRanges_data();
    void pageRanges();
    void positionsOnPaper_data();
    void positionsOnPaper();
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

void TstGridListing::pageRanges_data()
{
    QTest::addColumn<int>("fromPage");
    QTest::addColumn<int>("toPage");
    QTest::addColumn<QStringList>("pages"); // the first and last row of each page
    QTest::newRow("both pages") << 1 << 2 << QStringList{"r1c0 r45c0", "r46c0 r46c0"};
    QTest::newRow("a full first page") << 1 << 1 << QStringList{"r1c0 r45c0"};
    QTest::newRow("second page") << 2 << 2 << QStringList{"r46c0 r46c0"};
    QTest::newRow("beyond the rows") << 3 << 3 << QStringList{};
}

void TstGridListing::pageRanges()
{
    QFETCH(int, fromPage);
    QFETCH(int, toPage);
    QFETCH(QStringList, pages);
    Printed printed(fromPage, toPage);
    QCOMPARE(printed.printer.copyCount(), 2);
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(printed.words.isEmpty(), pages.isEmpty());
    if (pages.isEmpty())
        return;
    QCOMPARE(PdfText::pageCount(printed.pdf), pages.size());
    const QString date = QDate::currentDate().toString("dd.MM.yyyy");
    for (int page = 1; page <= pages.size(); ++page) {
        const QImage sheet = PdfText::pageImage(printed.pdf, page, 10);
        QVERIFY(sheet.width() > sheet.height()); // landscape
        // The title with the page's number and the headings on every page.
        const QString text = PdfText::pageText(printed.words, page);
        QVERIFY2(text.startsWith(QString("Databáza prevádzok / %1 (strana %2) H0 H1").arg(date).arg(fromPage + page - 1)),
                 qPrintable(text));
        QList<int> rows;
        for (const PdfText::Word &w : printed.words)
            if (w.page == page && w.text.startsWith('r') && w.text.endsWith("c0"))
                rows << w.text.mid(1).chopped(2).toInt();
        std::sort(rows.begin(), rows.end());
        QCOMPARE(QString("r%1c0 r%2c0").arg(rows.first()).arg(rows.last()), pages.at(page - 1));
    }
}

void TstGridListing::positionsOnPaper_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x"); // pixels at 600 per inch
    QTest::addColumn<int>("y");
    // Column c starts 10 pixels after the previous column's right edge, which
    // lies 4.6 pixels per screen pixel of its width further on; a text is
    // indented by 25.  Rows are 90 pixels apart.
    QTest::newRow("heading of column 0") << "H0" << 5 + 25 << 350;
    QTest::newRow("first row, column 1") << "r1c1" << 5 + 575 + 10 + 25 << 500;
    QTest::newRow("second row, column 2") << "r2c2" << 590 + 391 + 10 + 25 << 590;
    QTest::newRow("last row of the page") << "r45c0" << 5 + 25 << 500 + 44 * 90;
}

void TstGridListing::positionsOnPaper()
{
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, y);
    // The same place on paper whatever the printer's resolution; a word's box
    // starts a little right of and below the text's corner.
    for (int resolution : {600, 300}) {
        Printed printed(1, 1, resolution);
        SKIP_WITHOUT_PDF_READER();
        const auto word = std::find_if(printed.words.cbegin(), printed.words.cend(),
                                       [&](const PdfText::Word &w) { return w.text == text; });
        QVERIFY(word != printed.words.cend());
        QVERIFY2(qAbs(word->box.left() - x * 72.0 / 600) < 1.0, qPrintable(QString::number(word->box.left())));
        QVERIFY2(qAbs(word->box.top() - y * 72.0 / 600) < 2.0, qPrintable(QString::number(word->box.top())));
    }
}

QTEST_MAIN(TstGridListing)
#include "tst_gridlisting.moc"
