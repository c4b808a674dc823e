#include "printing/pagegeometry.h"
#include "recordingdevice.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage whiteImage(int width, int height, int ppiX, int ppiY)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(ppiX / 0.0254));
    image.setDotsPerMeterY(qRound(ppiY / 0.0254));
    return image;
}

// The painted pixels along row y, or along column x when y is negative.
QList<int> painted(const QImage &image, int x, int y)
{
    QList<int> found;
    const int length = y < 0 ? image.height() : image.width();
    for (int i = 0; i < length; ++i) {
        if (qGray(y < 0 ? image.pixel(x, i) : image.pixel(i, y)) < 128)
            found.append(i);
    }
    return found;
}

QList<int> range(int from, int to)
{
    QList<int> values;
    for (int v = from; v <= to; ++v)
        values.append(v);
    return values;
}

} // namespace

class TestPageGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversions_data();
    void conversions();
    void readsMetricsOfEachDevice();
    void dottedLineDashes();
    void digitBox_data();
    void digitBox();
};

void TestPageGeometry::conversions_data()
{
    QTest::addColumn<int>("ppiX");
    QTest::addColumn<int>("ppiY");
    QTest::addColumn<double>("cm");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");

    // 600 / 2.54 = 236.22 pixels per cm, 300 / 2.54 = 118.11.
    QTest::newRow("dash") << 600 << 300 << 0.025 << 6 << 3;
    QTest::newRow("box width") << 600 << 300 << 0.4645 << 110 << 55;
    QTest::newRow("box height") << 300 << 600 << 0.6463 << 76 << 153;
    QTest::newRow("place step, row") << 600 << 600 << 0.57 << 135 << 135;
    QTest::newRow("row height") << 600 << 600 << 1.0613 << 251 << 251;
    QTest::newRow("one cm") << 600 << 300 << 1.0 << 236 << 118;
    QTest::newRow("negative") << 600 << 600 << -0.2 << -47 << -47;
    // 254 per inch is 100 per cm: exact halves go to the even neighbour.
    QTest::newRow("halves") << 254 << 254 << 0.125 << 12 << 12;
    QTest::newRow("halves up") << 254 << 254 << 0.375 << 38 << 38;
    // 967.5 in decimal, but the double nearest 8.1915 lies just below it and
    // so does the product in extended precision.
    QTest::newRow("mark top") << 300 << 300 << 8.1915 << 967 << 967;
}

void TestPageGeometry::conversions()
{
    QFETCH(int, ppiX);
    QFETCH(int, ppiY);
    QFETCH(double, cm);
    const PageMetrics metrics(ppiX, ppiY, 0);
    QTEST(metrics.CmToPixelX(cm), "x");
    QTEST(metrics.CmToPixelY(cm), "y");
}

void TestPageGeometry::readsMetricsOfEachDevice()
{
    PageMetrics metrics;
    metrics.ReadPrinterMetrics(whiteImage(2480, 10, 300, 600));
    QCOMPARE(metrics.PixelsPerInchX(), 300);
    QCOMPARE(metrics.PixelsPerInchY(), 600);
    QCOMPARE(metrics.PhysicalPageWidth(), 2480);

    // Qt's A4 sheet is 595 points wide: 4958 pixels at 600 per inch, 2479 at
    // 300, margins or not.  A later job replaces all three values.
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath(QStringLiteral("page.pdf")));
    pdf.setResolution(600);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    metrics.ReadPrinterMetrics(pdf);
    QCOMPARE(metrics.PixelsPerInchX(), 600);
    QCOMPARE(metrics.PixelsPerInchY(), 600);
    QCOMPARE(metrics.PhysicalPageWidth(), 4958);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printer.pdf")));
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::A4));
    metrics.ReadPrinterMetrics(printer);
    QCOMPARE(metrics.PixelsPerInchX(), 300);
    QCOMPARE(metrics.PixelsPerInchY(), 300);
    QCOMPARE(metrics.PhysicalPageWidth(), 2479);
}

void TestPageGeometry::dottedLineDashes()
{
    // A dash is 0.025 cm and one starts every 0.075 cm: 6 of 18 pixels at 600
    // per inch, 3 of 9 at 300.  The end point is not painted, and the last
    // dash is cut at the line's end.  Under 51 per inch a dash rounds to no
    // pixels; the line still ends, one pixel every three.
    QImage fine = whiteImage(200, 40, 600, 300);
    QImage coarse = whiteImage(20, 20, 40, 40);
    {
        QPainter painter(&fine);
        const PrintCanvas canvas(painter, PageMetrics(600, 300, 200));
        DrawDottedLine(canvas, 100, 5, 110, 5);
        DrawDottedLine(canvas, 100, 10, 121, 10);
        DrawDottedLine(canvas, 20, 15, 20, 15);
        DrawDottedLine(canvas, 4, 2, 4, 22);
        QPainter coarsePainter(&coarse);
        const PrintCanvas coarseCanvas(coarsePainter, PageMetrics(40, 40, 20));
        DrawDottedLine(coarseCanvas, 0, 3, 10, 3);
    }
    QCOMPARE(painted(fine, 0, 5), range(100, 105));
    QCOMPARE(painted(fine, 0, 10), range(100, 105) + range(118, 120));
    QCOMPARE(painted(fine, 0, 15), QList<int>());
    QCOMPARE(painted(fine, 4, -1), range(2, 4) + range(11, 13) + range(20, 21));
    QCOMPARE(painted(coarse, 0, 3), (QList<int>{0, 3, 6, 9}));
}

void TestPageGeometry::digitBox_data()
{
    QTest::addColumn<int>("ppiX");
    QTest::addColumn<int>("ppiY");
    QTest::addColumn<QRect>("box");  // left, top and the two sizes in pixels
    QTest::addColumn<int>("dashes");

    // 2.155 cm is 509 pixels at 600 per inch and 255 at 300; 3.896 cm is 920
    // and 460.  Dashes start every 18 or 9 pixels short of the far edge: 7
    // along the width, 9 along the height, on each side.
    QTest::newRow("600x600") << 600 << 600 << QRect(509, 920, 110, 153) << 32;
    QTest::newRow("300x300") << 300 << 300 << QRect(255, 460, 55, 76) << 32;
    QTest::newRow("600x300") << 600 << 300 << QRect(509, 460, 110, 76) << 32;
}

void TestPageGeometry::digitBox()
{
    QFETCH(int, ppiX);
    QFETCH(int, ppiY);
    QFETCH(QRect, box);
    RecordingDevice device(ppiX, ppiY);
    {
        QPainter painter(&device);
        DrawDigitBox(PrintCanvas(painter, PageMetrics(ppiX, ppiY, 0)), 2.155, 3.896);
    }
    QTEST(int(device.lines.size()), "dashes");
    QRect covered;
    for (const RecordingDevice::Line &dash : device.lines) {
        QCOMPARE(dash.pen.style(), Qt::DotLine);
        QVERIFY(dash.line.dx() == 0 || dash.line.dy() == 0);
        covered |= QRect(dash.line.p1(), dash.line.p2()).normalized();
    }
    // QRect(p1, p2) holds both points: its right() and bottom() are the edges.
    QCOMPARE(covered.topLeft(), box.topLeft());
    QCOMPARE(covered.right(), box.x() + box.width());
    QCOMPARE(covered.bottom(), box.y() + box.height());
    QCOMPARE(device.lines.first().line, QLine(box.x(), box.y(), box.x() + ppiX / 100, box.y()));
}

QTEST_MAIN(TestPageGeometry)
#include "tst_pagegeometry.moc"
