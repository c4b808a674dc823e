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
    const QVariant none, a(QStringLiteral("D:\\A\\")), b(QStringLiteral("D:\\B\\"));
    QTest::newRow("nothing stored") << none << none << true << "";
    QTest::newRow("the machine's") << a << none << true << "D:\\A\\";
    QTest::newRow("as stored by hand") << QVariant(QStringLiteral("D:\\A")) << none << true << "D:\\A";
    QTest::newRow("the user's before the machine's") << a << b << true << "D:\\B\\";
    QTest::newRow("the user's of another type") << a << QVariant(QStringList{"D:\\B\\"}) << true << "";
    QTest::newRow("machine read-only") << a << none << false << "D:\\A\\";
    QTest::newRow("machine read-only, the user's") << a << b << false << "D:\\B\\";
}

// A folder chosen (E:\, new) goes to the machine's key where it can be
// written, replacing the user's own so that it is the one of the next start,
// and to the user's key otherwise.
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
    const QVariant chosen(QStringLiteral("E:\\"));
    QCOMPARE(ExportDirSetting::write(chosen.toString()), ExportDirSetting::WriteResult::Stored);
    QCOMPARE(settings("HKEY_LOCAL_MACHINE").value(QStringLiteral("saveDir")), machineWritable ? chosen : machine);
    QCOMPARE(settings("HKEY_CURRENT_USER").value(QStringLiteral("saveDir")), machineWritable ? QVariant() : chosen);
    QCOMPARE(ExportDirSetting::read(), chosen.toString());
}

QTEST_GUILESS_MAIN(TstExportDirSetting)
#include "tst_exportdirsetting.moc"
