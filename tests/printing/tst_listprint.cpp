#include "printing/exportfile.h"
#include "printing/listprint.h"
#include "printing/pagegeometry.h"
#include "support/listpagebarcodes.h"
#include "support/pdftext.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
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

} // namespace

class TstListPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void centimetresToPixels();
    void sheet_data();
    void sheet();
    void positions_data();
    void positions();
    void drawingFails();
};

void TstListPrint::positions_data()
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

void TstListPrint::positions()
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
void TstListPrint::drawingFails()
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

void TstListPrint::centimetresToPixels()
{
    // 254 per inch is 100 per cm: exact halves go to the even neighbour.
    QCOMPARE(PageMetrics(254, 254, 0).CmToPixelX(0.125), 12);
    const PageMetrics metrics(600, 300, 0);
    QCOMPARE(QPoint(metrics.CmToPixelX(-0.2), metrics.CmToPixelY(-0.2)), QPoint(-47, -24));
}

void TstListPrint::sheet_data()
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
void TstListPrint::sheet()
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

QTEST_MAIN(TstListPrint)
#include "tst_listprint.moc"
