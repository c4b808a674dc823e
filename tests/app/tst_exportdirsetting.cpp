#include "app/exportdirsetting.h"

#include <QSettings>
#include <QTest>

#include <qt_windows.h>
#include <sddl.h>

// The export directory in the registry of Windows, in the test program's own
// registry (support/testregistry.cpp).
namespace {

const wchar_t *const Key = L"Software\\Milbor\\Kelvaro";

bool keyExists(HKEY root)
{
    HKEY key = nullptr;
    return RegOpenKeyExW(root, Key, 0, KEY_READ, &key) == ERROR_SUCCESS && RegCloseKey(key) == ERROR_SUCCESS;
}

QSettings settings(const char *root)
{
    return QSettings(QStringLiteral("%1\\Software\\Milbor\\Kelvaro").arg(QLatin1String(root)), QSettings::NativeFormat);
}

// Sets who may do what with the machine's key: made read-only, it is as for
// a user without administrator rights.
void allowOnMachineKey(const wchar_t *access)
{
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, Key, 0, nullptr, 0, KEY_READ | WRITE_DAC, nullptr, &key, nullptr);
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(access, SDDL_REVISION_1, &descriptor, nullptr)) {
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
    RegCloseKey(key);
}

} // namespace

class TstExportDirSetting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void machineAndUser_data();
    void machineAndUser();
};

void TstExportDirSetting::machineAndUser_data()
{
    QTest::addColumn<QVariant>("machine");
    QTest::addColumn<QVariant>("user");
    QTest::addColumn<bool>("machineWritable");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QVariant>("machineAfter"); // after choosing E:\ (new)
    QTest::addColumn<QVariant>("userAfter");
    const QVariant none, a(QStringLiteral("D:\\A\\")), b(QStringLiteral("D:\\B\\")), chosen(QStringLiteral("E:\\"));
    QTest::newRow("nothing stored") << none << none << true << "" << chosen << none;
    QTest::newRow("the machine's") << a << none << true << "D:\\A\\" << chosen << none;
    QTest::newRow("as stored by hand") << QVariant(QStringLiteral("D:\\A")) << none << true << "D:\\A" << chosen << none;
    // A folder chosen where the machine's key can be written replaces the
    // user's own, so that it is the one of the next start.
    QTest::newRow("the user's before the machine's") << a << b << true << "D:\\B\\" << chosen << none;
    QTest::newRow("the user's of another type") << a << QVariant(QStringList{"D:\\B\\"}) << true << "" << chosen << none;
    QTest::newRow("machine read-only") << a << none << false << "D:\\A\\" << a << chosen;
    QTest::newRow("machine read-only, the user's") << a << b << false << "D:\\B\\" << a << chosen;
}

void TstExportDirSetting::machineAndUser()
{
    QFETCH(QVariant, machine);
    QFETCH(QVariant, user);
    QFETCH(bool, machineWritable);
    allowOnMachineKey(L"D:P(A;;KA;;;WD)");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Milbor");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Milbor");
    if (machine.isValid())
        settings("HKEY_LOCAL_MACHINE").setValue(QStringLiteral("saveDir"), machine);
    if (user.isValid())
        settings("HKEY_CURRENT_USER").setValue(QStringLiteral("saveDir"), user);
    if (!machineWritable)
        allowOnMachineKey(L"D:P(A;;KR;;;WD)");

    QTEST(ExportDirSetting::read(), "read");
    // Reading creates the machine's key when missing, never the user's.
    QVERIFY(keyExists(HKEY_LOCAL_MACHINE));
    QCOMPARE(keyExists(HKEY_CURRENT_USER), user.isValid());
    QCOMPARE(ExportDirSetting::write(QStringLiteral("E:\\")), ExportDirSetting::WriteResult::Stored);
    QTEST(settings("HKEY_LOCAL_MACHINE").value(QStringLiteral("saveDir")), "machineAfter");
    QTEST(settings("HKEY_CURRENT_USER").value(QStringLiteral("saveDir")), "userAfter");
    QCOMPARE(ExportDirSetting::read(), QStringLiteral("E:\\"));
}

QTEST_GUILESS_MAIN(TstExportDirSetting)
#include "tst_exportdirsetting.moc"
