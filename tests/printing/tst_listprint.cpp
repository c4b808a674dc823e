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

namespace {

const ListTexts Establishment{"01", "77", "001234", "Reštaurácia Pod Hradom", "Hlavná 12", "811 01 Bratislava",
                              "35742364", "žofia čuš", "02/1234567", "ÁFax 02/55", "Info@Hrad.SK", "2026120601",
                              "06.12.2026"};

// Row i (from 1) counts 10 * i vouchers of 1 euro.
QList<VoucherRowTexts> rows(int n)
{
    QList<VoucherRowTexts> list;
    for (int i = 1; i <= n; ++i)
        list.append({"1", QString::number(10 * i), QString::number(10 * i)});
    return list;
}

// A PDF printer on the whole A4 sheet: the form's centimetres are the sheet's.
struct PdfPrinter
{
    QTemporaryDir dir;
    QString pdf = dir.filePath("list.pdf");
    QPrinter printer{QPrinter::HighResolution};
    PdfPrinter()
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setFullPage(true);
    }
};

// What a page shows on the line at y cm, the words' corners within 0.02 cm.
// Fields (x cm, places) of character boxes give a character a place, 0.57 cm
// apart, blank when empty (a comma goes with the character before it); a
// field of no places gives the words from x on.  A word off its place: "?".
QString line(const QList<PdfText::Word> &words, int page, double y, const QList<QPointF> &fields)
{
    const auto near = [](double points, double cm) { return qAbs(points * 2.54 / 72 - cm) < 0.02; };
    QList<double> places;
    for (const QPointF &field : fields)
        for (int i = 0; i < field.y(); ++i)
            places << field.x() + 0.57 * i;
    QStringList shown(places.size(), " ");
    for (const PdfText::Word &w : words) {
        const double left = w.box.left() * 2.54 / 72;
        if (w.page != page || !near(w.box.top(), y) || left < fields.first().x() - 0.02
            || (!places.isEmpty() && left > places.last() + 0.02))
            continue;
        if (places.isEmpty()) {
            shown << (shown.isEmpty() && !near(w.box.left(), fields.first().x()) ? "?" : "") + w.text;
            continue;
        }
        auto i = std::find_if(places.cbegin(), places.cend(), [&](double x) { return qAbs(x - left) < 0.02; })
            - places.cbegin();
        if (i == places.size())
            return "?" + w.text;
        for (const QChar c : w.text) {
            if (c == ',' && i > 0)
                shown[i - 1] += c;
            else if (i < shown.size())
                shown[i++] = c;
        }
    }
    return shown.join(places.isEmpty() ? " " : "");
}

// A page as the print flows draw it, on an image of an A4 sheet.
QImage page(int ppi, bool filled, const QString &code)
{
    ListTexts texts = Establishment;
    texts.code = code;
    QImage image(ppi * 2100 / 254, ppi * 2970 / 254, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(ppi / 0.0254));
    image.setDotsPerMeterY(qRound(ppi / 0.0254));
    PageMetrics metrics;
    metrics.ReadPrinterMetrics(image);
    QPainter painter(&image);
    (filled ? DrawFilledPageHeader : DrawBlankPage)(PrintCanvas(painter, metrics), texts);
    return image;
}

} // namespace

class TstListPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void centimetresToPixels_data();
    void centimetresToPixels();
    void barcodesReadBack_data();
    void barcodesReadBack();
    void marksAndBoxes();
    void positions_data();
    void positions();
    void pages_data();
    void pages();
};

void TstListPrint::positions_data()
{
    QTest::addColumn<bool>("blank");
    QTest::addColumn<double>("y");
    QTest::addColumn<QList<QPointF>>("fields");
    QTest::addColumn<QString>("shown");

    const QList<QPointF> valueRow{{2.155, 3}, {3.985, 2}, {5.525, 5}, {8.7293, 6}, {12.251, 2}};
    const auto from = [](double x) { return QList<QPointF>{{x, 0}}; };
    // The contact person upper-cased and right-aligned, the phone split at "/".
    QTest::newRow("contact and phone") << false << 1.9823
        << QList<QPointF>{{2.155, 12}, {9.7282, 4}, {12.4835, 8}} << "   ŽOFIA ČUŠ  02 1234567";
    // Two decimals always; four integer digits lose the last; a count that is
    // no number is 0.  Slots 1.0613 cm apart.
    QTest::newRow("first row") << false << 3.896 << valueRow << "  5,00    7    35,00";
    QTest::newRow("last row") << false << 3.896 + 20 * 1.0613 << valueRow << "100,00    0  1234,50";
    // A seven-digit count keeps its first six; figures of a million and more
    // are repeated in full in the reserved box.
    QTest::newRow("totals") << false << 26.278 << QList<QPointF>{{4.9444, 6}, {8.7293, 6}, {12.251, 2}}
                            << "123456100000,00";
    QTest::newRow("total value note") << false << 25.1969 << from(13.7) << "Celková nominálna hodnota:";
    QTest::newRow("total value") << false << 25.5469 << from(13.7) << "1 000 000,00 €";
    QTest::newRow("total count note") << false << 25.8969 << from(13.7) << "Celkový pocet kupónov:";
    QTest::newRow("total count") << false << 26.2469 << from(13.7) << "1 234 567";
    QTest::newRow("specific symbol") << false << 9.2025 << QList<QPointF>{{13.9, 10}} << "2026120601";
    QTest::newRow("creation date") << false << 11.4 << from(13.7) << "06.12.2026";
    QTest::newRow("name") << false << 4.87 << from(13.8) << "Reštaurácia Pod Hradom";
    QTest::newRow("street") << false << 5.37 << from(13.8) << "Hlavná 12";
    QTest::newRow("city") << false << 6.12 << from(13.8) << "811 01 Bratislava";
    // Code and IČO in Courier New 15 (6 and 8 characters of 9 points) end at 18.7 cm.
    QTest::newRow("code") << false << 4.35 << from(18.7 - 6 * 9 * 2.54 / 72) << "001234";
    QTest::newRow("IČO") << false << 7.1 << from(18.7 - 8 * 9 * 2.54 / 72) << "35742364";
    QTest::newRow("contacts") << false << 20.7 << from(13.8) << "Fax a e-mail:";
    // Only A to Z are lowered in fax and e-mail.
    QTest::newRow("fax") << false << 21.2 << from(13.9) << "Áfax 02/55";
    QTest::newRow("e-mail") << false << 21.6 << from(13.9) << "info@hrad.sk";
    QTest::newRow("label of the contact person") << false << 1.4 << from(2.155) << "Kontaktná osoba: Telefón:";
    QTest::newRow("label of the values") << false << 3.3 << from(2.155)
                                         << "Nominálna hodnota: Počet kupónov: Celková hodnota kupónov:";
    QTest::newRow("label of the specific symbol") << false << 8.6202 << from(13.791) << "Špecifický symbol:";
    QTest::newRow("label of the reserved box") << false << 16.0493 << from(13.791) << "KORVELLA s.r.o.:";
    QTest::newRow("label of the totals") << false << 26.45 << from(2.193) << "SPOLU:";
    // The blank form prints the commas of the values.
    QTest::newRow("blank first row") << true << 4.2 << from(3.835) << ", ,";
    QTest::newRow("blank last row") << true << 4.2 + 20 * 1.0613 << from(3.835) << ", ,";
    QTest::newRow("blank totals") << true << 26.582 << from(12.101) << ",";
}

void TstListPrint::positions()
{
    static const QList<PdfText::Word> printed[2] = {[] {
        PdfPrinter target;
        QList<VoucherRowTexts> list = rows(21);
        list[0] = {"5", "007", "35"};
        list[20] = {"1000", "x", "1234,5"};
        PrintFilledList(target.printer, Establishment, list, "1234567", "1000000", nullptr, {});
        return PdfText::words(target.pdf);
    }(), [] {
        PdfPrinter target;
        PrintBlankList(target.printer, Establishment);
        return PdfText::words(target.pdf);
    }()};
    SKIP_WITHOUT_PDF_READER();
    QFETCH(bool, blank);
    QFETCH(double, y);
    QFETCH(QList<QPointF>, fields);
    QTEST(line(printed[blank], 1, y, fields), "shown");
}

void TstListPrint::pages_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QString>("ico");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("error");
    QTest::newRow("21 rows") << 21 << "35742364" << 1 << "";
    QTest::newRow("22 rows") << 22 << "35742364" << 2 << "";
    QTest::newRow("43 rows") << 43 << "35742364" << 3 << "";
    // A page that cannot be drawn stops the drawing, not the export file.
    QTest::newRow("IČO not numeric") << 22 << "3574236x" << 0 << "Barcode must be numeric";
}

// 21 rows a page from the top slot, the head on every page, the totals on the
// last, upright; each row's line in the export file.
void TstListPrint::pages()
{
    QFETCH(int, rowCount);
    QFETCH(QString, ico);
    QFETCH(int, pages);
    PdfPrinter target;
    ListTexts texts = Establishment;
    texts.ico = ico;
    ExportFile file;
    QVERIFY(file.open(target.dir.filePath("x.txt"), texts));
    int calls = 0;
    QTEST(PrintFilledList(target.printer, texts, rows(rowCount), "4321", "4321", &file, [&](int) { ++calls; }).error,
          "error");
    QVERIFY(!file.isOpen());
    QFile written(target.dir.filePath("x.txt"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = written.readAll().split('\n');
    QCOMPARE(lines.size(), 15 + rowCount + 5 + 1);
    for (int i = 0; i < rowCount; ++i)
        QCOMPARE(lines.at(15 + i), "1\t" + QByteArray::number(10 * i + 10) + '\t' + QByteArray::number(10 * i + 10) + '\r');
    QCOMPARE(lines.at(15 + rowCount + 4), "D\xE1tum vytvorenia s\xFApisky:\t06.12.2026\r");
    PdfPrinter blank;
    QTEST(PrintBlankList(blank.printer, texts).error, "error");
    if (pages == 0)
        return;
    QCOMPARE(calls, rowCount);
    SKIP_WITHOUT_PDF_READER();
    QCOMPARE(PdfText::pageCount(target.pdf), pages);
    const QImage sheet = PdfText::pageImage(target.pdf, 1, 10);
    QVERIFY(sheet.height() > sheet.width());
    const QList<PdfText::Word> words = PdfText::words(target.pdf);
    for (int page = 1; page <= pages; ++page) {
        // The title centred on the sheet.
        QList<PdfText::Word> title;
        for (const PdfText::Word &w : words)
            if (w.page == page && qAbs(w.box.top() * 2.54 / 72 - 0.5) < 0.02)
                title << w;
        QCOMPARE(PdfText::pageText(title, page), "S Ú P I S K A - 01");
        QVERIFY(qAbs((title.first().box.left() + title.last().box.right()) / 2 * 2.54 / 72 - 10.5) < 0.05);
        QCOMPARE(line(words, page, 4.35, {{18.7 - 6 * 9 * 2.54 / 72, 0}}), "001234");
        QCOMPARE(line(words, page, 26.278, {{4.9444, 6}}), page == pages ? "  4321" : "      ");
    }
    for (int i = 0; i <= rowCount; ++i) // and the slot after the last row empty
        QCOMPARE(line(words, i / 21 + 1, 3.896 + i % 21 * 1.0613, {{5.525, 5}}),
                 i < rowCount ? QString::number(10 * (i + 1)).rightJustified(5) : "     ");
}

void TstListPrint::centimetresToPixels_data()
{
    QTest::addColumn<int>("ppiX");
    QTest::addColumn<int>("ppiY");
    QTest::addColumn<double>("cm");
    QTest::addColumn<QPoint>("pixels");
    QTest::newRow("negative") << 600 << 300 << -0.2 << QPoint(-47, -24);
    // 254 per inch is 100 per cm: exact halves go to the even neighbour.
    QTest::newRow("halves") << 254 << 254 << 0.125 << QPoint(12, 12);
    // 967.5 in decimal, but the double nearest 8.1915 times 300 / 2.54 in
    // extended precision lies just below it.
    QTest::newRow("mark top 300x300") << 300 << 300 << 8.1915 << QPoint(967, 967);
}

void TstListPrint::centimetresToPixels()
{
    QFETCH(int, ppiX);
    QFETCH(int, ppiY);
    QFETCH(double, cm);
    const PageMetrics metrics(ppiX, ppiY, 0);
    QTEST(QPoint(metrics.CmToPixelX(cm), metrics.CmToPixelY(cm)), "pixels");
}

void TstListPrint::barcodesReadBack_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("read");
    const QStringList read{"030829", "123456", "35742364", "0001", "123456"};
    QTest::newRow("filled 300") << 300 << true << "123456" << read;
    QTest::newRow("blank 600") << 600 << false << "123456" << read;
    // Interleaved 2 of 5 drops an odd digit out, Code 39 keeps it.
    QTest::newRow("five-digit code") << 600 << true << "40517" << QStringList{"030829", "4051", "35742364", "0001", "40517"};
}

void TstListPrint::barcodesReadBack()
{
    QFETCH(int, ppi);
    QFETCH(bool, filled);
    QFETCH(QString, code);
    const QImage image = page(ppi, filled, code);
#ifdef Q_OS_WIN
    QSKIP("zbar, the independent barcode reader, is built for Linux only.");
#else
    QTEST(ListPageBarcodes::Read(image, ppi), "read");
#endif
}

void TstListPrint::marksAndBoxes()
{
    const QImage blank = page(300, false, "123456");
    QString dark;
    // The four registration marks, 0.5 cm = 59 pixels square at 300 per inch:
    // 1.1575, 1.1684 cm; 19.2888, 8.1915; 1.907, 27.424; 11.4272, 27.424.
    // Their corners dark, the pixels just left and beyond white.
    for (const QPoint corner : {QPoint(137, 138), QPoint(2278, 967), QPoint(225, 3239), QPoint(1350, 3239)})
        for (const QPoint offset : {QPoint(0, 0), QPoint(58, 58), QPoint(-1, 30), QPoint(59, 59)})
            dark += qGray(blank.pixel(corner + offset)) < 128 ? '#' : '.';
    // Character boxes of 0.4645 x 0.6463 cm (55 x 76 pixels), dotted from
    // their corners: the first place of the rows at 2.155, 3.896 cm with its
    // other corners and the gap after its first dot; the last value place of
    // slot 20 at 12.821, 25.122 cm and none after it; the first total count
    // place at 4.9444, 26.278; the last specific symbol place at 19.03,
    // 9.2025; the first contact person place at 2.155, 1.9823.
    for (const QPoint place : {QPoint(255, 460), QPoint(310, 460), QPoint(255, 536), QPoint(256, 460),
                               QPoint(1514, 2967), QPoint(1582, 2967), QPoint(584, 3104), QPoint(2248, 1087),
                               QPoint(255, 234)})
        dark += qGray(blank.pixel(place)) < 128 ? '#' : '.';
    QCOMPARE(dark, "##..##..##..##.." "###.#.###");
}

QTEST_MAIN(TstListPrint)
#include "tst_listprint.moc"
