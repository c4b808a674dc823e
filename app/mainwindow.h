#pragma once

#include "app/voucherlist.h"

#include <QMainWindow>

#include <memory>

class Dialogs;
class RecordDelegate;
class DatabaseWindow;

namespace Ui {
class MainWindow;
}

// The main window: the voucher list of the chosen establishment, its totals,
// and the buttons that delete rows and print.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // dataDir holds supiska.csv (and DB.csv); see DecideProgramFolders().
    explicit MainWindow(const QString &dataDir, Dialogs *dialogs = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    VoucherList &voucherList() { return list_; }
    bool isModified() const { return Modified; }

    // The establishment database window, created with this window.
    DatabaseWindow *databaseWindow() const { return databaseWindow_; }
    // Fills the establishment panel from the database window's selected row.
    void ShowEstablishment();

    bool HasMarkedCells() const { return list_.HasMarkedCells(); }

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
    // Writes supiska.csv; a failure is reported, while typing only once.
    void SaveWorkingList(bool closing);
    // Writes the list when it changed since its last write.
    void keepWorkingList();

    void RecalcTotals();
    void sgSupiskaSelectCell(int column, int row);

    void btVymazatRiadokClick();
    void btVymazatVsetkoClick();
    void Nastavenia1Click();
    void DBPrevadzokClick();
    void OProgrameClick();
    void btTlacSupiskySHodnotamiClick();
    void btTlacCistejSupiskyClick();
    bool establishmentChosen();
    void print();
    void NahladSupiskyClick();
    struct ListTexts listTexts() const;
    void ebIntCPrevadzkyEnter();
    QList<class QLineEdit *> panelBoxes() const;

    std::unique_ptr<Ui::MainWindow> ui;
    Dialogs &dialogs_;
    QString dataDir_;
    VoucherList list_;
    RecordDelegate *delegate_ = nullptr;
    DatabaseWindow *databaseWindow_ = nullptr;
    bool panelMessageShown_ = false;
    // A print flow runs: the list, the panel and the window stay as they are.
    bool printing_ = false;

    // The row asked for last, even by a refused move of the current cell.
    int CurrentRow = 1;
    // Changed since the list was last written.
    bool Modified = false;
    // A failed write was reported and no write has succeeded since.
    bool saveFailureShown_ = false;
    QString SaveDir;
};
