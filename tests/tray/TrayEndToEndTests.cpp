#include "dialogs/HealthWarning.h"
#include "dialogs/SmartWarning.h"
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
    const QString toolLog_ = root_.filePath("tools.log"), companionLog_ = root_.filePath("companions.log");

    QStringList Output(const QString& prefix) { return monitor_->Output("corvane.tray: " + prefix); }

    void StartMonitor(const QString& machine, const QVariantMap& settings, bool keepSettings = false) {
        if (!keepSettings) WriteSettings(settings);
        for (const QString& log : {toolLog_, companionLog_}) QFile::remove(log);
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

        // The display and logs of the tools and monitors started from here; this process stays offscreen.
        QVERIFY(desktop_.Start());
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("CORVANE_DPI", "96");
        qputenv("CORVANE_TOOL_LOG", toolLog_.toUtf8());
        qputenv("CORVANE_COMPANION_LOG", companionLog_.toUtf8());
    }

    void cleanupTestCase() { monitor_.reset(); }

    void hotMachineWarnsShowsItsTrayAndShutsDownOnce() {
        StartMonitor("hot-nvme-laptop", {{"ShowWarning", true}, {"WarningValue", 60}, {"ShutDownValue", 70}});
        STEP(ExpectHotLaptopStart(*monitor_));

        // The menu opens on a right click, and the drive's submenu beside it.
        const int dialogsAndIcon = MonitorWindows().size();
        OpenTrayMenu();
        X({"key", "Down", "Right"});
        QVERIFY(WaitUntil([&] { return MonitorWindows().size() == dialogsAndIcon + 2; }));
        X({"key", "Escape", "Escape"});
        QVERIFY(WaitUntil([&] { return MonitorWindows().size() == dialogsAndIcon; }));

        // One real tick of the temperature check rebuilds the menu and shows both warnings again.
        QVERIFY(WaitUntil([&] { return Output("tray menu: ").size() == 2; }, 120000));
        QVERIFY(WaitUntil([&] { return Output("showing ").size() >= 4; }));
        const QStringList dialogs = MonitorDialogs();
        QCOMPARE(dialogs.size(), 2);
        QFile::remove(toolLog_);
        Click(dialogs.last(), CentreOf<SmartWarning>("ShutDownButton"));
        // The menu opens only once the click has been handled, every shutdown it asked for included.
        OpenTrayMenu();
        X({"key", "Escape"});
        QVERIFY(WaitUntil([&] { return MonitorWindows().size() == dialogsAndIcon; }));
        QCOMPARE(Lines(toolLog_).filter("shutdown"), QStringList{"shutdown /s"});

        // Escape hides each warning; with no window left the monitor goes on in the tray, where its menu opens.
        for (const QString& dialog : dialogs) X({"windowfocus", "--sync", dialog, "key", "Escape"});
        QVERIFY(WaitUntil([&] { return MonitorDialogs().isEmpty(); }));
        ChooseExitAndExpectTheEnd();
    }

    void failingMachineOffersToIgnoreOrClone() {
        const QVariantMap settings = {
            {"ShowWarning", true}, {"WarningValue", 90}, {"ShutDownValue", 95}, {"SystemTrayLaunch", true}};
        StartMonitor("failing-boot-disk", settings);
        STEP(ExpectFailingDiskStart(*monitor_));
        Click(MonitorDialogs().first(), CentreOf<HealthWarning>("CheckBox"));
        Click(MonitorDialogs().first(), CentreOf<HealthWarning>("OkButton"));
        QVERIFY(WaitUntil([&] { return MonitorDialogs().isEmpty() && Setting("HealthDontShow") == QVariant("true"); }));
        ChooseExitAndExpectTheEnd();

        // The next start forgets that choice; this time the drive is to be cloned.
        StartMonitor("failing-boot-disk", settings, true);
        QVERIFY(WaitUntil([&] { return MonitorDialogs().size() == 1; }));
        Click(MonitorDialogs().first(), CentreOf<HealthWarning>("CloneButton"));
        QVERIFY(WaitUntil([&] { return !Lines(companionLog_).isEmpty(); }));
        QCOMPARE(Lines(companionLog_), QStringList{"CorvaneDriveMonitor.exe|CloneDisk####HGSTHUS724040ALE640|" +
                                                   qEnvironmentVariable("TMPDIR") + "|SystemTrayLaunch=false"});
        QVERIFY(MonitorDialogs().isEmpty());
        QVERIFY(Lines(toolLog_).contains("tasklist.exe") &&
                Lines(toolLog_).contains("findstr.exe CorvaneDriveMonitor.exe"));

        // The tray's own entry starts the drive monitor without a request.
        QFile::remove(companionLog_);
        OpenTrayMenu();
        X({"key", "Up", "Up", "Return"});
        QVERIFY(WaitUntil([&] { return !Lines(companionLog_).isEmpty(); }));
        QCOMPARE(Lines(companionLog_).first().section('|', 0, 1), QString("CorvaneDriveMonitor.exe|"));
        ChooseExitAndExpectTheEnd();

        // Recover Data starts the data-recovery application from the monitor's own folder.
        StartMonitor("failing-boot-disk", settings);
        QVERIFY(WaitUntil([&] { return MonitorDialogs().size() == 1; }));
        Click(MonitorDialogs().first(), CentreOf<HealthWarning>("RecoverData"));
        QVERIFY(WaitUntil([&] { return !Lines(companionLog_).isEmpty(); }));
        QCOMPARE(Lines(companionLog_),
                 QStringList{"CorvaneDataRecovery.exe||" + installFolder_ + "|SystemTrayLaunch=true"});

        // Once the process list names the drive monitor as the running check looks for it, the tray's entry
        // starts nothing and leaves SystemTrayLaunch as it is.
        const QString tasklist = installFolder_ + "/system/tasklist.exe";
        QVERIFY(QFile::remove(tasklist));
        QVERIFY(WriteBytes(tasklist, "#!/bin/sh\necho 'CorvaneDriveMonitor.exe 4242 CorvaneDriveMonitor.app'\n", true));
        OpenTrayMenu();
        X({"key", "Up", "Up", "Return"});
        QVERIFY(WaitUntil([&] { return monitor_->Output("corvane.launcher: ").size() == 2; }));
        QCOMPARE(monitor_->Output("corvane.launcher: ").last(), "\"CorvaneDriveMonitor.exe\" is running already");
        QCOMPARE(Lines(companionLog_).size(), 1);
        QCOMPARE(Setting("SystemTrayLaunch"), QVariant("true"));
        ChooseExitAndExpectTheEnd();
    }
};

CORVANE_TEST_MAIN(TrayEndToEndTests)
#include "TrayEndToEndTests.moc"
