#include "datadirectory.h"

#include "app/buildinfo.h"
#include "common/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

ProgramFolders DecideProgramFolders(const QString &executableDir, const QString &installedDir)
{
    const QString executable = QFileInfo(executableDir).canonicalFilePath();
    if (executable.isEmpty() || executable != QFileInfo(installedDir).canonicalFilePath())
        return {executableDir, QString()};
    // The start menu's working folder is the program's own, where an
    // ordinary account may not write.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(documents).isDir())
        documents = QDir::homePath();
    return {QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), documents};
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

DataFolderLock::DataFolderLock(const QString &dataDir)
    : dataDir_(dataDir), lock_(QDir(dataDir).filePath(QStringLiteral("kelvaro.lock")))
{
    // A program that runs for days keeps its folder: only a lock whose
    // program is gone is stale.
    lock_.setStaleLockTime(0);
}

bool DataFolderLock::take(Dialogs &dialogs)
{
    // The installed program's folder is made at its first start.
    QDir().mkpath(dataDir_);
    if (lock_.tryLock(0) || lock_.error() != QLockFile::LockFailedError)
        return true;
    dialogs.plain(nullptr, QStringLiteral("Kelvaro už beží s týmito súbormi."));
    return false;
}
