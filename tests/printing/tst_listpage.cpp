#include "barcode/barcode.h"
#include "printing/listbarcodes.h"
#include "printing/listprint.h"
#include "printing/pagegeometry.h"
#include "printing/pagelayout.h"
#include "support/barcodereader.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>

using BarcodeReader::Orientation;
using BarcodeReader::Symbology;

namespace {

const QString Ico = QStringLiteral("35742364");

// A page as the print flows draw it.
void drawPage(const PrintCanvas &c, bool filled, const QString &code)
{
    const ListTexts texts{"01", "77", code, "Reštaurácia Pod Hradom", "Hlavná 12",
                          "811 01 Bratislava", Ico, "žofia čuš", "02/1234567", "02/5555 1234",
                          "Info@Hrad.SK", "2026120601", "06.12.2026"};
    if (!filled)
        return DrawBlankPage(c, texts);
    DrawFilledPageHeader(c, texts);
    DrawValueRow(c, 0, QStringLiteral("5"), QStringLiteral("007"), QStringLiteral("35"));
    DrawValueRow(c, 20, QStringLiteral("246,9"), QStringLiteral("5"), QStringLiteral("1234,5"));
    DrawTotals(c, QStringLiteral("1234567"), QStringLiteral("1000000"));
}

int toPixels(int ppi, double cm)
{
    return int(std::lround(ppi / 2.54 * cm));
}

// The part of the page between the form's lines where a barcode should be,
// on white with room around it, as a scanner would see it on its own.
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

// ZXing reads Interleaved 2 of 5 of six digits or more only.  This reads the
// shorter ones from the runs along a row: start code NNNN, ten runs for each
// pair of digits (bars of the first, spaces of the second), stop code WNN.
QString readInterleavedByWidths(const QImage &image)
{
    const QStringList digits{"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                             "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};
    for (int y = 0; y < image.height(); ++y) {
        QList<int> runs;  // from the first bar, bars and spaces in turn
        const uchar *row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const bool dark = row[x] < 128;
            if (runs.isEmpty() ? dark : dark != (runs.size() % 2 == 1))
                runs.append(0);
            if (!runs.isEmpty())
                ++runs.last();
        }
        if (runs.size() < 8 || (runs.size() - 8) % 10 != 0)
            continue;
        runs.removeLast();  // the white after the last bar
        const int narrow = *std::min_element(runs.begin(), runs.end());
        QString widths;
        for (int run : runs)
            widths += run * 2 > narrow * 3 ? QLatin1Char('W') : QLatin1Char('N');
        QString text;
        for (int pair = 4; pair + 3 < widths.size(); pair += 10) {
            QString bars, spaces;
            for (int j = 0; j < 10; j += 2) {
                bars += widths.at(pair + j);
                spaces += widths.at(pair + j + 1);
            }
            text += QString::number(digits.indexOf(bars)) + QString::number(digits.indexOf(spaces));
        }
        if (widths.startsWith("NNNN") && widths.endsWith("WNN") && !text.contains('-'))
            return text;
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
};

void TestListPage::barcodesReadBack_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("i25Code");  // an odd digit out is dropped

    QTest::newRow("filled 300") << 300 << true << "123456" << "123456";
    QTest::newRow("filled 600") << 600 << true << "123456" << "123456";
    QTest::newRow("blank 300") << 300 << false << "123456" << "123456";
    QTest::newRow("blank 600") << 600 << false << "123456" << "123456";
    QTest::newRow("five-digit code") << 600 << false << "40517" << "4051";
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
    // line.
    QCOMPARE(BarcodeReader::ReadText(area(page, ppi, 0.3, 19.0, 1.85, 26.5),
                                     Symbology::Interleaved2of5, Orientation::AnyQuarterTurn),
             QStringLiteral("030829"));
    const QImage codeArea = area(page, ppi, 13.6, 16.47, 16.5, 17.45);
    QTEST(code.size() == 6 ? BarcodeReader::ReadText(codeArea, Symbology::Interleaved2of5,
                                                     Orientation::AsIs)
                           : readInterleavedByWidths(codeArea),
          "i25Code");
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
    QImage image(100, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    const PrintCanvas canvas(painter, PageMetrics(600, 600, 4961));
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

QTEST_MAIN(TestListPage)
#include "tst_listpage.moc"
