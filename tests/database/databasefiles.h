#pragma once

#include "common/stringgrid.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTest>

// Establishments as DB.csv holds them, and typing into a grid as a user does.
namespace dbtest {

// Lines of DB.csv in Windows-1250 bytes: fields followed by ";", CR LF.
inline QByteArray record(const QList<QByteArray> &fields)
{
    QByteArray line;
    for (const QByteArray &field : fields)
        line += field + ';';
    return line + "\r\n";
}

// A complete, valid establishment; the internal number decides its place.
inline QByteArray establishment(const QByteArray &number, const QByteArray &code, const QByteArray &name,
                                const QByteArray &city, const QByteArray &ico = "35757442")
{
    return record({number, code, name, "Hlavn\xe1 1", city, ico, "", "02", "1234567", "02/1234568", ""});
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

// Characters go to the in-place editor while it is open and to the grid
// otherwise; "\t" is Tab, "\r" Enter, "\b" Backspace.
inline void type(StringGrid *grid, const QString &keys)
{
    for (QChar c : keys) {
        QWidget *target = grid->isEditorOpen() ? static_cast<QWidget *>(grid->editor()) : grid;
        if (c == QLatin1Char('\t'))
            QTest::keyClick(target, Qt::Key_Tab);
        else if (c == QLatin1Char('\r'))
            QTest::keyClick(target, Qt::Key_Return);
        else if (c.unicode() < 128)
            QTest::keyClicks(target, QString(c));
        else // keys with no Latin-1 code of their own: the text is what counts
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace dbtest
