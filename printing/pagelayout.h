#pragma once

#include <QString>

class PrintCanvas;

// The blocks of the A4 voucher list form.  Each sets the font, pen and brush
// it needs and leaves them so; the print flows call them in a fixed order
// (form first, then title, barcodes, supplier block and fields).  All texts
// are as the main window holds them: amounts with a decimal comma and no
// grouping, counts as integer texts.

// Frames, rules, fixed labels and the registration marks.  Leaves a solid
// black brush behind.
void DrawPageForm(const PrintCanvas &canvas);
void DrawRegistrationMarks(const PrintCanvas &canvas);

// Blank page only: a character box for every place of the value rows, the
// totals and the text fields, and the printed decimal commas.
void DrawBlankBoxes(const PrintCanvas &canvas);

// The title centred on half the sheet width, bold and underlined.
void DrawTitle(const PrintCanvas &canvas, const QString &title);

// Filled page only: one of the 21 row slots (0 to 20) of a page.
void DrawValueRow(const PrintCanvas &canvas, int rowSlot, const QString &nominalValue,
                  const QString &count, const QString &value);

// Filled page only, once after the last row.  An empty total value counts as
// zero.  Figures too long for the boxes are repeated in full in the reserved
// box.
void DrawTotals(const PrintCanvas &canvas, const QString &totalCount, const QString &totalValue);

void DrawContactPerson(const PrintCanvas &canvas, const QString &contactPerson);
void DrawPhone(const PrintCanvas &canvas, const QString &prefix, const QString &number);
void DrawSpecificSymbol(const PrintCanvas &canvas, const QString &specificSymbol);
void DrawCreationDate(const PrintCanvas &canvas, const QString &date);

// The blank page's establishment block.
void DrawSupplierAddress(const PrintCanvas &canvas, const QString &code, const QString &name,
                         const QString &streetAndNumber, const QString &city, const QString &ico);
// Filled page: the address and the fax and e-mail lines.
void DrawSupplierBlockWithContacts(const PrintCanvas &canvas, const QString &code,
                                   const QString &name, const QString &streetAndNumber,
                                   const QString &city, const QString &ico, const QString &fax,
                                   const QString &email);
