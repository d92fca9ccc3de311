#include "support/DesktopTestSupport.h"
#include "tray/TrayIcon.h"

#include <optional>

// The Windows program under Wine as a user meets it: installed in a folder of its own, its settings in
// the registry, the stand-in tools in the system folder, on a virtual X display with a tray host.
namespace {

const QString RegistryKey = "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Corvane Data Recovery\\Data Recovery\\"
                            "Corvane Drive Monitor for Windows";

// Wine shows this machine's root folder as drive Z:.
QString WindowsPath(const QString& path) { return "Z:" + QDir::toNativeSeparators(path); }

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
    const QString prefix_ = root_.filePath("wineprefix");
    const QString installFolder_ = root_.filePath("Corvane Drive Monitor");
    const QString toolLog_ = root_.filePath("tools.log");

    QProcessEnvironment WineEnvironment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("WINEPREFIX", prefix_);
        environment.insert("WINEDEBUG", "-all");
        environment.insert("WINEDLLOVERRIDES", "mscoree,mshtml=");
        return environment;
    }

    // Runs a program of the prefix (reg, regedit, wineboot) and returns what it printed.
    QString Wine(const QStringList& arguments) {
        QProcess wine;
        wine.setProcessEnvironment(WineEnvironment());
        wine.start("wine", arguments);
        if (!wine.waitForFinished(300000)) qWarning("wine %s did not end", qPrintable(arguments.join(' ')));
        return QString::fromUtf8(wine.readAllStandardOutput());
    }

    // The prefix with the stand-in tools, its display set to `dpi`.
    void PreparePrefix(int dpi) {
        QProcess script;
        script.setProcessChannelMode(QProcess::ForwardedChannels);
        script.start("bash", {QStringLiteral(CORVANE_SOURCE_DIR "/scripts/wine-prefix.sh"), prefix_,
                              windowsBin_ + "/system/corvane-standin.exe", QString::number(dpi)});
        QVERIFY(script.waitForFinished(600000) && script.exitCode() == 0);
    }

    // Replaces the monitor's registry key by one holding `values`, as the companion application writes it.
    void WriteRegistry(const QVariantMap& values) {
        QString text = "Windows Registry Editor Version 5.00\r\n\r\n[-" + RegistryKey + "]\r\n\r\n[" + RegistryKey + "]\r\n";
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            text += '"' + value.key() + "\"=" + RegistryData(value.value()) + "\r\n";
        const QString file = root_.filePath("settings.reg");
        QVERIFY(WriteBytes(file, text.toUtf8()));
        Wine({"regedit", "/S", WindowsPath(file)});
    }

    // The value of `name` in the monitor's key as `reg query` prints it, or nothing when it is absent.
    QString RegistryValue(const QString& name) {
        const QRegularExpression line("^\\s+" + QRegularExpression::escape(name) + "\\s+REG_\\w+\\s*(.*)$",
                                      QRegularExpression::MultilineOption);
        return line.match(Wine({"reg", "query", RegistryKey, "/v", name})).captured(1).trimmed();
    }

    QStringList Output(const QString& prefix) { return monitor_->Output(prefix); }
    QStringList Dialogs() { return VisibleWindows("--name", "Corvane Drive Monitor"); }
    QStringList MonitorWindows() { return VisibleWindows("--class", "corvanesmart.exe"); }

    void StartMonitor(const QString& machine, const QVariantMap& settings) {
        WriteRegistry(settings);
        QFile::remove(toolLog_);
        QProcessEnvironment environment = WineEnvironment();
        environment.insert("QT_FORCE_STDERR_LOGGING", "1");
        environment.insert("CORVANE_SIMULATED_MACHINE", WindowsPath(MachinePath(machine)));
        environment.insert("CORVANE_TOOL_LOG", WindowsPath(toolLog_));
        environment.remove("QT_QPA_PLATFORM");
        monitor_.emplace(environment, QStringList{WindowsPath(installFolder_ + "/CorvaneSMART.exe")}, "wine",
                         installFolder_);
        QVERIFY2(monitor_->Started(300000), qPrintable(monitor_->output));
    }

    // The tray icon Wine docks in the tray host: the one small window on the display that is no part
    // of the tray host itself.
    QString TrayIconWindow() {
        QString icon;
        WaitUntil([&] {
            const QStringList trayHost = X({"search", "--class", "^trayer$"}).split('\n');
            for (const QString& window : X({"search", "--onlyvisible", "--name", ".*"}).split('\n', Qt::SkipEmptyParts)) {
                const QSize size = WindowSize(window);
                if (!trayHost.contains(window) && size.width() >= 8 && size.width() < 64 && size.height() < 64)
                    icon = window;
            }
            return !icon.isEmpty();
        });
        return icon;
    }

    void OpenTrayMenu() {
        const QString icon = TrayIconWindow();
        QVERIFY2(!icon.isEmpty(), "no tray icon in the tray host");
        const int windowsBefore = MonitorWindows().size();
        bool opened = false;
        for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
            Click(icon, {5, 5}, 3);
            opened = WaitUntil([&] { return MonitorWindows().size() > windowsBefore; }, 10000);
        }
        QVERIFY2(opened, qPrintable("no menu after right clicks on the tray icon " + icon));
    }

    void ChooseExitAndExpectTheEnd() {
        OpenTrayMenu();
        X({"key", "Up", "Return"});
        QVERIFY(monitor_->process.waitForFinished(120000));
        QCOMPARE(monitor_->process.exitCode(), 0);
        QCOMPARE(RegistryValue("ShowTrayIcon"), QString("false"));
        QCOMPARE(RegistryValue("FirstTimeLaunch"), QString("true"));
    }

private slots:
    void initTestCase() {
        QVERIFY2(QFileInfo::exists(windowsBin_ + "/CorvaneSMART.exe"), "CORVANE_WINDOWS_BIN names no Windows build");
        QVERIFY(QDir().mkpath(installFolder_));
        QVERIFY(QFile::copy(windowsBin_ + "/CorvaneSMART.exe", installFolder_ + "/CorvaneSMART.exe"));
        QVERIFY(QProcess::execute("cp", {"-r", windowsBin_ + "/TranslationCM", installFolder_}) == 0);
        // The real smartctl64Bit.exe lies beside the monitor, where a command that names it alone finds it.
        QVERIFY(QFile::copy(windowsBin_ + "/system/corvane-standin.exe", installFolder_ + "/smartctl64Bit.exe"));
        QVERIFY(desktop_.Start());
        PreparePrefix(96);
    }

    void cleanupTestCase() {
        monitor_.reset();
        QProcess::execute("env", {"WINEPREFIX=" + prefix_, "wineserver", "-k"});
    }

    void hotMachineWarnsDocksItsIconAndEnds() {
        StartMonitor("hot-nvme-laptop", {{"ShowWarning", "true"}, {"WarningValue", 60}, {"ShutDownValue", 70}});
        const QString disk = " \"Disk: Samsung SSD 980 PRO 1TB \"";
        QVERIFY(WaitUntil([&] { return Output("corvane.tray: showing ").size() == 2; }));
        QCOMPARE(Output("corvane.tray: showing "), (QStringList{"ShutDownWarning" + disk, "SmartWarning" + disk}));
        QVERIFY(WaitUntil([&] { return Dialogs().size() == 2; }));
        QCOMPARE(Output("corvane.tray: tray icon "), QStringList{"\"Corvane Drive Monitor\\n71°\""});
        QCOMPARE(Output("corvane.tray: tray menu: "),
                 QStringList{"Samsung SSD 980 PRO 1TB  {Temperature: 71°C | Health: 87 % | Performance: 100 % | "
                             "Partition: C: } | Go to Corvane Drive Monitor | Exit"});

        // Start-up wrote its values where the companion application reads them.
        QCOMPARE(RegistryValue("ResizeAppforDPI"), QString("true"));
        QCOMPARE(RegistryValue("HealthDontShow"), QString("false"));
        QCOMPARE(RegistryValue("PerformanceDontShow"), QString("false"));
        QVERIFY(Wine({"reg", "query", RegistryKey, "/v", "TaskName"}).contains("TaskName"));

        // The tools ran through cmd with the Windows command lines; WMIC's UTF-16 list named the boot disk.
        const QStringList commands = Output("corvane.exec: running ");
        QVERIFY2(commands.filter(QRegularExpression("WMIC\\.exe\\\\\" diskdrive get index >> \\\\\".*SMART1\\.txt\\\\\"")).size() >= 1,
                 qPrintable(commands.join('\n')));
        QVERIFY(commands.filter(QRegularExpression("diskpart\\.exe\\\\\" /s \\\\\".*DiskList\\.txt\\\\\">\\\\\".*Out\\.txt")).size() >= 1);
        QVERIFY(commands.contains("\"smartctl64Bit.exe -a  /dev/sda >> \\\"" +
                                  commands.filter("Temp.txt").value(0).section("\\\"", 1, 1) + "\\\"\""));
        QVERIFY(Lines(toolLog_).contains("smartctl64Bit.exe -a /dev/sda"));
        QCOMPARE(Output("corvane.tray: boot disk index "), QStringList{"\"0\""});

        // The icon is docked, blue with the temperature in white.
        const QString icon = TrayIconWindow();
        QVERIFY2(!icon.isEmpty(), "no tray icon in the tray host");
        const QImage picture = Grab(icon);
        QVERIFY(!picture.isNull());
        const QColor background = tray::TrayIconPixmap("71°", 1.0).toImage().pixelColor(0, 0);
        int backgroundPixels = 0, lightPixels = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor pixel = picture.pixelColor(x, y);
                backgroundPixels += qAbs(pixel.red() - background.red()) + qAbs(pixel.blue() - background.blue()) < 40;
                lightPixels += pixel.lightness() > 200;
            }
        QVERIFY2(backgroundPixels > picture.width() * picture.height() / 3 && lightPixels > 10,
                 qPrintable(QString("%1 background and %2 light pixels").arg(backgroundPixels).arg(lightPixels)));

        // Its menu opens on a right click, with the drive's submenu beside it.
        const int before = MonitorWindows().size();
        OpenTrayMenu();
        X({"key", "Down", "Right"});
        QVERIFY(WaitUntil([&] { return MonitorWindows().size() >= before + 2; }));
        X({"key", "Escape", "Escape"});
        QVERIFY(WaitUntil([&] { return MonitorWindows().size() == before; }));
        ChooseExitAndExpectTheEnd();
    }

    void failingMachineWarnsOfItsHealth() {
        StartMonitor("failing-boot-disk", {{"ShowWarning", "true"}, {"WarningValue", 90}, {"ShutDownValue", 95}});
        QVERIFY(WaitUntil([&] { return !Output("corvane.tray: showing ").isEmpty(); }));
        QCOMPARE(Output("corvane.tray: showing "), QStringList{"HealthWarning \"Disk: HGST HUS724040ALE640 \""});
        QCOMPARE(Output("corvane.tray: tray menu: ").value(0).count(" {Temperature: "), 2);
        QVERIFY(WaitUntil([&] { return Dialogs().size() == 1; }));
        ChooseExitAndExpectTheEnd();
    }

    void highDpiDisplayTakesTheLargeImages() {
        PreparePrefix(144);
        StartMonitor("hot-nvme-laptop", {{"ShowWarning", "true"}, {"WarningValue", 60}, {"ShutDownValue", 95}});
        QCOMPARE(Output("corvane.startup: scale ").value(0).section(' ', 0, 0), QString("1.5"));
        QVERIFY(WaitUntil([&] { return Dialogs().size() == 1; }));
        QCOMPARE(WindowSize(Dialogs().first()), QSize(1, 1));
        ChooseExitAndExpectTheEnd();
        PreparePrefix(96);
    }

private:
    // The window's picture, taken by this program on the X display.
    QImage Grab(const QString& window) {
        const QString file = root_.filePath("grab.png");
        QProcess grab;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        grab.setProcessEnvironment(environment);
        grab.start(QCoreApplication::applicationFilePath(), {"--grab", window, file});
        grab.waitForFinished(60000);
        return QImage(file);
    }
};

int main(int argc, char** argv) {
    if (argc == 4 && QByteArray(argv[1]) == "--grab") {
        QGuiApplication application(argc, argv);
        return QGuiApplication::primaryScreen()->grabWindow(QByteArray(argv[2]).toULongLong()).save(argv[3]) ? 0 : 1;
    }
    const QTemporaryDir home;
    const QProcessEnvironment environment = IsolatedEnvironment(home.path());
    for (const char* name : {"TMPDIR", "XDG_RUNTIME_DIR", "CORVANE_SETTINGS_FILE"})
        qputenv(name, environment.value(name).toUtf8());
    QApplication application(argc, argv);
    WineEndToEndTests test;
    return QTest::qExec(&test, argc, argv);
}

#include "WineEndToEndTests.moc"
