#include "barcode/barcode.h"
#include "printing/listbarcodes.h"
#include "printing/pagegeometry.h"
#include "samplepages.h"
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

int toPixels(int ppi, double cm)
{
    return int(std::lround(ppi / 2.54 * cm));
}

// An A4 sheet as an image of the given resolution.
QImage renderPage(int ppi, bool filled, const SamplePage &page)
{
    QImage image(toPixels(ppi, 21.0), toPixels(ppi, 29.7), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(ppi / 0.0254));
    image.setDotsPerMeterY(qRound(ppi / 0.0254));
    PageMetrics metrics;
    metrics.ReadPrinterMetrics(image);
    QPainter painter(&image);
    const PrintCanvas canvas(painter, metrics);
    if (filled)
        DrawFilledSamplePage(canvas, page);
    else
        DrawBlankSamplePage(canvas, page);
    return image;
}

// The part of the page between the form's lines where a barcode should be,
// set on white with room around it, as a scanner would see it on its own.
QImage barcodeArea(const QImage &page, int ppi, double left, double top, double right,
                   double bottom)
{
    const QRect area(QPoint(toPixels(ppi, left), toPixels(ppi, top)),
                     QPoint(toPixels(ppi, right), toPixels(ppi, bottom)));
    const int margin = toPixels(ppi, 1.0);
    QImage framed(area.size() + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
    framed.fill(Qt::white);
    QPainter(&framed).drawImage(margin, margin, page.copy(area));
    return framed;
}

// Bar and space widths of the digits 0 to 9, N narrow and W wide (ISO/IEC 16390).
const char *const InterleavedDigits[10] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                           "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};

QString interleavedPairs(const QString &widths)
{
    // Start code NNNN, five bar-space pairs per two digits, stop code WNN.
    if (widths.size() < 7 || (widths.size() - 7) % 10 != 0 || !widths.startsWith(QStringLiteral("NNNN"))
        || !widths.endsWith(QStringLiteral("WNN")))
        return {};
    QString digits;
    for (int pair = 4; pair + 10 <= widths.size() - 3; pair += 10) {
        QString bars, spaces;
        for (int j = 0; j < 10; j += 2) {
            bars += widths.at(pair + j);
            spaces += widths.at(pair + j + 1);
        }
        int first = -1, second = -1;
        for (int d = 0; d < 10; ++d) {
            if (bars == QLatin1String(InterleavedDigits[d]))
                first = d;
            if (spaces == QLatin1String(InterleavedDigits[d]))
                second = d;
        }
        if (first < 0 || second < 0)
            return {};
        digits += QString::number(first) + QString::number(second);
    }
    return digits;
}

// ZXing reads Interleaved 2 of 5 of six digits and more only; the four digits
// of "0001" are read here from the widths of the bars and spaces along a row.
QString readShortInterleaved(const QImage &area)
{
    const QImage gray = area.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < gray.height(); ++y) {
        const uchar *row = gray.constScanLine(y);
        QList<int> runs;
        bool dark = false;
        for (int x = 0; x < gray.width(); ++x) {
            const bool pixelDark = row[x] < 128;
            if (runs.isEmpty() && !pixelDark)
                continue;
            if (runs.isEmpty() || pixelDark != dark)
                runs.append(0);
            dark = pixelDark;
            ++runs.last();
        }
        if (!dark && !runs.isEmpty())
            runs.removeLast();
        if (runs.isEmpty())
            continue;
        const int narrow = *std::min_element(runs.begin(), runs.end());
        QString widths;
        for (int run : runs)
            widths += run * 2 > narrow * 3 ? QLatin1Char('W') : QLatin1Char('N');
        const QString digits = interleavedPairs(widths);
        if (!digits.isEmpty())
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
    QTest::addColumn<QString>("codeInInterleaved");

    const QString code = QStringLiteral("123456");
    QTest::newRow("filled 300") << 300 << true << code << code;
    QTest::newRow("filled 600") << 600 << true << code << code;
    QTest::newRow("blank 300") << 300 << false << code << code;
    QTest::newRow("blank 600") << 600 << false << code << code;
    // Interleaved 2 of 5 takes digits in pairs: an odd one out is dropped.
    QTest::newRow("five-digit code") << 600 << false << QStringLiteral("40517")
                                     << QStringLiteral("4051");
}

void TestListPage::barcodesReadBack()
{
    QFETCH(int, ppi);
    QFETCH(bool, filled);
    QFETCH(QString, code);
    QFETCH(QString, codeInInterleaved);

    SamplePage sample;
    sample.code = code;
    const QImage page = renderPage(ppi, filled, sample);

    // Upright at the left edge, the start code at 23 cm, reaching up.
    QCOMPARE(BarcodeReader::ReadText(barcodeArea(page, ppi, 0.3, 19.0, 1.85, 26.5),
                                     Symbology::Interleaved2of5, Orientation::AnyQuarterTurn),
             QStringLiteral("030829"));
    // The reserved box: code and IČO side by side under its top line, "0001"
    // below them, the code in Code 39 under the line at 18.5498 cm.
    const QImage codeArea = barcodeArea(page, ppi, 13.6, 16.47, 16.5, 17.45);
    QCOMPARE(codeInInterleaved.size() >= 6
                 ? BarcodeReader::ReadText(codeArea, Symbology::Interleaved2of5, Orientation::AsIs)
                 : readShortInterleaved(codeArea),
             codeInInterleaved);
    const QImage icoArea = barcodeArea(page, ppi, 16.5, 16.47, 19.88, 17.45);
    QCOMPARE(BarcodeReader::ReadText(icoArea, Symbology::Interleaved2of5, Orientation::AsIs),
             sample.ico);
    // The width reader below agrees with ZXing where both can read.
    QCOMPARE(readShortInterleaved(icoArea), sample.ico);
    QCOMPARE(readShortInterleaved(barcodeArea(page, ppi, 13.6, 17.45, 19.88, 18.5)),
             QStringLiteral("0001"));
    QCOMPARE(BarcodeReader::ReadText(barcodeArea(page, ppi, 13.6, 18.6, 19.88, 19.5),
                                     Symbology::Code39, Orientation::AsIs),
             code);
}

void TestListPage::barcodeSettingsCarryOver()
{
    // At 600 per inch the fixed barcode's module is 0.055 cm = 13 pixels;
    // "0001" fitted to 331 pixels ends with a module of 331 / 36 = 9.
    QImage image(toPixels(600, 21.0), toPixels(600, 29.7), QImage::Format_RGB32);
    image.fill(Qt::white);
    const PageMetrics at600(600, 600, image.width());
    QPainter painter(&image);
    const PrintCanvas canvas(painter, at600);
    TBarcodeObject &barcode = SharedBarcodeObject();

    DrawFixedBarcode(canvas, canvas.CmToPixelX(0.8), canvas.CmToPixelY(23.0));
    QCOMPARE(barcode.Modul(), 13);
    DrawReservedBarcodes(canvas, canvas.CmToPixelX(13.843), canvas.CmToPixelY(16.7272),
                         QStringLiteral("123456"), QStringLiteral("35742364"));
    QCOMPARE(barcode.Modul(), 9);
    QCOMPARE(barcode.Typ(), bcCode_2_5_interleaved);

    // At 2400 per inch 0.055 cm is 52 pixels, over the limit of 49: the fixed
    // barcode keeps the module the last barcode left.
    const PageMetrics at2400(2400, 2400, image.width());
    DrawFixedBarcode(PrintCanvas(painter, at2400), 100, 2000);
    QCOMPARE(barcode.Modul(), 9);

    DrawEstablishmentCodeBarcode(canvas, canvas.CmToPixelX(13.843), canvas.CmToPixelY(18.8498),
                                 QStringLiteral("123456"));
    QCOMPARE(barcode.Typ(), bcCode39);
    // Text drawn next must have a clear background and a solid black pen.
    QCOMPARE(painter.brush().style(), Qt::NoBrush);
    QCOMPARE(painter.pen().style(), Qt::SolidLine);
    QCOMPARE(painter.pen().color(), QColor(Qt::black));

    // The reserved barcodes stop at a code that is not numeric.
    QVERIFY_THROWS_EXCEPTION(BarcodeError,
                             DrawReservedBarcodes(canvas, 0, 0, QStringLiteral("12A456"),
                                                  QStringLiteral("35742364")));
}

void TestListPage::writesPdf()
{
    // KELVARO_PAGE_DIR keeps the PDF for a look at the printed form.
    QTemporaryDir temporary;
    const QString dir = qEnvironmentVariableIsSet("KELVARO_PAGE_DIR")
        ? qEnvironmentVariable("KELVARO_PAGE_DIR")
        : temporary.path();
    const QString fileName = QDir(dir).filePath(QStringLiteral("supiska.pdf"));
    {
        QPdfWriter pdf(fileName);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF());
        PageMetrics metrics;
        metrics.ReadPrinterMetrics(pdf);
        QCOMPARE(metrics.PixelsPerInchX(), 600);
        QPainter painter(&pdf);
        const PrintCanvas canvas(painter, metrics);
        const SamplePage sample;
        DrawFilledSamplePage(canvas, sample);
        pdf.newPage();
        DrawBlankSamplePage(canvas, sample);
    }
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.startsWith("%PDF"));
    QCOMPARE(content.count("/Type /Page\n") + content.count("/Type /Page\r"), 2);
}

QTEST_MAIN(TestListPage)
#include "tst_listpage.moc"
