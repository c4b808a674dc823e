#include "listprint.h"

#include "barcode/barcode.h"
#include "printing/exportfile.h"
#include "printing/listbarcodes.h"
#include "printing/pagegeometry.h"
#include "printing/pagelayout.h"

#include <QPainter>
#include <QPrinter>

namespace {

// Where the barcodes stand on the form, in centimetres.
constexpr double FixedBarcodeX = 0.8;
constexpr double FixedBarcodeY = 23.0;
constexpr double ReservedBarcodesX = 13.843;
constexpr double ReservedBarcodesY = 16.7272;
constexpr double CodeBarcodeX = 13.843;
constexpr double CodeBarcodeY = 18.8498;

const QString JobTitle = QStringLiteral("Súpiska");

// The barcodes go in this order: the shared barcode object carries its
// settings from one to the next.
void drawBarcodes(const PrintCanvas &canvas, const ListTexts &texts)
{
    DrawFixedBarcode(canvas, canvas.CmToPixelX(FixedBarcodeX), canvas.CmToPixelY(FixedBarcodeY));
    DrawReservedBarcodes(canvas, canvas.CmToPixelX(ReservedBarcodesX), canvas.CmToPixelY(ReservedBarcodesY),
                         texts.code, texts.ico);
    DrawEstablishmentCodeBarcode(canvas, canvas.CmToPixelX(CodeBarcodeX), canvas.CmToPixelY(CodeBarcodeY),
                                 texts.code);
}

void drawFields(const PrintCanvas &canvas, const ListTexts &texts)
{
    DrawContactPerson(canvas, texts.contactPerson);
    const PhoneParts phone = SplitPhone(texts.phone);
    DrawPhone(canvas, phone.prefix, phone.number);
    DrawSpecificSymbol(canvas, texts.specificSymbol);
    DrawCreationDate(canvas, texts.creationDate);
}

// An open print job on the printer the dialog set up.
class PrintJob
{
public:
    explicit PrintJob(QPrinter &printer) : printer_(printer)
    {
        printer_.setPageOrientation(QPageLayout::Portrait);
        printer_.setDocName(JobTitle);
        started_ = painter_.begin(&printer_);
        if (started_)
            metrics_.ReadPrinterMetrics(printer_);
    }

    ~PrintJob() { end(); }

    bool started() const { return started_; }
    bool printing() const
    {
        return started_ && painter_.isActive() && printer_.printerState() != QPrinter::Aborted
               && printer_.printerState() != QPrinter::Error;
    }
    PrintCanvas canvas() { return PrintCanvas(painter_, metrics_); }
    bool newPage() { return printer_.newPage(); }

    // Ends the job; true when the printer took all of it.
    bool end()
    {
        if (!painter_.isActive())
            return started_ && printer_.printerState() != QPrinter::Error;
        const bool ended = painter_.end();
        return ended && printer_.printerState() != QPrinter::Error;
    }

    void abort()
    {
        printer_.abort();
        if (painter_.isActive())
            painter_.end();
    }

private:
    QPrinter &printer_;
    QPainter painter_;
    PageMetrics metrics_;
    bool started_ = false;
};

const QString JobNotStarted = QStringLiteral("Tlač sa nepodarilo začať: tlačiareň nie je dostupná.");
const QString JobFailed = QStringLiteral("Tlač sa nepodarila: tlačiareň ohlásila chybu.");

} // namespace

QString ListPageTitle(const QString &productKind)
{
    return QStringLiteral("S Ú P I S K A - ") + productKind;
}

PhoneParts SplitPhone(const QString &phone)
{
    const qsizetype slash = phone.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QString(), phone};
    return {phone.left(slash), phone.mid(slash + 1)};
}

void DrawFilledPageHeader(const PrintCanvas &canvas, const ListTexts &texts)
{
    DrawPageForm(canvas);
    DrawTitle(canvas, ListPageTitle(texts.productKind));
    drawBarcodes(canvas, texts);
    DrawSupplierBlockWithContacts(canvas, texts.code, texts.name, texts.street, texts.city, texts.ico, texts.fax,
                                  texts.email);
    drawFields(canvas, texts);
}

void DrawBlankPage(const PrintCanvas &canvas, const ListTexts &texts)
{
    DrawPageForm(canvas);
    DrawBlankBoxes(canvas);
    DrawTitle(canvas, ListPageTitle(texts.productKind));
    drawBarcodes(canvas, texts);
    DrawSupplierAddress(canvas, texts.code, texts.name, texts.street, texts.city, texts.ico);
    drawFields(canvas, texts);
}

PrintOutcome PrintBlankList(QPrinter &printer, const ListTexts &texts)
{
    PrintJob job(printer);
    if (!job.started())
        return {false, JobNotStarted};
    try {
        if (job.printing())
            DrawBlankPage(job.canvas(), texts);
    } catch (const BarcodeError &error) {
        job.abort();
        return {false, error.message()};
    }
    if (!job.end())
        return {false, JobFailed};
    return {};
}

PrintOutcome PrintFilledList(QPrinter &printer, const ListTexts &texts, const QList<VoucherRowTexts> &rows,
                             const QString &totalCount, const QString &totalValue, ExportFile *exportFile,
                             const std::function<void(int row)> &beforeRow)
{
    PrintJob job(printer);
    if (!job.started()) {
        if (exportFile)
            exportFile->abandon();
        return {false, JobNotStarted};
    }
    PrintOutcome outcome;
    // A page that cannot be drawn stops the drawing, not the export file,
    // which still takes the whole list.
    bool drawing = true;
    const auto draw = [&](const std::function<void()> &blocks) {
        if (!drawing || !job.printing())
            return;
        try {
            blocks();
        } catch (const BarcodeError &error) {
            outcome = {false, error.message()};
            drawing = false;
            job.abort();
        }
    };

    for (int i = 0; i < rows.size(); ++i) {
        const VoucherRowTexts &row = rows.at(i);
        if (exportFile && !exportFile->writeRow(row.nominal, row.count, row.value)) {
            job.abort();
            return {false, exportFile->errorText()};
        }
        if (!drawing || !job.printing())
            continue;
        if (beforeRow)
            beforeRow(i);
        const int slot = i % RowsPerListPage;
        draw([&] {
            if (slot == 0) {
                if (i > 0 && !job.newPage())
                    return;
                DrawFilledPageHeader(job.canvas(), texts);
            }
            DrawValueRow(job.canvas(), slot, row.nominal, row.count, row.value);
        });
    }
    draw([&] { DrawTotals(job.canvas(), totalCount, totalValue); });

    if (exportFile && exportFile->isOpen() && !exportFile->close(totalCount, totalValue, texts.creationDate)
        && outcome.ok)
        outcome = {false, exportFile->errorText()};
    if (!job.end() && outcome.ok)
        outcome = {false, JobFailed};
    return outcome;
}
