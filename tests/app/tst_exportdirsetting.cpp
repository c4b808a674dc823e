#include "app/exportdirsetting.h"

#include <QSettings>
#include <QTest>

#include <qt_windows.h>
#include <sddl.h>

#include <optional>

// The export directory in the registry of Windows, in the test program's own
// registry (support/testregistry.cpp).
namespace {

const QString Machine = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Milbor\\Kelvaro");
const QString User = QStringLiteral("HKEY_CURRENT_USER\\Software\\Milbor\\Kelvaro");
const QString Value = QStringLiteral("saveDir");
const wchar_t *const Key = L"Software\\Milbor\\Kelvaro";

bool keyExists(HKEY root)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Key, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

QVariant stored(const QString &key)
{
    return QSettings(key, QSettings::NativeFormat).value(Value);
}

void store(const QString &key, const QVariant &value)
{
    if (value.isValid())
        QSettings(key, QSettings::NativeFormat).setValue(Value, value);
}

// The machine's key made one that the user may read but not write, as it is
// for a user without administrator rights; writable again when it goes.
class ReadOnlyMachineKey
{
public:
    ReadOnlyMachineKey()
    {
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, Key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | WRITE_DAC, nullptr,
                        &key_, nullptr);
        set(L"D:P(A;;KR;;;WD)");
    }
    ~ReadOnlyMachineKey()
    {
        set(L"D:P(A;;KA;;;WD)");
        RegCloseKey(key_);
    }
    ReadOnlyMachineKey(const ReadOnlyMachineKey &) = delete;
    ReadOnlyMachineKey &operator=(const ReadOnlyMachineKey &) = delete;

private:
    void set(const wchar_t *access) const
    {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorW(access, SDDL_REVISION_1, &descriptor, nullptr)) {
            RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, descriptor);
            LocalFree(descriptor);
        }
    }

    HKEY key_ = nullptr;
};

} // namespace

class TstExportDirSetting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void machineAndUser_data();
    void machineAndUser();
};

void TstExportDirSetting::cleanup()
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Milbor");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Milbor");
}

void TstExportDirSetting::machineAndUser_data()
{
    QTest::addColumn<QVariant>("machine");
    QTest::addColumn<QVariant>("user");
    QTest::addColumn<bool>("machineWritable");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QVariant>("machineAfter"); // after choosing E:\ (new)
    QTest::addColumn<QVariant>("userAfter");

    const QVariant none;
    const QVariant a(QStringLiteral("D:\\A\\"));
    const QVariant b(QStringLiteral("D:\\B\\"));
    const QVariant chosen(QStringLiteral("E:\\"));
    QTest::newRow("nothing stored") << none << none << true << "" << chosen << none;
    QTest::newRow("the machine's") << a << none << true << "D:\\A\\" << chosen << none;
    QTest::newRow("as stored by hand") << QVariant(QStringLiteral("D:\\A")) << none << true << "D:\\A" << chosen << none;
    // A folder chosen where the machine's key can be written replaces the
    // user's own, so that it is the one of the next start.
    QTest::newRow("the user's before the machine's") << a << b << true << "D:\\B\\" << chosen << none;
    QTest::newRow("the user's of another type")
        << a << QVariant(QStringList{QStringLiteral("D:\\B\\")}) << true << "" << chosen << none;
    QTest::newRow("machine read-only") << a << none << false << "D:\\A\\" << a << chosen;
    QTest::newRow("machine read-only, the user's") << a << b << false << "D:\\B\\" << a << chosen;
}

void TstExportDirSetting::machineAndUser()
{
    QFETCH(QVariant, machine);
    QFETCH(QVariant, user);
    QFETCH(bool, machineWritable);
    QFETCH(QVariant, machineAfter);
    QFETCH(QVariant, userAfter);
    store(Machine, machine);
    store(User, user);
    std::optional<ReadOnlyMachineKey> readOnly;
    if (!machineWritable)
        readOnly.emplace();

    QTEST(ExportDirSetting::read(), "read");
    // Reading creates the machine's key when missing, never the user's.
    QVERIFY(keyExists(HKEY_LOCAL_MACHINE));
    QCOMPARE(keyExists(HKEY_CURRENT_USER), user.isValid());

    QCOMPARE(ExportDirSetting::write(QStringLiteral("E:\\")), ExportDirSetting::WriteResult::Stored);
    QCOMPARE(stored(Machine), machineAfter);
    QCOMPARE(keyExists(HKEY_CURRENT_USER), user.isValid() || userAfter.isValid());
    QCOMPARE(stored(User), userAfter);
    QCOMPARE(ExportDirSetting::read(), QStringLiteral("E:\\"));
}

QTEST_GUILESS_MAIN(TstExportDirSetting)
#include "tst_exportdirsetting.moc"
