#include "establishmentmodel.h"

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
constexpr ColumnRule Rules[EstablishmentModel::ColumnCount] = {
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
    return column >= 0 && column < EstablishmentModel::ColumnCount;
}

// Codes compare as text, so that leading zeros count; the other digit
// columns by value, and text columns alphabetically.
SortKind sortKindFor(int column)
{
    if (column == EstablishmentModel::CodeColumn || !validColumn(column) || !Rules[column].digitsOnly)
        return SortKind::Text;
    return SortKind::Number;
}

} // namespace

EstablishmentModel::EstablishmentModel(QObject *parent)
    : RecordModel(columnCaptions(),
                  Columns({CodeColumn, NameColumn, StreetColumn, CityColumn, IcoColumn, PhonePrefixColumn,
                           PhoneColumn, FaxColumn}),
                  parent)
{
    sortKeys_.Keys.append({InternalNumberColumn, true, sortKindFor(InternalNumberColumn)});
}

const QStringList &EstablishmentModel::columnCaptions()
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

int EstablishmentModel::maxLength(int column)
{
    return validColumn(column) ? Rules[column].maxLength : 0;
}

const CharSet &EstablishmentModel::allowedChars(int column)
{
    return validColumn(column) && Rules[column].digitsOnly ? Digits : AnyChar;
}

bool EstablishmentModel::cellValid(QStringView text, int column) const
{
    bool valid = text.size() <= maxLength(column);
    if (column == IcoColumn)
        valid = valid && IcoIsValid(text);
    if (column == EmailColumn)
        valid = valid && (text.isEmpty() || !EmailIsInvalid(text));
    if (valid) {
        const CharSet &allowed = allowedChars(column);
        for (QChar c : text) {
            if (!allowed.contains(c))
                return false;
        }
    }
    return valid;
}

bool EstablishmentModel::keyRejected(int column, const QString &text, QChar key) const
{
    const char16_t code = key.unicode();
    if (code == KeyBackspace || code == KeyTab || code == KeyEnter)
        return false;
    if (code == KeySeparator || code < 32)
        return true;
    return ::KeyRejected(text, maxLength(column), key, allowedChars(column));
}

QString EstablishmentModel::confirmEntry(int row, int column)
{
    const QString typed = text(row, column);
    if (typed.isEmpty())
        return {};
    if (column == CodeColumn) {
        // Compared as it will be stored, so 123 meets an existing 000123.
        const QString completed =
            typed.size() < CodeLength ? PadLeft(typed, QLatin1Char('0'), CodeLength) : typed;
        if (valueInColumn(row, column, completed))
            return QStringLiteral("Duplicitný záznam!");
        setText(row, column, completed);
    }
    if (column == IcoColumn && !IcoIsValid(typed))
        return QStringLiteral("Zadajte IČO");
    if (column == EmailColumn && EmailIsInvalid(typed))
        return QStringLiteral("Zadajte E-mail");
    return {};
}

void EstablishmentModel::sortRows()
{
    removeEmptyRows();
    SortRecords(*this, sortKeys_);
    appendEntryRowIfComplete();
}

bool EstablishmentModel::changeSortKeys(int column, bool ctrl)
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

QString EstablishmentModel::clipboardText() const
{
    QString text;
    for (int r = 0; r < rowCount(); ++r) {
        text += rowTexts(r).join(QLatin1Char('\t'));
        text += QLatin1String("\r\n");
    }
    return text;
}


Establishment EstablishmentModel::establishment(int row) const
{
    return {text(row, InternalNumberColumn), text(row, CodeColumn),        text(row, NameColumn),
            text(row, StreetColumn),         text(row, CityColumn),        text(row, IcoColumn),
            text(row, ContactColumn),        text(row, PhonePrefixColumn), text(row, PhoneColumn),
            text(row, FaxColumn),            text(row, EmailColumn)};
}
