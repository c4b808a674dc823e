#include "datadirectory.h"

#include "app/buildinfo.h"

#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

QString DataDirectory(const QString &executableDir, const QString &installedDir)
{
    const QString executable = QFileInfo(executableDir).canonicalFilePath();
    if (!executable.isEmpty() && executable == QFileInfo(installedDir).canonicalFilePath())
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return executableDir;
}

QString InstalledDirectory()
{
#ifdef Q_OS_WIN
    // The installer lets the user choose the folder and records it in the
    // program's uninstall entry.  Read through the key above it, which always
    // exists, so that reading creates no entry.
    const QSettings uninstall(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"),
                              QSettings::NativeFormat);
    return uninstall.value(QStringLiteral("Kelvaro/InstallLocation")).toString();
#else
    return QStringLiteral(KELVARO_INSTALLED_BINDIR);
#endif
}
