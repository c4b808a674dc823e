#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

// Data files as the program keeps them: fields in Windows-1250, each followed
// by ";", lines ended by CR LF.
namespace dbtest {

inline QByteArray record(const QList<QByteArray> &fields)
{
    return fields.isEmpty() ? QByteArray("\r\n") : fields.join(';') + ";\r\n";
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

inline const QString Inconsistent =
    QStringLiteral("Konzistentnosť údajov v databáze je porušená!\r\n(Chybné údaje sú farebne zvýraznené)");

} // namespace dbtest
