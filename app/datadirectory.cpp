#include "datadirectory.h"

#include <QFileInfo>
#include <QStandardPaths>

QString DataDirectory(const QString &executableDir, const QString &installedDir)
{
    const QString executable = QFileInfo(executableDir).canonicalFilePath();
    if (!executable.isEmpty() && executable == QFileInfo(installedDir).canonicalFilePath())
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return executableDir;
}
