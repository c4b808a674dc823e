#pragma once

#include <QString>

// The folder of the data files DB.csv and supiska.csv, decided once at start.
// A program run from installedDir, the folder it is installed into, keeps them
// in the user's application data folder (which the first save creates): that
// folder is not the user's to write, and root must not write there either.
// Anywhere else (the build folder, a folder the user copied the program into)
// they lie beside the executable, in executableDir.
QString DataDirectory(const QString &executableDir, const QString &installedDir);

// The folder the program is installed into: on Linux the one it is built for;
// on Windows the one its installer recorded, "" when it is not installed.
QString InstalledDirectory();
