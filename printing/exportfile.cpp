#include "exportfile.h"

#include "common/amount.h"
#include "common/cp1250.h"
#include "common/textscan.h"
#include "printing/listtexts.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace {

constexpr auto Tab = QLatin1Char('\t');

// The file error texts the user knows, chosen by what went wrong.
QString fileErrorText(const QString &path, int code)
{
    const QFileInfo target(path);
    if (target.isDir() || code == EACCES || code == EPERM || code == EROFS || code == EISDIR)
        return QStringLiteral("File access denied.");
    if (code == EMFILE || code == ENFILE)
        return QStringLiteral("Too many open files.");
    if (code == ENOENT || code == ENOTDIR)
        return target.absoluteDir().exists() ? QStringLiteral("File not found.")
                                             : QStringLiteral("Invalid filename.");
    if (!target.absoluteDir().exists())
        return QStringLiteral("Invalid filename.");
    return QStringLiteral("I/O error %1.").arg(code);
}

} // namespace

ExportFile::ExportFile() = default;
ExportFile::~ExportFile() = default;

QString ExportFile::fileName(const QString &saveDir, const QDate &date, const QString &code)
{
    return saveDir + date.toString(QStringLiteral("yyMMdd")) + PadLeft(code, QLatin1Char('0'), 6)
           + QStringLiteral(".txt");
}

bool ExportFile::isOpen() const
{
    return file_ && file_->isOpen();
}

void ExportFile::fail()
{
    const int code = errno;
    errorText_ = fileErrorText(file_->fileName(), code);
    file_->cancelWriting();
    file_.reset();
}

bool ExportFile::writeLine(const QString &line)
{
    if (!isOpen())
        return false;
    const QByteArray bytes = Cp1250::encode(line) + "\r\n";
    errno = 0;
    if (file_->write(bytes) != bytes.size()) {
        fail();
        return false;
    }
    return true;
}

bool ExportFile::open(const QString &path, const ListTexts &header)
{
    errorText_.clear();
    file_ = std::make_unique<QSaveFile>(path);
    errno = 0;
    if (!file_->open(QIODevice::WriteOnly)) {
        fail();
        return false;
    }
    const QString lines[] = {
        QStringLiteral("Druh produktu:") + Tab + header.productKind,
        QString(),
        QStringLiteral("Interné číslo prevádzky:") + Tab + header.internalNumber,
        QStringLiteral("Kód prevádzky:") + Tab + header.code,
        QStringLiteral("IČO:") + Tab + header.ico,
        QStringLiteral("Názov prevádzky:") + Tab + header.name,
        QStringLiteral("Ulica:") + Tab + header.street,
        QStringLiteral("Mesto:") + Tab + header.city,
        QString(),
        // The company's format has no TAB after this one label.
        QStringLiteral("Kontaktná osoba:") + header.contactPerson,
        QStringLiteral("Predčíslie / telefónne číslo:") + Tab + header.phone,
        QString(),
        QStringLiteral("Špecifický symbol:") + Tab + header.specificSymbol,
        QString(),
        QStringLiteral("NH\tPočet\tHodnota"),
    };
    for (const QString &line : lines) {
        if (!writeLine(line))
            return false;
    }
    return true;
}

bool ExportFile::writeRow(const QString &nominal, const QString &count, const QString &value)
{
    return writeLine(nominal + Tab + count + Tab + value);
}

bool ExportFile::close(const QString &totalCount, const QString &totalValue, const QString &creationDate)
{
    const QString lines[] = {
        QString(),
        QStringLiteral("Celkový počet kupónov:") + Tab + FormatAmountGrouped(totalCount, false),
        QStringLiteral("Celková hodnota kupónov:") + Tab + FormatAmountGrouped(totalValue, true)
            + QStringLiteral(" €"),
        QString(),
        QStringLiteral("Dátum vytvorenia súpisky:") + Tab + creationDate,
    };
    for (const QString &line : lines) {
        if (!writeLine(line))
            return false;
    }
    // A full disk shows when the buffer is flushed, which commit() would
    // not report.
    errno = 0;
    if (!file_->flush()) {
        fail();
        return false;
    }
    errno = 0;
    if (!file_->commit()) {
        const int code = errno;
        errorText_ = fileErrorText(file_->fileName(), code);
        file_.reset();
        return false;
    }
    file_.reset();
    return true;
}

void ExportFile::abandon()
{
    if (file_) {
        file_->cancelWriting();
        file_.reset();
    }
}
