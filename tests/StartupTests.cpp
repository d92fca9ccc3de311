#include "support/ProcessTestSupport.h"

namespace {

#ifndef Q_OS_WIN
// On Windows the settings are the registry's, which has no defaults files.
const QString StoreName = QStringLiteral("Corvane/Corvane Drive Monitor.ini");
const QByteArray MalformedDefaults("[General]\nWarningValue=61\n\x00\xff\xfe garbage ==\n[[[\n=\n\xc3\x28\n", 48);

// This process as a user without CORVANE_SETTINGS_FILE, with these XDG folders (null: unset).
void BecomeUser(const QString& configHome, const QString& configDirs) {
    qunsetenv("CORVANE_SETTINGS_FILE");
    qputenv("XDG_CONFIG_HOME", configHome.toUtf8());
    if (configDirs.isNull())
        qunsetenv("XDG_CONFIG_DIRS");
    else
        qputenv("XDG_CONFIG_DIRS", configDirs.toUtf8());
}

#endif

}  // namespace

// The monitor as a user starts it: the real program, with no tools at all; and the settings it starts
// from, the user's own over the system-wide defaults.
class StartupTests : public QObject {
    Q_OBJECT

    const QByteArray settingsFile_ = qgetenv("CORVANE_SETTINGS_FILE");

private slots:
    void initTestCase() { qputenv("CORVANE_SYSTEM_DIR", "/nonexistent"); }
    // Each test starts with the settings file of the test process.
    void init() { qputenv("CORVANE_SETTINGS_FILE", settingsFile_); }

    void startWritesItsSettings() {
        for (const QStringList& row : DataRows("start-up-settings.txt")) {
            const QTemporaryDir folder;
            const QProcessEnvironment environment = IsolatedEnvironment(folder.path());
            const QString settings = SettingsFile(environment);
            const int arrow = row.indexOf("=>");
            QVariantMap before;
            for (const QString& value : row.mid(1, arrow - 1)) before[value.section('=', 0, 0)] = value.section('=', 1);
            WriteSettings(before, settings);
            Monitor monitor(environment, row[0] == "-" ? QStringList() : QStringList{row[0]});
            QVERIFY2(monitor.Started(), qPrintable(monitor.output));
            for (const QString& expected : row.mid(arrow + 1)) {
                const QString key = expected.section('=', 0, 0);
                const QVariant value = Setting(key, settings);
                QCOMPARE(value.isValid() ? key + '=' + value.toString() : key, expected);
            }
        }
    }

#ifndef Q_OS_WIN
    // Where the user's file and its defaults are looked for, without reading any of them.
    void defaultsAreLookedForInTheSystemFolders() {
        const QString home = QDir::tempPath() + "/corvane config home";
        BecomeUser(home, QString());
        QCOMPARE(SettingsLocation(), home + '/' + StoreName);
        QCOMPARE(SettingsDefaultsLocations(), QStringList{"/etc/xdg/" + StoreName});
        // The base directory rules ignore relative folders, and the user's own is no defaults folder.
        BecomeUser(home, "/opt/a::relative:" + home + ":/opt/b");
        QCOMPARE(SettingsDefaultsLocations(), (QStringList{"/opt/a/" + StoreName, "/opt/b/" + StoreName}));
        qputenv("CORVANE_SETTINGS_FILE", "/opt/demo.ini");
        QCOMPARE(SettingsLocation(), QString("/opt/demo.ini"));
        QCOMPARE(SettingsDefaultsLocations(), QStringList());
    }

    void storeReadsDefaultsKeyByKey_data() {
        QTest::addColumn<QStringList>("files");  // the user's, the first and the second defaults file
        QTest::addColumn<QStringList>("expected");
        for (const QString& line : DataLines("settings-defaults.txt"))
            QTest::newRow(qPrintable(line)) << line.section(" => ", 0, 0).split(" | ") << line.section(" => ", 1).split(' ');
    }
    void storeReadsDefaultsKeyByKey() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        // The user's configuration folder and the two folders of XDG_CONFIG_DIRS, all the test's own.
        const QTemporaryDir root;
        const QString paths[] = {root.filePath("home/" + StoreName), root.filePath("first/" + StoreName),
                                 root.filePath("second/" + StoreName)};
        for (int file = 0; file < 3; ++file) {
            const QByteArray text = files[file] == "package"     ? ReadBytes(CORVANE_TEST_DATA "/../../packaging/settings-defaults.ini")
                                    : files[file] == "malformed" ? MalformedDefaults
                                                                 : files[file].replace("\\n", "\n").toUtf8();
            if (text != "-") QVERIFY(WriteBytes(paths[file], text.startsWith('[') ? text : "[General]\n" + text + '\n'));
        }
        BecomeUser(root.filePath("home"), root.filePath("first") + ':' + root.filePath("second"));
        const bool warns = expected.removeAll("warns") > 0;
        QStringList read;
        const QStringList warnings = Logged("corvane.settings", [&] {
            const SettingsStore store;
            for (const QString& value : expected) {
                const QString key = value.section('=', 0, 0);
                read << (store.Contains(key) ? key + '=' + store.ReadText(key) : key);
            }
        });
        QCOMPARE(read, expected);
        QCOMPARE(warnings, warns ? QStringList{"the defaults in \"" + paths[1] + "\" do not parse; using what could be read"}
                                 : QStringList());
    }
#endif
};

CORVANE_TEST_MAIN(StartupTests)
#include "StartupTests.moc"
