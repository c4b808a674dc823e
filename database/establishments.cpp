#include "establishments.h"

#include "common/markedcells.h"
#include "common/recordfile.h"
#include "common/validators.h"

namespace {

struct ColumnRule
{
    int maxLength;
    bool digitsOnly;
};

// Lengths and character sets of the eleven columns; they are also the field
// widths of the voucher company's forms.
constexpr ColumnRule Rules[EstablishmentTable::ColumnCount] = {
    {10, true},  // Interné číslo prevádzky
    {6, true},   // Kód prevádzky
    {32, false}, // Názov prevádzky
    {32, false}, // Ulica a číslo
    {32, false}, // Mesto
    {8, true},   // IČO
    {12, false}, // Kontaktná osoba
    {4, true},   // Predčíslie tel.č.
    {8, true},   // Telefónne číslo
    {12, false}, // Faxové číslo
    {32, false}, // E-mailová adresa
};

constexpr char16_t KeySeparator = ';';

bool validColumn(int column)
{
    return column >= 0 && column < EstablishmentTable::ColumnCount;
}

// Codes compare as text, so that leading zeros count; the other digit
// columns by value, and text columns alphabetically.
CompareFn compareFor(int column)
{
    if (column == EstablishmentTable::CodeColumn || !validColumn(column) || !Rules[column].digitsOnly)
        return CompareStrings;
    return CompareNumeric;
}

} // namespace

EstablishmentTable::EstablishmentTable() : grid_(ColumnCount)
{
    SetGridHeader(grid_, ColumnCaptions());
    sortKeys_.Keys.append({InternalNumberColumn, true, compareFor(InternalNumberColumn)});
}

const QStringList &EstablishmentTable::ColumnCaptions()
{
    static const QStringList captions{
        QStringLiteral("Interné číslo prevádzky"), QStringLiteral("Kód prevádzky"),
        QStringLiteral("Názov prevádzky"),         QStringLiteral("Ulica a číslo"),
        QStringLiteral("Mesto"),                   QStringLiteral("IČO"),
        QStringLiteral("Kontaktná osoba"),         QStringLiteral("Predčíslie tel.č."),
        QStringLiteral("Telefónne číslo"),         QStringLiteral("Faxové číslo"),
        QStringLiteral("E-mailová adresa"),
    };
    return captions;
}

int EstablishmentTable::MaxLength(int column)
{
    return validColumn(column) ? Rules[column].maxLength : 0;
}

const CharSet &EstablishmentTable::AllowedChars(int column)
{
    return validColumn(column) && Rules[column].digitsOnly ? Digits : AnyChar;
}

const ColumnSet &EstablishmentTable::RequiredColumns()
{
    static const ColumnSet required = Columns({CodeColumn, NameColumn, StreetColumn, CityColumn, IcoColumn,
                                               PhonePrefixColumn, PhoneColumn, FaxColumn});
    return required;
}

bool EstablishmentTable::ValidateCell(const QString &text, int column)
{
    bool valid = text.size() <= MaxLength(column);
    if (column == IcoColumn)
        valid = valid && IcoIsValid(text);
    if (column == EmailColumn)
        valid = valid && (text.isEmpty() || !EmailIsInvalid(text));
    if (valid) {
        const CharSet &allowed = AllowedChars(column);
        for (QChar c : text) {
            if (!allowed.contains(c))
                return false;
        }
    }
    return valid;
}

bool EstablishmentTable::KeyRejected(int column, const QString &text, QChar key)
{
    const char16_t code = key.unicode();
    if (code == KeyBackspace || code == KeyTab || code == KeyEnter)
        return false;
    if (code == KeySeparator || code < 32)
        return true;
    return ::KeyRejected(text, MaxLength(column), key, AllowedChars(column));
}

bool EstablishmentTable::InsertionAllowed(int column, const QString &text)
{
    return CouldBeTyped(text, [column](const QString &typed, QChar key) { return KeyRejected(column, typed, key); });
}

QString EstablishmentTable::CompletedCode(const QString &text)
{
    return text.size() < CodeLength ? PadLeft(text, QLatin1Char('0'), CodeLength) : text;
}

void EstablishmentTable::CheckRow(int row)
{
    const bool complete = rowComplete(row);
    for (int c = 0; c < ColumnCount; ++c) {
        if (!complete || !ValidateCell(grid_.Cell(c, row), c))
            MarkCell(markedCells_, c, row);
    }
}

bool EstablishmentTable::isMarked(int column, int row) const
{
    return IsCellMarked(markedCells_, column, row);
}

bool EstablishmentTable::rowComplete(int row) const
{
    return RowIsComplete(grid_, RequiredColumns(), row);
}

void EstablishmentTable::appendEntryRowIfComplete()
{
    if (AllRowsComplete(grid_, RequiredColumns()))
        AppendEmptyRow(grid_);
}

bool EstablishmentTable::HasIncompleteRows()
{
    RemoveEmptyRows(grid_, &markedCells_);
    const bool complete = AllRowsComplete(grid_, RequiredColumns());
    if (complete)
        AppendEmptyRow(grid_);
    return !complete;
}

void EstablishmentTable::RemoveIncompleteRows()
{
    for (int r = 1; r < grid_.RowCount(); ++r) {
        if (!rowComplete(r))
            ClearRow(grid_, r);
    }
    RemoveEmptyRows(grid_, &markedCells_);
    appendEntryRowIfComplete();
}

void EstablishmentTable::SortDatabase()
{
    RemoveEmptyRows(grid_, &markedCells_);
    SortRowsByKeys(grid_, sortKeys_, 0, &markedCells_, grid_.CurrentRow());
    appendEntryRowIfComplete();
}

bool EstablishmentTable::ChangeSortKeys(int column, bool ctrl)
{
    QList<SortKey> &keys = sortKeys_.Keys;
    if (ctrl) {
        if (!keys.isEmpty() && keys.last().Column == column)
            keys.last().Ascending = !keys.last().Ascending;
        else if (ColumnInKeys(sortKeys_, column))
            return false;
        else
            keys.append({column, true, compareFor(column)});
    } else if (keys.size() == 1 && keys.first().Column == column) {
        keys.first().Ascending = !keys.first().Ascending;
    } else {
        keys = {{column, true, compareFor(column)}};
    }
    return true;
}

void EstablishmentTable::deleteRow(int row)
{
    if (row < 1 || row >= grid_.RowCount())
        return;
    // Dropping the emptied row through the compaction takes its marks and
    // moves the marks of every row below, also past other empty rows.
    ClearRow(grid_, row);
    RemoveEmptyRows(grid_, &markedCells_);
    appendEntryRowIfComplete();
}

void EstablishmentTable::clearAll()
{
    markedCells_.clear();
    grid_.SetCurrentCell(InternalNumberColumn, 1);
    grid_.SetRowCount(2);
    ClearRow(grid_, 1);
}

QString EstablishmentTable::clipboardText() const
{
    QString text;
    for (int r = 1; r < grid_.RowCount(); ++r) {
        text += grid_.RowTexts(r).join(QLatin1Char('\t'));
        text += QLatin1String("\r\n");
    }
    return text;
}

RecordFileLoad EstablishmentTable::load(const QString &path)
{
    markedCells_.clear();
    const RecordFileLoad result = LoadGridRows(path, grid_, [this](int row) { CheckRow(row); });
    SortDatabase();
    return result;
}

bool EstablishmentTable::save(const QString &path) const
{
    return SaveGridRows(path, grid_, [this](int row) { return rowComplete(row); });
}
