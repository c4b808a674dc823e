#pragma once

#include <QLockFile>
#include <QString>

class Dialogs;

// The folders of a run, decided once at start.  A program run from
// installedDir, the folder it is installed into, keeps its data files
// DB.csv and supiska.csv in the user's application data folder (that folder
// is not the user's to write, and root must not write there either), and
// starts in the user's documents folder, where the export file goes while no
// export folder is chosen.  Anywhere else (the build folder, a folder the
// user copied the program into) the data files lie beside the executable, in
// executableDir, and the program stays in the folder it was started in.
struct ProgramFolders
{
    QString data;
    QString working; // empty: the folder the program was started in
};
ProgramFolders DecideProgramFolders(const QString &executableDir, const QString &installedDir);

// The folder the program is installed into: on Linux the one it is built for;
// on Windows the one its installer recorded, "" when it is not installed.
QString InstalledDirectory();

// One running program per data folder: two would each write the files over
// what the other saved.
class DataFolderLock
{
public:
    explicit DataFolderLock(const QString &dataDir);

    // Takes the folder; false, once the user has been told, while another
    // running program has it.  The lock of a program that ended without
    // letting it go is taken over.  Where no lock can be made (a read-only
    // folder) the program runs, and its saves report what fails.
    bool take(Dialogs &dialogs);

private:
    QString dataDir_;
    QLockFile lock_;
};
