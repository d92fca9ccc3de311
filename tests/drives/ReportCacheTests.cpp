#include "../support/ProcessTestSupport.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

// The root service's report cache and its one reader, the S.M.A.R.T. stand-in, on this machine's
// real disks. A user who is not root gets a disk's report from the cache while it is fresh, and
// smartctl's own answer otherwise. Run as root, the user is "nobody" (through setpriv).
class ReportCacheTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString bin_;  // copies of the monitor and the stand-in tools, where the user can run them
    QString reports_;
    int disks_ = 0;  // as the stand-in WMIC lists them

    static QString Machine(const QString& path) { return QStringLiteral(CORVANE_MACHINES_DIR "/") + path; }

    static bool MakeOpen(const QString& folder) {
        return QDir().mkpath(folder) && chmod(QFile::encodeName(folder), 0755) == 0;
    }

    // A report for every block device, so whichever is the first disk has one.
    void CacheForEveryDisk(const QString& report, const QDateTime& written) {
        for (const QString& name : QDir("/sys/block").entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            const QString path = reports_ + "/" + name + ".txt";
            QFile::remove(path);
            QVERIFY(QFile::copy(report, path));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(written, QFileDevice::FileModificationTime));
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
        }
    }

    // Starts `program` as a user who is not root.
    static void StartAsUser(QProcess& process, const QString& program, const QStringList& arguments) {
        if (geteuid() == 0)
            process.start("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + arguments);
        else
            process.start(program, arguments);
    }

    QByteArray FirstDiskAsUser() {
        QProcess smartctl;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CORVANE_REPORT_DIR", reports_);
        environment.remove("CORVANE_SIMULATED_MACHINE");
        smartctl.setProcessEnvironment(environment);
        StartAsUser(smartctl, bin_ + "/system/smartctl64Bit.exe", {"-a", "/dev/sda"});
        smartctl.waitForFinished(60000);
        return smartctl.readAllStandardOutput();
    }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        QVERIFY(MakeOpen(root_.path()));
        const QString built = qEnvironmentVariable("CORVANE_TEST_BIN");
        bin_ = root_.filePath("bin");
        for (const char* folder : {"", "/system", "/system/wbem"}) QVERIFY(MakeOpen(bin_ + folder));
        for (const char* program : {"CorvaneSMART", "corvane-report-cache", "system/corvane-standin"})
            QVERIFY(QFile::copy(built + "/" + program, bin_ + "/" + program));
        for (const char* tool : {"system/smartctl64Bit.exe", "system/diskpart.exe", "system/wbem/WMIC.exe"})
            QVERIFY(QFile::link(bin_ + "/system/corvane-standin", bin_ + "/" + tool));
        reports_ = root_.filePath("reports");
        QVERIFY(MakeOpen(reports_));
        if (geteuid() == 0 && QStandardPaths::findExecutable("setpriv").isEmpty()) QSKIP("root, and no setpriv");
        QProcess wmic;
        wmic.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        wmic.start(bin_ + "/system/wbem/WMIC.exe", {"diskdrive", "get", "index"});
        QVERIFY(wmic.waitForFinished(60000));
        const QByteArray table = wmic.readAllStandardOutput();
        const QString rows = QString::fromUtf16(reinterpret_cast<const char16_t*>(table.constData() + 2), (table.size() - 2) / 2);
        disks_ = rows.count(QRegularExpression("\n[0-9]+ "));
        if (disks_ == 0) QSKIP("this machine has no disk to read");
    }

    // Fresh, it is the report; an hour old, written by another user, writable by others, a link, or
    // in a folder that is missing or closed to the user, it is as if there were no cache.
    void userGetsOnlyAFreshTrustedReport() {
        const QString report = Machine("hot-nvme-laptop/samsung-980-pro-1tb.txt");
        CacheForEveryDisk(report, QDateTime::currentDateTime());
        QCOMPARE(FirstDiskAsUser(), ReadBytes(report));

        CacheForEveryDisk(report, QDateTime::currentDateTime().addSecs(-3600));
        const QByteArray withoutCache = FirstDiskAsUser();
        QVERIFY(!withoutCache.isEmpty());
        QVERIFY(withoutCache != ReadBytes(report));

        CacheForEveryDisk(report, QDateTime::currentDateTime());
        for (const QString& name : QDir(reports_).entryList(QDir::Files))
            QVERIFY(chmod(QFile::encodeName(reports_ + "/" + name), 0666) == 0);
        QCOMPARE(FirstDiskAsUser(), withoutCache);

        CacheForEveryDisk(report, QDateTime::currentDateTime());
        QVERIFY(chmod(QFile::encodeName(reports_), 0700) == 0);
        if (geteuid() == 0) QCOMPARE(FirstDiskAsUser(), withoutCache);
        QVERIFY(chmod(QFile::encodeName(reports_), 0755) == 0);

        for (const QString& name : QDir(reports_).entryList(QDir::Files)) {
            QVERIFY(QFile::remove(reports_ + "/" + name));
            QVERIFY(QFile::link(report, reports_ + "/" + name));
        }
        QCOMPARE(FirstDiskAsUser(), withoutCache);

        QVERIFY(QDir(reports_).removeRecursively());
        QCOMPARE(FirstDiskAsUser(), withoutCache);
        QVERIFY(MakeOpen(reports_));
    }

    // The whole monitor, not root, on this machine: the first disk is listed with the temperature of
    // its cached report, which also makes the tray icon's reading when it is the boot disk.
    void monitorOfAUserListsTheCachedTemperature() {
        CacheForEveryDisk(Machine("hot-nvme-laptop/samsung-980-pro-1tb.txt"), QDateTime::currentDateTime());
        const QString home = root_.filePath("home");
        QVERIFY(MakeOpen(home));
        if (geteuid() == 0) QVERIFY(chown(QFile::encodeName(home), 65534, 65534) == 0);
        QVERIFY(chmod(QFile::encodeName(home), 0700) == 0);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"TMPDIR", "XDG_RUNTIME_DIR", "HOME"}) environment.insert(name, home);
        environment.insert("CORVANE_SETTINGS_FILE", home + "/settings.ini");
        environment.insert("CORVANE_REPORT_DIR", reports_);
        environment.insert("QT_LOGGING_RULES", "corvane.tray.debug=true");
        environment.remove("CORVANE_SIMULATED_MACHINE");
        environment.remove("CORVANE_SYSTEM_DIR");
        QProcess monitor;
        monitor.setProcessEnvironment(environment);
        monitor.setProcessChannelMode(QProcess::MergedChannels);
        StartAsUser(monitor, bin_ + "/CorvaneSMART", {});
        QString output;
        const bool listed = WaitUntil(
            [&] {
                output += QString::fromUtf8(monitor.readAll());
                return output.contains("tray menu:");
            },
            60000);
        monitor.kill();
        monitor.waitForFinished();
        QVERIFY2(listed, qPrintable(output));
        const QString menu = output.section("tray menu: ", 1).section('\n', 0, 0);
        QVERIFY2(menu.contains(QString::fromUtf8("{Temperature: 71°C | Health: 87 %")), qPrintable(menu));
    }

    // The service's pass: `smartctl -n standby -a` for each whole disk, each report 0644 and swapped
    // in whole, so that a reader looping meanwhile never finds a part of one.
    void serviceReplacesEachDisksReportWhole() {
        const QString tools = root_.filePath("tools");
        const QString log = root_.filePath("smartctl.log");
        QVERIFY(WriteBytes(tools + "/smartctl",
                           "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + log.toUtf8() +
                               "'\nprintf 'report of %s begins\\n' \"$4\"\nsleep 0.1\nprintf 'report ends\\n'\n",
                           true));
        const QString folder = root_.filePath("service");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", tools + ":" + environment.value("PATH"));
        int reads = 0;
        for (int pass = 0; pass < 2; ++pass) {
            QProcess service;
            service.setProcessEnvironment(environment);
            service.start(bin_ + "/corvane-report-cache", {"--once", folder});
            QVERIFY(service.waitForStarted());
            while (service.state() != QProcess::NotRunning) {
                for (const QString& name : QDir(folder).entryList({"*.txt"}, QDir::Files)) {
                    const QByteArray report = ReadBytes(folder + "/" + name);
                    QCOMPARE(report, "report of /dev/" + name.chopped(4).toUtf8() + " begins\nreport ends\n");
                    ++reads;
                }
                service.waitForFinished(1);
            }
            QCOMPARE(service.exitCode(), 0);
        }
        QVERIFY(reads > 0);
        const QStringList runs = QString::fromUtf8(ReadBytes(log)).split('\n', Qt::SkipEmptyParts);
        const QStringList reports = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(reports.size(), disks_);
        QCOMPARE(runs.size(), 2 * disks_);
        for (const QString& name : reports) {
            QVERIFY(runs.contains("-n standby -a /dev/" + name.chopped(4)));
            struct stat status {};
            QVERIFY(stat(QFile::encodeName(folder + "/" + name), &status) == 0);
            QCOMPARE(status.st_mode & 0777, 0644u);
        }
    }
};

QTEST_GUILESS_MAIN(ReportCacheTests)
#include "ReportCacheTests.moc"
