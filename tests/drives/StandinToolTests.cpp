#include "LinuxBlockDevices.h"
#include "ReportCache.h"
#include "Text.h"
#include "app/ProcessValues.h"
#include "app/Settings.h"
#include "disks/DiskQueries.h"
#include "exec/CaptureFile.h"
#include "exec/CommandRunner.h"
#include "smart/SmartCapture.h"

#include "../support/ProcessTestSupport.h"

#include <QtTest>

#include <algorithm>
#include <functional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace standin;

namespace {

// Each item in brackets, as tests/data/standins/block-devices.txt writes a list.
template <typename Items, typename Describe>
std::string Listed(const Items& items, const Describe& describe) {
    std::string text;
    for (const auto& item : items) text += '[' + describe(item) + ']';
    return text;
}

// The stand-in program's rules for reading this machine's disks, by their names in block-devices.txt.
const std::map<std::string, std::function<std::string(const std::string&)>> BlockDeviceRules = {
    {"mounts",
     [](const std::string& text) {
         return Listed(ParseMountInfo(text), [](const MountEntry& mount) {
             return std::to_string(mount.major) + ':' + std::to_string(mount.minor) + ' ' + mount.root + ' ' +
                    mount.mountPoint + ' ' + mount.fileSystem + ' ' + mount.source;
         });
     }},
    {"root-source",
     [](const std::string& text) {
         const std::optional<MountEntry> root = RootMount(ParseMountInfo(text));
         return root ? root->source : std::string();
     }},
    {"mounts-of",
     [](const std::string& text) {
         const size_t lineEnd = text.find('\n');
         const std::vector<std::string> device = Words(text.substr(0, lineEnd));
         const std::optional<DeviceNumber> number = ParseDeviceNumber(device.at(0));
         std::vector<MountEntry> mounts;
         for (const MountEntry& mount : ParseMountInfo(text.substr(lineEnd + 1)))
             if (MountsDevice(mount, *number, device.at(1))) mounts.push_back(mount);
         return Listed(mounts, [](const MountEntry& mount) { return mount.mountPoint + ' ' + mount.fileSystem; });
     }},
    {"mount-point", [](const std::string& text) { return ChooseMountPoint(ParseMountInfo(text)); }},
    {"letters",
     [](const std::string& text) {
         std::vector<MountedVolume> volumes;
         for (const std::string& mounts : Split(text, '\n'))
             volumes.push_back({{}, Words(mounts == "-" ? "" : mounts)});
         AssignLetters(volumes);
         return Listed(volumes,
                       [](const MountedVolume& each) { return Trim(each.volume.letter + ' ' + each.volume.info); });
     }},
    {"interface-by-name", [](const std::string& name) { return InterfaceType(TransportByName(name)); }},
    {"interface-of-driver", [](const std::string& driver) { return InterfaceType(TransportOfScsiDriver(driver)); }},
    {"interface", InterfaceType},
    {"scsi-host", ScsiHostName},
    {"listed-disk", [](const std::string& name) { return std::string(IsListedDiskName(name) ? "yes" : "no"); }},
    {"device-node", DeviceNode},
    {"size", [](const std::string& bytes) { return SizeText(std::stoull(bytes)); }},
    {"udev",
     [](const std::string& text) {
         return Listed(ParseUdevProperties(text), [](const auto& pair) { return pair.first + '=' + pair.second; });
     }},
    {"unescape", UnescapeHex},
    {"swaps", [](const std::string& text) { return Listed(ParseSwapFileNames(text), Trim); }},
    {"resident", [](const std::string& status) { return std::to_string(ResidentKilobytes(status)); }},
    {"cached-report",
     [](const std::string& row) {
         const std::vector<std::string> words = Words(row);  // age, mode, "file" or "link"
         QTemporaryDir folder;
         const QString report = folder.filePath("sda.txt"), written = words[2] == "link" ? report + ".kept" : report;
         QFile file(written);
         const QDateTime time = QDateTime::currentDateTime().addSecs(-std::stoi(words[0]));
         if (!WriteBytes(written, "report") || (words[2] == "link" && !QFile::link(written, report)) ||
             !file.open(QIODevice::ReadWrite) || !file.setFileTime(time, QFileDevice::FileModificationTime) ||
             chmod(QFile::encodeName(written), static_cast<mode_t>(std::stoi(words[1], nullptr, 8))) != 0)
             return std::string("not made");
         return ReadCachedReport(folder.path().toStdString(), "sda").value_or("none");
     }},
};

}  // namespace

// The stand-in tools held to their goldens and rules (tests/data/standins), the monitor's queries run
// through the real command runner against them, and the root service's report cache with its one reader,
// the stand-in smartctl. Their disks stand for this machine's, and smartctl is a stand-in that only names
// the disk it was asked for, so nothing depends on this machine's disks.
class StandinToolTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;  // open to that user
    const QString built_ = qEnvironmentVariable("CORVANE_TEST_BIN"), system_ = built_ + "/system";
    const QString bin_ = root_.filePath("bin");  // a copy of the stand-in tools for that user
    const QString reports_ = root_.filePath("reports");
    const QString report_ = MachinePath("hot-nvme-laptop/samsung-980-pro-1tb.txt");
    const QString smartctlLog_ = root_.filePath("smartctl.log");
    const QString hang_ = root_.filePath("hang");  // while it is there, smartctl hangs on sdb
    QByteArray outcomes_;  // expected/outcomes.txt, "== " after its last section

    static QString Data(const QString& path) { return QStringLiteral(CORVANE_TEST_DATA "/standins/") + path; }

    // What the goldens write as @HOST@ and @ROOT@, put back for this machine and checkout.
    static QByteArray ForThisMachine(QByteArray golden) {
        return golden.replace("@HOST@", QSysInfo::machineHostName().toUtf8()).replace("@ROOT@", CORVANE_SOURCE_DIR);
    }

    // The stand-in smartctl's report of sda to a user who is not root: "nobody" when this is root.
    QByteArray FirstDiskAsUser() {
        const QStringList command = {bin_ + "/system/smartctl64Bit.exe", "-a", "/dev/sda"};
        QProcess smartctl;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CORVANE_REPORT_DIR", reports_);
        const QStringList asNobody = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
        RunToEnd(smartctl, geteuid() == 0 ? asNobody + command : command, environment);
        return smartctl.readAllStandardOutput();
    }

    int SmartctlRuns(const QString& device) const {
        return QString::fromUtf8(ReadBytes(smartctlLog_)).split('\n').count("-n standby -a " + device);
    }

    // The service on the described disks, writing into `folder`.
    void StartService(QProcess& service, const QStringList& options, const QString& folder) {
        service.start(built_ + "/corvane-report-cache", options + QStringList{folder});
        QVERIFY(service.waitForStarted());
    }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        outcomes_ = ForThisMachine(ReadBytes(Data("expected/outcomes.txt"))) + "== ";
        qputenv("TMPDIR", root_.path().toUtf8());
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(PrepareWorkFolder(), WorkFolderState::Ready);
        qputenv("CORVANE_SETTINGS_FILE", root_.filePath("settings.ini").toUtf8());

        const QString tools = root_.filePath("tools");
        for (const QString& folder : {root_.path(), bin_, bin_ + "/system", reports_, tools})
            QVERIFY(QDir().mkpath(folder) && chmod(QFile::encodeName(folder), 0755) == 0);
        QVERIFY(QFile::copy(system_ + "/corvane-standin", bin_ + "/system/corvane-standin"));
        QVERIFY(QFile::link(bin_ + "/system/corvane-standin", bin_ + "/system/smartctl64Bit.exe"));
        // The smartctl of every run here: it names the disk, and on sdb it hangs, deaf to SIGTERM, while
        // the hang file is there.
        QVERIFY(WriteBytes(tools + "/smartctl", "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + smartctlLog_.toUtf8() +
                                                    "'\nprintf 'report of %s begins\\n' \"$4\"\n"
                                                    "if [ \"$4\" = /dev/sdb ]; then trap '' TERM; while [ -e '" +
                                                    hang_.toUtf8() + "' ]; do sleep 0.2; done; fi\n"
                                                    "sleep 0.1\nprintf 'report ends\\n'\n"));
        QVERIFY(chmod(QFile::encodeName(tools + "/smartctl"), 0755) == 0);
        qputenv("PATH", tools.toUtf8() + ":" + qgetenv("PATH"));
        qputenv("CORVANE_REPORT_DIR", root_.filePath("no reports").toUtf8());
    }

    void init() {
        SystemDirectory = system_;
        LaunchArgument.clear();
        qputenv("CORVANE_SIMULATED_MACHINE", Data("cached-disks").toUtf8());
    }

    // A smartctl left hanging by a failed check ends once the hang file is gone.
    void cleanup() { QFile::remove(hang_); }

    // Every command of cases.txt on its machines prints byte for byte what its golden holds, and
    // exits, logs and complains as recorded.
    void toolsPrintTheirGoldens_data() {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QString>("shellText");
        QHash<QString, QString> commands;
        for (const QString& line : QString::fromUtf8(ReadBytes(Data("cases.txt"))).split('\n')) {
            const QStringList words = line.split(' ');
            if (words[0] == "command") commands.insert(words.value(1), line.section(' ', 2));
            if (words[0] != "run") continue;
            const QString machine = QFileInfo(words[1]).fileName();
            for (const QString& command : words.mid(2))
                QTest::newRow(qPrintable(machine + "/" + command)) << words[1] << commands.value(command);
        }
    }
    void toolsPrintTheirGoldens() {
        QFETCH(QString, machine);
        QFETCH(QString, shellText);
        const QString row = QString::fromUtf8(QTest::currentDataTag());
        QTemporaryDir folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C");
        environment.insert("SYSTEM", system_);
        environment.insert("PATH", system_ + ":" + environment.value("PATH"));
        environment.insert("CORVANE_TOOL_LOG", folder.filePath("tools.log"));
        environment.remove("CORVANE_REPORT_DIR");
        environment.insert("CORVANE_SIMULATED_MACHINE", CORVANE_SOURCE_DIR "/" + machine);
        QProcess shell;
        QVERIFY(RunToEnd(shell, {"/bin/sh", "-c", shellText}, environment, folder.path()));
        QCOMPARE(shell.readAllStandardOutput(), ForThisMachine(ReadBytes(Data("expected/" + row + ".out"))));
        QByteArrayList log = ReadBytes(folder.filePath("tools.log")).split('\n');
        log.removeAll(QByteArray());
        std::sort(log.begin(), log.end());
        QByteArray outcome = "== " + row.toUtf8() + "\nexit " + QByteArray::number(shell.exitCode()) + '\n';
        for (const QByteArray& line : log) outcome += "log " + line + '\n';
        for (const QByteArray& line : shell.readAllStandardError().split('\n'))
            if (!line.isEmpty()) outcome += "stderr " + line + '\n';
        QVERIFY2(outcomes_.contains(outcome + "== "), ("not as recorded in outcomes.txt:\n" + outcome).constData());
    }

    // The stand-in program's rules for this machine's disks, on texts from other machines and on cached reports.
    void blockDeviceRules_data() { AddRuleRows("standins/block-devices.txt"); }
    void blockDeviceRules() {
        QFETCH(QString, rule);
        QFETCH(QString, input);
        QVERIFY2(BlockDeviceRules.count(rule.toStdString()), qPrintable(rule));
        const std::string lines = input.replace(" | ", "\n").toStdString();
        QTEST(QString::fromStdString(BlockDeviceRules.at(rule.toStdString())(lines)), "result");
    }

    // Only the package's program asks systemctl to power off (shutdown.txt); every power-off command
    // only records here (tests/support/with-systemctl-recorder.sh).
    void onlyTheInstalledShutdownAsksToPowerOff_data() { AddRuleRows("standins/shutdown.txt"); }
    void onlyTheInstalledShutdownAsksToPowerOff() {
        QFETCH(QString, rule);   // which program
        QFETCH(QString, input);  // systemctl's answer, the machine, the arguments
        QFETCH(QString, result);
        const QStringList given = input.split(' '), expected = result.split(" | ");
        const QStringList toolArguments = given[2] == "-" ? QStringList() : given.mid(2);
        QTemporaryDir folder;
        const QString runs = folder.filePath("systemctl.log"), log = folder.filePath("tools.log");
        QStringList arguments = {CORVANE_SOURCE_DIR "/tests/support/with-systemctl-recorder.sh", runs};
        if (given[0] == "refuses") arguments << "--refuse" << "Call to PowerOff failed: Access denied";
        arguments << "--" << (rule == "installed" ? CORVANE_INSTALLED_SHUTDOWN : system_ + "/shutdown");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CORVANE_TOOL_LOG", log);
        if (given[1] == "described")
            environment.insert("CORVANE_SIMULATED_MACHINE", MachinePath("hot-nvme-laptop"));
        else
            environment.remove("CORVANE_SIMULATED_MACHINE");
        QProcess shutdown;
        QVERIFY(RunToEnd(shutdown, QStringList{"bash"} + arguments + toolArguments, environment));
        const QByteArray errors = shutdown.readAllStandardError();
        if (shutdown.exitCode() == 77) QSKIP(errors.constData());
        QCOMPARE(shutdown.exitCode(), expected[0].toInt());
        QCOMPARE(ReadBytes(runs), expected[1] == "-" ? QByteArray() : expected[1].toUtf8() + '\n');
        QVERIFY2(expected[2] == "-" ? errors.isEmpty() : errors.contains(expected[2].toUtf8()), errors.constData());
        QCOMPARE(ReadBytes(log), ("shutdown " + toolArguments.join(' ')).trimmed().toUtf8() + '\n');
    }

    // A scheduled start runs the stored tool (55 °C) whatever spaces, "&" or "^" its folder holds; a refused
    // path (which ones, rules.txt holds) runs nothing, not even the tool found by name. Run as root, nor
    // does one in a folder open to all.
    void scheduledStartRunsOnlyAPlainStoredToolPath() {
        qputenv("CORVANE_SIMULATED_MACHINE", CORVANE_SOURCE_DIR "/standins/machines/hot-nvme-laptop");
        const QString stored = root_.filePath("R&D Tools^1/smartctl64Bit.exe");
        const QString openToAll = root_.filePath("open to all/smartctl64Bit.exe");
        for (const QString& tool : {stored, openToAll, root_.filePath("tools/smartctl64Bit.exe")})  // the last on PATH
            QVERIFY(WriteBytes(tool, "#!/bin/sh\necho 'Temperature: 55 Celsius'\n", true));
        QVERIFY(QFile::setPermissions(QFileInfo(openToAll).path(), QFileDevice::Permissions(0x7777)));
        LaunchArgument = ScheduledLaunchArgument;
        const std::vector<std::pair<QString, int>> settings = {
            {stored, 55}, {"smartctl64Bit.exe", 0}, {openToAll, platform::RunsElevated() ? 0 : 55}};
        const QString capture = CapturePath("Temp.txt");
        for (const auto& [setting, celsius] : settings) {
            SettingsStore().Write(SettingsKey::SmartctlFolderPath, setting);
            RemoveCaptureFile(capture);
            smart::RunSmartTool("sda", capture);
            const std::optional<smart::SmartScan> scan = smart::ScanSmartReport(capture);
            QVERIFY2(scan && scan->Temperature() == celsius, qPrintable(setting));
        }
    }

    // Without WMIC the drive lists come from PowerShell (without either there are none: FaultMatrixTests).
    void powerShellListsTheDrivesWhenWmicIsMissing() {
        qputenv("CORVANE_SIMULATED_MACHINE", CORVANE_SOURCE_DIR "/standins/machines/healthy-desktop");
        SystemDirectory = root_.filePath("system without WMIC");
        QVERIFY(QDir().mkpath(SystemDirectory));
        QVERIFY(QFile::link(system_ + "/corvane-standin", SystemDirectory + "/diskpart.exe"));
        const QString powerShell = root_.filePath("powershell");
        QVERIFY(WriteBytes(powerShell + "/powershell", R"(#!/bin/sh
capture=${5#*-LiteralPath \'}
capture=${capture%%\'*}
case "$5" in
    *Index,Model*) printf 'Index Model\r\n----- -----\r\n    0 INTEL SSDSC2KB480G8\r\n    1 WDC WUH721816ALE6L4\r\n' ;;
    *) printf 'Index\r\n-----\r\n    0\r\n    1\r\n' ;;
esac > "$capture"
)", true));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", powerShell.toUtf8() + ":" + path);
        QCOMPARE(disks::GetDiskModelName("1"), QStringLiteral("WDC WUH721816ALE6L4 "));
        QCOMPARE(disks::GetBootDiskIndex(), QStringLiteral("0"));
        QCOMPARE(DiskIndexList, (QStringList{"    0", "    1"}));
        qputenv("PATH", path);
    }

    // A user who is not root gets the cached report (which ones it trusts, cached-report in
    // block-devices.txt holds); where there is none, or it is closed to the user, smartctl's.
    void userGetsTheCachedReport() {
        if (geteuid() == 0 && QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("root without setpriv to be another user");
        const QString cached = reports_ + "/sda.txt";
        QVERIFY(WriteBytes(cached, ReadBytes(report_)) && chmod(QFile::encodeName(cached), 0644) == 0);
        QCOMPARE(FirstDiskAsUser(), ReadBytes(report_));
        const QByteArray withoutCache = "report of /dev/sda begins\nreport ends\n";
        QVERIFY(chmod(QFile::encodeName(reports_), 0700) == 0);
        if (geteuid() == 0) QCOMPARE(FirstDiskAsUser(), withoutCache);
        QVERIFY(QDir(reports_).removeRecursively());
        QCOMPARE(FirstDiskAsUser(), withoutCache);
    }

    // The service's loop: `smartctl -n standby -a` for each whole disk, each report 0644 and swapped in
    // whole, so that a reader meanwhile never finds a part of one. A disk whose smartctl hangs holds up no
    // other: theirs are read at every pass meanwhile, it is not read a second time while its smartctl runs,
    // and the loop goes on feeding systemd's watchdog. Once it answers, its report comes; past the time
    // limit its smartctl is killed and leaves no part of one.
    void serviceReadsEachDiskWholePastAHungOne() {
        QFile::remove(smartctlLog_);
        QVERIFY(WriteBytes(hang_, ""));
        const QByteArray socketPath = QFile::encodeName(root_.filePath("notify"));
        const int notifications = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path);
        QVERIFY(bind(notifications, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0);
        qputenv("NOTIFY_SOCKET", socketPath);
        const QString folder = root_.filePath("hung");
        QProcess service;
        StartService(service, {"--interval", "1", "--time-limit", "600"}, folder);
        qunsetenv("NOTIFY_SOCKET");
        const auto whole = [&] {
            for (const QString& name : QDir(folder).entryList({"*.txt"}, QDir::Files)) {
                const QByteArray device = "/dev/" + name.chopped(4).toUtf8();
                if (ReadBytes(folder + "/" + name) != "report of " + device + " begins\nreport ends\n") return false;
            }
            return true;
        };
        bool alwaysWhole = true;
        QVERIFY(WaitUntil([&] {
            alwaysWhole = alwaysWhole && whole();
            return SmartctlRuns("/dev/sda") >= 3 && SmartctlRuns("/dev/nvme0n1") >= 3;
        }));
        QVERIFY(alwaysWhole);
        QCOMPARE(SmartctlRuns("/dev/sdb"), 1);
        QVERIFY(!QFile::exists(folder + "/sdb.txt"));
        QVERIFY(QFile::remove(hang_));
        QVERIFY(WaitUntil([&] { return QFile::exists(folder + "/sdb.txt"); }) && whole());
        struct stat status {};
        QVERIFY(stat(QFile::encodeName(folder + "/sdb.txt"), &status) == 0 && (status.st_mode & 0777) == 0644);
        // Readers know the names; one who could list the folder could hold its lock (docs/robustness.md).
        QVERIFY(stat(QFile::encodeName(folder), &status) == 0 && (status.st_mode & 0777) == 0711);
        service.terminate();
        QVERIFY(service.waitForFinished(60000));
        QCOMPARE(service.exitCode(), 0);
        QByteArrayList received;
        char buffer[64];
        for (ssize_t got; (got = recv(notifications, buffer, sizeof buffer, 0)) > 0;)
            received << QByteArray(buffer, static_cast<int>(got));
        close(notifications);
        QCOMPARE(received.value(0), QByteArray("READY=1"));
        QVERIFY2(received.count("WATCHDOG=1") >= 2, received.join(' ').constData());

        QVERIFY(WriteBytes(hang_, ""));
        StartService(service, {"--once", "--time-limit", "5"}, root_.filePath("killed"));
        QVERIFY(service.waitForFinished(60000));
        QVERIFY(QFile::remove(hang_));
        QCOMPARE(service.exitCode(), 1);
        QCOMPARE(service.readAllStandardError(),
                 QByteArray("corvane-report-cache: sdb: smartctl ran longer than 5 s and was ended\n"));
        QCOMPARE(QDir(root_.filePath("killed")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"nvme0n1.txt", "sda.txt"}));
    }
};

QTEST_GUILESS_MAIN(StandinToolTests)
#include "StandinToolTests.moc"
