#include "support/ProcessTestSupport.h"

// The monitor as a user starts it: the real program, with no tools at all.
class StartupTests : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("CORVANE_SYSTEM_DIR", "/nonexistent"); }

    void startWritesItsSettings_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QVariantMap>("before");
        QTest::addColumn<QVariantMap>("after");  // an invalid value for an absent key
        QTest::newRow("empty settings") << QStringList{} << QVariantMap{}
                                        << QVariantMap{{"ResizeAppforDPI", "true"}, {"TaskName", ""},
                                                       {"HealthDontShow", "false"}, {"PerformanceDontShow", "false"},
                                                       {"DontShow", QVariant()}};
        QTest::newRow("the scheduler's start")
            << QStringList{"Schedular"}
            << QVariantMap{{"DontShow", true}, {"ShutDownDontShow", true}, {"HealthDontShow", true},
                           {"PerformanceDontShow", true}, {"ResizeAppforDPI", false}}
            << QVariantMap{{"TaskName", "Schedular"}, {"HealthDontShow", "false"},  {"PerformanceDontShow", "false"},
                           {"DontShow", "true"},      {"ShutDownDontShow", "true"}, {"ResizeAppforDPI", "false"}};
        QTest::newRow("the scheduler's word in other case")
            << QStringList{"schedular"} << QVariantMap{{"TaskName", "Schedular"}} << QVariantMap{{"TaskName", ""}};
    }
    void startWritesItsSettings() {
        QFETCH(QStringList, arguments);
        QFETCH(QVariantMap, before);
        QFETCH(QVariantMap, after);
        const QTemporaryDir folder;
        const QProcessEnvironment environment = IsolatedEnvironment(folder.path());
        const QString settings = environment.value("CORVANE_SETTINGS_FILE");
        WriteSettings(before, settings);
        Monitor monitor(environment, arguments);
        QVERIFY2(monitor.Started(), qPrintable(monitor.output));
        for (auto value = after.cbegin(); value != after.cend(); ++value)
            QCOMPARE(Setting(value.key(), settings), value.value());
    }

    // One monitor per user: a second one leaves before it writes any setting.
    void secondMonitorLeavesAtOnce() {
        const QTemporaryDir folder, other;
        QProcessEnvironment environment = IsolatedEnvironment(folder.path());
        Monitor first(environment);
        QVERIFY2(first.Started(), qPrintable(first.output));
        environment.insert("CORVANE_SETTINGS_FILE", other.filePath("settings.ini"));
        Monitor second(environment);
        QVERIFY(second.process.waitForFinished(30000));
        QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process.exitCode(), 0);
        QVERIFY(!QFile::exists(other.filePath("settings.ini")));
        QCOMPARE(first.process.state(), QProcess::Running);
    }
};

CORVANE_TEST_MAIN(StartupTests)
#include "StartupTests.moc"
