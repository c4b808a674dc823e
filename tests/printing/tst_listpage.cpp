#include "barcode/barcode.h"
#include "printing/listbarcodes.h"
#include "printing/pagegeometry.h"
#include "printing/pagelayout.h"
#include "support/barcodereader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

using BarcodeReader::Orientation;
using BarcodeReader::Symbology;

namespace {

const QString Ico = QStringLiteral("35742364");

// A page in the order of the print flows.
void drawPage(const PrintCanvas &c, bool filled, const QString &code)
{
    DrawPageForm(c);
    if (!filled)
        DrawBlankBoxes(c);
    DrawTitle(c, QStringLiteral("S Ú P I S K A - 01"));
    DrawFixedBarcode(c, c.CmToPixelX(0.8), c.CmToPixelY(23.0));
    DrawReservedBarcodes(c, c.CmToPixelX(13.843), c.CmToPixelY(16.7272), code, Ico);
    DrawEstablishmentCodeBarcode(c, c.CmToPixelX(13.843), c.CmToPixelY(18.8498), code);
    const QString name = QStringLiteral("Reštaurácia Pod Hradom");
    const QString street = QStringLiteral("Hlavná 12");
    const QString city = QStringLiteral("811 01 Bratislava");
    if (filled)
        DrawSupplierBlockWithContacts(c, code, name, street, city, Ico,
                                      QStringLiteral("02/5555 1234"), QStringLiteral("Info@Hrad.SK"));
    else
        DrawSupplierBlock(c, code, name, street, city, Ico);
    DrawContactPerson(c, QStringLiteral("žofia čuš"));
    DrawPhone(c, QStringLiteral("02"), QStringLiteral("1234567"));
    DrawSpecificSymbol(c, QStringLiteral("2026120601"));
    DrawCreationDate(c, QStringLiteral("06.12.2026"));
    if (filled) {
        DrawValueRow(c, 0, QStringLiteral("5"), QStringLiteral("007"), QStringLiteral("35"));
        DrawValueRow(c, 20, QStringLiteral("246,9"), QStringLiteral("5"), QStringLiteral("1234,5"));
        DrawTotals(c, QStringLiteral("1234567"), QStringLiteral("1000000"));
    }
}

int toPixels(int ppi, double cm)
{
    return int(std::lround(ppi / 2.54 * cm));
}

// The part of the page between the form's lines where a barcode should be,
// set on white with room around it, as a scanner would see it on its own.
QImage area(const QImage &page, int ppi, double left, double top, double right, double bottom)
{
    const QRect part(QPoint(toPixels(ppi, left), toPixels(ppi, top)),
                     QPoint(toPixels(ppi, right), toPixels(ppi, bottom)));
    const int margin = toPixels(ppi, 1.0);
    QImage framed(part.size() + QSize(2 * margin, 2 * margin), QImage::Format_Grayscale8);
    framed.fill(Qt::white);
    QPainter(&framed).drawImage(margin, margin, page.copy(part));
    return framed;
}

// Bar and space widths of the digits 0 to 9, N narrow and W wide (ISO/IEC 16390).
const char *const DigitWidths[10] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                     "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};

// ZXing reads Interleaved 2 of 5 of six digits or more only.  This reads the
// four-digit barcodes from the widths of the bars and spaces along a row:
// start code NNNN, five bar and space pairs for two digits, stop code WNN.
QString readInterleavedByWidths(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        QList<int> runs;
        for (int x = 0; x < image.width(); ++x) {
            const bool dark = row[x] < 128;
            if (runs.isEmpty() ? dark : dark != (runs.size() % 2 == 1))
                runs.append(0);
            if (!runs.isEmpty())
                ++runs.last();
        }
        if (runs.size() % 2 == 0)
            runs.removeLast();  // the white after the last bar
        if (runs.size() < 7 || (runs.size() - 7) % 10 != 0)
            continue;
        const int narrow = *std::min_element(runs.begin(), runs.end());
        QString widths;
        for (int run : runs)
            widths += run * 2 > narrow * 3 ? QLatin1Char('W') : QLatin1Char('N');
        if (!widths.startsWith(QStringLiteral("NNNN")) || !widths.endsWith(QStringLiteral("WNN")))
            continue;
        QString digits;
        for (int pair = 4; pair + 3 < widths.size(); pair += 10) {
            QString bars, spaces;
            for (int j = 0; j < 10; j += 2) {
                bars += widths.at(pair + j);
                spaces += widths.at(pair + j + 1);
            }
            for (int d = 0; d < 10; ++d)
                digits += bars == QLatin1String(DigitWidths[d]) ? QString::number(d) : QString();
            for (int d = 0; d < 10; ++d)
                digits += spaces == QLatin1String(DigitWidths[d]) ? QString::number(d) : QString();
        }
        if (digits.size() == (runs.size() - 7) / 5)
            return digits;
    }
    return {};
}

} // namespace

class TestListPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void barcodesReadBack_data();
    void barcodesReadBack();
    void barcodeSettingsCarryOver();
    void writesPdf();
};

void TestListPage::barcodesReadBack_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<QString>("code");

    QTest::newRow("filled 300") << 300 << true << QStringLiteral("123456");
    QTest::newRow("filled 600") << 600 << true << QStringLiteral("123456");
    QTest::newRow("blank 300") << 300 << false << QStringLiteral("123456");
    QTest::newRow("blank 600") << 600 << false << QStringLiteral("123456");
    QTest::newRow("five-digit code") << 600 << false << QStringLiteral("40517");
}

void TestListPage::barcodesReadBack()
{
    QFETCH(int, ppi);
    QFETCH(bool, filled);
    QFETCH(QString, code);

    QImage page(toPixels(ppi, 21.0), toPixels(ppi, 29.7), QImage::Format_RGB32);
    page.fill(Qt::white);
    page.setDotsPerMeterX(qRound(ppi / 0.0254));
    page.setDotsPerMeterY(qRound(ppi / 0.0254));
    {
        PageMetrics metrics;
        metrics.ReadPrinterMetrics(page);
        QPainter painter(&page);
        drawPage(PrintCanvas(painter, metrics), filled, code);
    }

    // Upright at the left edge from 23 cm, then the reserved box: code and
    // IČO side by side, "0001" under them, the code in Code 39 under the box's
    // line.  An odd digit out is dropped from Interleaved 2 of 5 only.
    QCOMPARE(BarcodeReader::ReadText(area(page, ppi, 0.3, 19.0, 1.85, 26.5),
                                     Symbology::Interleaved2of5, Orientation::AnyQuarterTurn),
             QStringLiteral("030829"));
    const QImage codeArea = area(page, ppi, 13.6, 16.47, 16.5, 17.45);
    QCOMPARE(code.size() == 6 ? BarcodeReader::ReadText(codeArea, Symbology::Interleaved2of5,
                                                        Orientation::AsIs)
                              : readInterleavedByWidths(codeArea),
             code.left(code.size() / 2 * 2));
    const QImage icoArea = area(page, ppi, 16.5, 16.47, 19.88, 17.45);
    QCOMPARE(BarcodeReader::ReadText(icoArea, Symbology::Interleaved2of5, Orientation::AsIs), Ico);
    QCOMPARE(readInterleavedByWidths(icoArea), Ico);  // the width reader agrees with ZXing
    QCOMPARE(readInterleavedByWidths(area(page, ppi, 13.6, 17.45, 19.88, 18.5)),
             QStringLiteral("0001"));
    QCOMPARE(BarcodeReader::ReadText(area(page, ppi, 13.6, 18.6, 19.88, 19.5), Symbology::Code39,
                                     Orientation::AsIs),
             code);
}

void TestListPage::barcodeSettingsCarryOver()
{
    QImage image(4961, 7016, QImage::Format_RGB32);
    QPainter painter(&image);
    const PrintCanvas canvas(painter, PageMetrics(600, 600, image.width()));
    TBarcodeObject &barcode = SharedBarcodeObject();

    // At 600 per inch 0.055 cm is 13 pixels; "0001" fitted to 1.4 cm = 331
    // pixels with 36 modules leaves a module of 9.
    DrawFixedBarcode(canvas, canvas.CmToPixelX(0.8), canvas.CmToPixelY(23.0));
    QCOMPARE(barcode.Modul(), 13);
    DrawReservedBarcodes(canvas, 3000, 4000, QStringLiteral("123456"), Ico);
    QCOMPARE(barcode.Modul(), 9);
    // At 2400 per inch 0.055 cm is 52 pixels, over the limit of 49: the fixed
    // barcode keeps the module the last one left.
    DrawFixedBarcode(PrintCanvas(painter, PageMetrics(2400, 2400, 0)), 100, 2000);
    QCOMPARE(barcode.Modul(), 9);

    // Text drawn after the barcodes has a clear background.
    DrawEstablishmentCodeBarcode(canvas, 3000, 4500, QStringLiteral("123456"));
    QCOMPARE(barcode.Typ(), bcCode39);
    QCOMPARE(painter.brush().style(), Qt::NoBrush);
    QCOMPARE(painter.pen(), QPen(Qt::black));

    QVERIFY_THROWS_EXCEPTION(BarcodeError,
                             DrawReservedBarcodes(canvas, 0, 0, QStringLiteral("12A456"), Ico));
}

void TestListPage::writesPdf()
{
    // Set KELVARO_PAGE_DIR to keep the two pages for a look.
    QTemporaryDir temporary;
    const QString fileName = QDir(qEnvironmentVariable("KELVARO_PAGE_DIR", temporary.path()))
                                 .filePath(QStringLiteral("supiska.pdf"));
    {
        QPdfWriter pdf(fileName);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF());
        PageMetrics metrics;
        metrics.ReadPrinterMetrics(pdf);
        QPainter painter(&pdf);
        const PrintCanvas canvas(painter, metrics);
        drawPage(canvas, true, QStringLiteral("123456"));
        pdf.newPage();
        drawPage(canvas, false, QStringLiteral("123456"));
    }
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.startsWith("%PDF"));
    QCOMPARE(content.count("/Type /Page\n"), 2);
}

QTEST_MAIN(TestListPage)
#include "tst_listpage.moc"
