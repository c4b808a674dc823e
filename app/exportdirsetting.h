#pragma once

#include <QString>

// The export directory, the one setting the program keeps between runs.  On
// Windows it lives in the registry under HKEY_LOCAL_MACHINE\Software\Milbor\Kelvaro,
// or under HKEY_CURRENT_USER\Software\Milbor\Kelvaro for a user who cannot
// write the machine's key (read first); elsewhere in the user's native
// settings of organisation "Milbor", application "Kelvaro"; the value is
// "saveDir".
namespace ExportDirSetting {

// The stored directory exactly as stored, or "" when there is none or it
// cannot be read.  Creates the settings store when it is missing.
QString read();

enum class WriteResult { Stored, NotStored, Failed };
// NotStored: the store cannot be opened for writing (nothing is reported);
// Failed: it was open, but the value could not be written.
WriteResult write(const QString &directory);

// The directory as the export file's prefix: with the platform's separator
// at its end.
QString withSeparator(const QString &directory);

} // namespace ExportDirSetting
