#include "support/WineTestSupport.h"

#include <optional>

// The Windows installer under Wine, silent as an administrator's deployment runs it, in a fresh prefix
// where the companion application has already set one value: installing, the monitor started as the
// task scheduler starts it, installing again over the running monitor, and removing it.
namespace {

const QString UninstallKey = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvaneSMART";
const QString TaskName = "Corvane SMART monitor";
const QString InstallFolder = "C:\\Program Files\\Corvane Drive Monitor";

// What the installer leaves where: "settings", "programs" or "task" (tests/data/windows-installation.txt).
QStringList Installed(const QString& where) {
    return DataLines("windows-installation.txt").filter(QRegularExpression("^" + where + ' ')).replaceInStrings(
        QRegularExpression("^\\w+ "), QString());
}

}  // namespace

class WineInstallerTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    VirtualDesktop desktop_;
    std::optional<Monitor> monitor_;
    const QString windowsBin_ = qEnvironmentVariable("CORVANE_WINDOWS_BIN");
    const WinePrefix prefix_{root_.filePath("wineprefix")};
    const QString installed_ = prefix_.path + "/drive_c/Program Files/Corvane Drive Monitor";
    QString installer_;

    QStringList Settings() {
        QStringList settings;
        for (const QString& expected : Installed("settings")) {
            const QString name = expected.section('=', 0, 0);
            settings << name + '=' + prefix_.RegistryEntry(MonitorRegistryKey, name);
        }
        return settings;
    }

    QString TaskFile() const { return prefix_.path + "/drive_c/windows/system32/tasks/" + TaskName; }

    void Install() {
        int exitCode = -1;
        prefix_.Run({WindowsPath(installer_), "/S"}, &exitCode);
        QCOMPARE(exitCode, 0);
    }

private slots:
    void initTestCase() {
        const QFileInfoList installers =
            QDir(windowsBin_ + "/../package").entryInfoList({"CorvaneSMART-*-setup.exe"}, QDir::Files);
        QVERIFY2(installers.size() == 1, "no installer beside CORVANE_WINDOWS_BIN (packaging/windows/build-installer.sh)");
        installer_ = installers[0].absoluteFilePath();
        QVERIFY(desktop_.Start());
        QVERIFY(prefix_.Prepare(windowsBin_));
        prefix_.Run({"reg", "add", MonitorRegistryKey, "/v", "WarningValue", "/t", "REG_DWORD", "/d", "50", "/f"});
        QCOMPARE(prefix_.RegistryValue("WarningValue"), QString("0x32"));
    }

    void cleanupTestCase() {
        monitor_.reset();
        prefix_.EndSession();
    }

    void silentInstallLaysOutFilesSettingsTaskAndProgramsEntry() {
        STEP(Install());
        for (const char* file : {"CorvaneSMART.exe", "Read me.txt", "smartctl64Bit.exe", "smartctl licence.txt",
                                 "TranslationCM/DE/LANG_DE.qm", "TranslationCM/JA/qt_ja.qm", "Uninstall CorvaneSMART.exe"})
            QVERIFY2(QFile::exists(installed_ + '/' + file), file);
        QVERIFY(ReadBytes(installed_ + "/smartctl licence.txt").contains("source package smartmontools "));
        QCOMPARE(Settings(), Installed("settings"));

        for (const QString& entry : Installed("programs"))
            QCOMPARE(entry.section('=', 0, 0) + '=' + prefix_.RegistryEntry(UninstallKey, entry.section('=', 0, 0)), entry);
        QVERIFY(prefix_.RegistryEntry(UninstallKey, "DisplayVersion").startsWith("REG_SZ 1."));
        QVERIFY(prefix_.RegistryEntry(UninstallKey, "EstimatedSize").startsWith("REG_DWORD 0x"));

        // Wine registers the task by name, but its task scheduler keeps neither trigger, principal nor
        // action of the definition: those are read from the definition the installer registered.
        QVERIFY2(QFile::exists(TaskFile()), qPrintable(TaskFile()));
        const QByteArray definition = ReadBytes(installed_ + "/Scheduled task.xml");
        QVERIFY(definition.startsWith("\xff\xfe"));
        const QString task = QString::fromUtf16(reinterpret_cast<const char16_t*>(definition.constData() + 2),
                                                (definition.size() - 2) / 2);
        for (const QString& element : Installed("task"))
            QVERIFY2(task.contains(element), qPrintable(element + " is not in\n" + task));
    }

    // As the task scheduler starts it: the argument "Schedular", in the system folder, elevated. The
    // tool SmartctlFolderPath names is the package's smartctl, but Wine gives every file to the user,
    // with full control: the elevated monitor refuses to run a tool the user's unelevated programs could
    // replace, runs none, and its tray icon reads 0°. (On Windows the installation folder inherits
    // Program Files' access list, which only administrators may change, and the tool runs.)
    void scheduledStartRefusesAToolTheUserCanChangeAndDocks() {
        QProcessEnvironment environment = prefix_.Environment();
        environment.insert("WINEQT_FORCE_STDERR_LOGGING", "1");
        environment.insert("WINEQT_LOGGING_RULES", "corvane.*=true");
        monitor_.emplace(environment, QStringList{InstallFolder + "\\CorvaneSMART.exe", "Schedular"}, "wine",
                         prefix_.path + "/drive_c/windows/system32");
        monitor_->windows = true;
        QVERIFY2(monitor_->Started(300000), qPrintable(monitor_->output));
        const QStringList refusals = monitor_->Output("corvane.smart: started by the scheduler, but SmartctlFolderPath");
        QVERIFY2(!refusals.isEmpty() && refusals[0].contains("smartctl64Bit.exe\" is refused: \"the tool's folder") &&
                     refusals[0].contains("can be changed by S-1-5-21-"),
                 qPrintable(monitor_->output));
        QVERIFY2(CommandsRun(*monitor_).filter("smartctl64Bit.exe").isEmpty(), qPrintable(CommandsRun(*monitor_).join('\n')));
        QCOMPARE(monitor_->Output("corvane.tray: tray icon ").value(0), QString("\"Corvane Drive Monitor\\n0°\""));
        QCOMPARE(prefix_.RegistryValue("TaskName"), QString("Schedular"));
        QVERIFY2(!DockedTrayIcon().isEmpty(), "no tray icon in the tray host");
    }

    void installingAgainEndsTheMonitorAndKeepsSettingsAndTask() {
        QVERIFY(monitor_ && monitor_->process.state() == QProcess::Running);
        STEP(Install());
        QVERIFY(monitor_->process.waitForFinished(120000));
        QCOMPARE(Settings(), Installed("settings"));
        QVERIFY(QFile::exists(TaskFile()));
        QVERIFY(QFile::exists(installed_ + "/CorvaneSMART.exe"));
    }

    // The uninstaller runs from a copy of itself and ends at once: its work is awaited.
    void silentUninstallRemovesAllButTheSettings() {
        prefix_.Run({InstallFolder + "\\Uninstall CorvaneSMART.exe", "/S"});
        QVERIFY(WaitUntil([&] { return !QFileInfo::exists(installed_); }, 120000));
        QVERIFY(!QFile::exists(TaskFile()));
        QVERIFY(!prefix_.KeyExists(UninstallKey));
        QCOMPARE(Settings(), Installed("settings"));
    }
};

int main(int argc, char** argv) { return RunWineTest<WineInstallerTests>(argc, argv); }

#include "WineInstallerTests.moc"
