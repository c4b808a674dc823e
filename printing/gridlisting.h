#pragma once

#include <QList>
#include <QString>

class RecordModel;
class QPrinter;

// What a grid listing prints: the grid, its columns' widths as the screen
// shows them, and the page range and copies the user chose.
struct GridListing
{
    QString title;
    bool portrait = false;
    int rowsPerPage = 45;
    int copies = 1;
    int fromPage = 1;
    int toPage = 1;
};

// The pages a listing of the records needs: one more than whole pages of
// lines, the heading counted, as the print dialog offers them.
int ListingPageCount(const RecordModel &records, int rowsPerPage);

// Prints the records as a paged listing: a title line with the date and page
// number, the heading row in bold, then the data rows, each cell clipped to
// its column.  Positions are laid out for 600 pixels per inch and scaled to
// the printer's resolution, so the listing has one size on paper.  Returns
// false when the printer could not start or failed during the job.
bool PrintGrid(QPrinter &printer, const RecordModel &records, const QList<int> &columnWidths,
               const GridListing &listing);
