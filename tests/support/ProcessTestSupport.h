#pragma once

// What the tests share: a home folder per test process, settings, files, described machines, the real monitor.

#include "app/Settings.h"

#include <QApplication>
#include <QProcess>
#include <QtTest>

#include <functional>
#include <memory>

// A helper's failed check ends the test function too.
#define STEP(call)                                \
    do {                                          \
        call;                                     \
        if (QTest::currentTestFailed()) return;   \
    } while (false)

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes `bytes` to `path`, creating its folder; returns false when it cannot.
inline bool WriteBytes(const QString& path, const QByteArray& bytes, bool executable = false) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// Keeps the event loop turning until `condition` holds or `milliseconds` have passed.
inline bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 60000) {
    for (const QDeadlineTimer deadline(milliseconds); !condition(); QTest::qWait(100))
        if (deadline.hasExpired()) return false;
    return true;
}

// The messages of the logging category `category` while `run` runs, kept from the test log.
inline QStringList Logged(const char* category, const std::function<void()>& run) {
    static const char* kept;
    static QStringList messages;
    static QtMessageHandler previous;
    kept = category;
    messages.clear();
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (qstrcmp(context.category, kept) == 0)
            messages << message;
        else
            previous(type, context, message);
    });
    run();
    qInstallMessageHandler(previous);
    return messages;
}

// Runs `command`, its program first, in `environment` from `folder` to its end; false when it does not end in time.
inline bool RunToEnd(QProcess& process, const QStringList& command,
                     const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                     const QString& folder = QString()) {
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(command.value(0), command.mid(1));
    return process.waitForFinished(120000);
}

// The lines of a file in tests/data, without blank lines and lines starting with "#".
inline QStringList DataLines(const QString& name) {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(ReadBytes(QStringLiteral(CORVANE_TEST_DATA "/") + name)).split('\n'))
        if (!line.trimmed().isEmpty() && !line.startsWith('#')) lines << line;
    if (lines.isEmpty()) qFatal("no table in %s", qPrintable(name));
    return lines;
}

// Those lines split into words.
inline QList<QStringList> DataRows(const QString& name) {
    QList<QStringList> rows;
    for (const QString& line : DataLines(name)) rows << line.simplified().split(' ');
    return rows;
}

// The "RULE INPUT => RESULT" lines of a table in tests/data as test rows of the columns rule, input, result.
inline void AddRuleRows(const QString& name) {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("result");
    for (const QString& line : DataLines(name)) {
        const QString rule = line.section(' ', 0, 0);
        const int arrow = line.lastIndexOf(" =>");
        QTest::newRow(qPrintable(line.left(150)))
            << rule << line.mid(rule.size() + 1, arrow - rule.size() - 1) << line.mid(arrow + 3).trimmed();
    }
}

// The hot laptop's tray menu as the monitor's debug output outlines it.
inline QString HotLaptopMenu() { return DataLines("hot-nvme-laptop-tray-menu.txt").value(0); }

// A described machine's folder as the tools are given it: whole and native (on Windows, with its drive).
// `name` is one of standins/machines, or a folder's absolute path.
inline QString MachinePath(const QString& name) {
    return QDir::toNativeSeparators(QFileInfo(QDir(QStringLiteral(CORVANE_MACHINES_DIR)), name).absoluteFilePath());
}

// A copy of the described machine `name` in `folder`, for a test that changes it.
inline bool CopyMachine(const QString& name, const QString& folder) {
    const QDir machine(MachinePath(name));
    QDir().mkpath(folder);
    for (const QString& file : machine.entryList(QDir::Files))
        if (!QFile::copy(machine.filePath(file), folder + '/' + file)) return false;
    return true;
}

// Links in `folder` to the built stand-in tools, which a test may replace one by one.
inline bool LinkStandins(const QString& folder) {
    const QString standins = qEnvironmentVariable("CORVANE_TEST_BIN") + "/system";
    for (QDirIterator tools(standins, QDir::Files, QDirIterator::Subdirectories); tools.hasNext();) {
        const QString link = folder + '/' + QDir(standins).relativeFilePath(tools.next());
        if (!QDir().mkpath(QFileInfo(link).path()) || !QFile::link(tools.filePath(), link)) return false;
    }
    return true;
}

// A temporary folder, a private runtime folder and a settings file of their own under `folder`, so that
// monitors and tests running side by side share no capture, lock or setting, nor touch the user's. On
// Windows the temporary folder is TMP's, and the settings are the registry key that every monitor of
// the machine shares.
inline QProcessEnvironment IsolatedEnvironment(
    const QString& folder, QProcessEnvironment environment = QProcessEnvironment::systemEnvironment()) {
    const QDir home(folder);
    home.mkpath("temp");
    home.mkpath("runtime");
    QFile::setPermissions(home.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const char* name : {"TMPDIR", "TMP", "TEMP"}) environment.insert(name, QDir::toNativeSeparators(home.filePath("temp")));
    environment.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
    environment.insert("CORVANE_SETTINGS_FILE", home.filePath("settings.ini"));
    return environment;
}

// Runs the test object `Test` in such a home folder, removed when it ends, with `variables` naming it.
template <class Test>
int RunInOwnHome(int argc, char** argv,
                 const QStringList& variables = {"TMPDIR", "TMP", "TEMP", "XDG_RUNTIME_DIR", "CORVANE_SETTINGS_FILE"}) {
    const QTemporaryDir home;
    const QProcessEnvironment environment = IsolatedEnvironment(home.path());
    for (const QString& name : variables) qputenv(qPrintable(name), environment.value(name).toUtf8());
    QApplication application(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
#define CORVANE_TEST_MAIN(TestClass) \
    int main(int argc, char** argv) { return RunInOwnHome<TestClass>(argc, argv); }

inline bool SettingsInRegistry() { return SettingsLocation().startsWith("HKEY_"); }

// Where a monitor started with `environment` keeps its settings.
inline QString SettingsFile(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    return SettingsInRegistry() ? SettingsLocation() : environment.value("CORVANE_SETTINGS_FILE");
}

inline std::unique_ptr<QSettings> OpenSettings(const QString& file) {
    return std::make_unique<QSettings>(file, SettingsInRegistry() ? QSettings::NativeFormat : QSettings::IniFormat);
}

// Replaces the settings by `values`.
inline void WriteSettings(const QVariantMap& values, const QString& file = SettingsFile()) {
    const std::unique_ptr<QSettings> settings = OpenSettings(file);
    settings->clear();
    for (auto value = values.cbegin(); value != values.cend(); ++value) settings->setValue(value.key(), value.value());
}

inline QVariant Setting(const QString& key, const QString& file = SettingsFile()) { return OpenSettings(file)->value(key); }

// Every setting as "key=value", in the order of the keys.
inline QStringList AllSettings(const QString& file = SettingsFile()) {
    const std::unique_ptr<QSettings> settings = OpenSettings(file);
    QStringList all;
    for (const QString& key : settings->allKeys()) all << key + '=' + settings->value(key).toString();
    return all;
}

// The real monitor (`program`, by default the built one) with its debug output on, ended with this object.
struct Monitor {
    QProcess process;
    QString output;        // all it has printed so far
    bool windows = false;  // a Windows program under Wine, which prints in its code page (here Latin-1)

    Monitor(QProcessEnvironment environment, const QStringList& arguments = {},
            const QString& program = qEnvironmentVariable("CORVANE_TEST_BIN") + "/CorvaneSMART",
            const QString& workingDirectory = QString()) {
        environment.insert("QT_LOGGING_RULES", "corvane.*=true");
        // A Windows program without a console would send its debug output to the debugger.
        environment.insert("QT_FORCE_STDERR_LOGGING", "1");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(workingDirectory.isEmpty() ? environment.value("TMPDIR") : workingDirectory);
        process.start(program, arguments);
    }
    ~Monitor() {
        process.kill();
        process.waitForFinished();
    }
    // The text of every debug line so far that begins with `prefix`, prefix removed.
    QStringList Output(const QString& prefix) {
        const QByteArray printed = process.readAllStandardError();
        output += (windows ? QString::fromLatin1(printed) : QString::fromUtf8(printed)).remove('\r');
        const QRegularExpression start("^" + QRegularExpression::escape(prefix));
        return output.split('\n').filter(start).replaceInStrings(start, QString());
    }
    // Start-up has written its settings once the controller has built its tray menu.
    bool Started(int milliseconds = 60000) {
        const auto menuBuilt = [&] { return !Output("corvane.tray: tray menu:").isEmpty(); };
        WaitUntil([&] { return menuBuilt() || process.state() == QProcess::NotRunning; }, milliseconds);
        return menuBuilt() && process.state() == QProcess::Running;
    }
};
