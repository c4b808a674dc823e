#pragma once

#include "grid/gridsort.h"
#include "grid/recordmodel.h"

#include <QString>
#include <QStringList>

class CharSet;

// The establishment table: one row per establishment in eleven text columns,
// its sort keys, and its file DB.csv.  The database window shows and edits
// it; the main window reads the selected row.
// One establishment's texts, as its row holds them.
struct Establishment
{
    QString internalNumber;
    QString code;
    QString name;
    QString street;
    QString city;
    QString ico;
    QString contactPerson;
    QString phonePrefix;
    QString phone;
    QString fax;
    QString email;
};

class EstablishmentModel : public RecordModel
{
public:
    enum Column {
        InternalNumberColumn = 0,
        CodeColumn = 1,
        NameColumn = 2,
        StreetColumn = 3,
        CityColumn = 4,
        IcoColumn = 5,
        ContactColumn = 6,
        PhonePrefixColumn = 7,
        PhoneColumn = 8,
        FaxColumn = 9,
        EmailColumn = 10,
        ColumnCount = 11
    };
    static constexpr int CodeLength = 6;

    explicit EstablishmentModel(QObject *parent = nullptr);

    const SortKeys &sortKeys() const { return sortKeys_; }

    Establishment establishment(int row) const;
    static const QStringList &columnCaptions();
    static int maxLength(int column);
    static const CharSet &allowedChars(int column);

    // The rule of one column: length, character set, IČO and e-mail checks.
    bool cellValid(QStringView text, int column) const override;
    // Besides the column's own limits the filter drops ";" and control
    // characters, which would break the lines of DB.csv.
    bool keyRejected(int column, const QString &text, QChar key) const override;
    // A code is unique and stored completed with leading zeros to six digits;
    // the IČO and the e-mail address must keep their rules.
    QString confirmEntry(int row, int column) override;
    // Orders the rows by the sort keys; the current row stays on its record.
    void sortRows() override;

    // A press on a heading: changes the sort keys and answers whether they
    // changed (a Ctrl+press on a key that is not the last one changes none).
    bool changeSortKeys(int column, bool ctrl);

    // The table as the clipboard gets it: every data row, the trailing
    // empty one too, cells separated by Tab, each row ended by CR LF.
    QString clipboardText() const;

    static QString fileName() { return QStringLiteral("DB.csv"); }

private:
    SortKeys sortKeys_;
};
