#include "listbarcodes.h"

#include "barcode/barcode.h"
#include "pagegeometry.h"

#include <QPainter>

namespace {

// Created when the program starts and kept until it ends: a barcode that sets
// no Ratio or Typ of its own draws with what the one before it left.
TBarcodeObject barcodeObject;

void prepareCanvas(const PrintCanvas &canvas)
{
    QPainter &painter = canvas.Painter();
    painter.setBrush(QBrush(Qt::white, Qt::NoBrush));
    QPen pen = painter.pen();
    pen.setColor(Qt::black);
    pen.setStyle(Qt::SolidLine);
    painter.setPen(pen);
}

} // namespace

void DrawFixedBarcode(const PrintCanvas &canvas, int x, int y)
{
    prepareCanvas(canvas);
    TBarcodeObject &barcode = barcodeObject;
    barcode.SetHeight(canvas.CmToPixelY(1.0));
    barcode.SetText(QStringLiteral("030829"));
    barcode.SetTop(y);
    barcode.SetLeft(x);
    barcode.SetModul(canvas.CmToPixelX(0.055));
    barcode.SetRatio(2.0);
    barcode.SetTyp(bcCode_2_5_interleaved);
    barcode.SetAngle(90);
    barcode.PaintBarcode(canvas.Painter());
}

void DrawReservedBarcodes(const PrintCanvas &canvas, int x, int y,
                          const QString &establishmentCode, const QString &ico)
{
    prepareCanvas(canvas);
    TBarcodeObject &barcode = barcodeObject;
    const int top = y + canvas.CmToPixelY(-0.2);
    const int height = canvas.CmToPixelY(0.8);

    // Each is fitted to its target width: Width is assigned after the text,
    // so the module follows the number of digits.
    barcode.SetHeight(height);
    barcode.SetText(establishmentCode);
    barcode.SetTop(top);
    barcode.SetLeft(x + canvas.CmToPixelX(-0.1));
    barcode.SetTyp(bcCode_2_5_interleaved);
    barcode.SetWidth(canvas.CmToPixelX(2.2));
    barcode.SetAngle(0);
    barcode.PaintBarcode(canvas.Painter());

    barcode.SetHeight(height);
    barcode.SetText(ico);
    barcode.SetTop(top);
    barcode.SetLeft(x + canvas.CmToPixelX(3.1));
    barcode.SetWidth(canvas.CmToPixelX(2.9));
    barcode.PaintBarcode(canvas.Painter());

    barcode.SetHeight(height);
    barcode.SetText(QStringLiteral("0001"));
    barcode.SetTop(y + canvas.CmToPixelY(0.85));
    barcode.SetLeft(x + canvas.CmToPixelX(2.2));
    barcode.SetTyp(bcCode_2_5_interleaved);
    barcode.SetWidth(canvas.CmToPixelX(1.4));
    barcode.PaintBarcode(canvas.Painter());
}

void DrawEstablishmentCodeBarcode(const PrintCanvas &canvas, int x, int y,
                                  const QString &establishmentCode)
{
    prepareCanvas(canvas);
    TBarcodeObject &barcode = barcodeObject;
    barcode.SetHeight(canvas.CmToPixelY(0.4));
    barcode.SetText(establishmentCode);
    barcode.SetTop(y + canvas.CmToPixelY(-0.2));
    barcode.SetLeft(x + canvas.CmToPixelX(1.05));
    barcode.SetModul(canvas.CmToPixelX(0.04));
    barcode.SetRatio(2.0);
    barcode.SetTyp(bcCode39);
    barcode.SetAngle(0);
    barcode.PaintBarcode(canvas.Painter());
}
