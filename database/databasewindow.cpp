#include "databasewindow.h"

#include "ui_databasewindow.h"

#include "common/dialogs.h"
#include "common/waitcursor.h"
#include "common/windowstyle.h"
#include "grid/recorddelegate.h"
#include "grid/recordmessages.h"
#include "grid/recordview.h"
#include "printing/gridlisting.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QStyle>

namespace {

constexpr int RowHeight = 18;
constexpr int ColumnWidths[EstablishmentModel::ColumnCount] = {125, 85, 113, 182, 173, 57, 104, 79, 79, 92, 147};
// Beside a heading's text: the style's margin before it, and the sort
// triangle, drawn from 14 to 4 pixels before the column's end, after it.
constexpr int HeadingRoom = 4 + 2 + 14;

const QColor SelectedGreen(0, 128, 0);
const QColor KeyGrey(128, 128, 128);

// The row asked for last (the view's selected row) is green with yellow
// text while it is complete: the establishment of the voucher list.
class EstablishmentDelegate : public RecordDelegate
{
public:
    using RecordDelegate::RecordDelegate;

protected:
    CellColors cellColors(const QStyleOptionViewItem &option, const QModelIndex &index,
                          const CellColors &colors) const override
    {
        const RecordModel *model = recordModel(index);
        const bool chosen = option.state.testFlag(QStyle::State_Selected) && model && model->rowComplete(index.row());
        return chosen ? CellColors{SelectedGreen, MarkText()} : colors;
    }
};

// The headings show the sort keys, a triangle for the direction and, with
// more than one key, each key's place; a press on a heading goes to the
// window, unless it starts resizing a column.
class SortKeysHeader : public QHeaderView
{
public:
    using Pressed = std::function<void(QMouseEvent *event, int column)>;

    SortKeysHeader(const EstablishmentModel &table, Pressed pressed, QWidget *parent)
        : QHeaderView(Qt::Horizontal, parent), table_(table), pressed_(std::move(pressed))
    {
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        if (!rect.isValid())
            return;
        painter->save();
        // The style may leave a clip of its own behind.
        painter->setClipRect(rect);
        drawKey(*painter, logicalIndex, rect);
        painter->restore();
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        const QPoint pos = event->position().toPoint();
        const int column = logicalIndexAt(pos);
        if (column >= 0 && !onResizeGrip(pos.x(), column)) {
            pressed_(event, column);
            event->accept();
            return;
        }
        QHeaderView::mousePressEvent(event);
    }

private:
    void drawKey(QPainter &painter, int column, const QRect &rect) const
    {
        const QList<SortKey> &keys = table_.sortKeys().Keys;
        const auto key =
            std::find_if(keys.cbegin(), keys.cend(), [column](const SortKey &k) { return k.Column == column; });
        if (key == keys.cend())
            return;
        // From the heading cell's own rectangle, so that the triangle follows
        // the columns when the grid is scrolled sideways.
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
            painter.drawText(QRect(x - 11, top + 2, rect.width(), rect.height()), Qt::AlignLeft | Qt::AlignTop,
                             number);
        }
    }

    // A press this close to a heading's edge starts resizing its column.
    bool onResizeGrip(int x, int column) const
    {
        const int margin = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
        const int left = sectionViewportPosition(column);
        const int right = left + sectionSize(column);
        const bool nearLeft = x < left + margin && visualIndex(column) > 0;
        const bool nearRight = x >= right - margin;
        return sectionResizeMode(column) == Interactive && (nearLeft || nearRight);
    }

    const EstablishmentModel &table_;
    Pressed pressed_;
};

bool plainRightPress(const QMouseEvent *event)
{
    return event->button() == Qt::RightButton && event->buttons() == Qt::RightButton
           && event->modifiers() == Qt::NoModifier;
}

} // namespace

DatabaseWindow::DatabaseWindow(const QString &dataDir, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), dataDir_(dataDir)
{
    setWindowTitle(QStringLiteral("Databáza prevádzok"));
    loadAtStart();
}

DatabaseWindow::~DatabaseWindow() = default;

void DatabaseWindow::setVisible(bool visible)
{
    // The widgets are made when the window is first shown: the table is
    // loaded with the program, but most runs never open this window, and the
    // main window comes up sooner without them.
    if (visible && !ui)
        buildWindow();
    QDialog::setVisible(visible);
}

void DatabaseWindow::buildWindow()
{
    ui = std::make_unique<Ui::DatabaseWindow>();
    setUpWindow();
    setUpGrid();
}

RecordView *DatabaseWindow::grid()
{
    if (!ui)
        buildWindow();
    return ui->sgDB;
}

QString DatabaseWindow::databasePath() const
{
    return QDir(dataDir_).filePath(EstablishmentModel::fileName());
}

void DatabaseWindow::setUpWindow()
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFont(WindowFont());

    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    copyAction_ = popupMenu_->addAction(QStringLiteral("&Kopíruj"));
    copyAction_->setObjectName(QStringLiteral("Kopiruj1"));
    connect(copyAction_, &QAction::triggered, this, &DatabaseWindow::copyTable);

    connect(ui->btVymazatVsetko, &QPushButton::clicked, this, &DatabaseWindow::clearAll);
    connect(ui->btVymazatRiadok, &QPushButton::clicked, this, &DatabaseWindow::deleteRow);
    connect(ui->btUlozit, &QPushButton::clicked, this, &DatabaseWindow::save);
    connect(ui->btVytlacit, &QPushButton::clicked, this, &DatabaseWindow::printListing);

    setFixedSize(800, 600);
    CentreOnScreen(*this);
}

void DatabaseWindow::setUpGrid()
{
    RecordView *grid = ui->sgDB;
    grid->setItemDelegate(new EstablishmentDelegate(grid));
    grid->setHorizontalHeader(new SortKeysHeader(
        table_, [this](QMouseEvent *event, int column) { headingPressed(event, column); }, grid));
    grid->horizontalHeader()->setSectionsClickable(true);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setFont(grid->font());
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Sizes first: with the table's rows in place, every row would be resized.
    grid->setDefaultSizes(ColumnWidths[0], RowHeight);
    // The window opens on the first establishment.
    grid->setRecordModel(&table_, dialogs_);
    connect(grid, &RecordView::entryEdited, this, [this] { modified_ = true; });
    // A column is at least as wide as its heading with the sort triangle
    // beside it, whatever face this system gives the heading.
    const QFontMetrics heading = grid->horizontalHeader()->fontMetrics();
    for (int c = 0; c < EstablishmentModel::ColumnCount; ++c) {
        const int fitting = heading.horizontalAdvance(EstablishmentModel::columnCaptions().at(c)) + HeadingRoom;
        grid->setColumnWidth(c, std::max(ColumnWidths[c], fitting));
    }
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
}

void DatabaseWindow::loadAtStart()
{
    loadDatabase(databasePath());
    modified_ = false;
}

void DatabaseWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    prepareShow();
}

void DatabaseWindow::prepareShow()
{
    ui->sgDB->setFocus();
}

bool DatabaseWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A right click opens the grid's menu without moving the current cell.
    if (ui && watched == ui->sgDB->viewport() && event->type() == QEvent::MouseButtonPress
        && plainRightPress(static_cast<QMouseEvent *>(event))) {
        popupMenu_->popup(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        return true;
    }
    // The menu key opens it at the current cell.
    if (ui && watched == ui->sgDB && event->type() == QEvent::ContextMenu
        && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        const QRect cell = ui->sgDB->visualRect(ui->sgDB->currentIndex());
        popupMenu_->popup(ui->sgDB->viewport()->mapToGlobal(cell.center()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void DatabaseWindow::reject()
{
    if (closeAllowed())
        QDialog::reject();
}

bool DatabaseWindow::closeAllowed()
{
    if (table_.hasMarkedCells()) {
        const auto answer = dialogs_.warning(this, QStringLiteral("Databáza je v nekonzistentnom stave!\r\n"
                                                                  "Údaje nebudú uložené.\r\n"
                                                                  "Chcete napriek tomu ukončiť editáciu databázy?"));
        return answer == Dialogs::Button::Yes;
    }
    if (!table_.compactAndFindIncompleteRows())
        return true;
    if (!AskRemoveIncompleteRows(dialogs_, this))
        return false;
    table_.removeIncompleteRows();
    return true;
}

void DatabaseWindow::loadDatabase(const QString &path)
{
    RecordFileLoad result;
    {
        WaitCursor wait;
        result = table_.load(path);
    }
    ReportRecordLoad(dialogs_, this, result, path, table_.hasMarkedCells(), Dialogs::Box::Plain);
}

void DatabaseWindow::sortTable()
{
    WaitCursor wait;
    table_.sortRows();
}

std::optional<Establishment> DatabaseWindow::chosenEstablishment() const
{
    // The grid is made when the window is first shown; until then the
    // first row is the one asked for.
    const int row = ui ? ui->sgDB->selectedRow() : 0;
    if (row < 0 || row >= table_.rowCount() || !table_.rowComplete(row))
        return std::nullopt;
    return table_.establishment(row);
}

void DatabaseWindow::headingPressed(QMouseEvent *event, int column)
{
    if (plainRightPress(event)) {
        popupMenu_->popup(event->globalPosition().toPoint());
        return;
    }
    if (table_.changeSortKeys(column, event->modifiers().testFlag(Qt::ControlModifier))) {
        sortTable();
        ui->sgDB->horizontalHeader()->viewport()->update();
    }
}

void DatabaseWindow::copyTable()
{
    QGuiApplication::clipboard()->setText(table_.clipboardText());
}

void DatabaseWindow::deleteRow()
{
    modified_ = true;
    ui->sgDB->deleteSelectedRow();
    ui->sgDB->setFocus();
}

void DatabaseWindow::clearAll()
{
    modified_ = true;
    if (dialogs_.confirm(this, QStringLiteral("Chcete určite vymazať položky?")) == Dialogs::Button::Yes) {
        ui->sgDB->clearAll();
    }
    ui->sgDB->setFocus();
}

void DatabaseWindow::save()
{
    if (table_.compactAndFindIncompleteRows()) {
        dialogs_.warning(this, QStringLiteral("Prázdna alebo nekompletná databáza!\r\nÚdaje nie je možné uložiť."),
                         Dialogs::Buttons::OkCancel);
        return;
    }
    // An entry that was never confirmed has not been checked yet: the file
    // gets nothing that its reading would refuse.
    table_.markBrokenCells();
    if (table_.hasMarkedCells()) {
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
    modified_ = false;
}

void DatabaseWindow::printListing()
{
    constexpr int RowsPerPage = 45;
    QPrinter printer(QPrinter::HighResolution);
    Dialogs::PrintOffer offer;
    offer.minPage = 1;
    offer.maxPage = ListingPageCount(table_, RowsPerPage);
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
    for (int c = 0; c < table_.columnCount(); ++c)
        widths.append(ui->sgDB->columnWidth(c));

    if (PrintGrid(printer, table_, widths, listing))
        dialogs_.plain(this, QStringLiteral("Tlač dokumentu úspešne ukončená"));
    else
        dialogs_.error(this, QStringLiteral("Chyba pri tlači dokumentu"));
}
