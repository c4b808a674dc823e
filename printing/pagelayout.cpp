#include "pagelayout.h"

#include "common/amount.h"
#include "common/textscan.h"
#include "common/userlocale.h"
#include "pagegeometry.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The character places of the form: a field holds one character every
// 0.57 cm from its first place.
struct Field
{
    int places;
    double x;
};

constexpr double PlaceStep = 0.57;

constexpr Field ContactPersonField{12, 2.155};
constexpr Field PhonePrefixField{4, 9.7282};
constexpr Field PhoneNumberField{8, 12.4835};
constexpr Field NominalIntegerField{3, 2.155};
constexpr Field NominalDecimalsField{2, 3.985};
constexpr Field CountField{5, 5.525};
constexpr Field ValueIntegerField{6, 8.7293};
constexpr Field ValueDecimalsField{2, 12.251};
constexpr Field TotalCountField{6, 4.9444};
constexpr Field TotalValueIntegerField{6, 8.7293};
constexpr Field TotalValueDecimalsField{2, 12.251};
constexpr Field SpecificSymbolField{10, 13.9};
constexpr Field ReservedSmallField{3, 18.0306};

constexpr double FieldsLineY = 1.9823;
constexpr double TotalsY = 26.278;
constexpr double SpecificSymbolY = 9.2025;
constexpr double ReservedSmallY = 24.0607;

constexpr int RowSlots = 21;
constexpr double TableLeft = 1.907;
constexpr double TableRight = 13.543;
constexpr double TableTop = 3.6916;
constexpr double RowHeight = 1.0613;

double rowPlacesY(int rowSlot)
{
    return 3.896 + RowHeight * rowSlot;
}

// One character per place, right-aligned by padding; a longer text keeps its
// first characters.  An integer part carries the decimal comma with its last
// place, so the comma sits right of the units digit whatever the digits are.
void drawBoxText(const PrintCanvas &canvas, const Field &field, double y, const QString &text,
                 bool trailingComma = false)
{
    const QString padded =
        PadLeft(text, QLatin1Char(' '), std::max<int>(field.places, int(text.size())));
    const int top = canvas.CmToPixelY(y);
    for (int i = 0; i < field.places; ++i) {
        QString character = padded.at(i);
        if (trailingComma && i == field.places - 1)
            character += QLatin1Char(',');
        canvas.TextAt(canvas.CmToPixelX(field.x + PlaceStep * i), top, character);
    }
}

// An amount for its places: the integer part and exactly two decimals.  An
// empty text stands for zero (the total value box reads back empty then).
struct AmountPlaces
{
    QString integerPart;
    QString decimals;
};

AmountPlaces splitAmount(const QString &amount)
{
    const QString complete =
        CompleteAmountDecimals(amount.isEmpty() ? QStringLiteral("0") : amount, true);
    return {complete.chopped(3), complete.right(2)};
}

void drawAmount(const PrintCanvas &canvas, const Field &integerField, const Field &decimalsField,
                double y, const QString &amount)
{
    const AmountPlaces places = splitAmount(amount);
    drawBoxText(canvas, integerField, y, places.integerPart, true);
    drawBoxText(canvas, decimalsField, y, places.decimals);
}

// A count read as an integer, 0 when it is not one, in plain digits.
QString countDigits(const QString &count)
{
    bool ok = false;
    const qlonglong value = count.toLongLong(&ok);
    return QString::number(ok ? value : 0);
}

void setClearBrushBlackPen(const PrintCanvas &canvas)
{
    QPainter &painter = canvas.Painter();
    painter.setBrush(Qt::NoBrush);
    QPen pen = painter.pen();
    pen.setColor(Qt::black);
    painter.setPen(pen);
}

void setFormPen(const PrintCanvas &canvas, double widthCm)
{
    QPainter &painter = canvas.Painter();
    QPen pen(Qt::black);
    pen.setStyle(Qt::SolidLine);
    pen.setWidth(canvas.CmToPixelX(widthCm));
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
}

void rectangleCm(const PrintCanvas &canvas, double left, double top, double right, double bottom)
{
    const QPoint topLeft(canvas.CmToPixelX(left), canvas.CmToPixelY(top));
    const QPoint bottomRight(canvas.CmToPixelX(right), canvas.CmToPixelY(bottom));
    canvas.Painter().drawRect(QRectF(topLeft, bottomRight));
}

void lineCm(const PrintCanvas &canvas, double x1, double y1, double x2, double y2)
{
    canvas.Painter().drawLine(canvas.CmToPixelX(x1), canvas.CmToPixelY(y1),
                              canvas.CmToPixelX(x2), canvas.CmToPixelY(y2));
}

struct FormLabel
{
    const char *text;
    double x;
    double y;
    int pointSize;
    bool bold;
};

// UTF-8 literals; the form's labels are fixed Slovak texts.
constexpr FormLabel FormLabels[] = {
    {"Kontaktná osoba:", 2.155, 1.4, 8, false},
    {"Telefón:", 9.7282, 1.4, 8, false},
    {"Nominálna hodnota:", 2.155, 3.3, 8, false},
    {"Počet kupónov:", 5.525, 3.3, 8, false},
    {"Celková hodnota kupónov:", 8.7293, 3.3, 8, false},
    {"Špecifický symbol:", 13.791, 8.6202, 8, false},
    {"Dátum, pečiatka a podpis dodávateľa:", 13.791, 10.7428, 8, true},
    {"Vyhradené pre účely", 13.791, 15.7, 8, true},
    {"KORVELLA s.r.o.:", 13.791, 16.0493, 8, true},
    {"Kód", 17.2, 3.9, 9, false},
    {"Dodávateľ:", 13.791, 4.35, 12, true},
    {"IČO:", 13.791, 7.2, 11, true},
    {"SPOLU:", 2.193, 26.45, 14, false},
};

// Lower-cases A to Z only: accented capitals in fax and e-mail stay as typed.
QString lowerAsciiLetters(QString text)
{
    for (QChar &c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return text;
}

void textRightAlignedAt(const PrintCanvas &canvas, double rightCm, double yCm, const QString &text)
{
    canvas.TextAt(canvas.CmToPixelX(rightCm) - canvas.TextWidth(text), canvas.CmToPixelY(yCm), text);
}

} // namespace

void DrawPageForm(const PrintCanvas &canvas)
{
    QPainter &painter = canvas.Painter();
    painter.setBrush(Qt::NoBrush);

    setFormPen(canvas, 0.04);
    rectangleCm(canvas, 4.6964, 26.0736, 13.543, 27.1743);     // totals row
    lineCm(canvas, 8.4813, 26.0739, 8.4813, 27.1743);          // totals divider
    rectangleCm(canvas, 1.907, 1.7779, 9.186, 2.8392);         // contact person
    rectangleCm(canvas, 9.4802, 1.7779, 17.1635, 2.8392);      // telephone
    lineCm(canvas, 12.0939, 2.5559, 12.2577, 2.0101);          // slash prefix / number
    rectangleCm(canvas, 13.543, 8.9981, 19.9367, 10.0594);     // specific symbol
    rectangleCm(canvas, 13.543, 11.1207, 19.9367, 15.3659);    // date, stamp, signature
    rectangleCm(canvas, 13.543, 16.4272, 19.9367, 27.1743);    // reserved box
    lineCm(canvas, 13.543, 18.5498, 19.9367, 18.5498);
    lineCm(canvas, 13.543, 24.9176, 19.9367, 24.9176);
    rectangleCm(canvas, 17.7826, 23.8563, 19.9367, 24.9176);   // small box in the reserved box
    rectangleCm(canvas, TableLeft, TableTop, TableRight, 25.9789); // value table
    lineCm(canvas, TableLeft, 11.1207, TableRight, 11.1207);   // after the 7th row
    lineCm(canvas, TableLeft, 18.5498, TableRight, 18.5498);   // after the 14th row

    setFormPen(canvas, 0.02);
    rectangleCm(canvas, TableLeft, 3.1916, TableRight, TableTop); // heading row
    lineCm(canvas, 5.277, 3.1916, 5.277, 25.9789);
    lineCm(canvas, 8.4813, 3.1916, 8.4813, 25.9789);

    setFormPen(canvas, 0.01);
    for (int k = 1; k < RowSlots; ++k) {
        const double y = TableTop + RowHeight * k;
        lineCm(canvas, TableLeft, y, TableRight, y);
    }

    for (const FormLabel &label : FormLabels) {
        canvas.SetFont(FontArial(), label.pointSize);
        canvas.SetFontStyle(label.bold);
        canvas.TextAtCm(label.x, label.y, QString::fromUtf8(label.text));
    }
    canvas.SetFontStyle(false);

    DrawRegistrationMarks(canvas);
}

void DrawRegistrationMarks(const PrintCanvas &canvas)
{
    // The voucher company's scanner aligns the sheet on these four squares.
    static constexpr double Marks[][2] = {
        {1.1575, 1.1684}, {19.2888, 8.1915}, {1.907, 27.424}, {11.4272, 27.424}};
    QPainter &painter = canvas.Painter();
    painter.setBrush(QBrush(Qt::black, Qt::SolidPattern));
    for (const auto &mark : Marks) {
        const int left = canvas.CmToPixelX(mark[0]);
        const int top = canvas.CmToPixelY(mark[1]);
        const int right = left + canvas.CmToPixelX(0.5);
        const int bottom = top + canvas.CmToPixelY(0.5);
        painter.fillRect(QRect(left, top, right - left, bottom - top), painter.brush());
    }
}

void DrawBlankBoxes(const PrintCanvas &canvas)
{
    const auto boxes = [&canvas](const Field &field, double y) {
        for (int i = 0; i < field.places; ++i)
            DrawDigitBox(canvas, field.x + PlaceStep * i, y);
    };

    for (int r = 0; r < RowSlots; ++r) {
        const double y = rowPlacesY(r);
        boxes(NominalIntegerField, y);
        boxes(NominalDecimalsField, y);
        boxes(CountField, y);
        boxes(ValueIntegerField, y);
        boxes(ValueDecimalsField, y);
    }
    boxes(TotalCountField, TotalsY);
    boxes(TotalValueIntegerField, TotalsY);
    boxes(TotalValueDecimalsField, TotalsY);
    boxes(ReservedSmallField, ReservedSmallY);
    boxes(ContactPersonField, FieldsLineY);
    boxes(PhonePrefixField, FieldsLineY);
    boxes(PhoneNumberField, FieldsLineY);
    boxes(SpecificSymbolField, SpecificSymbolY);

    canvas.Painter().setBrush(Qt::NoBrush);
    setFormPen(canvas, 0.04);
    canvas.SetFont(FontArial(), 10);
    canvas.SetFontStyle(false);
    const QString comma(QLatin1Char(','));
    for (int r = 0; r < RowSlots; ++r) {
        const double y = 4.2 + RowHeight * r;
        canvas.TextAtCm(3.835, y, comma);
        canvas.TextAtCm(12.101, y, comma);
    }
    canvas.TextAtCm(12.101, 26.582, comma);
}

void DrawTitle(const PrintCanvas &canvas, const QString &title)
{
    setClearBrushBlackPen(canvas);
    canvas.SetFont(FontArial(), 12);
    canvas.SetFontStyle(true, true);
    // Centred on half the sheet measured from the printable area's left edge,
    // as the form has always been printed.
    const int x = int(std::nearbyint(canvas.Metrics().PhysicalPageWidth() / 2.0
                                     - canvas.TextWidth(title) / 2.0));
    canvas.TextAt(x, canvas.CmToPixelY(0.5), title);
    canvas.SetFontStyle(false);
}

void DrawValueRow(const PrintCanvas &canvas, int rowSlot, const QString &nominalValue,
                  const QString &count, const QString &value)
{
    canvas.SetFont(FontCourierNew(), 17);
    const double y = rowPlacesY(rowSlot);
    drawAmount(canvas, NominalIntegerField, NominalDecimalsField, y, nominalValue);
    drawBoxText(canvas, CountField, y, countDigits(count));
    drawAmount(canvas, ValueIntegerField, ValueDecimalsField, y, value);
}

void DrawTotals(const PrintCanvas &canvas, const QString &totalCount, const QString &totalValue)
{
    canvas.SetFont(FontCourierNew(), 17);
    drawBoxText(canvas, TotalCountField, TotalsY, countDigits(totalCount));
    drawAmount(canvas, TotalValueIntegerField, TotalValueDecimalsField, TotalsY, totalValue);

    const std::optional<Amount> total = Amount::fromText(totalValue);
    if (total && total->raw() >= 1000000 * Amount::Scale) {
        canvas.SetFont(FontCourierNew(), 10);
        canvas.TextAtCm(13.7, 25.1969, QStringLiteral("Celková nominálna hodnota:"));
        canvas.TextAtCm(13.7, 25.5469,
                        FormatAmountGrouped(totalValue, true) + QStringLiteral(" €"));
    }
    if (totalCount.size() > TotalCountField.places) {
        canvas.SetFont(FontCourierNew(), 10);
        canvas.TextAtCm(13.7, 25.8969, QStringLiteral("Celkový pocet kupónov:"));
        canvas.TextAtCm(13.7, 26.2469, FormatAmountGrouped(totalCount, false));
    }
}

void DrawContactPerson(const PrintCanvas &canvas, const QString &contactPerson)
{
    canvas.SetFont(FontCourierNew(), 19);
    drawBoxText(canvas, ContactPersonField, FieldsLineY, UserLocale().toUpper(contactPerson));
}

void DrawPhone(const PrintCanvas &canvas, const QString &prefix, const QString &number)
{
    canvas.SetFont(FontCourierNew(), 17);
    drawBoxText(canvas, PhonePrefixField, FieldsLineY, prefix);
    drawBoxText(canvas, PhoneNumberField, FieldsLineY, number);
}

void DrawSpecificSymbol(const PrintCanvas &canvas, const QString &specificSymbol)
{
    canvas.SetFont(FontCourierNew(), 17);
    drawBoxText(canvas, SpecificSymbolField, SpecificSymbolY, specificSymbol);
}

void DrawCreationDate(const PrintCanvas &canvas, const QString &date)
{
    canvas.SetFont(FontCourierNew(), 12);
    canvas.TextAtCm(13.7, 11.4, date);
}

void DrawSupplierAddress(const PrintCanvas &canvas, const QString &code, const QString &name,
                         const QString &streetAndNumber, const QString &city, const QString &ico)
{
    canvas.SetFont(FontCourierNew(), 12);
    canvas.TextAtCm(13.8, 4.87, name);
    canvas.TextAtCm(13.8, 5.37, streetAndNumber);
    canvas.TextAtCm(13.8, 6.12, city);

    // Code and IČO end under the label "Kód", on the lines of their labels.
    canvas.SetFont(FontCourierNew(), 15);
    textRightAlignedAt(canvas, 18.7, 4.35, code);
    textRightAlignedAt(canvas, 18.7, 7.1, ico);
}

void DrawSupplierBlockWithContacts(const PrintCanvas &canvas, const QString &code,
                                   const QString &name, const QString &streetAndNumber,
                                   const QString &city, const QString &ico, const QString &fax,
                                   const QString &email)
{
    DrawSupplierAddress(canvas, code, name, streetAndNumber, city, ico);

    setClearBrushBlackPen(canvas);
    canvas.SetFont(FontCourierNew(), 11);
    canvas.SetFontStyle(true);
    canvas.TextAtCm(13.8, 20.7, QStringLiteral("Fax a e-mail:"));
    canvas.SetFontStyle(false);

    canvas.SetFont(FontCourierNew(), 9);
    canvas.TextAtCm(13.9, 21.2, lowerAsciiLetters(fax));
    canvas.TextAtCm(13.9, 21.6, lowerAsciiLetters(email));
}
