#include "printing/pagegeometry.h"
#include "printing/pagelayout.h"
#include "recordingdevice.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

constexpr int Ppi = 600;

// Centimetres to pixels by the rule: pixels per centimetre in extended
// precision, times the distance, halves to even.  Some form positions sit on
// a half pixel in decimal (8.1915 cm at 300 per inch is 967.5), so the
// precision matters.
int toPixels(int ppi, double cm)
{
    return int(std::nearbyint(static_cast<long double>(ppi) / 2.54L * cm));
}

int px(double cm)
{
    return toPixels(Ppi, cm);
}

// A4 at 600 per inch.
constexpr int PageWidth = 4961;
constexpr int PageHeight = 7016;

struct Recording
{
    RecordingDevice device{Ppi, Ppi, PageWidth, PageHeight};

    explicit Recording(const std::function<void(const PrintCanvas &)> &draw)
    {
        const PageMetrics metrics(Ppi, Ppi, PageWidth);
        QPainter painter(&device);
        draw(PrintCanvas(painter, metrics));
    }

    // The texts whose cells start at the given pixel position; spaces leave
    // nothing on paper and are left out.
    QList<RecordingDevice::Text> textsAt(int x, int top) const
    {
        QList<RecordingDevice::Text> found;
        for (const RecordingDevice::Text &text : device.texts) {
            if (!text.text.trimmed().isEmpty() && std::lround(text.baseline.x()) == x
                && device.TextTop(text) == top)
                found.append(text);
        }
        return found;
    }

    // What each of the field's places holds, "" for an empty place.
    QStringList places(double firstX, int count, double y) const
    {
        QStringList held;
        for (int i = 0; i < count; ++i) {
            const auto found = textsAt(px(firstX + 0.57 * i), px(y));
            held.append(found.isEmpty() ? QString() : found.first().text);
        }
        return held;
    }

    int visibleTextCount() const
    {
        int count = 0;
        for (const RecordingDevice::Text &text : device.texts)
            count += text.text.trimmed().isEmpty() ? 0 : 1;
        return count;
    }

    bool hasText(const QString &wanted) const
    {
        for (const RecordingDevice::Text &text : device.texts) {
            if (text.text == wanted)
                return true;
        }
        return false;
    }

    RecordingDevice::Text text(const QString &wanted) const
    {
        for (const RecordingDevice::Text &text : device.texts) {
            if (text.text == wanted)
                return text;
        }
        return {};
    }
};

QStringList chars(const QString &places)
{
    QStringList held;
    for (QChar c : places)
        held.append(c == QLatin1Char(' ') ? QString() : QString(c));
    return held;
}

// Places holding an integer part: the last one carries the comma.
QStringList integerPlaces(const QString &places)
{
    QStringList held = chars(places);
    held.last() += QLatin1Char(',');
    return held;
}

} // namespace

class TestPageLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valueRowPlaces();
    void valueRowCutsLongNominalValueAndReadsCounts();
    void totals_data();
    void totals();
    void contactPersonUpperCasedRightAligned();
    void phoneAndSpecificSymbol();
    void supplierBlockWithContacts();
    void titleCentredAndStyleReset();
    void blankBoxes();
    void pageFormShapesAndMarks();
    void fontsFallBackToMatchingFaces();
};

void TestPageLayout::valueRowPlaces()
{
    const Recording slot0([](const PrintCanvas &canvas) {
        DrawValueRow(canvas, 0, QStringLiteral("5"), QStringLiteral("007"), QStringLiteral("35"));
    });
    const double y0 = 3.896;
    QCOMPARE(slot0.places(2.155, 3, y0), integerPlaces(QStringLiteral("  5")));
    QCOMPARE(slot0.places(3.985, 2, y0), chars(QStringLiteral("00")));
    QCOMPARE(slot0.places(5.525, 5, y0), chars(QStringLiteral("    7")));
    QCOMPARE(slot0.places(8.7293, 6, y0), integerPlaces(QStringLiteral("    35")));
    QCOMPARE(slot0.places(12.251, 2, y0), chars(QStringLiteral("00")));
    QCOMPARE(slot0.visibleTextCount(), 8);

    const RecordingDevice::Text digit = slot0.text(QStringLiteral("7"));
    QCOMPARE(digit.font.families().value(0), QStringLiteral("Courier New"));
    QCOMPARE(digit.font.pointSize(), 17);

    // Slot 20 lies at 3.896 + 20 × 1.0613 = 25.122 cm.
    const Recording slot20([](const PrintCanvas &canvas) {
        DrawValueRow(canvas, 20, QStringLiteral("246,9"), QStringLiteral("5"),
                     QStringLiteral("1234,5"));
    });
    const double y20 = 25.122;
    QCOMPARE(slot20.places(2.155, 3, y20), integerPlaces(QStringLiteral("246")));
    QCOMPARE(slot20.places(3.985, 2, y20), chars(QStringLiteral("90")));
    QCOMPARE(slot20.places(5.525, 5, y20), chars(QStringLiteral("    5")));
    QCOMPARE(slot20.places(8.7293, 6, y20), integerPlaces(QStringLiteral("  1234")));
    QCOMPARE(slot20.places(12.251, 2, y20), chars(QStringLiteral("50")));
}

void TestPageLayout::valueRowCutsLongNominalValueAndReadsCounts()
{
    const Recording recording([](const PrintCanvas &canvas) {
        DrawValueRow(canvas, 3, QStringLiteral("1000"), QStringLiteral("x1"), QStringLiteral("0"));
    });
    const double y = 3.896 + 3 * 1.0613;
    QCOMPARE(recording.places(2.155, 3, y), integerPlaces(QStringLiteral("100")));
    QCOMPARE(recording.places(5.525, 5, y), chars(QStringLiteral("    0")));
    QCOMPARE(recording.places(8.7293, 6, y), integerPlaces(QStringLiteral("     0")));
}

void TestPageLayout::totals_data()
{
    QTest::addColumn<QString>("totalCount");
    QTest::addColumn<QString>("totalValue");
    QTest::addColumn<QString>("countPlaces");
    QTest::addColumn<QString>("integerPlaces");
    QTest::addColumn<QString>("decimalPlaces");
    QTest::addColumn<QStringList>("notes");

    QTest::newRow("a million")
        << QStringLiteral("1234567") << QStringLiteral("1000000") << QStringLiteral("123456")
        << QStringLiteral("100000") << QStringLiteral("00")
        << QStringList{QStringLiteral("Celková nominálna hodnota:"),
                       QStringLiteral("1 000 000,00 €"),
                       QStringLiteral("Celkový pocet kupónov:"), QStringLiteral("1 234 567")};
    QTest::newRow("just under a million")
        << QStringLiteral("120") << QStringLiteral("999999,99") << QStringLiteral("   120")
        << QStringLiteral("999999") << QStringLiteral("99") << QStringList();
    QTest::newRow("seven count digits only")
        << QStringLiteral("0012345") << QStringLiteral("12,5") << QStringLiteral(" 12345")
        << QStringLiteral("    12") << QStringLiteral("50")
        << QStringList{QStringLiteral("Celkový pocet kupónov:"), QStringLiteral("0 012 345")};
    // The total value box reads back empty when the total is zero.
    QTest::newRow("empty total") << QStringLiteral("3") << QString() << QStringLiteral("     3")
                                 << QStringLiteral("     0") << QStringLiteral("00")
                                 << QStringList();
}

void TestPageLayout::totals()
{
    QFETCH(QString, totalCount);
    QFETCH(QString, totalValue);
    QFETCH(QStringList, notes);

    const Recording recording([&](const PrintCanvas &canvas) {
        DrawTotals(canvas, totalCount, totalValue);
    });
    const double y = 26.278;
    QFETCH(QString, countPlaces);
    QFETCH(QString, integerPlaces);
    QFETCH(QString, decimalPlaces);
    QCOMPARE(recording.places(4.9444, 6, y), chars(countPlaces));
    QCOMPARE(recording.places(8.7293, 6, y), ::integerPlaces(integerPlaces));
    QCOMPARE(recording.places(12.251, 2, y), chars(decimalPlaces));

    // The notes in the reserved box, one under the other, in Courier New 10.
    const int digitsInPlaces = int(QString(countPlaces + integerPlaces + decimalPlaces)
                                       .remove(QLatin1Char(' ')).size());
    QCOMPARE(recording.visibleTextCount(), digitsInPlaces + int(notes.size()));
    const bool valueNotes = notes.value(0) == QStringLiteral("Celková nominálna hodnota:");
    const double noteYs[] = {25.1969, 25.5469, 25.8969, 26.2469};
    for (int i = 0; i < notes.size(); ++i) {
        const double noteY = noteYs[valueNotes ? i : i + 2];
        const auto found = recording.textsAt(px(13.7), px(noteY));
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().text, notes.at(i));
        QCOMPARE(found.first().font.pointSize(), 10);
    }
}

void TestPageLayout::contactPersonUpperCasedRightAligned()
{
    const Recording accented([](const PrintCanvas &canvas) {
        DrawContactPerson(canvas, QStringLiteral("žofia čuš"));
    });
    QCOMPARE(accented.places(2.155, 12, 1.9823), chars(QStringLiteral("   ŽOFIA ČUŠ")));
    QCOMPARE(accented.text(QStringLiteral("Ž")).font.pointSize(), 19);

    const Recording tooLong([](const PrintCanvas &canvas) {
        DrawContactPerson(canvas, QStringLiteral("Ľudovít Štúrovi"));
    });
    QCOMPARE(tooLong.places(2.155, 12, 1.9823), chars(QStringLiteral("ĽUDOVÍT ŠTÚR")));
    QCOMPARE(tooLong.visibleTextCount(), 11);
}

void TestPageLayout::phoneAndSpecificSymbol()
{
    const Recording recording([](const PrintCanvas &canvas) {
        DrawPhone(canvas, QStringLiteral("02"), QStringLiteral("1234567"));
        DrawSpecificSymbol(canvas, QStringLiteral("0123456789"));
    });
    QCOMPARE(recording.places(9.7282, 4, 1.9823), chars(QStringLiteral("  02")));
    QCOMPARE(recording.places(12.4835, 8, 1.9823), chars(QStringLiteral(" 1234567")));
    QCOMPARE(recording.places(13.9, 10, 9.2025), chars(QStringLiteral("0123456789")));
    QCOMPARE(recording.visibleTextCount(), 2 + 7 + 10);
}

void TestPageLayout::supplierBlockWithContacts()
{
    const QString code = QStringLiteral("123456");
    const QString ico = QStringLiteral("35742364");
    const Recording recording([&](const PrintCanvas &canvas) {
        DrawSupplierBlockWithContacts(canvas, code, QStringLiteral("Pod Hradom"),
                                      QStringLiteral("Hlavná 12"), QStringLiteral("Nitra"), ico,
                                      QStringLiteral("ÁFax 02/55"),
                                      QStringLiteral("Info@Hrad.SK"));
    });
    const auto lineAt = [&](double x, double y) {
        const auto found = recording.textsAt(px(x), px(y));
        return found.isEmpty() ? QString() : found.first().text;
    };
    QCOMPARE(lineAt(13.8, 4.87), QStringLiteral("Pod Hradom"));
    QCOMPARE(lineAt(13.8, 5.37), QStringLiteral("Hlavná 12"));
    QCOMPARE(lineAt(13.8, 6.12), QStringLiteral("Nitra"));
    QCOMPARE(lineAt(13.8, 20.7), QStringLiteral("Fax a e-mail:"));
    QVERIFY(recording.text(QStringLiteral("Fax a e-mail:")).font.bold());
    // A to Z only are lowered; Á stays a capital.
    QCOMPARE(lineAt(13.9, 21.2), QStringLiteral("Áfax 02/55"));
    QCOMPARE(lineAt(13.9, 21.6), QStringLiteral("info@hrad.sk"));
    QVERIFY(!recording.text(QStringLiteral("info@hrad.sk")).font.bold());

    // Code and IČO end at 18.7 cm, in Courier New 15.
    for (const QString &number : {code, ico}) {
        const RecordingDevice::Text text = recording.text(number);
        QCOMPARE(text.font.pointSize(), 15);
        const int right = int(std::lround(text.baseline.x()))
                          + QFontMetrics(text.font, &recording.device).horizontalAdvance(number);
        QCOMPARE(right, px(18.7));
    }
    QCOMPARE(recording.device.TextTop(recording.text(code)), px(4.35));
    QCOMPARE(recording.device.TextTop(recording.text(ico)), px(7.1));
}

void TestPageLayout::titleCentredAndStyleReset()
{
    const QString title = QStringLiteral("S Ú P I S K A - 01");
    const Recording recording([&](const PrintCanvas &canvas) {
        DrawTitle(canvas, title);
        DrawCreationDate(canvas, QStringLiteral("06.12.2026"));
    });
    const RecordingDevice::Text drawn = recording.text(title);
    QVERIFY(drawn.font.bold());
    QVERIFY(drawn.font.underline());
    QCOMPARE(drawn.font.pointSize(), 12);
    const int width = QFontMetrics(drawn.font, &recording.device).horizontalAdvance(title);
    QCOMPARE(int(std::lround(drawn.baseline.x())), int(std::lround(PageWidth / 2.0 - width / 2.0)));
    QCOMPARE(recording.device.TextTop(drawn), px(0.5));

    const auto date = recording.textsAt(px(13.7), px(11.4));
    QCOMPARE(date.size(), 1);
    QVERIFY(!date.first().font.bold());
    QVERIFY(!date.first().font.underline());
}

void TestPageLayout::blankBoxes()
{
    const Recording recording([](const PrintCanvas &canvas) { DrawBlankBoxes(canvas); });

    // Every box's top edge and left edge start at its top-left corner.
    QSet<QPair<int, int>> horizontalStarts, verticalStarts;
    for (const RecordingDevice::Line &dash : recording.device.lines) {
        QCOMPARE(dash.pen.style(), Qt::DotLine);
        const QLine line = dash.line.toLine();
        (line.y1() == line.y2() ? horizontalStarts : verticalStarts)
            .insert({line.x1(), line.y1()});
    }
    const QSet<QPair<int, int>> corners = horizontalStarts & verticalStarts;

    QSet<QPair<int, int>> expected;
    const auto field = [&expected](int places, double x, double y) {
        for (int i = 0; i < places; ++i)
            expected.insert({px(x + 0.57 * i), px(y)});
    };
    for (int r = 0; r < 21; ++r) {
        const double y = 3.896 + 1.0613 * r;
        field(3, 2.155, y);
        field(2, 3.985, y);
        field(5, 5.525, y);
        field(6, 8.7293, y);
        field(2, 12.251, y);
    }
    field(6, 4.9444, 26.278);
    field(6, 8.7293, 26.278);
    field(2, 12.251, 26.278);
    field(3, 18.0306, 24.0607);
    field(12, 2.155, 1.9823);
    field(4, 9.7282, 1.9823);
    field(8, 12.4835, 1.9823);
    field(10, 13.9, 9.2025);
    QCOMPARE(expected.size(), 429);
    QCOMPARE(corners, expected);
    // 600 per inch: 7 dashes along each horizontal edge, 9 along each vertical.
    QCOMPARE(recording.device.lines.size(), 429 * 32);

    // The printed commas: two per row and one for the total value, Arial 10.
    QCOMPARE(recording.visibleTextCount(), 43);
    for (int r = 0; r < 21; ++r) {
        const int top = px(4.2 + 1.0613 * r);
        QCOMPARE(recording.textsAt(px(3.835), top).size(), 1);
        QCOMPARE(recording.textsAt(px(12.101), top).size(), 1);
    }
    const auto totalComma = recording.textsAt(px(12.101), px(26.582));
    QCOMPARE(totalComma.size(), 1);
    QCOMPARE(totalComma.first().text, QStringLiteral(","));
    QCOMPARE(totalComma.first().font.families().value(0), QStringLiteral("Arial"));
    QCOMPARE(totalComma.first().font.pointSize(), 10);
}

void TestPageLayout::pageFormShapesAndMarks()
{
    const Recording recording([](const PrintCanvas &canvas) { DrawPageForm(canvas); });
    // Pen widths: 0.04 cm is 9 pixels, 0.02 cm 5 and 0.01 cm 2.
    QMap<int, int> rectsByWidth, linesByWidth;
    for (const RecordingDevice::Rect &rect : recording.device.rects) {
        if (rect.brush.style() == Qt::NoBrush)
            ++rectsByWidth[rect.pen.width()];
    }
    for (const RecordingDevice::Line &line : recording.device.lines)
        ++linesByWidth[line.pen.width()];
    QCOMPARE(rectsByWidth, (QMap<int, int>{{9, 8}, {5, 1}}));
    QCOMPARE(linesByWidth, (QMap<int, int>{{9, 6}, {5, 2}, {2, 20}}));

    // The value table and a row rule (k = 7 coincides with the 0.04 cm line).
    bool tableFound = false;
    for (const RecordingDevice::Rect &rect : recording.device.rects)
        tableFound |= rect.rect.toRect() == QRect(QPoint(px(1.907), px(3.6916)),
                                                  QPoint(px(13.543), px(25.9789))).adjusted(0, 0, -1, -1);
    QVERIFY(tableFound);
    int rulesAtRow7 = 0;
    for (const RecordingDevice::Line &line : recording.device.lines)
        rulesAtRow7 += line.line.y1() == px(3.6916 + 1.0613 * 7) ? 1 : 0;
    QCOMPARE(rulesAtRow7, 2);

    QCOMPARE(recording.visibleTextCount(), 13);
    QVERIFY(recording.hasText(QStringLiteral("Dátum, pečiatka a podpis dodávateľa:")));
    QVERIFY(recording.text(QStringLiteral("IČO:")).font.bold());
    QVERIFY(!recording.text(QStringLiteral("SPOLU:")).font.bold());
    QCOMPARE(recording.text(QStringLiteral("SPOLU:")).font.pointSize(), 14);

    // The registration marks, in pixels of a 300 per inch page: 0.5 cm is 59
    // pixels; each square is black inside and white just outside.
    QImage image(2480, 3508, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    {
        const PageMetrics metrics(300, 300, image.width());
        QPainter painter(&image);
        const PrintCanvas canvas(painter, metrics);
        DrawRegistrationMarks(canvas);
        QCOMPARE(painter.brush().style(), Qt::SolidPattern);
        QCOMPARE(painter.brush().color(), QColor(Qt::black));
    }
    const auto at300 = [](double cm) { return toPixels(300, cm); };
    const double marks[][2] = {{1.1575, 1.1684}, {19.2888, 8.1915}, {1.907, 27.424}, {11.4272, 27.424}};
    for (const auto &mark : marks) {
        const int left = at300(mark[0]);
        const int top = at300(mark[1]);
        QCOMPARE(image.pixel(left, top), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(left + 58, top + 58), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(left - 1, top + 30), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(left + 59, top + 30), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(left + 30, top + 59), qRgb(255, 255, 255));
    }
}

void TestPageLayout::fontsFallBackToMatchingFaces()
{
    // Whatever faces stand in for the Windows fonts, the boxes need one
    // character per place: the Courier New stand-in must be monospaced.
    QImage image(100, 100, QImage::Format_RGB32);
    image.setDotsPerMeterX(23622);
    image.setDotsPerMeterY(23622);
    const PageMetrics metrics(600, 600, 100);
    QPainter painter(&image);
    const PrintCanvas canvas(painter, metrics);
    canvas.SetFont(FontCourierNew(), 17);
    QVERIFY(QFontInfo(painter.font()).fixedPitch());
    QCOMPARE(painter.fontMetrics().horizontalAdvance(QStringLiteral("W")),
             painter.fontMetrics().horizontalAdvance(QStringLiteral("i")));
    // 17 points at 600 per inch: 17 × 600 / 72 pixels.
    QCOMPARE(painter.fontInfo().pixelSize(), 142);
    canvas.SetFont(FontArial(), 12);
    QVERIFY(!QFontInfo(painter.font()).fixedPitch());
}

QTEST_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
