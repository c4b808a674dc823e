#include "recordfile.h"

#include "common/cp1250.h"
#include "common/textscan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <climits>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
constexpr char16_t CarriageReturn = 13;
constexpr char16_t LineFeed = 10;
constexpr char EndOfFile = 26; // Ctrl-Z

// Opens the file for reading when it is a regular file (after links) of at
// most RecordFileSizeLimit bytes, and tells its size.
bool openDataFile(const QString &path, QFile &file, qint64 &size)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > RecordFileSizeLimit)
        return false;
#ifndef Q_OS_WIN
    // Between the check and the open the name may come to lead elsewhere.
    // Opening without blocking (a FIFO would wait for a writer) and checking
    // what was opened closes that gap; on a regular file O_NONBLOCK changes
    // nothing.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_size > RecordFileSizeLimit
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    size = opened.st_size;
    return true;
#else
    size = info.size();
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
#endif
}
} // namespace

QString DecodeRecordFile(const QByteArray &contents)
{
    const qsizetype end = contents.indexOf(EndOfFile);
    return Cp1250::decode(end < 0 ? contents : contents.left(end));
}

void ForEachRecordLine(QStringView text, const std::function<void(QStringView line)> &line)
{
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype cr = FindChar(text, CarriageReturn, pos);
        if (cr < 0)
            cr = text.size();
        line(text.sliced(pos, cr - pos));
        pos = cr + 1;
        if (cr < text.size() && pos < text.size() && text.at(pos) == QChar(LineFeed))
            ++pos;
    }
}

void SplitRecordFields(QStringView line, int maxFields, QList<QStringView> &fields)
{
    fields.clear();
    qsizetype pos = 0;
    while (fields.size() < maxFields) {
        const qsizetype separator = FindChar(line, u';', pos);
        if (separator < 0)
            break;
        fields.append(TrimControl(line.sliced(pos, separator - pos)));
        pos = separator + 1;
    }
    if (fields.size() < maxFields && pos < line.size())
        fields.append(TrimControl(line.sliced(pos)));
}

RecordFileRead ReadRecordFile(const QString &path)
{
    RecordFileRead result;
    result.fileExisted = QFileInfo::exists(path);
    QFile file;
    qint64 size = 0;
    if (!result.fileExisted || !openDataFile(path, file, size))
        return result;
    // Never more than was checked: a byte beyond it shows a file that grew
    // meanwhile, which is not read either.
    const QByteArray contents = file.read(size + 1);
    if (file.error() != QFileDevice::NoError || contents.size() > size)
        return result;
    result.ok = true;
    result.text = DecodeRecordFile(contents);
    return result;
}

bool WriteRecordFile(const QString &path, const QList<QStringList> &rows)
{
    // One conversion for the whole file: opening the code page's converter
    // costs more than converting a field.
    QString text;
    for (const QStringList &row : rows) {
        for (const QString &field : row) {
            text += field;
            text += QLatin1Char(';');
        }
        text += QLatin1String("\r\n");
    }
    const QByteArray contents = Cp1250::encode(text);
    // An installed program's data folder is the user's, made by the first save.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The write is buffered: a full disk shows only when the buffer is
    // flushed, and commit() would not notice it.
    if (file.write(contents) != contents.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
