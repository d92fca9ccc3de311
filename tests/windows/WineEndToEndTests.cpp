#include "support/WineTestSupport.h"

#include <optional>

// The Windows program under Wine as a user meets it: installed in a folder of its own, its settings in
// the registry, the stand-in tools in the system folder, on a virtual X display with a tray host.
namespace {

QString RegistryData(const QVariant& value) {
    if (value.type() == QVariant::Int) return QString("dword:%1").arg(value.toInt(), 8, 16, QChar('0'));
    return '"' + value.toString().replace("\\", "\\\\").replace("\"", "\\\"") + '"';
}

}  // namespace

class WineEndToEndTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    VirtualDesktop desktop_;
    std::optional<Monitor> monitor_;
    const QString windowsBin_ = qEnvironmentVariable("CORVANE_WINDOWS_BIN");
    const WinePrefix prefix_{root_.filePath("wineprefix")};
    const QString installFolder_ = prefix_.path + "/drive_c/Program Files/Corvane Drive Monitor";
    const QString toolLog_ = root_.filePath("tools.log");

    // Replaces the monitor's registry key by one holding `values`, as the companion application writes it.
    void WriteRegistry(const QVariantMap& values) {
        QString text = "Windows Registry Editor Version 5.00\r\n\r\n[-" + MonitorRegistryKey + "]\r\n\r\n[" + MonitorRegistryKey + "]\r\n";
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            text += '"' + value.key() + "\"=" + RegistryData(value.value()) + "\r\n";
        const QString file = root_.filePath("settings.reg");
        QVERIFY(WriteBytes(file, text.toUtf8()));
        prefix_.Run({"regedit", "/S", WindowsPath(file)});
    }

    QStringList Output(const QString& prefix) { return monitor_->Output(prefix); }
    QStringList MonitorWindows() { return VisibleWindows("--class", "corvanesmart.exe"); }

    void StartMonitor(const QString& machine, const QVariantMap& settings) {
        STEP(WriteRegistry(settings));
        QFile::remove(toolLog_);
        QProcessEnvironment environment = prefix_.Environment();
        environment.insert("WINEQT_FORCE_STDERR_LOGGING", "1");
        environment.insert("WINEQT_LOGGING_RULES", "corvane.*=true");
        environment.insert("CORVANE_SIMULATED_MACHINE", WindowsPath(MachinePath(machine)));
        environment.insert("CORVANE_TOOL_LOG", WindowsPath(toolLog_));
        monitor_.emplace(environment, QStringList{WindowsPath(installFolder_ + "/CorvaneSMART.exe")}, "wine",
                         installFolder_);
        monitor_->windows = true;
        QVERIFY2(monitor_->Started(300000), qPrintable(monitor_->output));
    }

    // The menu is built anew at every temperature check, every 30 seconds; under Wine a click takes
    // long enough to meet a rebuild. Menus are opened right after one.
    void AwaitFreshMenu() {
        const int built = Output("corvane.tray: tray menu: ").size();
        QVERIFY(WaitUntil([&] { return Output("corvane.tray: tray menu: ").size() > built; }, 120000));
    }

    // "Exit", the menu's last entry, clicked as a user clicks it.
    // A click Wine loses (seen now and then at the end of a long run) is made again, as a user would.
    void ChooseExitAndExpectTheEnd() {
        for (int attempt = 0; attempt < 3 && monitor_->process.state() != QProcess::NotRunning; ++attempt) {
            STEP(AwaitFreshMenu());
            const QString menu = OpenTrayMenu();
            QVERIFY2(!menu.isEmpty(), "no menu after right clicks on the tray icon");
            const QSize size = WindowSize(menu);
            Click(menu, {size.width() / 2, size.height() - 12});
            monitor_->process.waitForFinished(60000);
        }
        QCOMPARE(monitor_->process.state(), QProcess::NotRunning);
        QCOMPARE(monitor_->process.exitCode(), 0);
        QVERIFY(WaitUntil([&] { return MonitorWindows().isEmpty(); }));
        QCOMPARE(prefix_.RegistryValue("ShowTrayIcon"), QString("false"));
        QCOMPARE(prefix_.RegistryValue("FirstTimeLaunch"), QString("true"));
    }

private slots:
    // The package unpacked where the companion application lives, in a fresh prefix.
    void initTestCase() {
        const QFileInfoList packages =
            QDir(windowsBin_ + "/../package").entryInfoList({"CorvaneSMART-*-win64.zip"}, QDir::Files);
        QVERIFY2(packages.size() == 1, "no Windows package beside CORVANE_WINDOWS_BIN (packaging/check-windows-package.sh)");
        // Room for the dialogs at the scale 1.5 (the work area must hold 905 by 600 times the scale).
        QVERIFY(desktop_.Start("1920x1080x24"));
        QVERIFY(prefix_.Prepare(windowsBin_));
        QProcess unpack;
        unpack.setWorkingDirectory(root_.path());
        unpack.start("cmake", {"-E", "tar", "xf", packages[0].absoluteFilePath()});
        QVERIFY(unpack.waitForFinished(120000) && unpack.exitCode() == 0);
        QVERIFY(QDir().rename(root_.filePath(packages[0].completeBaseName()), installFolder_));
        // The stand-in takes the place of the package's smartctl64Bit.exe, which reads no drive under Wine:
        // a command that names the tool alone finds it there.
        QFile::remove(installFolder_ + "/smartctl64Bit.exe");
        QVERIFY(QFile::copy(windowsBin_ + "/system/corvane-standin.exe", installFolder_ + "/smartctl64Bit.exe"));
    }

    void cleanupTestCase() {
        monitor_.reset();
        prefix_.EndSession();
    }

    void hotMachineWarnsDocksItsIconAndEnds() {
        STEP(StartMonitor("hot-nvme-laptop", {{"ShowWarning", "true"}, {"WarningValue", 60}, {"ShutDownValue", 70}}));
        STEP(ExpectHotLaptopStart(*monitor_));
        // The second is moved clear of the first one's title strip.
        const QPoint apart = WindowGeometry(MonitorDialogs().value(1)).topLeft() - WindowGeometry(MonitorDialogs().value(0)).topLeft();
        QVERIFY2(qAbs(apart.x()) > 32 && qAbs(apart.y()) > 32, qPrintable(QString("%1,%2").arg(apart.x()).arg(apart.y())));
        // An English start says nothing of English translation files, and the icon has its picture when shown.
        QVERIFY2(!monitor_->output.contains("no translation") && !monitor_->output.contains("No Icon set"),
                 qPrintable(monitor_->output));

        // Start-up wrote its values where the companion application reads them, as a start without an
        // argument writes them (the first row of start-up-settings.txt).
        const QStringList written = DataRows("start-up-settings.txt").value(0);
        for (const QString& expected : written.mid(written.indexOf("=>") + 1)) {
            const QString key = expected.section('=', 0, 0), value = prefix_.RegistryValue(key);
            QCOMPARE(value == "absent" ? key : key + '=' + value, expected);
        }

        // The tools ran through cmd with the Windows command lines, their output captured in the private
        // work folder, which the elevated monitor keeps in ProgramData; WMIC's list, in UTF-16, named the
        // boot disk.
        const QStringList commands = CommandsRun(*monitor_);
        const QRegularExpression listing(
            R"(^"C:\\windows\\system32\\wbem\\WMIC\.exe" diskdrive get index >> "(C:\\ProgramData\\CorvaneSMART-S-1-5-[0-9-]+)\\SMART1\.txt" $)");
        const QString work = commands.filter(listing).value(0).replace(listing, "\\1");
        QVERIFY2(!work.isEmpty(), qPrintable(commands.join('\n')));
        for (const QString& command :
             {"\"C:\\windows\\system32\\diskpart.exe\" /s \"" + work + "\\DiskList.txt\">\"" + work + "\\Out.txt\" ",
              "smartctl64Bit.exe -a  /dev/sda >> \"" + work + "\\Temp.txt\" ",
              "\"C:\\windows\\system32\\wbem\\WMIC.exe\" diskdrive get Model,Index >> \"" + work + "\\DiskInfo.txt\" "})
            QVERIFY2(commands.contains(command), qPrintable(command + " is not among\n" + commands.join('\n')));
        QVERIFY(Lines(toolLog_).contains("smartctl64Bit.exe -a /dev/sda"));
        QCOMPARE(Output("corvane.tray: boot disk index ").value(0), QString("\"0\""));

        // The icon is docked; its menu opens on a right click, and the drive's submenu, the first entry, beside it.
        QVERIFY2(!DockedTrayIcon().isEmpty(), "no tray icon in the tray host");
        const int before = MonitorWindows().size();
        STEP(AwaitFreshMenu());
        const QString menu = OpenTrayMenu();
        QVERIFY2(!menu.isEmpty(), "no menu after right clicks on the tray icon");
        bool submenu = false;
        for (int attempt = 0; attempt < 3 && !submenu; ++attempt) {
            Click(menu, {WindowSize(menu).width() / 2, 15});
            submenu = WaitUntil([&] { return MonitorWindows().size() >= before + 2; }, 10000);
        }
        QVERIFY(submenu);
        X({"key", "Escape", "Escape"});
        QVERIFY(WaitUntil([&] { return MonitorWindows().size() == before; }));
        STEP(ChooseExitAndExpectTheEnd());
    }

    void failingMachineWarnsOfItsHealth() {
        STEP(StartMonitor("failing-boot-disk", {{"ShowWarning", "true"}, {"WarningValue", 90}, {"ShutDownValue", 95}}));
        STEP(ExpectFailingDiskStart(*monitor_));
        STEP(ChooseExitAndExpectTheEnd());
    }

    // A display of 144 DPI (LogPixels, as Windows' display settings set it) takes the scale 1.5: the
    // dialogs half as large again (their images, by scale class, are DialogTests' rows).
    void highDpiDisplayScalesTheDialogs() {
        const QVariantMap settings = {{"ShowWarning", "true"}, {"WarningValue", 60}, {"ShutDownValue", 95}};
        QSize size[2];
        for (const int step : {0, 1}) {
            QVERIFY(prefix_.Prepare(windowsBin_, step == 0 ? 96 : 144));
            STEP(StartMonitor("hot-nvme-laptop", settings));
            QCOMPARE(Output("corvane.startup: scale ").value(0).section(' ', 0, 0), QString(step == 0 ? "1" : "1.5"));
            QVERIFY(WaitUntil([&] { return MonitorDialogs().size() == 1; }));
            size[step] = WindowSize(MonitorDialogs().value(0));
            STEP(ChooseExitAndExpectTheEnd());
        }
        prefix_.Prepare(windowsBin_);
        QVERIFY2(qAbs(size[1].width() - size[0].width() * 3 / 2) <= 3 && qAbs(size[1].height() - size[0].height() * 3 / 2) <= 3,
                 qPrintable(QString("%1x%2 at 96 DPI, %3x%4 at 144").arg(size[0].width()).arg(size[0].height())
                                .arg(size[1].width()).arg(size[1].height())));
    }
};

int main(int argc, char** argv) { return RunWineTest<WineEndToEndTests>(argc, argv); }

#include "WineEndToEndTests.moc"
