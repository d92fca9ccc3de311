#include "support/ProcessTestSupport.h"

// The monitor as a user starts it: the real program with a settings file, temporary folder and
// runtime folder of its own, and no tools at all.
class StartupTests : public QObject {
    Q_OBJECT

    struct Monitor {
        QTemporaryDir folder;
        QProcessEnvironment environment = IsolatedEnvironment(folder.path());
        QProcess process;
        QString output;

        QString SettingsFile() const { return environment.value("CORVANE_SETTINGS_FILE"); }
        void Start(const QStringList& arguments) {
            environment.insert("QT_QPA_PLATFORM", "offscreen");
            environment.insert("QT_LOGGING_RULES", "corvane.*=true");
            environment.insert("CORVANE_SYSTEM_DIR", folder.filePath("no tools"));
            process.setProcessEnvironment(environment);
            process.setWorkingDirectory(folder.path());
            process.start(qEnvironmentVariable("CORVANE_TEST_BIN") + "/CorvaneSMART", arguments);
        }
        // Start-up has written its settings once the controller has built its tray menu.
        bool Started() {
            WaitUntil([&] { return !OutputLines(process, output, "corvane.tray: tray menu:").isEmpty() ||
                                   process.state() == QProcess::NotRunning; }, 60000);
            return process.state() == QProcess::Running && !OutputLines(process, output, "corvane.tray: tray menu:").isEmpty();
        }
        ~Monitor() {
            process.kill();
            process.waitForFinished();
        }
    };

private slots:
    void startWritesItsSettings_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QVariantMap>("before");
        QTest::addColumn<QVariantMap>("after");  // an invalid value for an absent key
        QTest::newRow("empty settings") << QStringList{} << QVariantMap{}
                                        << QVariantMap{{"ResizeAppforDPI", "true"}, {"TaskName", ""}, {"HealthDontShow", "false"},
                                                       {"PerformanceDontShow", "false"}, {"DontShow", QVariant()}};
        QTest::newRow("the scheduler's start")
            << QStringList{"Schedular"}
            << QVariantMap{{"DontShow", true}, {"ShutDownDontShow", true}, {"HealthDontShow", true},
                           {"PerformanceDontShow", true}, {"ResizeAppforDPI", false}}
            << QVariantMap{{"TaskName", "Schedular"}, {"HealthDontShow", "false"}, {"PerformanceDontShow", "false"},
                           {"DontShow", "true"}, {"ShutDownDontShow", "true"}, {"ResizeAppforDPI", "false"}};
        QTest::newRow("the scheduler's word in other case") << QStringList{"schedular"} << QVariantMap{{"TaskName", "Schedular"}}
                                                            << QVariantMap{{"TaskName", ""}};
    }
    void startWritesItsSettings() {
        QFETCH(QStringList, arguments);
        QFETCH(QVariantMap, before);
        QFETCH(QVariantMap, after);
        Monitor monitor;
        WriteSettings(before, monitor.SettingsFile());
        monitor.Start(arguments);
        QVERIFY2(monitor.Started(), qPrintable(monitor.output));
        for (auto value = after.cbegin(); value != after.cend(); ++value)
            QCOMPARE(Setting(value.key(), monitor.SettingsFile()), value.value());
    }

    // One monitor per user: a second one leaves before it writes any setting.
    void secondMonitorLeavesAtOnce() {
        Monitor first;
        first.Start({});
        QVERIFY2(first.Started(), qPrintable(first.output));
        Monitor second;
        second.environment = first.environment;
        second.environment.insert("CORVANE_SETTINGS_FILE", second.folder.filePath("settings.ini"));
        second.Start({});
        QVERIFY(second.process.waitForFinished(30000));
        QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process.exitCode(), 0);
        QVERIFY(!QFile::exists(second.SettingsFile()));
        QCOMPARE(first.process.state(), QProcess::Running);
    }
};

CORVANE_TEST_MAIN(StartupTests)
#include "StartupTests.moc"
