#include "prevadzky.h"

#include "ui_prevadzky.h"

#include "common/dialogs.h"
#include "common/markedcells.h"
#include "common/stringgrid.h"
#include "common/validators.h"
#include "common/waitcursor.h"
#include "common/windowstyle.h"
#include "printing/gridlisting.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QScopedValueRollback>

namespace {

constexpr int RowHeight = 18;
constexpr int ColumnWidths[EstablishmentTable::ColumnCount] = {125, 85, 113, 182, 173, 57, 104, 79, 79, 92, 147};

const QColor SelectedGreen(0, 128, 0);
const QColor MarkRed(255, 0, 0);
const QColor TextYellow(255, 255, 0);
const QColor KeyGrey(128, 128, 128);

} // namespace

TForm1::TForm1(const QString &dataDir, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TForm1>()), dialogs_(dialogs), dataDir_(dataDir)
{
    setUpWindow();
    setUpGrid();
    FormCreate();
}

TForm1::~TForm1() = default;

StringGrid *TForm1::grid() const
{
    return ui->sgDB;
}

QString TForm1::databasePath() const
{
    return QDir(dataDir_).filePath(EstablishmentTable::fileName());
}

void TForm1::setUpWindow()
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFont(WindowFont());

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Kopiruj1 = PopupMenu1->addAction(QStringLiteral("&Kopíruj"));
    Kopiruj1->setObjectName(QStringLiteral("Kopiruj1"));
    connect(Kopiruj1, &QAction::triggered, this, &TForm1::Kopiruj1Click);
    ui->sgDB->installEventFilter(this);

    connect(ui->btVymazatVsetko, &QPushButton::clicked, this, &TForm1::btVymazatVsetkoClick);
    connect(ui->btVymazatRiadok, &QPushButton::clicked, this, &TForm1::btVymazatRiadokClick);
    connect(ui->btUlozit, &QPushButton::clicked, this, &TForm1::btUlozitClick);
    connect(ui->btVytlacit, &QPushButton::clicked, this, &TForm1::btVytlacitClick);

    setFixedSize(800, 600);
    CentreOnScreen(*this);
}

void TForm1::setUpGrid()
{
    StringGrid *grid = ui->sgDB;
    grid->setGrid(&table_.grid());
    grid->setDefaultSizes(ColumnWidths[0], RowHeight);
    for (int c = 0; c < EstablishmentTable::ColumnCount; ++c)
        grid->setColumnWidth(c, ColumnWidths[c]);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->setSelectCellHandler([this](int column, int row) { return sgDBSelectCell(column, row); });
    grid->setGetEditTextHandler([this](int column, int row) { return sgDBGetEditText(column, row); });
    grid->setKeyPressHandler([this](QChar &key) { sgDBKeyPress(key); });
    grid->setSetEditTextHandler(
        [this](int column, int row, const QString &text) { sgDBSetEditText(column, row, text); });
    grid->setInsertedTextHandler(
        [this](int column, int row, const QString &text) { return sgDBInsertedText(column, row, text); });
    grid->setMouseDownHandler([this](const GridMouseDown &press) { return sgDBMouseDown(press); });
    grid->setCellPainter([this](QPainter &painter, int column, int row, const QRect &rect, CellColors colors) {
        sgDBDrawCell(painter, column, row, rect, colors);
    });
    grid->setHeadingPainter(
        [this](QPainter &painter, int column, const QRect &rect) { sgDBDrawHeading(painter, column, rect); });
}

void TForm1::FormCreate()
{
    SetGridHeader(table_.grid(), EstablishmentTable::ColumnCaptions());
    table_.grid().SetCurrentCell(EstablishmentTable::InternalNumberColumn, 1);
    SelectedRow = 1;
    Editing = false;
    Updating = false;
    LoadDatabase(databasePath());
    // The sort after loading took the current cell along with its record;
    // the window opens on the first establishment.
    {
        QScopedValueRollback<bool> updating(Updating, true);
        table_.grid().SetCurrentCell(EstablishmentTable::InternalNumberColumn, 1);
    }
    SelectedRow = 1;
    Modified = false;
}

void TForm1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm1::FormShow()
{
    ui->sgDB->setFocus();
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    // Escape cancels nothing here: the window closes only through its close
    // button, after its close question.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // The menu key opens the grid's menu at the current cell, as a right
    // click does at the mouse.
    if (watched == ui->sgDB && event->type() == QEvent::ContextMenu
        && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        const QRect cell = ui->sgDB->visualRect(ui->sgDB->currentIndex());
        PopupMenu1->popup(ui->sgDB->viewport()->mapToGlobal(cell.center()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm1::reject()
{
    if (FormCloseQuery())
        QDialog::reject();
}

bool TForm1::FormCloseQuery()
{
    if (table_.HasMarkedCells()) {
        const auto answer = dialogs_.warning(this, QStringLiteral("Databáza je v nekonzistentnom stave!\r\n"
                                                                  "Údaje nebudú uložené.\r\n"
                                                                  "Chcete napriek tomu ukončiť editáciu databázy?"));
        return answer == Dialogs::Button::Yes;
    }
    QScopedValueRollback<bool> updating(Updating, true);
    if (!table_.HasIncompleteRows())
        return true;
    if (dialogs_.confirm(this, QStringLiteral("Odstrániť nekompletné riadky?")) != Dialogs::Button::Yes)
        return false;
    table_.RemoveIncompleteRows();
    return true;
}

void TForm1::LoadDatabase(const QString &path)
{
    RecordFileLoad result;
    {
        WaitCursor wait;
        QScopedValueRollback<bool> updating(Updating, true);
        result = table_.load(path);
    }
    if (result == RecordFileLoad::Failed) {
        dialogs_.error(this, QStringLiteral("Chyba pri importovaní databázy zo súboru \"%1\"!")
                                 .arg(QDir::toNativeSeparators(path)));
    }
    if (table_.HasMarkedCells()) {
        dialogs_.plain(this, QStringLiteral("Konzistentnosť údajov v databáze je porušená!\r\n"
                                            "(Chybné údaje sú farebne zvýraznené)"));
    }
}

void TForm1::SortDatabase()
{
    WaitCursor wait;
    QScopedValueRollback<bool> updating(Updating, true);
    table_.SortDatabase();
}

bool TForm1::SelectedEstablishment(int &row) const
{
    row = SelectedRow;
    // Rows beyond the row count may still hold the texts of dropped rows.
    return row >= 1 && row < table_.grid().RowCount() && table_.rowComplete(row);
}

bool TForm1::sgDBSelectCell(int, int row)
{
    const bool allow = Updating || !Editing;
    if (row != SelectedRow) {
        // Also when the move is refused: the row asked for is the one that
        // "Vymazať riadok" deletes and the main window shows.
        SelectedRow = row;
        ui->sgDB->viewport()->update();
    }
    return allow;
}

bool TForm1::sgDBGetEditText(int, int)
{
    Editing = true;
    return true;
}

bool TForm1::entryAccepted(int column, int row)
{
    GridModel &grid = table_.grid();
    const QString text = grid.Cell(column, row);
    if (text.isEmpty())
        return true;
    if (column == EstablishmentTable::CodeColumn) {
        // Compared as it will be stored, so 123 meets an existing 000123.
        const QString completed = EstablishmentTable::CompletedCode(text);
        if (ValueInColumn(grid, row, column, completed)) {
            dialogs_.plain(this, QStringLiteral("Duplicitný záznam!"));
            return false;
        }
        grid.SetCell(column, row, completed);
    }
    if (column == EstablishmentTable::IcoColumn && !IcoIsValid(text)) {
        dialogs_.plain(this, QStringLiteral("Zadajte IČO"));
        return false;
    }
    if (column == EstablishmentTable::EmailColumn && EmailIsInvalid(text)) {
        dialogs_.plain(this, QStringLiteral("Zadajte E-mail"));
        return false;
    }
    return true;
}

void TForm1::sgDBKeyPress(QChar &key)
{
    GridModel &grid = table_.grid();
    const int column = grid.CurrentCol();
    const int row = grid.CurrentRow();
    if (EstablishmentTable::KeyRejected(column, grid.Cell(column, row), key))
        key = QChar();

    if (!Editing || (key != QChar(KeyTab) && key != QChar(KeyEnter)))
        return;
    if (!entryAccepted(column, row)) {
        key = QChar();
        return;
    }

    {
        QScopedValueRollback<bool> updating(Updating, true);
        if (key == QChar(KeyTab)) {
            ui->sgDB->hideEditor();
            if (column < grid.ColCount() - 1)
                grid.SetCurrentCell(column + 1, row);
        }
        if (table_.rowComplete(row))
            SortDatabase();
        else if (!RowIsEmpty(grid, row))
            RemoveEmptyRows(grid, &table_.markedCells());
    }
    Editing = false;
}

void TForm1::sgDBSetEditText(int column, int row, const QString &text)
{
    Modified = true;
    if (table_.isMarked(column, row) && EstablishmentTable::ValidateCell(text, column))
        UnmarkCell(table_.markedCells(), column, row);
}

bool TForm1::sgDBInsertedText(int column, int, const QString &text)
{
    return EstablishmentTable::InsertionAllowed(column, text);
}

bool TForm1::sgDBMouseDown(const GridMouseDown &press)
{
    if (press.button == Qt::RightButton && press.buttons == Qt::RightButton && press.modifiers == Qt::NoModifier) {
        PopupMenu1->popup(press.globalPos);
        return true;
    }
    if (press.row != 0)
        return false;
    if (table_.ChangeSortKeys(press.column, press.modifiers.testFlag(Qt::ControlModifier))) {
        SetGridHeader(table_.grid(), EstablishmentTable::ColumnCaptions());
        SortDatabase();
        ui->sgDB->horizontalHeader()->viewport()->update();
    }
    return true;
}

void TForm1::sgDBDrawCell(QPainter &painter, int column, int row, const QRect &rect, CellColors colors)
{
    if (row == SelectedRow && table_.rowComplete(row))
        colors = {SelectedGreen, TextYellow};
    if (table_.isMarked(column, row))
        colors = {MarkRed, TextYellow};
    StringGrid::paintCellText(painter, rect, table_.grid().Cell(column, row), colors);
}

void TForm1::sgDBDrawHeading(QPainter &painter, int column, const QRect &rect)
{
    const QList<SortKey> &keys = table_.sortKeys().Keys;
    const auto key = std::find_if(keys.cbegin(), keys.cend(), [column](const SortKey &k) { return k.Column == column; });
    if (key == keys.cend())
        return;
    // From the heading cell's own rectangle, so that the triangle follows the
    // columns when the grid is scrolled sideways.
    const int x = rect.x() + rect.width();
    const int top = rect.y();
    QPolygon triangle;
    if (key->Ascending)
        triangle << QPoint(x - 14, top + 12) << QPoint(x - 4, top + 12) << QPoint(x - 9, top + 3);
    else
        triangle << QPoint(x - 14, top + 3) << QPoint(x - 4, top + 3) << QPoint(x - 9, top + 12);
    painter.setPen(KeyGrey);
    painter.setBrush(KeyGrey);
    painter.drawPolygon(triangle);
    if (keys.size() > 1) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        const QString number = QString::number(key - keys.cbegin() + 1);
        painter.drawText(QRect(x - 11, top + 2, rect.width(), rect.height()), Qt::AlignLeft | Qt::AlignTop, number);
    }
}

void TForm1::Kopiruj1Click()
{
    QGuiApplication::clipboard()->setText(table_.clipboardText());
}

void TForm1::btVymazatRiadokClick()
{
    Modified = true;
    Editing = false;
    {
        QScopedValueRollback<bool> updating(Updating, true);
        ui->sgDB->hideEditor();
        table_.deleteRow(SelectedRow);
    }
    ui->sgDB->setFocus();
    ui->sgDB->viewport()->update();
}

void TForm1::btVymazatVsetkoClick()
{
    Modified = true;
    if (dialogs_.confirm(this, QStringLiteral("Chcete určite vymazať položky?")) == Dialogs::Button::Yes) {
        // The entry being typed goes with its row.
        Editing = false;
        QScopedValueRollback<bool> updating(Updating, true);
        ui->sgDB->hideEditor();
        table_.clearAll();
        SelectedRow = 1;
    }
    ui->sgDB->setFocus();
    ui->sgDB->viewport()->update();
}

void TForm1::btUlozitClick()
{
    bool incomplete;
    {
        QScopedValueRollback<bool> updating(Updating, true);
        incomplete = table_.HasIncompleteRows();
    }
    if (incomplete) {
        dialogs_.warning(this, QStringLiteral("Prázdna alebo nekompletná databáza!\r\nÚdaje nie je možné uložiť."),
                         Dialogs::Buttons::OkCancel);
        return;
    }
    if (table_.HasMarkedCells()) {
        dialogs_.warning(this, QStringLiteral("Nekonzistentné dáta!\r\nÚdaje nie je možné uložiť."),
                         Dialogs::Buttons::OkCancel);
        return;
    }
    if (!table_.save(databasePath())) {
        dialogs_.error(this, QStringLiteral("Chyba pri ukladaní databázy do súboru \"DB.csv\"!"));
        return;
    }
    dialogs_.message(this, Dialogs::Box::Information, QStringLiteral("Databáza uložená do súboru \"DB.csv\"."),
                     Dialogs::Buttons::OkCancel);
    Modified = false;
}

void TForm1::btVytlacitClick()
{
    constexpr int RowsPerPage = 45;
    const GridModel &grid = table_.grid();
    QPrinter printer(QPrinter::HighResolution);
    Dialogs::PrintOffer offer;
    offer.minPage = 1;
    offer.maxPage = ListingPageCount(grid, RowsPerPage);
    if (!dialogs_.printDialog(this, printer, offer))
        return;

    GridListing listing;
    listing.title = QStringLiteral("Databáza prevádzok");
    listing.portrait = false;
    listing.rowsPerPage = RowsPerPage;
    listing.copies = printer.copyCount();
    // Without a chosen range the dialog answers 0 for both ends: all pages.
    listing.fromPage = printer.fromPage() > 0 ? printer.fromPage() : offer.minPage;
    listing.toPage = printer.toPage() > 0 ? printer.toPage() : offer.maxPage;
    QList<int> widths;
    for (int c = 0; c < grid.ColCount(); ++c)
        widths.append(ui->sgDB->columnWidth(c));

    if (PrintGrid(printer, grid, widths, listing))
        dialogs_.plain(this, QStringLiteral("Tlač dokumentu úspešne ukončená"));
    else
        dialogs_.error(this, QStringLiteral("Chyba pri tlači dokumentu"));
}
