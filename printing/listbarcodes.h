#pragma once

#include <QString>

class PrintCanvas;

// The five barcodes of every page of the voucher list.  They share the one
// barcode object of the program, whose settings carry from one barcode to the
// next, so the flows call the three routines in this order, once per page,
// right after the title.  Positions are pixels, converted by the caller from
// the form's centimetres.  A code or IČO that is not numeric raises
// BarcodeError ("Barcode must be numeric") before its barcode is painted.

// "030829" upright at the left edge; called at 0.8 cm, 23.0 cm.
void DrawFixedBarcode(const PrintCanvas &canvas, int x, int y);

// Code, IČO and "0001" in the reserved box; called at 13.843 cm, 16.7272 cm.
void DrawReservedBarcodes(const PrintCanvas &canvas, int x, int y,
                          const QString &establishmentCode, const QString &ico);

// The code in Code 39 under the reserved box's line; called at 13.843 cm,
// 18.8498 cm.
void DrawEstablishmentCodeBarcode(const PrintCanvas &canvas, int x, int y,
                                  const QString &establishmentCode);

