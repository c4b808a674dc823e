#include "exportdirsetting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString ValueName = QStringLiteral("saveDir");

std::unique_ptr<QSettings> openStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Milbor\\Kelvaro"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"),
                                       QStringLiteral("Kelvaro"));
#endif
}

// QSettings writes its file only when a value changes; the store is created
// on opening all the same, as the registry key is.
void createStore(const QSettings &settings)
{
#ifndef Q_OS_WIN
    const QString path = settings.fileName();
    if (QFileInfo::exists(path))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.close();
#else
    Q_UNUSED(settings);
#endif
}

} // namespace

namespace ExportDirSetting {

QString read()
{
    const auto settings = openStore();
    createStore(*settings);
    if (settings->status() != QSettings::NoError)
        return {};
    const QVariant value = settings->value(ValueName);
    // A value of another type is no directory.
    if (value.typeId() != QMetaType::QString)
        return {};
    return value.toString();
}

WriteResult write(const QString &directory)
{
    const auto settings = openStore();
    createStore(*settings);
    if (!settings->isWritable())
        return WriteResult::NotStored;
    settings->setValue(ValueName, directory);
    settings->sync();
    return settings->status() == QSettings::NoError ? WriteResult::Stored : WriteResult::Failed;
}

QString withSeparator(const QString &directory)
{
    const QString separator = QDir::separator();
    if (directory.endsWith(separator) || directory.endsWith(QLatin1Char('/')))
        return directory;
    return directory + separator;
}

} // namespace ExportDirSetting
