#include "gridlisting.h"

#include "grid/recordmodel.h"
#include "printing/pagegeometry.h"

#include <QDate>
#include <QPainter>
#include <QPrinter>

namespace {

// Positions of the listing, in pixels at the reference resolution.
constexpr double ReferenceResolution = 600.0;
constexpr double ColumnWidthFactor = 4.6; // printer pixels per screen pixel
constexpr int TitleX = 100;
constexpr int TitleY = 100;
constexpr int HeadingTop = 350;
constexpr int HeadingBottom = 420;
constexpr int FirstRowTop = 500;
constexpr int RowHeight = 70;
constexpr int RowPitch = 90;
constexpr int FirstColumnLeft = 5;
constexpr int TextIndent = 25;
constexpr int ColumnGap = 10;
constexpr int FontPoints = 7;

class ListingPainter
{
public:
    ListingPainter(QPainter &painter, const QPrinter &printer)
        : painter_(painter),
          scaleX_(printer.logicalDpiX() / ReferenceResolution),
          scaleY_(printer.logicalDpiY() / ReferenceResolution)
    {
    }

    void setBold(bool bold)
    {
        QFont font(FontTimesNewRoman());
        font.setStyleHint(QFont::Serif);
        font.setPointSize(FontPoints);
        font.setBold(bold);
        painter_.setFont(font);
    }

    // Text with the top-left corner of its cell at (x, y), clipped to the
    // rectangle (left, top) - (right, bottom); reference pixels throughout.
    void text(int x, int y, const QString &text, int left, int top, int right, int bottom)
    {
        const QRect clip(QPoint(sx(left), sy(top)), QPoint(sx(right) - 1, sy(bottom) - 1));
        painter_.save();
        painter_.setClipRect(clip);
        painter_.drawText(QRect(QPoint(sx(x), sy(y)), QPoint(sx(right) - 1, sy(bottom) - 1)),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        painter_.restore();
    }

    void text(int x, int y, const QString &text)
    {
        painter_.drawText(QPoint(sx(x), sy(y) + painter_.fontMetrics().ascent()), text);
    }

private:
    int sx(int x) const { return qRound(x * scaleX_); }
    int sy(int y) const { return qRound(y * scaleY_); }

    QPainter &painter_;
    double scaleX_;
    double scaleY_;
};

void drawRow(ListingPainter &painter, const QStringList &texts, const QList<int> &widths, int top, int bottom)
{
    int x = FirstColumnLeft;
    for (int c = 0; c < texts.size(); ++c) {
        const int right = qRound(widths.value(c) * ColumnWidthFactor + x);
        painter.text(x + TextIndent, top, texts.at(c), x, top, right, bottom);
        x = right + ColumnGap;
    }
}

} // namespace

int ListingPageCount(const RecordModel &records, int rowsPerPage)
{
    return (records.rowCount() + 1) / rowsPerPage + 1;
}

bool PrintGrid(QPrinter &printer, const RecordModel &records, const QList<int> &columnWidths,
               const GridListing &listing)
{
    const QString jobTitle =
        listing.title + QStringLiteral(" / ") + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    printer.setDocName(jobTitle);
    printer.setCopyCount(listing.copies);
    printer.setPageOrientation(listing.portrait ? QPageLayout::Portrait : QPageLayout::Landscape);

    QPainter qpainter;
    if (!qpainter.begin(&printer))
        return false;
    qpainter.setPen(Qt::black);
    ListingPainter painter(qpainter, printer);
    painter.setBold(false);

    QStringList headings;
    for (int c = 0; c < records.columnCount(); ++c)
        headings << records.headerData(c, Qt::Horizontal).toString();
    // Rows are numbered here from 1, after the heading.
    const int perPage = listing.rowsPerPage;
    const int firstRow = (listing.fromPage - 1) * perPage + 1;
    int row = firstRow;
    int page = listing.fromPage;
    int y = FirstRowTop;
    bool ok = true;
    while (ok && printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted
           && row <= records.rowCount() && row <= listing.toPage * perPage) {
        if ((row - 1) % perPage == 0 && firstRow < row) {
            ok = printer.newPage();
            ++page;
        }
        if ((page - 1) * perPage + 1 == row) {
            painter.text(TitleX, TitleY, jobTitle + QStringLiteral("    (strana %1)").arg(page));
            painter.setBold(true);
            drawRow(painter, headings, columnWidths, HeadingTop, HeadingBottom);
            painter.setBold(false);
            y = FirstRowTop;
        }
        drawRow(painter, records.rowTexts(row - 1), columnWidths, y, y + RowHeight);
        y += RowPitch;
        ++row;
    }
    const bool ended = qpainter.end();
    return ok && ended && printer.printerState() != QPrinter::Error;
}
