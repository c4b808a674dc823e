#pragma once

#include "app/voucherlist.h"

#include <QMainWindow>

#include <memory>

class Dialogs;
class TForm1;

namespace Ui {
class TForm2;
}

// The main window: the voucher list of the chosen establishment, its totals,
// and the buttons that delete rows and print.
class TForm2 : public QMainWindow
{
    Q_OBJECT

public:
    // dataDir holds supiska.csv (and DB.csv); see DataDirectory().
    explicit TForm2(const QString &dataDir, Dialogs *dialogs = nullptr, QWidget *parent = nullptr);
    ~TForm2() override;

    VoucherList &voucherList() { return list_; }
    QString saveDir() const { return SaveDir; }
    bool isModified() const { return Modified; }

    // The establishment database window, created with this window.
    TForm1 *databaseWindow() const { return Form1; }
    // Fills the establishment panel from the database window's selected row.
    void ShowEstablishment();

    bool HasMarkedCells() const { return list_.HasMarkedCells(); }
    bool HasIncompleteRows() { return list_.HasIncompleteRows(); }
    void RemoveIncompleteRows() { list_.RemoveIncompleteRows(); }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setUpWindow();
    void setUpGrid();
    void FormCreate();
    bool FormCloseQuery();

    QString workingListPath() const;
    void LoadWorkingList(const QString &path);
    void SaveWorkingList(const QString &path);

    void RecalcTotals();
    void SortVoucherRows();

    bool sgSupiskaSelectCell(int column, int row);
    bool sgSupiskaGetEditText(int column, int row);
    void sgSupiskaKeyPress(QChar &key);
    void sgSupiskaSetEditText(int column, int row, const QString &text);
    bool sgSupiskaInsertedText(int column, int row, const QString &text);
    void sgSupiskaDrawCell(QPainter &painter, int column, int row, const QRect &rect, struct CellColors colors);
    bool cellKeyRejected(int column, const QString &text, QChar key) const;

    void btVymazatRiadokClick();
    void btVymazatVsetkoClick();
    void Nastavenia1Click();
    void DBPrevadzokClick();
    void OProgrameClick();
    void btTlacSupiskySHodnotamiClick();
    void btTlacCistejSupiskyClick();
    bool establishmentChosen();
    void print(GridModel &grid);
    struct ListTexts listTexts() const;
    void ebIntCPrevadzkyEnter();
    QList<class QLineEdit *> panelBoxes() const;
    bool ebSpecSymbKeyPress(QChar key);

    std::unique_ptr<Ui::TForm2> ui;
    Dialogs &dialogs_;
    QString dataDir_;
    VoucherList list_;
    TForm1 *Form1 = nullptr;
    bool panelMessageShown_ = false;
    // A print flow runs: the list, the panel and the window stay as they are.
    bool printing_ = false;

    bool Editing = false;
    bool Updating = false;
    int CurrentRow = 1;
    bool Modified = false;
    QString SaveDir;
};
