#include "app/programsetup.h"
#include "grid/recordmodel.h"
#include "database/databasefiles.h"
#include "printing/exportfile.h"
#include "printing/gridlisting.h"
#include "printing/listprint.h"
#include "printing/pagegeometry.h"
#include "support/filesizelimit.h"
#include "support/listpagebarcodes.h"
#include "support/pdftext.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <functional>

namespace {

const ListTexts Establishment{"01", "77", "001234", "Reštaurácia Pod Hradom", "Hlavná 12", "811 01 Bratislava",
                              "35742364", "žofia čuš", "02/1234567", "ÁFax 02/55", "Info@Hrad.SK", "2026120601",
                              "06.12.2026"};

// Prints on the whole A4 sheet of a PDF printer, so that the form's
// centimetres are the sheet's, and reads the words back.
QList<PdfText::Word> printedWords(const std::function<void(QPrinter &)> &print)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("list.pdf"));
    printer.setFullPage(true);
    print(printer);
    return PdfText::words(printer.outputFileName());
}

// What a page shows on the line at y cm, the words' corners within 0.02 cm.
// Fields (x cm, places) of character boxes give a character a place, 0.57 cm
// apart, blank when empty (a comma goes with the character before it); a
// field of no places gives the words from x on, no field the words centred on
// the sheet.  A word off its place: "?".
QString line(const QList<PdfText::Word> &words, int page, double y, const QList<QPointF> &fields)
{
    const auto cm = [](double points) { return points * 2.54 / 72; };
    const double from = fields.isEmpty() ? 0 : fields.first().x();
    QList<double> places;
    for (const QPointF &field : fields)
        for (int i = 0; i < field.y(); ++i)
            places << field.x() + 0.57 * i;
    QStringList shown(places.size(), " ");
    double left = 21, right = 0;
    for (const PdfText::Word &w : words) {
        const double x = cm(w.box.left());
        if (w.page != page || qAbs(cm(w.box.top()) - y) > 0.02 || x < from - 0.02
            || (!places.isEmpty() && x > places.last() + 0.02))
            continue;
        left = std::min(left, x);
        right = std::max(right, cm(w.box.right()));
        auto i = std::find_if(places.cbegin(), places.cend(), [&](double p) { return qAbs(p - x) < 0.02; })
            - places.cbegin();
        if (places.isEmpty())
            shown << w.text;
        else if (i == places.size())
            return "?" + w.text;
        for (const QChar c : places.isEmpty() ? QString() : w.text) {
            if (c == ',' && i > 0)
                shown[i - 1] += c;
            else if (i < shown.size())
                shown[i++] = c;
        }
    }
    if (fields.isEmpty() ? qAbs(left + right - 21) > 0.1 : places.isEmpty() && qAbs(left - from) > 0.02 && right > 0)
        return "?" + shown.join(' ');
    return shown.join(places.isEmpty() ? " " : "");
}

// The establishment of the export file's tests.
const ListTexts Header{"01", "77", "001234", "Reštaurácia Čierny Orol", "Hlavná 5", "Žilina", "35826797",
                       "Ján Novák", "041/5551234", "", "", "2026120601", ""};

} // namespace

using dbtest::readAll;

class TstPrinting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { IgnoreFileSizeSignal(); }
    void centimetresToPixels();
    void sheet_data();
    void sheet();
    void positions_data();
    void positions();
    void drawingFails();
    void listing_data();
    void listing();
    void names();
    void writing_data();
    void writing();
};

void TstPrinting::positions_data()
{
    QTest::addColumn<bool>("blank");
    QTest::addColumn<int>("page");
    QTest::addColumn<double>("y");
    QTest::addColumn<QList<QPointF>>("fields");
    QTest::addColumn<QString>("shown");

    const QList<QPointF> valueRow{{2.155, 3}, {3.985, 2}, {5.525, 5}, {8.7293, 6}, {12.251, 2}};
    const QList<QPointF> totals{{4.9444, 6}, {8.7293, 6}, {12.251, 2}};
    const auto from = [](double x) { return QList<QPointF>{{x, 0}}; };
    // The head on every page, the title centred on the sheet.
    QTest::newRow("title") << false << 1 << 0.5 << QList<QPointF>() << "S Ú P I S K A - 01";
    QTest::newRow("title, last page") << false << 3 << 0.5 << QList<QPointF>() << "S Ú P I S K A - 01";
    // Code and IČO in Courier New 15 (6 and 8 characters of 9 points) end at 18.7 cm.
    QTest::newRow("code, last page") << false << 3 << 4.35 << from(18.7 - 6 * 9 * 2.54 / 72) << "001234";
    QTest::newRow("IČO") << false << 1 << 7.1 << from(18.7 - 8 * 9 * 2.54 / 72) << "35742364";
    // The contact person upper-cased and right-aligned, the phone split at "/".
    QTest::newRow("contact and phone") << false << 1 << 1.9823
        << QList<QPointF>{{2.155, 12}, {9.7282, 4}, {12.4835, 8}} << "   ŽOFIA ČUŠ  02 1234567";
    // 21 rows a page in slots 1.0613 cm apart.  Two decimals always; four
    // integer digits lose the last; a count that is no number is 0.
    QTest::newRow("first row") << false << 1 << 3.896 << valueRow << "  5,00    7    35,00";
    QTest::newRow("row 21") << false << 1 << 3.896 + 20 * 1.0613 << valueRow << "100,00    0  1234,50";
    QTest::newRow("row 43") << false << 3 << 3.896 << valueRow << "  1,00   10    10,00";
    QTest::newRow("after the last row") << false << 3 << 3.896 + 1.0613 << valueRow << QString(18, ' ');
    // The totals on the last page: a seven-digit count keeps its first six;
    // figures of a million and more are repeated in full in the reserved box.
    QTest::newRow("no totals before") << false << 2 << 26.278 << totals << QString(14, ' ');
    QTest::newRow("totals") << false << 3 << 26.278 << totals << "123456100000,00";
    QTest::newRow("total value note") << false << 3 << 25.1969 << from(13.7) << "Celková nominálna hodnota:";
    QTest::newRow("total value") << false << 3 << 25.5469 << from(13.7) << "1 000 000,00 €";
    QTest::newRow("total count note") << false << 3 << 25.8969 << from(13.7) << "Celkový pocet kupónov:";
    QTest::newRow("total count") << false << 3 << 26.2469 << from(13.7) << "1 234 567";
    QTest::newRow("specific symbol") << false << 1 << 9.2025 << QList<QPointF>{{13.9, 10}} << "2026120601";
    QTest::newRow("creation date") << false << 1 << 11.4 << from(13.7) << "06.12.2026";
    QTest::newRow("name") << false << 1 << 4.87 << from(13.8) << "Reštaurácia Pod Hradom";
    QTest::newRow("street") << false << 1 << 5.37 << from(13.8) << "Hlavná 12";
    QTest::newRow("city") << false << 1 << 6.12 << from(13.8) << "811 01 Bratislava";
    QTest::newRow("contacts") << false << 1 << 20.7 << from(13.8) << "Fax a e-mail:";
    // Only A to Z are lowered in fax and e-mail.
    QTest::newRow("fax") << false << 1 << 21.2 << from(13.9) << "Áfax 02/55";
    QTest::newRow("e-mail") << false << 1 << 21.6 << from(13.9) << "info@hrad.sk";
    QTest::newRow("label of the contact person") << true << 1 << 1.4 << from(2.155) << "Kontaktná osoba: Telefón:";
    QTest::newRow("label of the values") << false << 1 << 3.3 << from(2.155)
                                         << "Nominálna hodnota: Počet kupónov: Celková hodnota kupónov:";
    QTest::newRow("label of the specific symbol") << true << 1 << 8.6202 << from(13.791) << "Špecifický symbol:";
    QTest::newRow("label of the reserved box") << false << 1 << 16.0493 << from(13.791) << "KORVELLA s.r.o.:";
    QTest::newRow("label of the totals") << true << 1 << 26.45 << from(2.193) << "SPOLU:";
    // The blank form prints the commas of the values.
    QTest::newRow("blank first row") << true << 1 << 4.2 << from(3.835) << ", ,";
    QTest::newRow("blank last row") << true << 1 << 4.2 + 20 * 1.0613 << from(3.835) << ", ,";
    QTest::newRow("blank totals") << true << 1 << 26.582 << from(12.101) << ",";
    QTest::newRow("no fourth page") << false << 4 << 0.5 << QList<QPointF>() << "";
}

void TstPrinting::positions()
{
    static const QList<PdfText::Word> printed[2] = {printedWords([](QPrinter &printer) {
        QList<VoucherRowTexts> list(43, {"1", "10", "10"});
        list[0] = {"5", "007", "35"};
        list[20] = {"1000", "x", "1234,5"};
        PrintFilledList(printer, Establishment, list, "1234567", "1000000", nullptr, {});
    }), printedWords([](QPrinter &printer) { PrintBlankList(printer, Establishment); })};
    SKIP_WITHOUT_PDF_READER();
    QFETCH(bool, blank);
    QFETCH(int, page);
    QFETCH(double, y);
    QFETCH(QList<QPointF>, fields);
    QTEST(line(printed[blank], page, y, fields), "shown");
}

// A page that cannot be drawn stops the drawing, not the export file, which
// still takes every row and is closed after the totals.
void TstPrinting::drawingFails()
{
    QTemporaryDir dir;
    ListTexts texts = Establishment;
    texts.ico = "3574236x";
    ExportFile file;
    QVERIFY(file.open(dir.filePath("x.txt"), texts));
    int calls = 0;
    printedWords([&](QPrinter &printer) {
        const PrintOutcome outcome = PrintFilledList(printer, texts, QList<VoucherRowTexts>(22, {"1", "10", "10"}), "1",
                                                     "1", &file, [&](int) { ++calls; });
        QCOMPARE(outcome.error, "Barcode must be numeric");
    });
    printedWords([&](QPrinter &printer) { QCOMPARE(PrintBlankList(printer, texts).error, "Barcode must be numeric"); });
    QCOMPARE(calls, 1);
    QFile written(dir.filePath("x.txt"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll().count("\r\n"), 15 + 22 + 5);
}

void TstPrinting::centimetresToPixels()
{
    // 254 per inch is 100 per cm: exact halves go to the even neighbour.
    QCOMPARE(PageMetrics(254, 254, 0).CmToPixelX(0.125), 12);
    const PageMetrics metrics(600, 300, 0);
    QCOMPARE(QPoint(metrics.CmToPixelX(-0.2), metrics.CmToPixelY(-0.2)), QPoint(-47, -24));
}

void TstPrinting::sheet_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<QString>("dark"); // the pixels probed on the blank form
    const QStringList read{"030829", "123456", "35742364", "0001", "123456"};
    QTest::newRow("blank 300") << 300 << false << "123456" << read << "##..##..##..##.." "###.#.###";
    QTest::newRow("filled 600") << 600 << true << "123456" << read << "";
    // Interleaved 2 of 5 drops an odd digit out, Code 39 keeps it.
    QTest::newRow("five-digit code") << 300 << true << "40517"
                                     << QStringList{"030829", "4051", "35742364", "0001", "40517"} << "";
}

// A page as the print flows draw it, on an image of an A4 sheet.
void TstPrinting::sheet()
{
    QFETCH(int, ppi);
    QFETCH(bool, filled);
    QFETCH(QString, code);
    ListTexts texts = Establishment;
    texts.code = code;
    QImage image(ppi * 2100 / 254, ppi * 2970 / 254, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    const PageMetrics metrics(ppi, ppi, image.width());
    QPainter painter(&image);
    (filled ? DrawFilledPageHeader : DrawBlankPage)(PrintCanvas(painter, metrics), texts);
    painter.end();
    QString dark;
    // The four registration marks, 0.5 cm = 59 pixels square at 300 per inch:
    // 1.1575, 1.1684 cm; 19.2888, 8.1915; 1.907, 27.424; 11.4272, 27.424.
    // Their corners dark, the pixels just left and beyond white.  8.1915 cm
    // is 967.5 pixels in decimal, but the double nearest it times 300 / 2.54
    // in extended precision lies just below.
    for (const QPoint corner : {QPoint(137, 138), QPoint(2278, 967), QPoint(225, 3239), QPoint(1350, 3239)})
        for (const QPoint offset : {QPoint(0, 0), QPoint(58, 58), QPoint(-1, 30), QPoint(59, 59)})
            dark += qGray(image.pixel(corner + offset)) < 128 ? '#' : '.';
    // Character boxes of 0.4645 x 0.6463 cm (55 x 76 pixels), dotted from
    // their corners: the first place of the rows at 2.155, 3.896 cm with its
    // other corners and the gap after its first dot; the last value place of
    // slot 20 at 12.821, 25.122 cm and none after it; the first total count
    // place at 4.9444, 26.278; the last specific symbol place at 19.03,
    // 9.2025; the first contact person place at 2.155, 1.9823.
    for (const QPoint place : {QPoint(255, 460), QPoint(310, 460), QPoint(255, 536), QPoint(256, 460),
                               QPoint(1514, 2967), QPoint(1582, 2967), QPoint(584, 3104), QPoint(2248, 1087),
                               QPoint(255, 234)})
        dark += qGray(image.pixel(place)) < 128 ? '#' : '.';
    if (!filled)
        QTEST(dark, "dark");
#ifdef Q_OS_WIN
    QSKIP("zbar, the independent barcode reader, is built for Linux only.");
#else
    QTEST(ListPageBarcodes::Read(image, ppi), "read");
#endif
}

void TstPrinting::listing_data()
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
void TstPrinting::listing()
{
    QFETCH(int, rowCount);
    QFETCH(int, fromPage);
    QFETCH(int, resolution);
    QFETCH(QList<QPoint>, pages);
    QStringList headings;
    for (int c = 0; c < 11; ++c)
        headings << QString("H%1").arg(c);
    RecordModel grid(headings, {});
    grid.setRowCount(rowCount - 1);
    for (int r = 1; r < rowCount; ++r)
        for (int c = 0; c < 11; ++c)
            grid.setText(r - 1, c, QString("r%1c%2").arg(r).arg(c));
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

void TstPrinting::names()
{
    // The date as yymmdd, the code brought to its last six characters; a
    // stored directory without its separator is glued to the name.
    QCOMPARE(ExportFile::fileName("/export/", QDate(2025, 3, 5), "123"), "/export/250305000123.txt");
    QCOMPARE(ExportFile::fileName("", QDate(2025, 3, 5), "12345678"), "250305345678.txt");
    QCOMPARE(ExportFile::fileName("/export", QDate(2025, 3, 5), "001234"), "/export250305001234.txt");
}

void TstPrinting::writing_data()
{
    QTest::addColumn<QString>("name"); // of the file written
    QTest::addColumn<bool>("folder"); // at the name, else the earlier list
    QTest::addColumn<qint64>("sizeLimit"); // bytes a file may grow to
    QTest::addColumn<QString>("error");
    QTest::addColumn<QByteArray>("content"); // at the name afterwards
    // Windows-1250: Š 0x8A, á 0xE1, Č 0xC8, Ž 0x8E, é 0xE9, í 0xED, č 0xE8,
    // ý 0xFD, ó 0xF3, š 0x9A, ú 0xFA, € 0x80.
    QTest::newRow("whole file") << "x.txt" << false << NoFileSizeLimit << ""
        << QByteArray("Druh produktu:\t01\r\n\r\nIntern\xE9 \xE8\xEDslo prev\xE1" "dzky:\t77\r\n"
                      "K\xF3" "d prev\xE1" "dzky:\t001234\r\nI\xC8O:\t35826797\r\n"
                      "N\xE1zov prev\xE1" "dzky:\tRe\x9Ataur\xE1" "cia \xC8ierny Orol\r\n"
                      "Ulica:\tHlavn\xE1 5\r\nMesto:\t\x8Eilina\r\n\r\nKontaktn\xE1 osoba:J\xE1n Nov\xE1k\r\n"
                      "Pred\xE8\xEDslie / telef\xF3nne \xE8\xEDslo:\t041/5551234\r\n\r\n"
                      "\x8A" "pecifick\xFD symbol:\t2026120601\r\n\r\nNH\tPo\xE8" "et\tHodnota\r\n"
                      "2,5\t10\t25\r\n100\t1224\t122400\r\n\r\n"
                      "Celkov\xFD po\xE8" "et kup\xF3nov:\t1 234\r\nCelkov\xE1 hodnota kup\xF3nov:\t3 085,00 \x80\r\n"
                      "\r\nD\xE1tum vytvorenia s\xFApisky:\t05.03.2025\r\n");
    // A file that cannot be written whole leaves the earlier one as it was.
    // (A missing folder is the print flow's test's.)
    const QByteArray earlier("earlier list\r\n");
    QTest::newRow("target is a folder") << "x.txt" << true << NoFileSizeLimit << "File access denied." << QByteArray();
#ifndef Q_OS_WIN
    QTest::newRow("full disk part-way") << "x.txt" << false << qint64(100) << QString("I/O error %1.").arg(EFBIG)
                                        << earlier;
#endif
}

void TstPrinting::writing()
{
    QFETCH(QString, name);
    QFETCH(bool, folder);
    QFETCH(qint64, sizeLimit);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(folder ? QDir(dir.path()).mkdir(name) : dbtest::writeFile(path, "earlier list\r\n"));
    const QByteArray earlier = readAll(path);
    ExportFile file;
    bool written = false;
    {
        const FileSizeLimit limit(sizeLimit);
        // Nothing lands before the file is closed whole.
        written = file.open(path, Header) && file.writeRow("2,5", "10", "25") && file.writeRow("100", "1224", "122400")
                  && readAll(path) == earlier && file.close("1234", "3085", "05.03.2025");
    }
    QCOMPARE(written, error.isEmpty());
    QCOMPARE(file.errorText(), error);
    QVERIFY(!file.isOpen());
    QTEST(readAll(path), "content");
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList(name));
}

QTEST_MAIN(TstPrinting)
#include "tst_printing.moc"
