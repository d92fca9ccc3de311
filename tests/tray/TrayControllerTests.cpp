#include "app/ProcessValues.h"
#include "app/Startup.h"
#include "dialogs/HealthWarning.h"
#include "dialogs/ShutDownWarning.h"
#include "dialogs/SmartWarning.h"
#include "exec/CaptureFile.h"
#include "platform/Platform.h"
#include "support/ProcessTestSupport.h"
#include "tray/CompanionLauncher.h"
#include "tray/QWaitClass.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTextCodec>
#include <QTimer>

// The controller in this process against the stand-in tools on described machines.
namespace {

// "-" for a separator, "[title]" for a submenu, an entry's text, "(hidden) text" for a hidden entry.
QStringList Entries(const QMenu* menu) {
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << (action->isSeparator() ? "-"
                    : action->menu()      ? "[" + action->text() + "]"
                                          : (action->isVisible() ? "" : "(hidden) ") + action->text());
    return entries;
}

QSystemTrayIcon* Icon(const QWaitClass& controller) { return controller.findChild<QSystemTrayIcon*>(); }

// The image an icon shows as "<folder>/<name>" under :/images, "-" for none.
QString ImageShown(const QIcon& icon) {
    if (icon.isNull()) return "-";
    for (QDirIterator images(":/images", {"*.png"}, QDir::Files, QDirIterator::Subdirectories); images.hasNext();)
        if (QIcon(images.next()).pixmap(64).toImage() == icon.pixmap(64).toImage())
            return images.filePath().mid(9).chopped(4);
    return "?";
}

template <class Dialog>
Dialog* TopLevel() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<Dialog*>(widget)) return dialog;
    return nullptr;
}

// The class names of the windows on screen besides the menus.
QStringList Windows() {
    QStringList windows;
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !qobject_cast<const QMenu*>(window))
            windows << window->metaObject()->className();
    windows.sort();
    return windows;
}

void UseMachine(const QString& name, const QVariantMap& settings) {
    qputenv("CORVANE_SIMULATED_MACHINE", MachinePath(name).toUtf8());
    WriteSettings(settings);
}

void RunTemperatureCycle(QWaitClass& controller) {
    QVERIFY(QMetaObject::invokeMethod(&controller, "GetSmartTemprature"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class TrayControllerTests : public QObject {
    Q_OBJECT

    const QString toolLog_ = QDir::temp().filePath("tools.log");
    // As start-up sets it; read before a controller pins it for its children.
    const int fontDpi_ = qEnvironmentVariableIntValue("QT_FONT_DPI") ? qEnvironmentVariableIntValue("QT_FONT_DPI") : 96;

    QStringList ToolRuns() const { return ReadCaptureLines(toolLog_).value_or(QStringList()); }

private slots:
    void initTestCase() {
        qputenv("CORVANE_TOOL_LOG", toolLog_.toUtf8());
        SystemDirectory = QString::fromStdString(platform::SystemDirectory());
        PrepareApplication(*qApp);
    }

    void init() {
        QFile::remove(toolLog_);
        TemperatureWarningSuppressed = false;
        DpiScale = 1.0f;
    }

    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets()) window->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The hot laptop's icon, a blue square with the reading in white, and its menu. The temperature check, which
    // rebuilds the menu, runs every 30 seconds, the health check every 90 minutes; a menu the user has open outlives
    // a cycle, and its next opening shows the new one. In Fahrenheit the reading takes three digits: the text shrinks
    // until both ends stay on the icon, at every display scale (run again at the font DPI of 1.25 and 1.5, see
    // CMakeLists.txt).
    void hotMachineShowsItsIconAndMenu() {
        DpiScale = fontDpi_ / 96.0f;
        UseMachine("hot-nvme-laptop", {});
        QWaitClass controller;
        QSystemTrayIcon* icon = Icon(controller);
        QVERIFY(icon->isVisible());
        // The USB stick has no report the tool passed, so it gets no submenu.
        QCOMPARE(Entries(icon->contextMenu()), (QStringList{"[Samsung SSD 980 PRO 1TB ]", "-", "-",
                                                            "Go to Corvane Drive Monitor",
                                                            "(hidden) Stop S.M.A.R.T monitoring", "-", "-", "Exit"}));
        QCOMPARE(Entries(icon->contextMenu()->actions().first()->menu()),
                 (QStringList{"-", "Temperature: 71°C", "-", "Health: 87 %", "-", "Performance: 100 %", "-",
                              "Partition: C: "}));

        QMap<int, QTimer*> timers;
        for (QTimer* timer : controller.findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly))
            if (timer->isActive() && !timer->isSingleShot()) timers.insert(timer->interval(), timer);
        QCOMPARE(timers.keys(), (QList<int>{30000, 5400000}));
        const QPointer<QMenu> shown = icon->contextMenu();
        QVERIFY(QMetaObject::invokeMethod(timers[5400000], "timeout"));
        QCOMPARE(icon->contextMenu(), shown.data());
        shown->popup({0, 0});
        QVERIFY(shown->isVisible());
        WriteSettings({{"TempValue", "F"}});
        QVERIFY(QMetaObject::invokeMethod(timers[30000], "timeout"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(Entries(shown->actions().first()->menu()).at(1), QString("Temperature: 71°C"));
        QVERIFY(icon->contextMenu() != shown);
        QCOMPARE(Entries(icon->contextMenu()->actions().first()->menu()).at(1), QString("Temperature: 159°F"));
        shown->hide();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!shown);

        QCOMPARE(icon->toolTip(), "Corvane Drive Monitor\n159°");
        const QSize size = icon->icon().availableSizes().value(0);
        QCOMPARE(size, QSize(int(29 * DpiScale), int(28 * DpiScale)));
        const QImage drawn = icon->icon().pixmap(size).toImage();
        QCOMPARE(drawn.pixelColor(0, 0), QColor(33, 140, 254));
        int left = size.width(), right = -1;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixelColor(x, y).lightness() > 180) left = qMin(left, x), right = qMax(right, x);
        const QString inked = QString("text from column %1 to %2 of %3").arg(left).arg(right).arg(size.width());
        QVERIFY2(left > 0 && right < size.width() - 1, qPrintable(inked));
        // Shrunk just enough: the text still spans most of the icon.
        QVERIFY2(right - left + 1 > size.width() * 3 / 4, qPrintable(inked));
    }

    // A submenu per drive in the drive list's order, each entry's image by its grade in the folder of the
    // display scale's class; the temperature is graded in Celsius whatever the unit shown. Below the class
    // 1.0 the entries have none.
    void submenusShowTheirGrades_data() {
        QTest::addColumn<QString>("row");
        for (const QString& row : DataLines("tray-menu-images.txt")) QTest::newRow(qPrintable(row.left(24))) << row;
    }
    void submenusShowTheirGrades() {
        QFETCH(QString, row);
        const QStringList given = row.section(" => ", 0, 0).split(' ');
        DpiScale = given[2].toFloat();
        UseMachine(given[0], {{"TempValue", given[1]}});
        QWaitClass controller;
        QStringList images;
        for (const QAction* drive : Icon(controller)->contextMenu()->actions()) {
            if (!drive->menu()) continue;
            QCOMPARE(ImageShown(drive->icon()), QString("img_Moniter-drive"));
            images << '[' + drive->text() + ']';
            for (const QAction* entry : drive->menu()->actions())
                if (!entry->isSeparator()) images << ImageShown(entry->icon());
        }
        QCOMPARE(images.join(' '), row.section(" => ", 1));
    }

    // Shown in one run, the temperature warning leaves the shutdown warning's title strip in sight where the work
    // area has room for that (run again at the font DPI of 1.5, see CMakeLists.txt; the offscreen screen has no
    // room at that scale, Wine's display has), and a cycle that finds both still due moves neither. Each shutdown
    // button stays connected once; a warning ignored with the box clear comes back at the next cycle, with the box
    // ticked only the shutdown warning may; every cycle reads the settings afresh.
    void bothTemperatureWarningsThroughTheCycles() {
        DpiScale = fontDpi_ / 96.0f;
        UseMachine("hot-nvme-laptop", {{"ShowWarning", true}, {"WarningValue", 60}, {"ShutDownValue", 70}});
        QWaitClass controller;
        QCOMPARE(Windows(), (QStringList{"ShutDownWarning", "SmartWarning"}));
        ShutDownWarning* shutDown = TopLevel<ShutDownWarning>();
        SmartWarning* temperature = TopLevel<SmartWarning>();
        const QRect first = shutDown->frameGeometry(), second = temperature->frameGeometry();
        QCOMPARE(second.size(), first.size());
        const int titleStrip = shutDown->CenterTitleLabel->geometry().bottom() + 1;
        const QRect beside = first.translated(titleStrip * 3 / 2, titleStrip * 3 / 2);
        if (shutDown->screen()->availableGeometry().contains(beside))
            QCOMPARE(second, beside);
        else
            QVERIFY(second.intersects(first));
        RunTemperatureCycle(controller);
        QCOMPARE(temperature->frameGeometry(), second);
        QFile::remove(toolLog_);
        temperature->ShutDownButton->click();
        shutDown->ShutDownButton->click();
        QCOMPARE(ToolRuns(), (QStringList{"shutdown /s", "shutdown /s"}));

        temperature->OkButton->click();
        shutDown->OkButton->click();
        QCOMPARE(Windows(), QStringList());
        RunTemperatureCycle(controller);
        QCOMPARE(Windows(), (QStringList{"ShutDownWarning", "SmartWarning"}));

        temperature->CheckBox->setChecked(true);
        temperature->OkButton->click();
        shutDown->OkButton->click();
        WriteSettings({{"ShowWarning", true}, {"WarningValue", 50}, {"ShutDownValue", 159}, {"TempValue", "F"}});
        RunTemperatureCycle(controller);
        QCOMPARE(Windows(), QStringList{"ShutDownWarning"});
        // Escape closes the last warning; the monitor lives on in the tray, its event loop running.
        QTimer afterwards;
        bool outlived = false;
        connect(&afterwards, &QTimer::timeout, [&] { outlived = true; QCoreApplication::quit(); });
        QTimer::singleShot(0, [&] { QTest::keyClick(shutDown, Qt::Key_Escape); afterwards.start(200); });
        QCoreApplication::exec();
        QVERIFY(outlived && Windows().isEmpty());

        // A shutdown the system refuses is named in the debug output. The refusing one lies where each system's
        // interpreter looks first: Linux's system folder, the current folder on Windows.
        const QTemporaryDir refusing;
        QVERIFY(WriteBytes(refusing.filePath("shutdown"),
                           "#!/bin/sh\necho 'Call to PowerOff failed: Access denied' >&2\nexit 1\n", true));
        QVERIFY(WriteBytes(refusing.filePath("shutdown.cmd"), "@echo Access denied 1>&2\r\n@exit /b 1\r\n"));
        qputenv("CORVANE_SYSTEM_DIR", refusing.path().toUtf8());
        const QString folder = QDir::currentPath();
        QDir::setCurrent(refusing.path());
        QTest::ignoreMessage(QtWarningMsg, "the machine was not shut down: \"shutdown /s\" ended with exit code 1");
        shutDown->ShutDownButton->click();
        QDir::setCurrent(folder);
        qunsetenv("CORVANE_SYSTEM_DIR");
    }

    void healthWarningStaysAwayOnceIgnored() {
        UseMachine("failing-boot-disk", {{"ShowWarning", true}, {"WarningValue", 90}, {"ShutDownValue", 95}});
        QWaitClass controller;
        QCOMPARE(Windows(), QStringList{"HealthWarning"});
        TopLevel<HealthWarning>()->CheckBox->setChecked(true);
        TopLevel<HealthWarning>()->OkButton->click();
        QVERIFY(QMetaObject::invokeMethod(&controller, "GetHealthAndPerformanceWarning"));
        QVERIFY(QMetaObject::invokeMethod(&controller, "GetInitialPerformanceandHealthWarning"));
        QCOMPARE(Windows(), QStringList());
    }

#ifndef Q_OS_WIN
    // "Go to Corvane Drive Monitor" starts nothing while the process list names the drive monitor, and leaves
    // SystemTrayLaunch as it is; "Recover Data" starts the data-recovery application from the monitor's folder.
    // Linux only: a script stands in for tasklist.exe.
    void companionsStartOnlyWhenNotRunning() {
        const QTemporaryDir system;
        QVERIFY(LinkStandins(system.path()) && QFile::remove(system.filePath("tasklist.exe")));
        QVERIFY(WriteBytes(system.filePath("tasklist.exe"),
                           "#!/bin/sh\necho 'CorvaneDriveMonitor.exe 4242 CorvaneDriveMonitor.app'\n", true));
        SystemDirectory = system.path();
        WriteSettings({{"SystemTrayLaunch", true}});
        const QString folder = QDir::currentPath();
        QDir::setCurrent(QDir::tempPath());
        QCOMPARE(Logged("corvane.launcher", [] { tray::LaunchCompanion(tray::Companion::DriveMonitor); }),
                 QStringList{"\"CorvaneDriveMonitor.exe\" is running already"});
        QCOMPARE(Setting("SystemTrayLaunch").toBool(), true);
        QCOMPARE(Logged("corvane.launcher", [] { tray::LaunchCompanion(tray::Companion::DataRecovery); }).value(0),
                 QString("starting \"CorvaneDataRecovery.exe\" \"\""));
        QCOMPARE(QDir::currentPath(), QCoreApplication::applicationDirPath());
        QDir::setCurrent(folder);
        SystemDirectory = QString::fromStdString(platform::SystemDirectory());
    }
#endif

    // Without a work folder nothing is read, yet the icon is there, says why, and its menu ends the monitor;
    // the first cycle with the folder reads as usual. The folder is refused on each system: open to all
    // without the sticky bit, "%" in its path.
    void monitorWithoutWorkFolderIsSeenUntilItHasOne() {
        UseMachine("hot-nvme-laptop", {{"ShowWarning", true}, {"WarningValue", 60}, {"ShutDownValue", 70}});
        const QTemporaryDir root;
        const QString refused = root.filePath("open to all %");
        QVERIFY(QDir().mkpath(refused) && QFile::setPermissions(refused, QFileDevice::Permissions(0x7777)));
        QHash<QByteArray, QByteArray> usable;
        for (const char* name : {"TMPDIR", "TMP", "TEMP", "XDG_RUNTIME_DIR"}) {
            usable[name] = qgetenv(name);
            qputenv(name, QDir::toNativeSeparators(refused).toUtf8());
        }
        const auto restoreUsable = [usable] {
            for (auto variable = usable.cbegin(); variable != usable.cend(); ++variable)
                qputenv(variable.key(), variable.value());
        };
        const auto restoredWhateverHappens = qScopeGuard(restoreUsable);
        std::string problem;
        if (!platform::PrepareWorkDirectory(problem).empty())
            QSKIP("the work folder does not lie in the temporary folder (elevated on Windows it is in ProgramData)");

        QWaitClass controller;
        QSystemTrayIcon* icon = Icon(controller);
        QVERIFY(icon && icon->isVisible());
        QVERIFY2(icon->toolTip().startsWith("Corvane Drive Monitor\nDrives not read: the temporary folder is unusable."),
                 qPrintable(icon->toolTip()));
        QCOMPARE(Entries(icon->contextMenu()), (QStringList{"-", "Go to Corvane Drive Monitor",
                                                            "(hidden) Stop S.M.A.R.T monitoring", "-", "-", "Exit"}));
        QCOMPARE(Windows(), QStringList());
        QCOMPARE(ToolRuns(), QStringList());
        // Either end of the monitor, the hidden stop entry or Exit, hides the icon; only Exit writes FirstTimeLaunch.
        icon->contextMenu()->actions().at(2)->trigger();
        QVERIFY(!icon->isVisible());
        QCOMPARE(Setting("ShowTrayIcon").toBool(), false);
        QCOMPARE(Setting("FirstTimeLaunch"), QVariant());
        icon->contextMenu()->actions().last()->trigger();
        QCOMPARE(Setting("FirstTimeLaunch").toBool(), true);

        restoreUsable();
        RunTemperatureCycle(controller);
        QVERIFY(icon->isVisible());
        QCOMPARE(icon->toolTip(), "Corvane Drive Monitor\n71°");
        QCOMPARE(Entries(icon->contextMenu()).first(), QString("[Samsung SSD 980 PRO 1TB ]"));
        QCOMPARE(Windows(), (QStringList{"ShutDownWarning", "SmartWarning"}));
    }

    // A capture left from before is removed before the tool that appends to it runs: the stale readings of a
    // hot, worn boot disk and a drive list naming the drive twice count for nothing, at start-up and in each check.
    void staleCapturesAreNeverRead() {
        UseMachine("hot-nvme-laptop", {{"ShowWarning", true}, {"WarningValue", 90}, {"ShutDownValue", 95}});
        QCOMPARE(PrepareWorkFolder(), WorkFolderState::Ready);
        const QByteArray report = "SMART overall-health self-assessment test result: PASSED\n"
                                  "SMART/Health Information (NVMe Log 0x02)\n"
                                  "Temperature: 99 Celsius\nPercentage Used: 90%\n";
        const QByteArray driveList = QTextCodec::codecForName("UTF-16")->fromUnicode("Index  \r\r\n0  \r\r\n");
        const auto leaveStale = [&](const QStringList& names) {
            for (const QString& name : names)
                QVERIFY(WriteBytes(CapturePath(name), name == "SMART1.txt" ? driveList : report));
        };
        const auto readAsTheyAre = [](const QWaitClass& controller) {
            QCOMPARE(Windows(), QStringList());
            QCOMPARE(Icon(controller)->toolTip(), "Corvane Drive Monitor\n71°");
            const QMenu* menu = Icon(controller)->contextMenu();
            QCOMPARE(Entries(menu).mid(0, 3), (QStringList{"[Samsung SSD 980 PRO 1TB ]", "-", "-"}));
            QCOMPARE(Entries(menu->actions().first()->menu()).at(1), QString("Temperature: 71°C"));
        };
        leaveStale({"Temp.txt", "SMART.txt", "SMART1.txt"});
        QWaitClass controller;
        readAsTheyAre(controller);
        leaveStale({"Temp.txt", "SMART.txt", "SMART1.txt"});
        RunTemperatureCycle(controller);
        readAsTheyAre(controller);
        leaveStale({"Temp.txt"});
        QVERIFY(QMetaObject::invokeMethod(&controller, "GetHealthAndPerformanceWarning"));
        readAsTheyAre(controller);
    }

    // Without a boot disk, start-up reads the first drive ("sda"); the two checks read no drive at all.
    void noBootDiskIsTheFirstDriveOnlyAtStartUp() {
        // The healthy desktop without the marks of its boot disk.
        const QDir copy(QDir::temp().filePath("no-boot-disk"));
        QVERIFY(CopyMachine("healthy-desktop", copy.path()));
        QString text = QString::fromUtf8(ReadBytes(copy.filePath("machine.txt")));
        QVERIFY(WriteBytes(copy.filePath("machine.txt"), text.remove(QRegularExpression("boot\n|\\| Boot")).toUtf8()));
        UseMachine(copy.path(), {});
        QWaitClass controller;
        RunTemperatureCycle(controller);
        QStringList devices;
        for (const QString& run : ToolRuns())
            if (run.startsWith("smartctl64Bit.exe")) devices << run.section("/dev/", 1);
        // Start-up's reading, the menu's two drives, the health check; the temperature check, start-up again.
        QCOMPARE(devices, (QStringList{"sda", "sda", "sdb", "", "", "sda", "sda", "sdb"}));
    }

    // Every cycle asks the tools afresh, and none more often than the checks imply.
    void eachCycleRunsWhatTheChecksImply() {
        // Machine, drives, the boot disk's 0-based place.
        for (const auto& [machine, drives, bootPlace] : {std::tuple{"single-nvme-notebook", 1, 0},
                 {"failing-boot-disk", 2, 1}, {"four-drive-workstation", 4, 1}, {"nine-drive-server", 9, 8}}) {
            UseMachine(machine, {});
            QWaitClass controller;
            QFile::remove(toolLog_);
            RunTemperatureCycle(controller);
            QMap<QString, int> runs;
            for (const QString& run : ToolRuns()) ++runs[run.startsWith("WMIC") ? run : run.section(' ', 0, 0)];
            // Two boot-disk searches (the cycle's and the menu rebuild's), each an index listing and two diskpart
            // runs per drive up to the boot disk; the boot disk's report twice and its model once; per drive a
            // model listing, two diskpart runs and a report. WMIC's closing blank line costs no run.
            const QMap<QString, int> implied = {{"WMIC.exe diskdrive get index", 2},
                                                {"WMIC.exe diskdrive get Model,Index", 1 + drives},
                                                {"diskpart.exe", 2 * 2 * (bootPlace + 1) + 2 * drives},
                                                {"smartctl64Bit.exe", 2 + drives}};
            QVERIFY2(runs == implied, machine);
        }
    }
};

CORVANE_TEST_MAIN(TrayControllerTests)
#include "TrayControllerTests.moc"
