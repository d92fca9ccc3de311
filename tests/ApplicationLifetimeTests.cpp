#include "app/Startup.h"
#include "dialogs/SmartWarning.h"

#include <QtTest>

// The monitor has no main window: a warning dismissed with Escape is the last window to close, and
// the monitor must go on watching.
class ApplicationLifetimeTests : public QObject {
    Q_OBJECT

private slots:
    void escapeOnAWarningKeepsTheMonitorRunning() {
        QTemporaryDir directory;
        qputenv("CORVANE_SETTINGS_FILE", directory.filePath("settings.ini").toUtf8());
        PrepareApplication(*qApp);
        SmartWarning warning;
        QTimer::singleShot(0, &warning, [&warning] {
            warning.show();
            QTest::keyClick(&warning, Qt::Key_Escape);
        });
        const int stillRunning = 7;
        QTimer::singleShot(500, qApp, [] { QCoreApplication::exit(stillRunning); });
        QCOMPARE(QApplication::exec(), stillRunning);
        QVERIFY(warning.isHidden());
    }
};

QTEST_MAIN(ApplicationLifetimeTests)
#include "ApplicationLifetimeTests.moc"
