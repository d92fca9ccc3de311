#include "app/ProcessValues.h"
#include "dialogs/HealthWarning.h"
#include "dialogs/SmartWarning.h"

#include "../support/ProcessTestSupport.h"

#include <QtTest>

// The real monitor program on a virtual X display with a tray host, driven as a user drives it: by
// clicks on its windows and keys in its menu. What a user sees is read from the X server, what the
// monitor decided from its debug output, what it ran from the stand-in tools' log, and what it kept
// from its settings file.
namespace {

const QString DialogTitle = QStringLiteral("Corvane Drive Monitor");
const QString Degree = QString(QChar(0x00B0));

QString RunTool(const QString& program, const QStringList& arguments, const QString& display) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(20000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// A widget's centre in its dialog's coordinates, from the same dialog built here at the same scale.
template <class Dialog>
QPoint CentreOf(QWidget* (*widget)(Dialog&)) {
    Dialog dialog;
    QWidget* child = widget(dialog);
    return child->mapTo(&dialog, child->rect().center());
}

}  // namespace

class TrayEndToEndTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QProcess server_;
    QProcess trayHost_;
    QProcess monitor_;
    QString display_;
    QString installFolder_;
    QString settingsFile_;
    QString toolLog_;
    QString companionLog_;
    QString output_;

    QString X(const QStringList& arguments) const { return RunTool("xdotool", arguments, display_); }

    QStringList VisibleWindows(const QString& name) const {
        return X({"search", "--onlyvisible", "--name", "^" + name + "$"}).split('\n', Qt::SkipEmptyParts);
    }

    QStringList MonitorWindows() const {
        return X({"search", "--onlyvisible", "--class", "^CorvaneSMART$"}).split('\n', Qt::SkipEmptyParts);
    }

    // The tray host gives the icon a small window of the monitor's own; every other one is large.
    QStringList TrayIconWindows() const {
        QStringList icons;
        for (const QString& window : MonitorWindows()) {
            const QStringList geometry = X({"getwindowgeometry", "--shell", window}).split('\n');
            const int width = geometry.filter(QRegularExpression("^WIDTH=")).value(0).mid(6).toInt();
            const int height = geometry.filter(QRegularExpression("^HEIGHT=")).value(0).mid(7).toInt();
            if (width > 0 && width <= 64 && height > 0 && height <= 64) icons << window;
        }
        return icons;
    }

    QStringList Lines(const QString& path) const {
        return QString::fromUtf8(ReadBytes(path)).split('\n', Qt::SkipEmptyParts);
    }

    QVariant Setting(const QString& key) const { return QSettings(settingsFile_, QSettings::IniFormat).value(key); }

    QStringList OutputLines(const QString& prefix) {
        output_ += QString::fromUtf8(monitor_.readAllStandardError());
        QStringList found;
        for (const QString& line : output_.split('\n'))
            if (line.startsWith(prefix)) found << line.mid(prefix.size());
        return found;
    }

    bool WaitFor(const std::function<bool()>& condition, int milliseconds = 30000) {
        return WaitUntil(condition, milliseconds);
    }

    void StartMonitor(const QString& machine, const QVariantMap& settings) {
        QFile::remove(settingsFile_);
        QFile::remove(toolLog_);
        QFile::remove(companionLog_);
        {
            QSettings file(settingsFile_, QSettings::IniFormat);
            for (auto value = settings.cbegin(); value != settings.cend(); ++value) file.setValue(value.key(), value.value());
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("QT_QPA_PLATFORM");
        environment.insert("DISPLAY", display_);
        environment.insert("CORVANE_SETTINGS_FILE", settingsFile_);
        environment.insert("CORVANE_TOOL_LOG", toolLog_);
        environment.insert("CORVANE_COMPANION_LOG", companionLog_);
        environment.insert("CORVANE_SIMULATED_MACHINE", QStringLiteral(CORVANE_MACHINES_DIR "/") + machine);
        environment.insert("CORVANE_DPI", "96");
        environment.insert("TMPDIR", root_.filePath("temp"));
        environment.remove("XDG_RUNTIME_DIR");
        environment.insert("QT_LOGGING_RULES", "corvane.*=true");
        monitor_.setProcessEnvironment(environment);
        monitor_.setWorkingDirectory(root_.path());
        output_.clear();
        monitor_.start(installFolder_ + "/CorvaneSMART", QStringList());
        QVERIFY(monitor_.waitForStarted());
        QVERIFY2(WaitFor([&] { return !OutputLines("corvane.tray: tray menu: ").isEmpty(); }, 90000), qPrintable(output_));
    }

    // Right-clicks the tray icon, once the tray host shows it; the menu opens as a new window.
    void OpenTrayMenu() {
        QStringList icons;
        const bool shown = WaitFor([&] {
            icons = TrayIconWindows();
            return icons.size() == 1;
        });
        QVERIFY2(shown, qPrintable("tray icons: " + icons.join(' ')));
        // A freshly embedded icon may miss the first click.
        const int windowsBefore = MonitorWindows().size();
        bool opened = false;
        for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
            X({"mousemove", "--window", icons.first(), "5", "5", "click", "3"});
            opened = WaitFor([&] { return MonitorWindows().size() == windowsBefore + 1; }, 3000);
        }
        QVERIFY2(opened, qPrintable(QString("no menu after right clicks on %1; monitor windows before %2, now %3")
                                        .arg(icons.first())
                                        .arg(windowsBefore)
                                        .arg(MonitorWindows().join(' '))));
    }

    void ChooseExitAndExpectTheEnd() {
        OpenTrayMenu();
        X({"key", "Up", "Return"});
        QVERIFY(monitor_.waitForFinished(30000));
        QCOMPARE(monitor_.exitStatus(), QProcess::NormalExit);
        QCOMPARE(monitor_.exitCode(), 0);
        QCOMPARE(Setting("ShowTrayIcon"), QVariant("false"));
        QCOMPARE(Setting("FirstTimeLaunch"), QVariant("true"));
    }

    void Click(const QString& window, const QPoint& point) {
        X({"mousemove", "--window", window, QString::number(point.x()), QString::number(point.y()), "click", "1"});
    }

    QStringList ToolRuns() const {
        QStringList runs = Lines(toolLog_);
        runs.replaceInStrings(QRegularExpression(QRegularExpression::escape(root_.filePath("temp")) + "/corvane-smart-\\d+/"),
                              "$TMP/");
        return runs;
    }

private slots:
    void initTestCase() {
        for (const char* tool : {"Xvfb", "trayer", "xdotool"})
            QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                     qPrintable(QString("%1 is missing: scripts/run-tests.sh installs it").arg(tool)));
        QVERIFY(root_.isValid());
        QVERIFY(QDir().mkpath(root_.filePath("temp")));
        settingsFile_ = root_.filePath("settings.ini");
        toolLog_ = root_.filePath("tools.log");
        companionLog_ = root_.filePath("companions.log");

        // The monitor is installed beside its companions, which only record how they were started.
        installFolder_ = root_.filePath("Corvane Drive Monitor");
        QVERIFY(QDir().mkpath(installFolder_));
        const QString bin = qEnvironmentVariable("CORVANE_TEST_BIN");
        QVERIFY(QFile::copy(bin + "/CorvaneSMART", installFolder_ + "/CorvaneSMART"));
        QVERIFY(QFile::link(bin + "/system", installFolder_ + "/system"));
        const QByteArray companion =
            "#!/bin/sh\n"
            "printf '%s|%s|%s|%s\\n' \"$(basename \"$0\")\" \"$*\" \"$(pwd)\" "
            "\"$(grep SystemTrayLaunch \"$CORVANE_SETTINGS_FILE\")\" >> \"$CORVANE_COMPANION_LOG\"\n";
        QVERIFY(WriteBytes(installFolder_ + "/CorvaneDriveMonitor.exe", companion, true));
        QVERIFY(WriteBytes(installFolder_ + "/CorvaneDataRecovery.exe", companion, true));

        server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        QVERIFY(server_.waitForStarted());
        QVERIFY(WaitFor([&] { return server_.canReadLine() || server_.waitForReadyRead(100); }));
        display_ = ":" + QString::fromLatin1(server_.readLine()).trimmed();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display_);
        trayHost_.setProcessEnvironment(environment);
        trayHost_.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "200",
                                   "--heighttype", "pixel", "--height", "40"});
        QVERIFY(trayHost_.waitForStarted());
        QVERIFY(WaitFor([&] { return !X({"search", "--class", "^trayer$"}).isEmpty(); }, 90000));
    }

    void cleanupTestCase() {
        for (QProcess* process : {&monitor_, &trayHost_, &server_}) {
            process->kill();
            process->waitForFinished();
        }
    }

    void cleanup() {
        if (monitor_.state() != QProcess::NotRunning) {
            monitor_.kill();
            monitor_.waitForFinished();
        }
    }

    void hotMachineWarnsShowsItsTrayAndShutsDownOnce() {
        StartMonitor("hot-nvme-laptop", {{"ShowWarning", true}, {"WarningValue", 60}, {"ShutDownValue", 70}});
        const QString disk = "\"Disk: Samsung SSD 980 PRO 1TB \"";
        QVERIFY(WaitFor([&] { return OutputLines("corvane.tray: showing ").size() == 2; }));
        QCOMPARE(OutputLines("corvane.tray: showing "),
                 (QStringList{"ShutDownWarning " + disk, "SmartWarning " + disk}));
        QVERIFY(WaitFor([&] { return VisibleWindows(DialogTitle).size() == 2; }));
        QCOMPARE(OutputLines("corvane.tray: tray icon "), QStringList{"\"Corvane Drive Monitor\\n71" + Degree + "\""});
        QCOMPARE(OutputLines("corvane.tray: tray menu: "),
                 QStringList{"Samsung SSD 980 PRO 1TB  {Temperature: 71" + Degree +
                             "C | Health: 87 % | Performance: 100 % | Partition: C: } | Go to Corvane Drive "
                             "Monitor | Exit"});

        // One boot-disk reading, then the menu with a model query, diskpart and a report per drive
        // (the blank last line of the drive list names none and costs nothing), then the health check.
        const QString diskpart = "diskpart.exe /s $TMP/DiskList.txt";
        const QStringList bootDisk = {"WMIC.exe diskdrive get index", diskpart, diskpart};
        QStringList expected = bootDisk;
        expected << "smartctl64Bit.exe -a /dev/sda"
                 << "WMIC.exe diskdrive get Model,Index";
        for (const QString device : {"sda", "sdb"})
            expected << "WMIC.exe diskdrive get Model,Index" << diskpart << diskpart
                     << "smartctl64Bit.exe -a /dev/" + device;
        expected << bootDisk << "smartctl64Bit.exe -a /dev/sda";
        QVERIFY(WaitFor([&] { return ToolRuns().size() >= expected.size(); }));
        QCOMPARE(ToolRuns(), expected);

        // The menu opens on a right click, and the drive's submenu beside it.
        const int dialogsAndIcon = MonitorWindows().size();
        OpenTrayMenu();
        X({"key", "Down", "Right"});
        QVERIFY(WaitFor([&] { return MonitorWindows().size() == dialogsAndIcon + 2; }));
        X({"key", "Escape", "Escape"});
        QVERIFY(WaitFor([&] { return MonitorWindows().size() == dialogsAndIcon; }));

        // One real tick of the temperature check rebuilds the menu and shows both warnings again.
        QVERIFY(WaitFor([&] { return OutputLines("corvane.tray: tray menu: ").size() == 2; }, 90000));
        QVERIFY(WaitFor([&] { return OutputLines("corvane.tray: showing ").size() >= 4; }));

        const QStringList dialogs = VisibleWindows(DialogTitle);
        QCOMPARE(dialogs.size(), 2);
        QFile::remove(toolLog_);
        Click(dialogs.last(), CentreOf<SmartWarning>([](SmartWarning& dialog) -> QWidget* { return dialog.ShutDownButton; }));
        QVERIFY(WaitFor([&] { return ToolRuns().contains("shutdown /s"); }));
        QTest::qWait(500);
        QCOMPARE(ToolRuns().filter("shutdown"), QStringList{"shutdown /s"});

        ChooseExitAndExpectTheEnd();
        QCOMPARE(VisibleWindows(DialogTitle), QStringList());
    }

    void failingMachineOffersToIgnoreOrClone() {
        StartMonitor("failing-boot-disk", {{"ShowWarning", true}, {"WarningValue", 90}, {"ShutDownValue", 95}});
        QVERIFY(WaitFor([&] { return !OutputLines("corvane.tray: showing ").isEmpty(); }));
        QCOMPARE(OutputLines("corvane.tray: showing "), QStringList{"HealthWarning \"Disk: HGST HUS724040ALE640 \""});
        QVERIFY(WaitFor([&] { return VisibleWindows(DialogTitle).size() == 1; }));
        QCOMPARE(OutputLines("corvane.tray: tray menu: ").value(0).count(" {Temperature: "), 2);

        const QString dialog = VisibleWindows(DialogTitle).first();
        Click(dialog, CentreOf<HealthWarning>([](HealthWarning& form) -> QWidget* { return form.CheckBox; }));
        Click(dialog, CentreOf<HealthWarning>([](HealthWarning& form) -> QWidget* { return form.OkButton; }));
        QVERIFY(WaitFor([&] { return VisibleWindows(DialogTitle).isEmpty(); }));
        QVERIFY(WaitFor([&] { return Setting("HealthDontShow") == QVariant("true"); }));
        ChooseExitAndExpectTheEnd();

        // A new start forgets the choice; this time the drive is to be cloned.
        StartMonitor("failing-boot-disk", {{"ShowWarning", true}, {"WarningValue", 90}, {"ShutDownValue", 95}, {"SystemTrayLaunch", true}});
        QVERIFY(WaitFor([&] { return VisibleWindows(DialogTitle).size() == 1; }));
        Click(VisibleWindows(DialogTitle).first(),
              CentreOf<HealthWarning>([](HealthWarning& form) -> QWidget* { return form.CloneButton; }));
        QVERIFY(WaitFor([&] { return !Lines(companionLog_).isEmpty(); }));
        QCOMPARE(Lines(companionLog_), QStringList{"CorvaneDriveMonitor.exe|CloneDisk####HGSTHUS724040ALE640|" +
                                                   root_.path() + "|SystemTrayLaunch=false"});
        QVERIFY(VisibleWindows(DialogTitle).isEmpty());
        QVERIFY(ToolRuns().contains("tasklist.exe"));
        QVERIFY(ToolRuns().contains("findstr.exe CorvaneDriveMonitor.exe"));

        // The tray's own entry starts the drive monitor without a request.
        QFile::remove(companionLog_);
        OpenTrayMenu();
        X({"key", "Up", "Up", "Return"});
        QVERIFY(WaitFor([&] { return !Lines(companionLog_).isEmpty(); }));
        QCOMPARE(Lines(companionLog_).first().section('|', 0, 1), QString("CorvaneDriveMonitor.exe|"));
        ChooseExitAndExpectTheEnd();
    }

    void dataRecoveryStartsFromTheMonitorsFolder() {
        StartMonitor("failing-boot-disk", {{"ShowWarning", true}, {"WarningValue", 90}, {"ShutDownValue", 95}, {"SystemTrayLaunch", true}});
        QVERIFY(WaitFor([&] { return VisibleWindows(DialogTitle).size() == 1; }));
        Click(VisibleWindows(DialogTitle).first(),
              CentreOf<HealthWarning>([](HealthWarning& form) -> QWidget* { return form.RecoverData; }));
        QVERIFY(WaitFor([&] { return !Lines(companionLog_).isEmpty(); }));
        QCOMPARE(Lines(companionLog_),
                 QStringList{"CorvaneDataRecovery.exe||" + installFolder_ + "|SystemTrayLaunch=true"});
        ChooseExitAndExpectTheEnd();
    }
};

QTEST_MAIN(TrayEndToEndTests)
#include "TrayEndToEndTests.moc"
