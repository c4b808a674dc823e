#include "printing/pagegeometry.h"
#include "recordingdevice.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A white image of the given resolution in pixels per inch.
QImage whiteImage(int width, int height, int ppiX, int ppiY)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(ppiX / 0.0254));
    image.setDotsPerMeterY(qRound(ppiY / 0.0254));
    return image;
}

bool isBlack(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// The painted x positions along row y.
QList<int> paintedColumns(const QImage &image, int y)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        if (isBlack(image, x, y))
            columns.append(x);
    }
    return columns;
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
    void halfwayGoesToEven();
    void readsMetricsOfEachDevice();
    void dottedLineDashes();
    void verticalDashesFollowVerticalResolution();
    void dottedLineEndsAtLowResolution();
    void digitBox_data();
    void digitBox();
};

void TestPageGeometry::conversions_data()
{
    QTest::addColumn<int>("ppiX");
    QTest::addColumn<int>("ppiY");
    QTest::addColumn<double>("cm");
    QTest::addColumn<int>("expectedX");
    QTest::addColumn<int>("expectedY");

    // 600 / 2.54 = 236.2205 pixels per cm; 300 / 2.54 = 118.1102.
    QTest::newRow("600 dash") << 600 << 600 << 0.025 << 6 << 6;
    QTest::newRow("600 box width") << 600 << 600 << 0.4645 << 110 << 110;
    QTest::newRow("600 place step") << 600 << 600 << 0.57 << 135 << 135;
    QTest::newRow("600 one cm") << 600 << 600 << 1.0 << 236 << 236;
    QTest::newRow("600 box height") << 600 << 600 << 0.6463 << 153 << 153;
    QTest::newRow("600 row height") << 600 << 600 << 1.0613 << 251 << 251;
    QTest::newRow("600 negative") << 600 << 600 << -0.2 << -47 << -47;
    QTest::newRow("300 dash") << 300 << 300 << 0.025 << 3 << 3;
    QTest::newRow("300 box width") << 300 << 300 << 0.4645 << 55 << 55;
    QTest::newRow("300 one cm") << 300 << 300 << 1.0 << 118 << 118;
    QTest::newRow("300 box height") << 300 << 300 << 0.6463 << 76 << 76;
    // 8.1915 cm is 967.5 pixels in decimal, but the double nearest to 8.1915
    // lies just below it, and so does the product in extended precision.
    QTest::newRow("300 mark top") << 300 << 300 << 8.1915 << 967 << 967;
    QTest::newRow("600x300 box") << 600 << 300 << 0.4645 << 110 << 55;
    QTest::newRow("600x300 height") << 600 << 300 << 0.6463 << 153 << 76;
}

void TestPageGeometry::conversions()
{
    QFETCH(int, ppiX);
    QFETCH(int, ppiY);
    QFETCH(double, cm);
    const PageMetrics metrics(ppiX, ppiY, 0);
    QTEST(metrics.CmToPixelX(cm), "expectedX");
    QTEST(metrics.CmToPixelY(cm), "expectedY");
}

void TestPageGeometry::halfwayGoesToEven()
{
    // 254 pixels per inch is exactly 100 per cm: 0.125 cm is 12.5 and 0.375
    // cm 37.5 pixels, both exact in binary.
    const PageMetrics metrics(254, 254, 0);
    QCOMPARE(metrics.CmToPixelX(0.125), 12);
    QCOMPARE(metrics.CmToPixelX(0.375), 38);
    QCOMPARE(metrics.CmToPixelY(-0.125), -12);
}

void TestPageGeometry::readsMetricsOfEachDevice()
{
    // Qt's A4 sheet is 595 points wide: 4958 pixels at 600 per inch, 2479 at
    // 300; an image is as wide as it is.
    PageMetrics metrics;
    QCOMPARE(metrics.PixelsPerInchX(), 0);

    const QImage image = whiteImage(2480, 10, 300, 600);
    metrics.ReadPrinterMetrics(image);
    QCOMPARE(metrics.PixelsPerInchX(), 300);
    QCOMPARE(metrics.PixelsPerInchY(), 600);
    QCOMPARE(metrics.PhysicalPageWidth(), 2480);

    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath(QStringLiteral("page.pdf")));
    pdf.setResolution(600);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    metrics.ReadPrinterMetrics(pdf);
    QCOMPARE(metrics.PixelsPerInchX(), 600);
    QCOMPARE(metrics.PixelsPerInchY(), 600);
    QCOMPARE(metrics.PhysicalPageWidth(), 4958);

    // A later job on another printer replaces all three values.
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
    // At 600 per inch a dash is 6 pixels and one starts every 18; the end
    // point of a dash and of the line is not painted.
    QImage image = whiteImage(200, 20, 600, 600);
    const PageMetrics metrics(600, 600, 200);
    {
        QPainter painter(&image);
        const PrintCanvas canvas(painter, metrics);
        DrawDottedLine(canvas, 100, 5, 110, 5);
        DrawDottedLine(canvas, 100, 10, 121, 10);
        DrawDottedLine(canvas, 20, 15, 20, 15);
    }
    QCOMPARE(paintedColumns(image, 5), range(100, 105));
    QCOMPARE(paintedColumns(image, 10), range(100, 105) + range(118, 120));
    QCOMPARE(paintedColumns(image, 15), QList<int>());
}

void TestPageGeometry::verticalDashesFollowVerticalResolution()
{
    // 300 per inch vertically: dashes of 3 pixels every 9.
    QImage image = whiteImage(10, 40, 600, 300);
    const PageMetrics metrics(600, 300, 10);
    {
        QPainter painter(&image);
        DrawDottedLine(PrintCanvas(painter, metrics), 4, 2, 4, 22);
    }
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (isBlack(image, 4, y))
            rows.append(y);
    }
    QCOMPARE(rows, range(2, 4) + range(11, 13) + range(20, 21));
}

void TestPageGeometry::dottedLineEndsAtLowResolution()
{
    // Under 51 per inch a dash rounds to no pixels; the line still ends, one
    // pixel every three.
    QImage image = whiteImage(20, 20, 40, 40);
    const PageMetrics metrics(40, 40, 20);
    {
        QPainter painter(&image);
        const PrintCanvas canvas(painter, metrics);
        DrawDottedLine(canvas, 0, 3, 10, 3);
        DrawDottedLine(canvas, 15, 5, 15, 15);
    }
    QCOMPARE(paintedColumns(image, 3), (QList<int>{0, 3, 6, 9}));
    QVERIFY(isBlack(image, 15, 14));
}

void TestPageGeometry::digitBox_data()
{
    QTest::addColumn<int>("ppiX");
    QTest::addColumn<int>("ppiY");
    QTest::addColumn<QRect>("frame");   // left, top, right, bottom as x, y, width, height
    QTest::addColumn<int>("horizontalDashes");
    QTest::addColumn<int>("verticalDashes");

    // 2.155 cm is 509 pixels at 600 per inch and 255 at 300; 3.896 cm is 920
    // and 460.  Dashes start every 18 (600) or 9 (300) pixels up to the far edge.
    QTest::newRow("600x600") << 600 << 600 << QRect(509, 920, 110, 153) << 7 << 9;
    QTest::newRow("300x300") << 300 << 300 << QRect(255, 460, 55, 76) << 7 << 9;
    QTest::newRow("600x300") << 600 << 300 << QRect(509, 460, 110, 76) << 7 << 9;
}

void TestPageGeometry::digitBox()
{
    QFETCH(int, ppiX);
    QFETCH(int, ppiY);
    QFETCH(QRect, frame);
    QFETCH(int, horizontalDashes);
    QFETCH(int, verticalDashes);

    RecordingDevice device(ppiX, ppiY, 2000, 2000);
    const PageMetrics metrics(ppiX, ppiY, 2000);
    {
        QPainter painter(&device);
        DrawDigitBox(PrintCanvas(painter, metrics), 2.155, 3.896);
    }
    const int left = frame.x();
    const int top = frame.y();
    const int right = left + frame.width();
    const int bottom = top + frame.height();

    int top_ = 0, bottom_ = 0, left_ = 0, right_ = 0;
    for (const RecordingDevice::Line &dash : device.lines) {
        QCOMPARE(dash.pen.style(), Qt::DotLine);
        QCOMPARE(dash.pen.color(), QColor(Qt::black));
        const QLine line = dash.line.toLine();
        if (line.y1() == line.y2()) {
            QVERIFY(line.x1() >= left && line.x2() <= right);
            QVERIFY(line.y1() == top || line.y1() == bottom);
            ++(line.y1() == top ? top_ : bottom_);
        } else {
            QCOMPARE(line.x1(), line.x2());
            QVERIFY(line.y1() >= top && line.y2() <= bottom);
            QVERIFY(line.x1() == left || line.x1() == right);
            ++(line.x1() == left ? left_ : right_);
        }
    }
    QCOMPARE(top_, horizontalDashes);
    QCOMPARE(bottom_, horizontalDashes);
    QCOMPARE(left_, verticalDashes);
    QCOMPARE(right_, verticalDashes);
    // The first dash of the top edge starts at the corner, the last ends at
    // the right edge.
    QCOMPARE(device.lines.first().line.toLine(), QLine(left, top, left + ppiX / 100, top));
    QCOMPARE(device.lines.at(horizontalDashes - 1).line.x2(), qreal(right));
}

QTEST_MAIN(TestPageGeometry)
#include "tst_pagegeometry.moc"
