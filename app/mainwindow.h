#pragma once

#include "app/vouchermodel.h"

#include <QMainWindow>

#include <memory>

class Dialogs;
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

    VoucherModel &voucherModel() { return list_; }
    bool isModified() const { return modified_; }

    // The establishment database window, created with this window.
    DatabaseWindow *databaseWindow() const { return databaseWindow_; }
    // Fills the establishment panel from the database window's selected row.
    void showEstablishment();

    bool hasMarkedCells() const { return list_.hasMarkedCells(); }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setUpWindow();
    void setUpGrid();
    void loadAtStart();
    bool closeAllowed();

    QString workingListPath() const;
    void loadWorkingList(const QString &path);
    // Writes supiska.csv with the values showTotals() last computed; a
    // failure is reported, while typing only once.
    void saveWorkingList(bool closing);
    // Writes the list when it changed since its last write.
    void keepWorkingList();

    void showTotals();

    void deleteRow();
    void clearAll();
    void chooseExportFolder();
    void showDatabase();
    void showAbout();
    void printFilledList();
    void printBlankForm();
    bool establishmentChosen();
    void print();
    void previewList();
    struct ListTexts listTexts() const;
    void explainPanelReadOnly();
    QList<class QLineEdit *> panelBoxes() const;

    std::unique_ptr<Ui::MainWindow> ui;
    Dialogs &dialogs_;
    QString dataDir_;
    VoucherModel list_;
    DatabaseWindow *databaseWindow_ = nullptr;
    bool panelMessageShown_ = false;
    // A print flow runs: the list, the panel and the window stay as they are.
    bool printing_ = false;

    // Changed since the list was last written.
    bool modified_ = false;
    // A failed write was reported and no write has succeeded since.
    bool saveFailureShown_ = false;
    QString exportDir_;
};
