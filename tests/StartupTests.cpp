#include "support/ProcessTestSupport.h"

// The monitor as a user starts it: the real program, with no tools at all.
class StartupTests : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("CORVANE_SYSTEM_DIR", "/nonexistent"); }

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
};

CORVANE_TEST_MAIN(StartupTests)
#include "StartupTests.moc"
