#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The program's data files (DB.csv, supiska.csv): Windows-1250 lines of
// fields, each field followed by ";", lines ended by CR LF.

// The text of a file's contents: Ctrl-Z ends the file.
QString DecodeRecordFile(const QByteArray &contents);

// Calls line for each line of the text.  A line ends at CR or at the end of
// the text; one LF right after the CR is skipped, an LF anywhere else belongs
// to the line.
void ForEachRecordLine(QStringView text, const std::function<void(QStringView line)> &line);

// The fields of one line, at most maxFields, each trimmed of spaces and
// control characters.  A last field without ";" counts; fields beyond
// maxFields are ignored.
void SplitRecordFields(QStringView line, int maxFields, QList<QStringView> &fields);

// The largest data file that is read.  A database of 100,000 establishments
// is about 11 MB; a merchant's real files are far smaller.  A larger file
// is damaged or no data file at all, and reading it would only fill memory.
constexpr qint64 RecordFileSizeLimit = 32 * 1024 * 1024;

// Reads the whole file.  Without a value the file could not be opened or
// read; fileExisted then tells whether there was a file to read.  A path
// that is no regular file (a folder, a FIFO, a device, or a link to one) and
// a file larger than RecordFileSizeLimit cannot be read.
struct RecordFileRead
{
    bool ok = false;
    bool fileExisted = false;
    QString text;
};
RecordFileRead ReadRecordFile(const QString &path);

// Writes the rows, each field followed by ";" and each line by CR LF, in
// Windows-1250, replacing the file only when everything was written.
bool WriteRecordFile(const QString &path, const QList<QStringList> &rows);

// Loading a table from its data file.
enum class RecordFileLoad {
    Loaded,
    Missing, // no file: the grid stays as it was
    Failed,  // a file that could not be read: the grid is left with one empty row
};
