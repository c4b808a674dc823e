#pragma once

#include "common/amount.h"
#include "grid/recordmodel.h"
#include "printing/listtexts.h"

#include <QString>

#include <functional>
#include <optional>

// The voucher list: one row per denomination with its count and value, and
// the file supiska.csv that keeps the list between runs.  The main window
// shows it and edits it.
class VoucherModel : public RecordModel
{
public:
    enum Column { NominalColumn = 0, CountColumn = 1, ValueColumn = 2, ColumnCount = 3 };

    explicit VoucherModel(QObject *parent = nullptr);

    // Digits, and a comma where decimals are allowed, within the column's
    // digits before and after the first comma.
    bool cellValid(QStringView text, int column) const override;
    bool keyRejected(int column, const QString &text, QChar key) const override;
    // The value column fills itself.
    QString editRefusal(int column) const override;
    // Compacts the rows, sorts them by nominal value and keeps the entry row.
    void sortRows() override;

    // A row is complete when it has a nominal value and a count, and the
    // nominal value is a number or marked.  A row that is not cannot be valued.
    // The key filter lets the comma stand first or last: ",5" is 0,50 and
    // "1," is 1,00, as the grid shows them.
    bool rowComplete(int row) const override;
    bool nominalIsNumber(int row) const;

    struct Totals
    {
        bool blanked = false; // marks exist: no totals are shown
        QString count;        // plain text, "" for zero
        QString value;
    };
    // Values every complete row and sums the list, unless cells are marked.
    Totals recalcTotals();

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // What the filled print would print now, the list left as it is: the
    // rows it keeps, whether any of them is marked, and their totals.
    struct Printable
    {
        QList<VoucherRowTexts> rows;
        bool marked = false;
        Totals totals;
    };
    Printable printable() const;

    static QString fileName() { return QStringLiteral("supiska.csv"); }

protected:
    QString shownForm(int column, const QString &text) const override;
    // Kept by the filled print: complete, with a whole count above 0.
    bool rowKept(int row) const override;

private:
    // Nominal value times count of a complete row; nothing when the nominal
    // value is no number.
    std::optional<Amount> rowValue(int row) const;
    Totals sum(const std::function<bool(int row)> &counted) const;
};
