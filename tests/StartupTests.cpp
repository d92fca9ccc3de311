#include "support/ProcessTestSupport.h"

// The monitor as a user starts it: the real program, with no tools at all.
namespace {

struct Monitor {
    QProcess process;
    QString output;

    // `environment` names its temporary and runtime folders and its settings file.
    Monitor(QProcessEnvironment environment, const QStringList& arguments = {}) {
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("QT_LOGGING_RULES", "corvane.*=true");
        environment.insert("CORVANE_SYSTEM_DIR", "/nonexistent");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(environment.value("TMPDIR"));
        process.start(qEnvironmentVariable("CORVANE_TEST_BIN") + "/CorvaneSMART", arguments);
    }
    // Start-up has written its settings once the controller has built its tray menu.
    bool Started() {
        const auto menuBuilt = [&] { return !OutputLines(process, output, "corvane.tray: tray menu:").isEmpty(); };
        WaitUntil([&] { return menuBuilt() || process.state() == QProcess::NotRunning; }, 60000);
        return menuBuilt() && process.state() == QProcess::Running;
    }
    ~Monitor() {
        process.kill();
        process.waitForFinished();
    }
};

}  // namespace

class StartupTests : public QObject {
    Q_OBJECT

private slots:
    void startWritesItsSettings_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QVariantMap>("before");
        QTest::addColumn<QVariantMap>("after");  // an invalid value for an absent key
        QTest::newRow("empty settings") << QStringList{} << QVariantMap{}
                                        << QVariantMap{{"ResizeAppforDPI", "true"},
                                                       {"TaskName", ""},
                                                       {"HealthDontShow", "false"},
                                                       {"PerformanceDontShow", "false"},
                                                       {"DontShow", QVariant()}};
        QTest::newRow("the scheduler's start")
            << QStringList{"Schedular"}
            << QVariantMap{{"DontShow", true},
                           {"ShutDownDontShow", true},
                           {"HealthDontShow", true},
                           {"PerformanceDontShow", true},
                           {"ResizeAppforDPI", false}}
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
