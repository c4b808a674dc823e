#include "exportdirsetting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString ValueName = QStringLiteral("saveDir");

#ifdef Q_OS_WIN
// The machine's setting, as the program has always kept it.  An ordinary user
// cannot write under HKEY_LOCAL_MACHINE; the folder such a user chooses is
// kept under HKEY_CURRENT_USER instead, and a user's own value comes first.
const QString MachineKey = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Milbor\\Kelvaro");
const QString UserKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Milbor\\Kelvaro");

// The user's value is looked up and removed through the user's Software key,
// which always exists, so that neither creates a key of the user's.
const QString UserSoftware = QStringLiteral("HKEY_CURRENT_USER\\Software");
const QString UserValuePath = QStringLiteral("Milbor/Kelvaro/") + ValueName;

QVariant storedValue()
{
    const QVariant user = QSettings(UserSoftware, QSettings::NativeFormat).value(UserValuePath);
    if (user.isValid())
        return user;
    // Opening the machine's key creates it when missing, where the user may.
    return QSettings(MachineKey, QSettings::NativeFormat).value(ValueName);
}

ExportDirSetting::WriteResult store(const QString &directory)
{
    QSettings machine(MachineKey, QSettings::NativeFormat);
    const bool toMachine = machine.isWritable();
    QSettings user(toMachine ? UserSoftware : UserKey, QSettings::NativeFormat);
    QSettings &settings = toMachine ? machine : user;
    if (!settings.isWritable())
        return ExportDirSetting::WriteResult::NotStored;
    settings.setValue(ValueName, directory);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return ExportDirSetting::WriteResult::Failed;
    // The folder chosen now is the one of the next start, not an older one
    // of the user's own.
    if (toMachine && user.contains(UserValuePath))
        user.remove(UserValuePath);
    return ExportDirSetting::WriteResult::Stored;
}
#else
std::unique_ptr<QSettings> openStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Milbor"),
                                       QStringLiteral("Kelvaro"));
}

// QSettings writes its file only when a value changes; the store is created
// on opening all the same, as the registry key is.
void createStore(const QSettings &settings)
{
    const QString path = settings.fileName();
    if (QFileInfo::exists(path))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.close();
}

QVariant storedValue()
{
    const auto settings = openStore();
    createStore(*settings);
    if (settings->status() != QSettings::NoError)
        return {};
    return settings->value(ValueName);
}

ExportDirSetting::WriteResult store(const QString &directory)
{
    const auto settings = openStore();
    createStore(*settings);
    if (!settings->isWritable())
        return ExportDirSetting::WriteResult::NotStored;
    settings->setValue(ValueName, directory);
    settings->sync();
    return settings->status() == QSettings::NoError ? ExportDirSetting::WriteResult::Stored
                                                    : ExportDirSetting::WriteResult::Failed;
}
#endif

} // namespace

namespace ExportDirSetting {

QString read()
{
    const QVariant value = storedValue();
    // A value of another type is no directory.
    if (value.typeId() != QMetaType::QString)
        return {};
    return value.toString();
}

WriteResult write(const QString &directory)
{
    return store(directory);
}

QString withSeparator(const QString &directory)
{
    const QString separator = QDir::separator();
    if (directory.endsWith(separator) || directory.endsWith(QLatin1Char('/')))
        return directory;
    return directory + separator;
}

} // namespace ExportDirSetting
