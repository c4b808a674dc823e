#pragma once

#include "database/establishmentmodel.h"

#include <QDialog>

#include <memory>
#include <optional>

class Dialogs;
class QMenu;
class QAction;
class QMouseEvent;
class RecordView;

namespace Ui {
class DatabaseWindow;
}

// The establishment database window: edits, sorts, deletes, saves and copies
// the establishment table.  The row selected last is the establishment of
// the voucher list.  Created once by the main window; closing only hides it.
class DatabaseWindow : public QDialog
{
    Q_OBJECT

public:
    // dataDir holds DB.csv: the executable's directory.  Creating the window
    // loads the table.
    explicit DatabaseWindow(const QString &dataDir, Dialogs &dialogs, QWidget *parent = nullptr);
    ~DatabaseWindow() override;

    EstablishmentModel &table() { return table_; }
    const EstablishmentModel &table() const { return table_; }
    // The grid of the window, made if the window was never shown.
    RecordView *grid();
    QString databasePath() const;

    bool hasMarkedCells() const { return table_.hasMarkedCells(); }
    bool isModified() const { return modified_; }

    // The chosen establishment: the row selected last, when it is complete.
    std::optional<Establishment> chosenEstablishment() const;

    // "Uložiť": writes DB.csv unless the table is incomplete or
    // inconsistent; the main window runs it when the program closes.
    void save();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public Q_SLOTS:
    void setVisible(bool visible) override;
    // Every way of closing the window (the title bar, Escape) ends here.
    void reject() override;

private:
    void buildWindow();
    void setUpWindow();
    void setUpGrid();
    void loadAtStart();
    void prepareShow();
    bool closeAllowed();

    void loadDatabase(const QString &path);
    void sortTable();

    void headingPressed(QMouseEvent *event, int column);

    void copyTable();
    void deleteRow();
    void clearAll();
    void printListing();

    std::unique_ptr<Ui::DatabaseWindow> ui;
    Dialogs &dialogs_;
    QString dataDir_;
    EstablishmentModel table_;
    QMenu *popupMenu_ = nullptr;
    QAction *copyAction_ = nullptr;

    bool modified_ = false;
};
