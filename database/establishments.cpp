#include "establishments.h"

#include "common/textscan.h"
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
SortKind sortKindFor(int column)
{
    if (column == EstablishmentTable::CodeColumn || !validColumn(column) || !Rules[column].digitsOnly)
        return SortKind::Text;
    return SortKind::Number;
}

} // namespace

EstablishmentTable::EstablishmentTable()
    : RecordTable(ColumnCaptions(), Columns({CodeColumn, NameColumn, StreetColumn, CityColumn, IcoColumn,
                                            PhonePrefixColumn, PhoneColumn, FaxColumn}))
{
    sortKeys_.Keys.append({InternalNumberColumn, true, sortKindFor(InternalNumberColumn)});
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

bool EstablishmentTable::ValidateCell(QStringView text, int column) const
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

bool EstablishmentTable::KeyRejected(int column, const QString &text, QChar key) const
{
    const char16_t code = key.unicode();
    if (code == KeyBackspace || code == KeyTab || code == KeyEnter)
        return false;
    if (code == KeySeparator || code < 32)
        return true;
    return ::KeyRejected(text, MaxLength(column), key, AllowedChars(column));
}

QString EstablishmentTable::ConfirmEntry(int column, int row)
{
    const QString text = grid().Cell(column, row);
    if (text.isEmpty())
        return {};
    if (column == CodeColumn) {
        // Compared as it will be stored, so 123 meets an existing 000123.
        const QString completed =
            text.size() < CodeLength ? PadLeft(text, QLatin1Char('0'), CodeLength) : text;
        if (ValueInColumn(grid(), row, column, completed))
            return QStringLiteral("Duplicitný záznam!");
        grid().SetCell(column, row, completed);
    }
    if (column == IcoColumn && !IcoIsValid(text))
        return QStringLiteral("Zadajte IČO");
    if (column == EmailColumn && EmailIsInvalid(text))
        return QStringLiteral("Zadajte E-mail");
    return {};
}

void EstablishmentTable::SortRows()
{
    RemoveEmptyRows(grid());
    SortRowsByKeys(grid(), sortKeys_, grid().CurrentRow());
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
            keys.append({column, true, sortKindFor(column)});
    } else if (keys.size() == 1 && keys.first().Column == column) {
        keys.first().Ascending = !keys.first().Ascending;
    } else {
        keys = {{column, true, sortKindFor(column)}};
    }
    return true;
}

QString EstablishmentTable::clipboardText() const
{
    QString text;
    for (int r = 1; r < grid().RowCount(); ++r) {
        text += grid().RowTexts(r).join(QLatin1Char('\t'));
        text += QLatin1String("\r\n");
    }
    return text;
}


Establishment EstablishmentTable::establishment(int row) const
{
    const GridModel &g = grid();
    return {g.Cell(InternalNumberColumn, row), g.Cell(CodeColumn, row),        g.Cell(NameColumn, row),
            g.Cell(StreetColumn, row),         g.Cell(CityColumn, row),        g.Cell(IcoColumn, row),
            g.Cell(ContactColumn, row),        g.Cell(PhonePrefixColumn, row), g.Cell(PhoneColumn, row),
            g.Cell(FaxColumn, row),            g.Cell(EmailColumn, row)};
}
