#include "dialogs/HealthWarning.h"
#include "support/DesktopTestSupport.h"

#include <optional>

// The real monitor on a virtual X display with a tray host, driven by clicks and keys as a user drives it.
namespace {

// Where a widget's centre lies in its dialog, from the same dialog built here at the same scale.
template <class Dialog>
QPoint CentreOf(const char* widget) {
    Dialog dialog;
    const QWidget* child = dialog.template findChild<QWidget*>(widget);
    return child->mapTo(&dialog, child->rect().center());
}

QStringList MonitorWindows() { return VisibleWindows("--class", "CorvaneSMART"); }

}  // namespace

class TrayEndToEndTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    VirtualDesktop desktop_;
    std::optional<Monitor> monitor_;
    const QString installFolder_ = root_.filePath("Corvane Drive Monitor");
    const QString companionLog_ = root_.filePath("companions.log");

    void StartMonitor(const QString& machine, const QVariantMap& settings) {
        WriteSettings(settings);
        QFile::remove(companionLog_);
        qputenv("CORVANE_SIMULATED_MACHINE", MachinePath(machine).toUtf8());
        monitor_.emplace(QProcessEnvironment::systemEnvironment(), QStringList(), installFolder_ + "/CorvaneSMART");
        QVERIFY2(monitor_->Started(120000), qPrintable(monitor_->output));
    }

    // Right-clicks the tray icon, the one small window of the monitor.
    void OpenTrayMenu() {
        const QString icon = TrayIconWindow("CorvaneSMART", 100);
        QVERIFY2(!::OpenTrayMenu(icon, "CorvaneSMART").isEmpty(), qPrintable("no menu after right clicks on " + icon));
    }

    void ChooseExitAndExpectTheEnd() {
        OpenTrayMenu();
        X({"key", "Up", "Return"});
        QVERIFY(monitor_->process.waitForFinished(60000));
        QCOMPARE(monitor_->process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(monitor_->process.exitCode(), 0);
        QCOMPARE(Setting("ShowTrayIcon"), QVariant("false"));
        QCOMPARE(Setting("FirstTimeLaunch"), QVariant("true"));
        QCOMPARE(MonitorDialogs(), QStringList());
    }

private slots:
    void initTestCase() {
        // The monitor is installed beside its companions, which only record how they were started.
        const QString bin = qEnvironmentVariable("CORVANE_TEST_BIN");
        QVERIFY(QDir().mkpath(installFolder_));
        QVERIFY(QFile::copy(bin + "/CorvaneSMART", installFolder_ + "/CorvaneSMART"));
        QVERIFY(LinkStandins(installFolder_ + "/system"));
        const QByteArray companion =
            "#!/bin/sh\nprintf '%s|%s|%s|%s\\n' \"$(basename \"$0\")\" \"$*\" \"$(pwd)\" "
            "\"$(grep SystemTrayLaunch \"$CORVANE_SETTINGS_FILE\")\" >> \"$CORVANE_COMPANION_LOG\"\n";
        for (const char* name : {"/CorvaneDriveMonitor.exe", "/CorvaneDataRecovery.exe"})
            QVERIFY(WriteBytes(installFolder_ + name, companion, true));

        // The display and companion log of the monitors started from here; this process stays offscreen.
        QVERIFY(desktop_.Start());
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("CORVANE_DPI", "96");
        qputenv("CORVANE_COMPANION_LOG", companionLog_.toUtf8());
    }

    void cleanupTestCase() { monitor_.reset(); }

    // The icon docks and its menu opens on a right click, the drive's submenu beside it. Escape hides each warning;
    // with no window left the monitor goes on in the tray until its Exit.
    void hotMachineDocksItsIconAndOutlivesItsWarnings() {
        StartMonitor("hot-nvme-laptop", {{"ShowWarning", true}, {"WarningValue", 60}, {"ShutDownValue", 70}});
        STEP(ExpectHotLaptopStart(*monitor_));
        const int dialogsAndIcon = MonitorWindows().size();
        OpenTrayMenu();
        X({"key", "Down", "Right"});
        QVERIFY(WaitUntil([&] { return MonitorWindows().size() == dialogsAndIcon + 2; }));
        X({"key", "Escape", "Escape"});
        QVERIFY(WaitUntil([&] { return MonitorWindows().size() == dialogsAndIcon; }));
        for (const QString& dialog : MonitorDialogs()) X({"windowfocus", "--sync", dialog, "key", "Escape"});
        QVERIFY(WaitUntil([&] { return MonitorDialogs().isEmpty(); }));
        ChooseExitAndExpectTheEnd();
    }

    // Clicks on the health warning's buttons and the tray's entry start the companions, each with its request and
    // from its folder; once the process list names the drive monitor running, the tray's entry starts nothing and
    // leaves SystemTrayLaunch as it is.
    void failingMachineStartsItsCompanions() {
        const QVariantMap settings = {
            {"ShowWarning", true}, {"WarningValue", 90}, {"ShutDownValue", 95}, {"SystemTrayLaunch", true}};
        StartMonitor("failing-boot-disk", settings);
        STEP(ExpectFailingDiskStart(*monitor_));
        Click(MonitorDialogs().first(), CentreOf<HealthWarning>("CloneButton"));
        QVERIFY(WaitUntil([&] { return !Lines(companionLog_).isEmpty(); }));
        QCOMPARE(Lines(companionLog_), QStringList{"CorvaneDriveMonitor.exe|CloneDisk####HGSTHUS724040ALE640|" +
                                                   qEnvironmentVariable("TMPDIR") + "|SystemTrayLaunch=false"});
        QVERIFY(MonitorDialogs().isEmpty());

        const QString tasklist = installFolder_ + "/system/tasklist.exe";
        QVERIFY(QFile::remove(tasklist));
        QVERIFY(WriteBytes(tasklist, "#!/bin/sh\necho 'CorvaneDriveMonitor.exe 4242 CorvaneDriveMonitor.app'\n", true));
        StartMonitor("failing-boot-disk", settings);
        STEP(ExpectFailingDiskStart(*monitor_));
        OpenTrayMenu();
        X({"key", "Up", "Up", "Return"});
        QVERIFY(WaitUntil([&] { return !monitor_->Output("corvane.launcher: ").isEmpty(); }));
        QCOMPARE(monitor_->Output("corvane.launcher: "), QStringList{"\"CorvaneDriveMonitor.exe\" is running already"});
        QCOMPARE(Setting("SystemTrayLaunch"), QVariant("true"));
        Click(MonitorDialogs().first(), CentreOf<HealthWarning>("RecoverData"));
        QVERIFY(WaitUntil([&] { return !Lines(companionLog_).isEmpty(); }));
        QCOMPARE(Lines(companionLog_),
                 QStringList{"CorvaneDataRecovery.exe||" + installFolder_ + "|SystemTrayLaunch=true"});
    }
};

CORVANE_TEST_MAIN(TrayEndToEndTests)
#include "TrayEndToEndTests.moc"
