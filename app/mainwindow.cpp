#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "app/buildinfo.h"
#include "app/exportdirsetting.h"
#include "common/dialogs.h"
#include "common/typedtext.h"
#include "common/validators.h"
#include "common/waitcursor.h"
#include "common/windowstyle.h"
#include "database/databasewindow.h"
#include "grid/recorddelegate.h"
#include "grid/recordmessages.h"
#include "grid/recordview.h"
#include "printing/exportfile.h"
#include "printing/listprint.h"

#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QPrinter>
#include <QProgressDialog>
#include <QPainter>
#include <QScopedValueRollback>

#include <optional>

namespace {

constexpr int SpecSymbLength = 10;

const QString NoEstablishment = QStringLiteral("Nie je zvolená prevádzka.");
const QString EmptyList = QStringLiteral("Prázdna alebo nekompletná databáza!\r\nSúpisku nie je možné vytlačiť.");
const QString Inconsistent = QStringLiteral("Nekonzistentné dáta!\r\nSúpisku nie je možné vytlačiť.");

void makeGrey(QWidget *box)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, ReadOnlyGrey());
    box->setPalette(p);
}

// Each cell of the voucher grid is framed in its own colour.
class VoucherDelegate : public RecordDelegate
{
public:
    using RecordDelegate::RecordDelegate;

protected:
    void paintCell(QPainter &painter, const QRect &rect, const QModelIndex &index,
                   const CellColors &colors) const override
    {
        RecordDelegate::paintCell(painter, rect, index, colors);
        painter.setPen(colors.brush);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
};

} // namespace

MainWindow::MainWindow(const QString &dataDir, Dialogs *dialogs, QWidget *parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::MainWindow>()),
      dialogs_(dialogs ? *dialogs : Dialogs::standard()),
      dataDir_(dataDir)
{
    setUpWindow();
    setUpGrid();
    loadAtStart();
}

MainWindow::~MainWindow() = default;

void MainWindow::setUpWindow()
{
    // The window's font before its widgets: set afterwards, every widget
    // would lay out its text twice.
    setFont(WindowFont());
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);

    const QList<QLineEdit *> greyBoxes{ui->ebIntCPrevadzky, ui->ebDruhProduktu, ui->ebKodPrevadzky,
                                       ui->ebNazovPrevadzky, ui->ebUlicaCislo, ui->ebMesto, ui->ebICO,
                                       ui->ebKontaktnaOsoba, ui->ebTelefon, ui->ebFax, ui->ebEmail,
                                       ui->ebDatumObj};
    for (QLineEdit *box : greyBoxes)
        makeGrey(box);
    ui->ebSpoluHodnota->setDecimals(true);

    new TypedTextGuard(ui->ebSpecSymb,
                       [](const QString &text, QChar key) { return KeyRejected(text, SpecSymbLength, key, Digits); });

    connect(ui->btVymazatRiadok, &QPushButton::clicked, this, &MainWindow::deleteRow);
    connect(ui->btVymazatVsetko, &QPushButton::clicked, this, &MainWindow::clearAll);
    connect(ui->btTlacSupiskySHodnotami, &QPushButton::clicked, this, &MainWindow::printFilledList);
    connect(ui->btTlacCistejSupisky, &QPushButton::clicked, this, &MainWindow::printBlankForm);
    connect(ui->Nastavenia1, &QAction::triggered, this, &MainWindow::chooseExportFolder);
    connect(ui->DBPrevadzok, &QAction::triggered, this, &MainWindow::showDatabase);
    connect(ui->NahladSupisky, &QAction::triggered, this, &MainWindow::previewList);
    connect(ui->OPrograme, &QAction::triggered, this, &MainWindow::showAbout);
    for (QLineEdit *box : panelBoxes())
        box->installEventFilter(this);

    ui->centralwidget->setFixedSize(792, 352);
    setFixedSize(sizeHint());
    CentreOnScreen(*this);
}

void MainWindow::setUpGrid()
{
    RecordView *grid = ui->sgSupiska;
    grid->setItemDelegate(new VoucherDelegate(grid));
    // Sizes first: with rows in place, every row would be resized.
    grid->setDefaultSizes(130, 18);
    grid->setRecordModel(&list_, dialogs_);
    connect(grid, &RecordView::entryEdited, this, [this] { modified_ = true; });
    connect(grid, &RecordView::entryConfirmed, this, [this] {
        showTotals();
        keepWorkingList();
    });
    // Every cell asked for, even when the entry refuses the move, shows the
    // totals of what the list holds now.
    connect(grid, &RecordView::cellRequested, this, &MainWindow::showTotals);
}

void MainWindow::loadAtStart()
{
    exportDir_ = ExportDirSetting::read();
    loadWorkingList(workingListPath());
    ui->ebDatumObj->setText(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    databaseWindow_ = new DatabaseWindow(dataDir_, dialogs_, this);
    // An inconsistent database is shown before anything else.
    if (databaseWindow_->hasMarkedCells())
        dialogs_.showModal(*databaseWindow_);
    showEstablishment();
}

QList<QLineEdit *> MainWindow::panelBoxes() const
{
    return {ui->ebIntCPrevadzky, ui->ebDruhProduktu, ui->ebKodPrevadzky, ui->ebNazovPrevadzky,
            ui->ebUlicaCislo,    ui->ebMesto,        ui->ebICO,          ui->ebKontaktnaOsoba,
            ui->ebTelefon,       ui->ebFax,          ui->ebEmail};
}

void MainWindow::showEstablishment()
{
    const std::optional<Establishment> chosen = databaseWindow_->chosenEstablishment();
    if (!chosen) {
        for (QLineEdit *box : panelBoxes())
            box->clear();
        return;
    }
    ui->ebIntCPrevadzky->setText(chosen->internalNumber);
    ui->ebDruhProduktu->setText(QStringLiteral("01"));
    ui->ebKodPrevadzky->setText(chosen->code);
    ui->ebNazovPrevadzky->setText(chosen->name);
    ui->ebUlicaCislo->setText(chosen->street);
    ui->ebMesto->setText(chosen->city);
    ui->ebICO->setText(chosen->ico);
    ui->ebKontaktnaOsoba->setText(chosen->contactPerson);
    ui->ebTelefon->setText(chosen->phonePrefix + QLatin1Char('/') + chosen->phone);
    ui->ebFax->setText(chosen->fax);
    ui->ebEmail->setText(chosen->email);
    for (QLineEdit *box : panelBoxes())
        box->setCursorPosition(0);
}

void MainWindow::showDatabase()
{
    dialogs_.showModal(*databaseWindow_);
    showEstablishment();
}

void MainWindow::showAbout()
{
    dialogs_.plain(this, QStringLiteral("Kelvaro, verzia " KELVARO_VERSION "\n"
                                        "Vedie databázu prevádzok a tlačí súpisky poukážok s čiarovými kódmi."));
}

bool MainWindow::establishmentChosen()
{
    if (databaseWindow_->chosenEstablishment()) {
        showEstablishment();
        return true;
    }
    dialogs_.plain(this, NoEstablishment);
    dialogs_.showModal(*databaseWindow_);
    showEstablishment();
    return false;
}

ListTexts MainWindow::listTexts() const
{
    ListTexts texts;
    texts.productKind = ui->ebDruhProduktu->text();
    texts.internalNumber = ui->ebIntCPrevadzky->text();
    texts.code = ui->ebKodPrevadzky->text();
    texts.name = ui->ebNazovPrevadzky->text();
    texts.street = ui->ebUlicaCislo->text();
    texts.city = ui->ebMesto->text();
    texts.ico = ui->ebICO->text();
    texts.contactPerson = ui->ebKontaktnaOsoba->text();
    texts.phone = ui->ebTelefon->text();
    texts.fax = ui->ebFax->text();
    texts.email = ui->ebEmail->text();
    texts.specificSymbol = ui->ebSpecSymb->text();
    texts.creationDate = ui->ebDatumObj->text();
    return texts;
}

void MainWindow::printFilledList()
{
    if (printing_ || !establishmentChosen())
        return;
    if (list_.compactAndFindIncompleteRows() && !AskRemoveIncompleteRows(dialogs_, this))
        return;
    modified_ = list_.removeIncompleteRows() || modified_;
    showTotals();
    keepWorkingList();
    if (list_.compactAndFindIncompleteRows()) {
        dialogs_.warning(this, EmptyList, Dialogs::Buttons::OkCancel);
        return;
    }
    if (list_.hasMarkedCells()) {
        dialogs_.warning(this, Inconsistent, Dialogs::Buttons::OkCancel);
        return;
    }

    QScopedValueRollback<bool> printing(printing_, true);
    list_.removeEmptyRows();
    print();
    list_.appendEntryRowIfComplete();
}

void MainWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    Dialogs::PrintOffer offer;
    offer.copies = 2;
    offer.collate = true;
    if (!dialogs_.printDialog(this, printer, offer))
        return;

    const ListTexts texts = listTexts();
    // The decision is taken once: ticking the box while the list prints
    // changes nothing for this list.
    std::optional<ExportFile> exportFile;
    if (ui->cbSubor->isChecked()) {
        exportFile.emplace();
        if (!exportFile->open(ExportFile::fileName(exportDir_, QDate::currentDate(), texts.code), texts)) {
            dialogs_.stopError(this, exportFile->errorText());
            return;
        }
    }

    // The clean-up has run: every row of the list is printed.
    const VoucherModel::Printable list = list_.printable();
    const QList<VoucherRowTexts> &rows = list.rows;
    QProgressDialog progress(QStringLiteral("Tlač súpisky"), QString(), 0, int(rows.size()), this);
    progress.setWindowTitle(QStringLiteral("Kelvaro"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    const PrintOutcome outcome = PrintFilledList(
        printer, texts, rows, list.totals.count, list.totals.value, exportFile ? &*exportFile : nullptr, [&](int row) {
            progress.setLabelText(QStringLiteral("Tlačí sa riadok %1 z %2").arg(row + 1).arg(rows.size()));
            progress.setValue(row);
        });
    progress.reset();
    if (!outcome.ok)
        dialogs_.stopError(this, outcome.error);
}

void MainWindow::previewList()
{
    // A look at the print only: nothing is asked, removed or written.
    if (printing_)
        return;
    if (!databaseWindow_->chosenEstablishment()) {
        dialogs_.plain(this, NoEstablishment);
        return;
    }
    const VoucherModel::Printable list = list_.printable();
    if (list.rows.isEmpty()) {
        dialogs_.warning(this, EmptyList, Dialogs::Buttons::OkCancel);
        return;
    }
    if (list.marked) {
        dialogs_.warning(this, Inconsistent, Dialogs::Buttons::OkCancel);
        return;
    }
    QScopedValueRollback<bool> printing(printing_, true);
    showEstablishment();
    const ListTexts texts = listTexts();
    dialogs_.printPreview(this, [&](QPrinter &printer) {
        const PrintOutcome outcome =
            PrintFilledList(printer, texts, list.rows, list.totals.count, list.totals.value, nullptr, {});
        if (!outcome.ok)
            dialogs_.stopError(this, outcome.error);
    });
}

void MainWindow::printBlankForm()
{
    if (printing_ || !establishmentChosen())
        return;
    QScopedValueRollback<bool> printing(printing_, true);
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs_.printDialog(this, printer, Dialogs::PrintOffer()))
        return;
    const PrintOutcome outcome = PrintBlankList(printer, listTexts());
    if (!outcome.ok)
        dialogs_.stopError(this, outcome.error);
}

void MainWindow::explainPanelReadOnly()
{
    // Guarded: the message box hands the focus back to the box when it closes.
    if (panelMessageShown_)
        return;
    QScopedValueRollback<bool> shown(panelMessageShown_, true);
    ui->sgSupiska->setFocus();
    dialogs_.information(this, QStringLiteral("Pole je možné editovať v databáze prevádzok"));
    ui->sgSupiska->setFocus();
}

QString MainWindow::workingListPath() const
{
    return QDir(dataDir_).filePath(VoucherModel::fileName());
}

void MainWindow::loadWorkingList(const QString &path)
{
    RecordFileLoad result;
    {
        WaitCursor wait;
        result = list_.load(path);
        showTotals();
    }
    ReportRecordLoad(dialogs_, this, result, path, list_.hasMarkedCells(), Dialogs::Box::Information);
}

void MainWindow::saveWorkingList(bool closing)
{
    const QString path = workingListPath();
    if (list_.save(path)) {
        modified_ = false;
        saveFailureShown_ = false;
        return;
    }
    // While the list is being typed a failing write is told once; the close
    // always tells it.
    if (saveFailureShown_ && !closing)
        return;
    saveFailureShown_ = true;
    dialogs_.error(this, QStringLiteral("Chyba pri exportovaní súpisky do súboru \"%1\"!")
                             .arg(QDir::toNativeSeparators(path)));
}

void MainWindow::keepWorkingList()
{
    // Written as soon as it changed: a crash, a power cut or a printer driver
    // that ends the program loses nothing confirmed.
    if (modified_)
        saveWorkingList(false);
}

void MainWindow::showTotals()
{
    const VoucherModel::Totals totals = list_.recalcTotals();
    ui->ebSpoluPocet->setNumberText(totals.count);
    ui->ebSpoluHodnota->setNumberText(totals.value);
    ui->ebSpoluPocet->setAlarm(totals.blanked);
    ui->ebSpoluHodnota->setAlarm(totals.blanked);
}

void MainWindow::deleteRow()
{
    modified_ = true;
    ui->sgSupiska->deleteSelectedRow();
    showTotals();
    keepWorkingList();
    ui->sgSupiska->setFocus();
}

void MainWindow::clearAll()
{
    modified_ = true;
    if (dialogs_.confirm(this, QStringLiteral("Chcete určite vymazať položky?")) == Dialogs::Button::Yes)
        ui->sgSupiska->clearAll();
    showTotals();
    keepWorkingList();
    ui->sgSupiska->setFocus();
}

void MainWindow::chooseExportFolder()
{
    const QString chosen =
        dialogs_.existingDirectory(this, QStringLiteral("Zvolte si adresár, kam sa majú ukladať súbory súpisky."));
    if (chosen.isEmpty())
        return;
    exportDir_ = ExportDirSetting::withSeparator(QDir::toNativeSeparators(chosen));
    if (ExportDirSetting::write(exportDir_) == ExportDirSetting::WriteResult::Failed)
        dialogs_.stopError(this, QStringLiteral("Failed to set data for 'saveDir'"));
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && panelBoxes().contains(qobject_cast<QLineEdit *>(watched))
        && static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason)
        explainPanelReadOnly();
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::closeAllowed()
{
    bool allow = true;
    if (list_.hasMarkedCells()) {
        const auto answer = dialogs_.warning(this, QStringLiteral("Databáza je v nekonzistentnom stave!\r\n"
                                                                  "Údaje nebudú umožnené.\r\n"
                                                                  "Chcete napriek tomu ukončiť editáciu databázy?"));
        allow = answer == Dialogs::Button::Yes;
    } else if (list_.compactAndFindIncompleteRows()) {
        if (AskRemoveIncompleteRows(dialogs_, this))
            modified_ = list_.removeIncompleteRows() || modified_;
        else
            allow = false;
    }
    // The list is kept even when the close is refused, its values computed
    // from the texts written: an entry may have been left unconfirmed.
    if (modified_) {
        showTotals();
        saveWorkingList(true);
    }
    // Asked whether or not the close goes on; declining never keeps the
    // program open.
    if (databaseWindow_->isModified()
        && dialogs_.warning(this, QStringLiteral("Databáza prevádzok bola zmenená.\n\rUložiť zmeny?"))
               == Dialogs::Button::Yes)
        databaseWindow_->save();
    return allow;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (printing_) {
        event->ignore();
        return;
    }
    if (!closeAllowed()) {
        event->ignore();
        return;
    }
    event->accept();
}
