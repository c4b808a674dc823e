#pragma once

#include <QString>

#include <memory>

class QDate;
class QSaveFile;
struct ListTexts;

// The export file of a filled-in list: Windows-1250, TAB-separated, CR LF
// lines.  It is written in three steps while the list prints (open with the
// header, one line per row, close with the totals), and lands on disk only
// when it is closed whole: a failure part-way keeps an earlier file of the
// same name as it was.
class ExportFile
{
public:
    ExportFile();
    ~ExportFile();

    // The directory text exactly as stored (no separator is added), the date
    // as yymmdd and the code brought to six characters.
    static QString fileName(const QString &saveDir, const QDate &date, const QString &code);

    // Creates the file and writes its head: the establishment and list texts
    // that every page of the list repeats.
    bool open(const QString &path, const ListTexts &texts);
    bool writeRow(const QString &nominal, const QString &count, const QString &value);
    bool close(const QString &totalCount, const QString &totalValue, const QString &creationDate);
    // Gives up a file still open; nothing is written.
    void abandon();

    bool isOpen() const;
    // The file error of the last failure, in the words the user is shown.
    QString errorText() const { return errorText_; }

private:
    bool writeLine(const QString &line);
    void fail();

    std::unique_ptr<QSaveFile> file_;
    QString errorText_;
};
