#include "../support/ProcessTestSupport.h"

#include <QtTest>

#include <algorithm>
#include <functional>
#include <optional>

#include <unistd.h>

// The real monitor against tools, surroundings and other users that misbehave. Every case runs its own
// monitor on the healthy desktop, all side by side, through start-up and one real 30-second check.
// Whatever the fault, the monitor keeps running and keeps its tray, shows no warning (the machine has
// nothing to warn of), leaves none of the captures behind that it always removes, and never damages
// the settings it shares with its companions. Cases with another user need root, which plays both.
namespace {

const QString TrayMenuPrefix = QStringLiteral("corvane.tray: tray menu: ");
const QString TrayIconPrefix = QStringLiteral("corvane.tray: tray icon ");
const QString NoWorkFolderLine = QStringLiteral("Drives not read: the temporary folder is unusable.");
// The healthy desktop's tray menus: both drives, the first alone, and without any.
const QString NoDrives = QStringLiteral("Go to Corvane Drive Monitor | Exit");
const QString BothDrives = DataLines("healthy-desktop-tray-menu.txt").value(0);
const QString FirstDrive = BothDrives.left(BothDrives.indexOf("WDC "));
const QString SecondDriveMenu = QStringLiteral("WDC WUH721816ALE6L4  {");

// Users of the machine that root plays: the monitor's, a second monitor's, and one that plants files.
constexpr uid_t MonitorUser = 61001, SecondUser = 61002, OtherUser = 61003;

struct FaultCase;
using Step = std::function<void(FaultCase&)>;

struct FaultCase {
    QString name;
    Step prepare;
    QString lastMenu;    // the tray menu after the check; empty: any
    QStringList logged;  // texts the debug output must hold
    Step midway;         // after start-up, before the timed check
    Step verify;
    std::function<bool(FaultCase&)> started = [](FaultCase& run) { return !run.TrayMenus().isEmpty(); };
    std::function<bool(FaultCase&)> checked = [](FaultCase& run) { return run.TrayMenus().size() >= 2; };

    QDir folder;
    QString settingsFile;
    QByteArray settingsBefore;
    QProcessEnvironment environment;
    std::optional<Monitor> monitor;
    std::optional<Monitor> second;  // a second monitor beside the first, where a case starts one
    uid_t user = 0;  // another user the monitor runs as; 0 for the test's own
    int menusAtMidway = 0;
    std::optional<QStringList> leftCaptures;  // of those a check always removes, once it is done

    QString Path(const QString& relative) const { return folder.filePath(relative); }
    QString Temporary() const { return environment.value("TMPDIR"); }
    QString WorkFolder() const { return Temporary() + "/corvane-smart-" + QString::number(user ? user : geteuid()); }
    QStringList ToolRuns() const { return QString::fromUtf8(ReadBytes(Path("tools.log"))).split('\n', Qt::SkipEmptyParts); }

    // A tool of the case's own system folder that stands in for the usual one; `script` may run that
    // one as $real, and keep marks in $case.
    void ReplaceTool(const QString& tool, const QByteArray& script) {
        const QString standin = qEnvironmentVariable("CORVANE_TEST_BIN") + "/system/" + tool;
        QFile::remove(Path("system/" + tool));
        QVERIFY(WriteBytes(Path("system/" + tool),
                           "#!/bin/sh\nreal='" + standin.toUtf8() + "'\ncase='" + folder.path().toUtf8() + "'\n" + script,
                           true));
    }

    // Whether a process started for this case, one with the case's folder in its environment, runs `command`.
    bool Runs(const QByteArray& command) const {
        for (const QString& process : QDir("/proc").entryList(QDir::Dirs))
            if (ReadBytes("/proc/" + process + "/cmdline") == command &&
                ReadBytes("/proc/" + process + "/environ").contains(folder.path().toUtf8()))
                return true;
        return false;
    }

    QStringList Lines(const QString& prefix) { return monitor->Output(prefix); }
    // All the monitor has printed so far.
    const QString& Printed() {
        Lines(QString());
        return monitor->output;
    }
    QStringList TrayMenus() { return Lines(TrayMenuPrefix); }
    bool DrivesListed() { return TrayMenus().contains(BothDrives); }
    // Without a work folder: an icon that says so, a menu without drives, and no tool run.
    void ShownWithoutWorkFolder() {
        QCOMPARE(TrayMenus().value(0), NoDrives);
        QVERIFY2(Lines(TrayIconPrefix).value(0).contains(NoWorkFolderLine), qPrintable(Lines(TrayIconPrefix).join('\n')));
        QCOMPARE(ToolRuns(), QStringList());
    }
};

void Start(std::optional<Monitor>& monitor, const FaultCase& run, uid_t user, const QProcessEnvironment& environment) {
    const QString program = qEnvironmentVariable("CORVANE_TEST_BIN") + "/CorvaneSMART", id = QString::number(user);
    if (user)
        monitor.emplace(environment, QStringList{"--reuid=" + id, "--regid=" + id, "--clear-groups", "--", program},
                        "setpriv", run.folder.path());
    else
        monitor.emplace(environment, QStringList(), program, run.folder.path());
    QVERIFY2(monitor->process.waitForStarted(), qPrintable(run.name));
}

bool Own(const QString& path, uid_t user) {
    const QString id = QString::number(user);
    return QProcess::execute("chown", {"-R", "-h", id + ":" + id, path}) == 0;
}

// A temporary folder all users share, as /tmp is; another user has planted files at every name the
// monitor once used there, and at its old lock.
void ShareTemporaryWithAPlanter(FaultCase& run) {
    const QString shared = run.folder.path() + "-shared";
    QVERIFY(QDir().mkpath(shared));
    QVERIFY(QProcess::execute("chmod", {"1777", shared}) == 0);
    run.environment.insert("TMPDIR", shared);
    // Private like a work folder, so that only the link itself can give a link away.
    QVERIFY(WriteBytes(run.Path("home/precious.txt"), "the user's own work"));
    QVERIFY(QFile::setPermissions(run.Path("home"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(Own(run.Path("home"), run.user));
    const QByteArray hotReport = "SMART overall-health self-assessment test result: PASSED\n"
                                 "194 Temperature_Celsius 0x0022 001 001 000 Old_age Always - 99\n";
    QVERIFY(WriteBytes(shared + "/DiskList.txt", "select disk 0\nclean\n"));
    for (const char* capture : {"Temp.txt", "SMART.txt"}) QVERIFY(WriteBytes(shared + "/" + capture, hotReport));
    for (const char* link : {"Out.txt", "DiskInfo.txt", "tmpFile", "CorvaneSMART.lock"})
        QVERIFY(QFile::link(run.Path("home/precious.txt"), shared + "/" + link));
    QVERIFY(QProcess::execute("mkfifo", {shared + "/SMART1.txt"}) == 0);
    for (const QString& planted : QDir(shared).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        QVERIFY(Own(shared + "/" + planted, OtherUser));
}

void PlantedFilesStayUnused(FaultCase& run) {
    QCOMPARE(ReadBytes(run.Path("home/precious.txt")), QByteArray("the user's own work"));
    QCOMPARE(run.ToolRuns().filter(run.Temporary() + "/DiskList.txt"), QStringList());
}

}  // namespace

class FaultMatrixTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    std::vector<std::unique_ptr<FaultCase>> cases_;

    FaultCase& AddCase(const QString& name, Step prepare, const QString& lastMenu = {}, const QStringList& logged = {}) {
        FaultCase& run = *cases_.emplace_back(std::make_unique<FaultCase>());
        run.name = name;
        run.prepare = prepare;
        run.lastMenu = lastMenu;
        run.logged = logged;
        return run;
    }

    // Held up at start-up (by `reason`, where one is given), the monitor runs all the same, writes its start-up settings, runs no
    // tool, shows its icon saying why with a menu without drives, and lists both drives at the first check
    // after `clear`.
    FaultCase& AddHeldUpCase(const QString& name, Step prepare, const QString& reason, Step clear) {
        FaultCase& run = AddCase(name, prepare, BothDrives);
        run.midway = [clear](FaultCase& run) {
            run.ShownWithoutWorkFolder();
            const QSettings settings(run.environment.value("CORVANE_SETTINGS_FILE"), QSettings::IniFormat);
            QVERIFY(settings.contains("TaskName") && settings.contains("HealthDontShow"));
            clear(run);
        };
        run.started = [reason](FaultCase& run) {
            return run.Printed().contains(reason) && !run.TrayMenus().isEmpty();
        };
        run.checked = [](FaultCase& run) { return run.DrivesListed(); };
        return run;
    }

    // The case's folder: its stand-in tools (links to the usual ones), its own copy of the machine,
    // settings and temporary folder.
    void Prepare(FaultCase& run) {
        run.folder = QDir(root_.filePath(QString(run.name).replace(' ', '-')));
        QVERIFY(LinkStandins(run.Path("system")));
        QVERIFY(CopyMachine("healthy-desktop", run.Path("machine")));
        run.settingsFile = run.Path("settings.ini");
        QVERIFY(WriteBytes(run.settingsFile, "[General]\nShowWarning=true\nWarningValue=60\nShutDownValue=70\n"));
        QDir().mkpath(run.Path("temp"));
        run.environment = QProcessEnvironment::systemEnvironment();
        run.environment.remove("XDG_RUNTIME_DIR");
        for (const auto& [name, value] : {std::pair<QString, QString>{"QT_QPA_PLATFORM", "offscreen"},
                                          {"QT_LOGGING_RULES", "corvane.*=true"}, {"CORVANE_SYSTEM_DIR", run.Path("system")},
                                          {"CORVANE_SIMULATED_MACHINE", run.Path("machine")},
                                          {"CORVANE_SETTINGS_FILE", run.settingsFile}, {"TMPDIR", run.Path("temp")},
                                          {"CORVANE_DPI", "96"}, {"CORVANE_TOOL_LOG", run.Path("tools.log")}})
            run.environment.insert(name, value);
        if (run.user) QVERIFY(Own(run.folder.path(), run.user));
        run.prepare(run);
        run.settingsBefore = ReadBytes(run.environment.value("CORVANE_SETTINGS_FILE"));
    }

    FaultCase& Case(const QString& name) {
        for (auto& run : cases_)
            if (run->name == name) return *run;
        qFatal("no fault case %s", qPrintable(name));
    }

    void AddSecondUserCases() {
        // The name of the work folder taken by another user: by a folder of theirs with a planted reading,
        // or by a link to the user's own files. The monitor runs no tool until it is gone, and its icon says why.
        const auto takenWorkFolder = [](bool byLink) {
            return [byLink](FaultCase& run) {
                ShareTemporaryWithAPlanter(run);
                if (byLink) {
                    QVERIFY(QFile::link(run.Path("home"), run.WorkFolder()));
                } else {
                    QVERIFY(WriteBytes(run.WorkFolder() + "/Temp.txt", "194 Temperature_Celsius 0x0022 001 001 000 Old_age Always - 99\n"));
                    QVERIFY(QProcess::execute("chmod", {"777", run.WorkFolder()}) == 0);
                }
                QVERIFY(Own(run.WorkFolder(), OtherUser));
            };
        };
        const Step removeWorkFolder = [](FaultCase& run) {
            QVERIFY(QFile::remove(run.WorkFolder()) || QDir(run.WorkFolder()).removeRecursively());
        };
        FaultCase& folder = AddHeldUpCase("another user's folder at the work folder's name", takenWorkFolder(false), "",
                                          removeWorkFolder);
        folder.verify = PlantedFilesStayUnused;
        FaultCase& link = AddHeldUpCase("a link at the work folder's name", takenWorkFolder(true), "", removeWorkFolder);
        link.verify = [](FaultCase& run) {
            PlantedFilesStayUnused(run);
            QCOMPARE(QDir(run.Path("home")).entryList(QDir::Files), QStringList{"precious.txt"});
        };

        // A third user's monitor shares the temporary folder too.
        FaultCase& planted = AddCase("another user's files at the old names", ShareTemporaryWithAPlanter, BothDrives);
        for (FaultCase* run : {&folder, &link, &planted}) run->user = MonitorUser;
        planted.midway = [](FaultCase& run) {
            QProcessEnvironment environment = run.environment;
            environment.insert("CORVANE_SETTINGS_FILE", run.Temporary() + "/second-user.ini");
            environment.remove("CORVANE_TOOL_LOG");
            Start(run.second, run, SecondUser, environment);
        };
        planted.verify = [](FaultCase& run) {
            PlantedFilesStayUnused(run);
            QVERIFY2(WaitUntil([&] { return !run.second->Output(TrayMenuPrefix).filter(SecondDriveMenu).isEmpty(); }),
                     qPrintable(run.second->output.right(3000)));
        };
    }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        QVERIFY(QFile::setPermissions(root_.path(), QFile::permissions(root_.path()) | QFile::ExeOther | QFile::ReadOther));
        const auto replace = [](const QStringList& tools, const QByteArray& script) {
            return [=](FaultCase& run) {
                for (const QString& tool : tools) run.ReplaceTool(tool, script);
            };
        };
        const QStringList everyTool = {"smartctl64Bit.exe", "wbem/WMIC.exe", "diskpart.exe"};

        AddCase("tool missing", [](FaultCase& run) { QFile::remove(run.Path("system/smartctl64Bit.exe")); }, NoDrives,
                {"tray icon \"Corvane Drive Monitor\\n0°\""});
        AddCase("drive lister missing", [](FaultCase& run) { QFile::remove(run.Path("system/wbem/WMIC.exe")); }, NoDrives,
                {"asking PowerShell"});
        AddCase("tool hangs once",
                [](FaultCase& run) {
                    run.environment.insert("CORVANE_COMMAND_TIME_LIMIT", "3");
                    run.ReplaceTool("smartctl64Bit.exe", "if mkdir \"$case/hung\" 2>/dev/null; then exec sleep 987; fi\n"
                                                         "exec \"$real\" \"$@\"\n");
                },
                BothDrives, {"ended after 3000 ms without finishing"})
            .verify = [](FaultCase& run) { QVERIFY(!run.Runs(QByteArray("sleep\0" "987\0", 10))); };
        AddCase("tool crashes half-way", replace({"smartctl64Bit.exe"}, "lines=$(\"$real\" \"$@\" | wc -l)\n"
                                                                        "\"$real\" \"$@\" | head -n $((lines / 2))\nkill -SEGV $$\n"));
        AddCase("binary garbage from every tool", replace(everyTool, "head -c 200000 /dev/urandom\n"), NoDrives);
        // A flood of 256 MB, far past the bound, so that a monitor that failed to end it cannot fill the disk.
        AddCase("a tool floods its capture",
                replace({"smartctl64Bit.exe"}, "\"$real\" \"$@\"\nmkdir \"$case/flooded\" 2>/dev/null || exit 0\n"
                                               "yes 'Vendor Specific SMART Attributes with Thresholds:' | head -c 256000000\n"),
                BothDrives, {"ended when its output passed 67108864 bytes", "reading only the first"});
        AddCase("a tool leaves a pipe at its capture",
                replace({"smartctl64Bit.exe"}, "\"$real\" \"$@\"\nmkdir \"$case/piped\" 2>/dev/null || exit 0\n"
                                               "capture=$(readlink /proc/$$/fd/1)\nrm -f \"$capture\"\nmkfifo \"$capture\"\n"),
                {}, {"is not a regular file"});
        // The second of three drives leaves a capture that cannot be read: the menu's rebuild stops there.
        const auto unreadableForTheSecondDrive = [](const QString& tool, const QByteArray& condition) {
            return [=](FaultCase& run) {
                const QByteArray machine = ReadBytes(run.Path("machine/machine.txt"));
                QVERIFY(WriteBytes(run.Path("machine/machine.txt"), machine + "drive Spare Disk\nreport wdc-wuh721816ale6l4.txt\n"));
                run.ReplaceTool(tool, "\"$real\" \"$@\"\ncapture=$(readlink /proc/$$/fd/1)\nif " + condition +
                                          "; then rm \"$capture\"; fi\n");
            };
        };
        AddCase("no report of the second of three drives",
                unreadableForTheSecondDrive("smartctl64Bit.exe", "[ \"$2\" = /dev/sdb ]"), FirstDrive + NoDrives);
        AddCase("no diskpart details of the second of three drives",
                unreadableForTheSecondDrive("diskpart.exe", "[ \"${capture##*/}\" = Out.txt ] && grep -q 'disk 1$' \"$2\""),
                FirstDrive + SecondDriveMenu + "} | " + NoDrives);
        AddCase("20,000 blank lines in the drive list",
                replace({"wbem/WMIC.exe"}, "\"$real\" \"$@\" | iconv -f UTF-16LE -t UTF-8\nyes '' | head -n 20000\n"), BothDrives)
            .verify = [](FaultCase& run) {
            QVERIFY2(run.ToolRuns().size() < 100, qPrintable(QString::number(run.ToolRuns().size())));
        };
        AddHeldUpCase(
            "no temporary folder at all", [](FaultCase& run) { run.environment.insert("TMPDIR", run.Path("temp not made yet")); },
            "no private work folder", [](FaultCase& run) { QVERIFY(QDir().mkpath(run.Temporary())); });
        // A lock that cannot be opened is no lock another monitor holds.
        AddHeldUpCase(
            "a folder at the lock's name",
            [](FaultCase& run) {
                QVERIFY(QDir().mkpath(run.WorkFolder() + "/CorvaneSMART.lock"));
                QVERIFY(QFile::setPermissions(run.WorkFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            },
            "lock cannot be had", [](FaultCase& run) { QVERIFY(QDir().rmdir(run.WorkFolder() + "/CorvaneSMART.lock")); });
        const QByteArray toUtf16 = "\"$real\" \"$@\" | iconv -f UTF-8 -t UTF-16LE\n";
        AddCase("captures in UTF-16 with a mark", replace({"smartctl64Bit.exe", "diskpart.exe"}, "printf '\\377\\376'\n" + toUtf16),
                BothDrives);
        AddCase("captures in UTF-16 without a mark",
                [=](FaultCase& run) {
                    replace({"smartctl64Bit.exe", "diskpart.exe"}, toUtf16)(run);
                    run.ReplaceTool("wbem/WMIC.exe", "\"$real\" \"$@\" | tail -c +3\n");
                },
                BothDrives);
        FaultCase& unwritable = AddCase("temporary folder becomes unwritable", [](FaultCase&) {}, NoDrives);
        unwritable.midway = [](FaultCase& run) {
            run.menusAtMidway = run.TrayMenus().size();
            QVERIFY(QDir().rename(run.Temporary(), run.Path("temp-gone")));
            QVERIFY(WriteBytes(run.Temporary(), "a file where the folder was"));
        };
        unwritable.checked = [](FaultCase& run) { return run.TrayMenus().size() > run.menusAtMidway; };
        unwritable.verify = [](FaultCase& run) {
            QCOMPARE(run.TrayMenus().at(run.menusAtMidway - 1), BothDrives);
            QVERIFY(run.Lines(TrayIconPrefix).last().contains(NoWorkFolderLine));
        };
        AddCase("malformed settings file", [](FaultCase& run) {
            QVERIFY(WriteBytes(run.settingsFile, QByteArray("[General]\nShowWarning=true\nWarningValue=60\nShutDownValue=70\n"
                                                            "\x00\xff\xfe garbage ==\n[[[\n=\n\xc3\x28\n",
                                                            84)));
        });
        // Read as absent: no warning, in Celsius.
        AddCase("values of the wrong type",
                [](FaultCase& run) {
                    QVERIFY(WriteBytes(run.settingsFile, "[General]\nShowWarning=maybe\nWarningValue=hot\nShutDownValue=\n"
                                                         "TempValue=42\nDontShow=perhaps\nLanguageType=klingon\n"
                                                         "ResizeAppforDPI=sure\nSmartctlFolderPath=@Invalid()\n"));
                },
                BothDrives);
        AddCase("settings file cannot be written, temporary path with spaces and accents",
                [](FaultCase& run) {
                    QVERIFY(WriteBytes(run.Path("not-a-folder"), "a file"));
                    run.environment.insert("CORVANE_SETTINGS_FILE", run.Path("not-a-folder/settings.ini"));
                    const QString temporary = run.Path(QString::fromUtf8("Ana María Pérez/temp dir"));
                    QDir().mkpath(temporary);
                    run.environment.insert("TMPDIR", temporary);
                },
                BothDrives, {"could not write"});
        // One monitor per work folder: a second one on the same folder leaves before it writes any setting.
        AddCase("second monitor beside the first", [](FaultCase&) {}).midway = [](FaultCase& run) {
            QProcessEnvironment environment = run.environment;
            environment.insert("CORVANE_SETTINGS_FILE", run.Path("second.ini"));
            Start(run.second, run, 0, environment);
            QVERIFY(run.second->process.waitForFinished(30000));
            QVERIFY(run.second->process.exitStatus() == QProcess::NormalExit && run.second->process.exitCode() == 0);
            QVERIFY(!QFile::exists(run.Path("second.ini")));
        };
        FaultCase& disappears = AddCase("drive disappears between two checks", [](FaultCase&) {}, FirstDrive + NoDrives);
        disappears.midway = [](FaultCase& run) {
            const QByteArray machine = ReadBytes(run.Path("machine/machine.txt"));
            QVERIFY(WriteBytes(run.Path("machine/machine.txt"), machine.left(machine.indexOf("drive WDC"))));
        };
        disappears.verify = [](FaultCase& run) { QCOMPARE(run.TrayMenus().first(), BothDrives); };

        if (geteuid() == 0)
            AddSecondUserCases();
        else
            qInfo("not root: the cases with other users are left out");
        for (auto& run : cases_) Prepare(*run);
        for (auto& run : cases_) Start(run->monitor, *run, run->user, run->environment);
        for (auto& run : cases_)
            QVERIFY2(WaitUntil([&] { return run->started(*run) || run->monitor->process.state() != QProcess::Running; }, 60000),
                     qPrintable(run->name + ": did not start\n" + run->Printed().right(3000)));
        for (auto& run : cases_)
            if (run->midway) run->midway(*run);
        // The captures a check always removes are looked for as soon as that check is done, before the
        // next one can make them again.
        const auto allChecked = [&] {
            for (auto& run : cases_) {
                if (!run->leftCaptures && (run->checked(*run) || run->monitor->process.state() != QProcess::Running)) {
                    run->leftCaptures = QStringList();
                    for (const char* capture : {"Temp.txt", "SMART1.txt", "DiskInfo.txt", "tmpFile"})
                        if (QFileInfo(run->WorkFolder() + "/" + capture).exists()) *run->leftCaptures << capture;
                }
            }
            return std::all_of(cases_.begin(), cases_.end(), [](auto& run) { return run->leftCaptures.has_value(); });
        };
        if (!WaitUntil(allChecked, 90000)) {
            for (auto& run : cases_)
                QVERIFY2(run->leftCaptures, qPrintable(run->name + ": no check after start-up\n" + run->Printed().right(3000)));
        }
    }

    void cleanupTestCase() {
        for (auto& run : cases_) {
            run->monitor.reset();
            run->second.reset();
        }
    }

    void monitorStaysWhole_data() {
        QTest::addColumn<QString>("name");
        for (auto& run : cases_) QTest::newRow(qPrintable(run->name)) << run->name;
    }
    void monitorStaysWhole() {
        QFETCH(QString, name);
        FaultCase& run = Case(name);
        QVERIFY2(run.monitor->process.state() == QProcess::Running, qPrintable(run.Printed().right(3000)));
        QVERIFY(!run.TrayMenus().isEmpty() && run.TrayMenus().last().endsWith(NoDrives));
        if (!run.lastMenu.isEmpty()) QCOMPARE(run.TrayMenus().last(), run.lastMenu);
        for (const QString& text : run.logged) QVERIFY2(run.Printed().contains(text), qPrintable(text));
        QCOMPARE(run.Lines("corvane.tray: showing "), QStringList());
        QCOMPARE(*run.leftCaptures, QStringList());
        const QString settingsFile = run.environment.value("CORVANE_SETTINGS_FILE");
        const QByteArray settings = ReadBytes(settingsFile);
        if (QSettings(settingsFile, QSettings::IniFormat).status() == QSettings::FormatError) {
            QCOMPARE(settings, run.settingsBefore);
        } else {
            // Start-up adds its own values; what was there stays.
            for (const QByteArray& line : run.settingsBefore.split('\n'))
                if (!line.startsWith("HealthDontShow") && !line.startsWith("PerformanceDontShow"))
                    QVERIFY2(settings.contains(line), line.constData());
        }
        if (run.verify) run.verify(run);
    }
};

QTEST_GUILESS_MAIN(FaultMatrixTests)
#include "FaultMatrixTests.moc"
