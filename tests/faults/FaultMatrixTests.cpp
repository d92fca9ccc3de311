#include "../support/ProcessTestSupport.h"

#include <QtTest>

#include <algorithm>
#include <functional>
#include <optional>

#include <unistd.h>

// The real monitor against tools, settings and surroundings that misbehave. Every case runs its own
// monitor on the healthy desktop, all side by side, through start-up and one real 30-second check; most
// cases are those of tests/data/healthy-desktop-fault-cases.txt. Whatever the fault, the monitor keeps
// running and keeps its tray, shows no warning (the machine has nothing to warn of), runs its tools a
// bounded number of times, leaves none of the captures behind that it always removes, and never damages
// the settings it shares with its companions.
namespace {

const QString TrayMenuPrefix = QStringLiteral("corvane.tray: tray menu: ");
// The healthy desktop's tray menus: both drives, the first alone, and without any.
const QString NoDrives = QStringLiteral("Go to Corvane Drive Monitor | Exit");
const QString BothDrives = DataLines("healthy-desktop-tray-menu.txt").value(0);
const QString FirstDrive = BothDrives.left(BothDrives.indexOf("WDC "));

// Run as root, the tests start every monitor as this ordinary user, as the monitor is meant to run.
constexpr uid_t OrdinaryUser = 61001;
uid_t MonitorUser() { return geteuid() == 0 ? OrdinaryUser : geteuid(); }

// Hands `path` to the monitors' user.
bool GiveToMonitor(const QString& path) {
    const QString id = QString::number(MonitorUser());
    return geteuid() != 0 || QProcess::execute("chown", {"-R", "-h", id + ":" + id, path}) == 0;
}

struct FaultCase;
using Step = std::function<void(FaultCase&)>;

struct FaultCase {
    QString name;
    Step prepare;  // beyond what the lists below set up
    QStringList removedTools;
    QMap<QString, QByteArray> replacedTools;  // each tool's script
    QStringList machineLines;                 // added to the machine's description
    QStringList folders;                      // made in the case's folder
    QStringList variables;                    // "NAME=VALUE" for the monitor's environment, $case its folder
    QStringList settings;                     // "KEY=VALUE" instead of the usual warning settings
    QString lastMenu;                         // the tray menu after the check; empty: any
    QStringList logged;                       // texts the debug output must hold
    Step midway;                              // after start-up, before the timed check

    QDir folder;
    QString settingsFile;
    QByteArray settingsBefore;
    QProcessEnvironment environment;
    std::optional<Monitor> monitor;
    std::optional<QStringList> leftCaptures;  // of those a check always removes, once it is done

    QString Path(const QString& relative) const { return folder.filePath(relative); }
    QString Temporary() const { return environment.value("TMPDIR"); }
    QString WorkFolder() const { return Temporary() + "/corvane-smart-" + QString::number(MonitorUser()); }
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

    QStringList Lines(const QString& prefix) { return monitor->Output(prefix); }
    // All the monitor has printed so far.
    const QString& Printed() {
        Lines(QString());
        return monitor->output;
    }
    QStringList TrayMenus() { return Lines(TrayMenuPrefix); }
    bool Ended() const { return monitor->process.state() != QProcess::Running; }
};

void Start(std::optional<Monitor>& monitor, const FaultCase& run, const QProcessEnvironment& environment) {
    const QString program = qEnvironmentVariable("CORVANE_TEST_BIN") + "/CorvaneSMART";
    const QString id = QString::number(OrdinaryUser);
    if (geteuid() == 0)
        monitor.emplace(environment, QStringList{"--reuid=" + id, "--regid=" + id, "--clear-groups", "--", program},
                        "setpriv", run.folder.path());
    else
        monitor.emplace(environment, QStringList(), program, run.folder.path());
    QVERIFY2(monitor->process.waitForStarted(), qPrintable(run.name));
}

}  // namespace

class FaultMatrixTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    std::vector<std::unique_ptr<FaultCase>> cases_;

    FaultCase& AddCase(const QString& name, Step prepare = {}) {
        FaultCase& run = *cases_.emplace_back(std::make_unique<FaultCase>());
        run.name = name;
        run.prepare = prepare;
        return run;
    }

    // The cases of the table, each from its lines.
    void AddTableCases() {
        FaultCase* run = nullptr;
        QStringList replacing;  // the tools that the script lines replace
        const QMap<QString, QStringList FaultCase::*> lists{
            {"remove", &FaultCase::removedTools}, {"machine", &FaultCase::machineLines}, {"folder", &FaultCase::folders},
            {"environment", &FaultCase::variables}, {"setting", &FaultCase::settings}, {"logs", &FaultCase::logged}};
        for (const QString& line : DataLines("healthy-desktop-fault-cases.txt")) {
            if (line.startsWith("  ")) {
                for (const QString& tool : replacing) run->replacedTools[tool] += line.mid(2).toUtf8() + '\n';
                continue;
            }
            replacing.clear();
            const QString keyword = line.section(' ', 0, 0), value = line.section(' ', 1);
            if (keyword == "case")
                run = &AddCase(value);
            else if (keyword == "replace")
                replacing = value.split(' ');
            else if (keyword == "menu")
                run->lastMenu = value;
            else if (lists.contains(keyword))
                (run->*lists[keyword]) << value;
            else
                qFatal("not a line of a fault case: %s", qPrintable(line));
        }
    }

    // The case's folder: its stand-in tools (links to the usual ones), its own copy of the machine,
    // settings and temporary folder.
    void Prepare(FaultCase& run) {
        run.folder = QDir(root_.filePath(QString(run.name).replace(' ', '-')));
        QVERIFY(LinkStandins(run.Path("system")));
        QVERIFY(CopyMachine("healthy-desktop", run.Path("machine")));
        const QByteArray machine = ReadBytes(run.Path("machine/machine.txt"));
        QVERIFY(WriteBytes(run.Path("machine/machine.txt"), machine + run.machineLines.join('\n').toUtf8() + '\n'));
        run.settingsFile = run.Path("settings.ini");
        const QStringList settings =
            run.settings.isEmpty() ? QStringList{"ShowWarning=true", "WarningValue=60", "ShutDownValue=70"} : run.settings;
        QVERIFY(WriteBytes(run.settingsFile, "[General]\n" + settings.join('\n').toUtf8() + '\n'));
        for (const QString& folder : QStringList{"temp"} + run.folders) QVERIFY(QDir().mkpath(run.Path(folder)));
        run.environment = QProcessEnvironment::systemEnvironment();
        run.environment.remove("XDG_RUNTIME_DIR");
        for (const QString& variable : QStringList{"QT_QPA_PLATFORM=offscreen", "QT_LOGGING_RULES=corvane.*=true",
                                                   "CORVANE_SYSTEM_DIR=" + run.Path("system"),
                                                   "CORVANE_SIMULATED_MACHINE=" + run.Path("machine"),
                                                   "CORVANE_SETTINGS_FILE=" + run.settingsFile, "TMPDIR=" + run.Path("temp"),
                                                   "CORVANE_DPI=96", "CORVANE_TOOL_LOG=" + run.Path("tools.log")} +
                                           run.variables)
            run.environment.insert(variable.section('=', 0, 0), variable.section('=', 1).replace("$case", run.folder.path()));
        for (const QString& tool : run.removedTools) QVERIFY(QFile::remove(run.Path("system/" + tool)));
        for (auto tool = run.replacedTools.cbegin(); tool != run.replacedTools.cend(); ++tool)
            run.ReplaceTool(tool.key(), tool.value());
        if (run.prepare) run.prepare(run);
        QVERIFY(GiveToMonitor(run.folder.path()));
        run.settingsBefore = ReadBytes(run.environment.value("CORVANE_SETTINGS_FILE"));
    }

    void AddCodedCases() {
        AddCase("malformed settings file", [](FaultCase& run) {
            const QByteArray garbage("\x00\xff\xfe garbage ==\n[[[\n=\n\xc3\x28\n", 24);
            QVERIFY(WriteBytes(run.settingsFile, ReadBytes(run.settingsFile) + garbage));
        });
        // One monitor per work folder: a second one on the same folder leaves before it writes any setting.
        AddCase("second monitor beside the first").midway = [](FaultCase& run) {
            QProcessEnvironment environment = run.environment;
            environment.insert("CORVANE_SETTINGS_FILE", run.Path("second.ini"));
            std::optional<Monitor> second;
            Start(second, run, environment);
            QVERIFY(second->process.waitForFinished(30000));
            QVERIFY(second->process.exitStatus() == QProcess::NormalExit && second->process.exitCode() == 0);
            QVERIFY(!QFile::exists(run.Path("second.ini")));
        };
        FaultCase& disappears = AddCase("drive disappears between two checks");
        disappears.lastMenu = FirstDrive + NoDrives;
        disappears.midway = [](FaultCase& run) {
            QCOMPARE(run.TrayMenus().first(), BothDrives);
            const QByteArray machine = ReadBytes(run.Path("machine/machine.txt"));
            QVERIFY(WriteBytes(run.Path("machine/machine.txt"), machine.left(machine.indexOf("drive WDC"))));
        };
    }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        QVERIFY(QFile::setPermissions(root_.path(), QFile::permissions(root_.path()) | QFile::ExeOther | QFile::ReadOther));
        AddTableCases();
        AddCodedCases();
        for (auto& run : cases_) Prepare(*run);
        for (auto& run : cases_) Start(run->monitor, *run, run->environment);
        for (auto& run : cases_)
            QVERIFY2(WaitUntil([&] { return !run->TrayMenus().isEmpty() || run->Ended(); }),
                     qPrintable(run->name + ": did not start\n" + run->Printed().right(3000)));
        for (auto& run : cases_)
            if (run->midway) run->midway(*run);
        // The captures a check always removes are looked for as soon as that check has rebuilt the menu,
        // before the next one can make them again.
        const auto allChecked = [&] {
            for (auto& run : cases_) {
                if (!run->leftCaptures && (run->TrayMenus().size() >= 2 || run->Ended())) {
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

    void monitorStaysWhole_data() {
        QTest::addColumn<size_t>("index");
        for (size_t index = 0; index < cases_.size(); ++index) QTest::newRow(qPrintable(cases_[index]->name)) << index;
    }
    void monitorStaysWhole() {
        QFETCH(size_t, index);
        FaultCase& run = *cases_[index];
        QVERIFY2(!run.Ended(), qPrintable(run.Printed().right(3000)));
        QVERIFY(!run.TrayMenus().isEmpty() && run.TrayMenus().last().endsWith(NoDrives));
        if (!run.lastMenu.isEmpty()) QCOMPARE(run.TrayMenus().last(), run.lastMenu);
        for (const QString& text : run.logged) QVERIFY2(run.Printed().contains(text), qPrintable(text));
        QCOMPARE(run.Lines("corvane.tray: showing "), QStringList());
        QCOMPARE(*run.leftCaptures, QStringList());
        // Blank or garbled tool output costs no runs: a start-up and a check take a few dozen.
        QVERIFY2(run.ToolRuns().size() < 100, qPrintable(QString::number(run.ToolRuns().size())));
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
    }
};

QTEST_GUILESS_MAIN(FaultMatrixTests)
#include "FaultMatrixTests.moc"
