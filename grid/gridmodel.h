#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QStringList>

#include <functional>
#include <vector>

// The one place where the rows of a text grid live, each row with its texts
// and its marks.  Both windows' grids are views of a GridModel, and the row
// utilities work on it; moving, sorting or dropping rows takes the marks
// along.
//
// The grid's own coordinates follow the program's convention: row 0 is the
// heading row, data rows are 1 .. RowCount() - 1, and RowCount() is never
// below 2.  Cells are addressed (column, row).  Texts may be written into rows
// at or beyond RowCount(); they become visible when the row count grows.
//
// To Qt's views the heading row is the horizontal header and the data rows are
// the model's rows: grid row r is model row r - 1.  A marked cell answers the
// background and text roles with the mark's colours.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Decides whether the current cell may move to (column, row).  It is asked
    // on every move, also when the program moves the current cell itself.
    using SelectCellFn = std::function<bool(int column, int row)>;

    // At most 32 columns.
    explicit GridModel(int colCount, QObject *parent = nullptr);

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    void SetRowCount(int rowCount);

    QString Cell(int column, int row) const;
    // The cell's text without a copy, valid until the grid's texts change.
    QStringView CellView(int column, int row) const;
    void SetCell(int column, int row, const QString &text);
    QStringList RowTexts(int row) const;
    // How the grid shows a column's texts (the voucher grid: amounts grouped
    // by thousands with a decimal comma); by default as they are.
    using ShownFormFn = std::function<QString(int column, const QString &text)>;
    void SetShownForm(ShownFormFn form) { shownForm_ = std::move(form); }
    // The cell as the grid paints it, and as Qt::AccessibleTextRole answers
    // for it: the start of its text, as much as a cell can show (a damaged
    // file may hold megabytes in one cell), in its column's form.
    QString ShownText(int column, int row) const;
    // Sets the row's cells at once: fields beyond the grid's columns are
    // ignored, missing ones are empty.  The cells must not be views into the
    // grid itself.
    void SetRowTexts(int row, const QList<QStringView> &cells);
    // All the row's cells without copies, valid until the grid's texts change.
    void RowCells(int row, QList<QStringView> &cells) const;
    bool RowIsEmpty(int row) const;
    // Room for rows, so that loading a large file does not keep growing the
    // storage.
    void ReserveRows(int rows);
    // Empties the row's texts and takes its marks.
    void ClearRow(int row);

    bool IsMarked(int column, int row) const;
    // Marks the columns whose bits are set (bit c for column c).
    void MarkCells(int row, quint32 columns);
    void UnmarkCell(int column, int row);
    // Whether a data row holds a marked cell.
    bool HasMarkedCells() const;

    // The current cell: the grid's one record of it, which the views follow.
    int CurrentRow() const { return currentRow_; }
    int CurrentCol() const { return currentCol_; }
    // Moves the current cell when the selection hook allows it; answers
    // whether the cell is now current.  Positions outside the grid are limited
    // to it; asking for the current cell itself changes nothing.
    bool SetCurrentCell(int column, int row);
    void SetSelectCellHook(SelectCellFn hook) { selectCellHook_ = std::move(hook); }

    // Reorders the data rows at once: data row k (1-based) receives what data
    // row order[k - 1] held.  order is a permutation of 1 .. RowCount() - 1.
    // The current cell keeps its position; callers move it themselves.
    void PermuteRows(const std::vector<int> &order);

    // Drops the given data rows (ascending, each in 1 .. RowCount() - 1) and
    // closes the gaps.  The row count goes down accordingly, never below 2.
    void DropRows(const std::vector<int> &rows);

    // While a bulk update runs the views are told once, at its end, that
    // everything changed, instead of once per cell.
    void beginBulkUpdate();
    void endBulkUpdate();

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

Q_SIGNALS:
    void currentCellChanged(int column, int row);

private:
    // A row's cells are kept in one text of the pool, separated by a character
    // that no cell can hold, empty cells at the end left out; texts replaced
    // by longer ones leave garbage behind, which is given back when it grows.
    // So a row costs a few bytes beside its texts, whatever its columns.
    struct Row
    {
        quint32 offset = 0;
        quint32 length = 0;
        quint32 marks = 0; // bit c: column c is marked
    };

    QStringView rowText(int row) const;
    void storeRowText(int row, QStringView text);
    void compactPool();
    void clampCurrentCell();
    void ensureStored(int row);
    void cellChanged(int column, int row, const QList<int> &roles);

    int colCount_;
    int rowCount_ = 2;
    int currentCol_ = 0;
    int currentRow_ = 1;
    int bulkDepth_ = 0;
    QList<Row> rows_; // at least rowCount_ rows; may hold more
    QString pool_;
    qsizetype garbage_ = 0; // characters of the pool that no row uses
    SelectCellFn selectCellHook_;
    ShownFormFn shownForm_;
};

// Scoped bulk update of a grid.
class GridBulkUpdate
{
public:
    explicit GridBulkUpdate(GridModel &grid) : grid_(grid) { grid_.beginBulkUpdate(); }
    ~GridBulkUpdate() { grid_.endBulkUpdate(); }
    GridBulkUpdate(const GridBulkUpdate &) = delete;
    GridBulkUpdate &operator=(const GridBulkUpdate &) = delete;

private:
    GridModel &grid_;
};
