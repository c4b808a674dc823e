#pragma once

#include "database/establishments.h"

#include <QDialog>

#include <memory>

class Dialogs;
class QMenu;
class QAction;
class StringGrid;
struct CellColors;
struct GridMouseDown;

namespace Ui {
class TForm1;
}

// The establishment database window: edits, sorts, deletes, saves and copies
// the establishment table.  The row selected last is the establishment of
// the voucher list.  Created once by the main window; closing only hides it.
class TForm1 : public QDialog
{
    Q_OBJECT

public:
    // dataDir holds DB.csv: the executable's directory.  Creating the window
    // loads the table.
    explicit TForm1(const QString &dataDir, Dialogs &dialogs, QWidget *parent = nullptr);
    ~TForm1() override;

    EstablishmentTable &table() { return table_; }
    const EstablishmentTable &table() const { return table_; }
    StringGrid *grid() const;
    QString databasePath() const;

    bool HasMarkedCells() const { return table_.HasMarkedCells(); }
    bool isModified() const { return Modified; }
    int selectedRow() const { return SelectedRow; }

    // The chosen establishment: sets row to the row selected last and
    // answers whether that row is complete.  Its texts are the table's
    // cells in that row, in column order.
    bool SelectedEstablishment(int &row) const;

    // "Uložiť": writes DB.csv unless the table is incomplete or
    // inconsistent; the main window runs it when the program closes.
    void btUlozitClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public Q_SLOTS:
    // Every way of closing the window (the title bar, Escape) ends here.
    void reject() override;

private:
    void setUpWindow();
    void setUpGrid();
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();

    void LoadDatabase(const QString &path);
    void SortDatabase();

    bool sgDBSelectCell(int column, int row);
    bool sgDBGetEditText(int column, int row);
    void sgDBKeyPress(QChar &key);
    void sgDBSetEditText(int column, int row, const QString &text);
    bool sgDBInsertedText(int column, int row, const QString &text);
    bool sgDBMouseDown(const GridMouseDown &press);
    void sgDBDrawCell(QPainter &painter, int column, int row, const QRect &rect, CellColors colors);
    void sgDBDrawHeading(QPainter &painter, int column, const QRect &rect);
    // The confirmation checks of an entry; false when one refused it.
    bool entryAccepted(int column, int row);

    void Kopiruj1Click();
    void btVymazatRiadokClick();
    void btVymazatVsetkoClick();
    void btVytlacitClick();

    std::unique_ptr<Ui::TForm1> ui;
    Dialogs &dialogs_;
    QString dataDir_;
    EstablishmentTable table_;
    QMenu *PopupMenu1 = nullptr;
    QAction *Kopiruj1 = nullptr;

    bool Editing = false;
    bool Updating = false;
    int SelectedRow = 1;
    bool Modified = false;
};
