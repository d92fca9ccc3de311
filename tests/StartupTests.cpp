#include <QtTest>

// The monitor as a user starts it: the real program, its own settings file and temporary directory.
class StartupTests : public QObject {
    Q_OBJECT

    struct Monitor {
        QTemporaryDir directory;
        QProcess process;

        QString SettingsFile() const { return directory.filePath("settings.ini"); }

        void Start(const QStringList& arguments, const QString& temporaryDirectory = QString()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("CORVANE_SETTINGS_FILE", SettingsFile());
            environment.insert("TMPDIR", temporaryDirectory.isEmpty() ? directory.path() : temporaryDirectory);
            environment.insert("QT_QPA_PLATFORM", "offscreen");
            environment.insert("CORVANE_SYSTEM_DIR", directory.filePath("no tools"));
            process.setProcessEnvironment(environment);
            process.setProcessChannelMode(QProcess::ForwardedChannels);
            process.start(qEnvironmentVariable("CORVANE_TEST_BIN") + "/CorvaneSMART", arguments);
            QVERIFY(process.waitForStarted());
        }

        // Start-up has written its settings once TaskName exists.
        bool WaitUntilStarted() {
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 20000) {
                if (QSettings(SettingsFile(), QSettings::IniFormat).contains("TaskName")) return true;
                if (process.state() == QProcess::NotRunning) return false;
                QTest::qWait(50);
            }
            return false;
        }

        QVariant Setting(const QString& key) const { return QSettings(SettingsFile(), QSettings::IniFormat).value(key); }

        ~Monitor() {
            process.kill();
            process.waitForFinished();
        }
    };

    void Prefill(const Monitor& monitor, const QVariantMap& values) {
        QSettings settings(monitor.SettingsFile(), QSettings::IniFormat);
        for (auto it = values.begin(); it != values.end(); ++it) settings.setValue(it.key(), it.value());
    }

private slots:
    void emptySettingsGetTheirStartValues() {
        Monitor monitor;
        monitor.Start({});
        QVERIFY(monitor.WaitUntilStarted());
        QCOMPARE(monitor.Setting("ResizeAppforDPI").toBool(), true);
        QCOMPARE(monitor.Setting("TaskName").toString(), QString());
        QCOMPARE(monitor.Setting("PerformanceDontShow").toString(), QString("false"));
        QCOMPARE(monitor.Setting("HealthDontShow").toString(), QString("false"));
        QVERIFY(!QSettings(monitor.SettingsFile(), QSettings::IniFormat).contains("DontShow"));
        QTest::qWait(500);
        QCOMPARE(monitor.process.state(), QProcess::Running);
    }

    void startResetsOnlyTheHealthAndPerformanceChoices() {
        Monitor monitor;
        Prefill(monitor, {{"DontShow", true},
                          {"ShutDownDontShow", true},
                          {"HealthDontShow", true},
                          {"PerformanceDontShow", true},
                          {"ResizeAppforDPI", false},
                          {"LanguageType", 2}});
        monitor.Start({"Schedular"});
        QVERIFY(monitor.WaitUntilStarted());
        QCOMPARE(monitor.Setting("TaskName").toString(), QString("Schedular"));
        QCOMPARE(monitor.Setting("HealthDontShow").toBool(), false);
        QCOMPARE(monitor.Setting("PerformanceDontShow").toBool(), false);
        QCOMPARE(monitor.Setting("DontShow").toBool(), true);
        QCOMPARE(monitor.Setting("ShutDownDontShow").toBool(), true);
        QCOMPARE(monitor.Setting("ResizeAppforDPI").toBool(), false);
    }

    void schedulerWordIsCaseSensitive() {
        Monitor monitor;
        Prefill(monitor, {{"TaskName", "Schedular"}});
        monitor.Start({"schedular"});
        QElapsedTimer clock;
        clock.start();
        while (monitor.Setting("TaskName").toString() != QString() && clock.elapsed() < 20000) QTest::qWait(50);
        QCOMPARE(monitor.Setting("TaskName").toString(), QString());
    }

    void secondMonitorLeavesAtOnce() {
        Monitor first;
        first.Start({});
        QVERIFY(first.WaitUntilStarted());

        Monitor second;
        second.Start({}, first.directory.path());
        QVERIFY(second.process.waitForFinished(5000));
        QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process.exitCode(), 0);
        QVERIFY(!QFile::exists(second.SettingsFile()));
        QCOMPARE(first.process.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(StartupTests)
#include "StartupTests.moc"
