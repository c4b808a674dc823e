#include "samplepages.h"

#include "printing/listbarcodes.h"
#include "printing/pagegeometry.h"
#include "printing/pagelayout.h"

namespace {

void drawBarcodes(const PrintCanvas &canvas, const SamplePage &page)
{
    DrawFixedBarcode(canvas, canvas.CmToPixelX(0.8), canvas.CmToPixelY(23.0));
    DrawReservedBarcodes(canvas, canvas.CmToPixelX(13.843), canvas.CmToPixelY(16.7272), page.code,
                         page.ico);
    DrawEstablishmentCodeBarcode(canvas, canvas.CmToPixelX(13.843), canvas.CmToPixelY(18.8498),
                                 page.code);
}

} // namespace

void DrawFilledSamplePage(const PrintCanvas &canvas, const SamplePage &page)
{
    DrawPageForm(canvas);
    DrawTitle(canvas, page.title);
    drawBarcodes(canvas, page);
    DrawSupplierBlockWithContacts(canvas, page.code, page.name, page.street, page.city, page.ico,
                                  page.fax, page.email);
    DrawContactPerson(canvas, page.contactPerson);
    DrawPhone(canvas, page.phonePrefix, page.phoneNumber);
    DrawSpecificSymbol(canvas, page.specificSymbol);
    DrawCreationDate(canvas, page.date);
    DrawValueRow(canvas, 0, QStringLiteral("5"), QStringLiteral("007"), QStringLiteral("35"));
    DrawValueRow(canvas, 1, QStringLiteral("12,5"), QStringLiteral("100"), QStringLiteral("1250"));
    DrawValueRow(canvas, 20, QStringLiteral("246,9"), QStringLiteral("5"), QStringLiteral("1234,5"));
    DrawTotals(canvas, QStringLiteral("1234567"), QStringLiteral("1000000"));
}

void DrawBlankSamplePage(const PrintCanvas &canvas, const SamplePage &page)
{
    DrawPageForm(canvas);
    DrawBlankBoxes(canvas);
    DrawTitle(canvas, page.title);
    drawBarcodes(canvas, page);
    DrawSupplierBlock(canvas, page.code, page.name, page.street, page.city, page.ico);
    DrawContactPerson(canvas, page.contactPerson);
    DrawPhone(canvas, page.phonePrefix, page.phoneNumber);
    DrawSpecificSymbol(canvas, page.specificSymbol);
    DrawCreationDate(canvas, page.date);
}
