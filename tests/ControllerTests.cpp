#include "tray/QWaitClass.h"

#include <QtTest>

// The controller's interface is bound by name: its slots are connected by signature text.
class ControllerTests : public QObject {
    Q_OBJECT

    QTemporaryDir directory_;

private slots:
    void initTestCase() {
        qputenv("CORVANE_SETTINGS_FILE", directory_.filePath("settings.ini").toUtf8());
        qputenv("TMPDIR", directory_.path().toUtf8());
        qputenv("CORVANE_SYSTEM_DIR", directory_.filePath("no tools").toUtf8());
    }

    void declaresItsMethodsInOrder() {
        const QMetaObject& meta = QWaitClass::staticMetaObject;
        QCOMPARE(QString(meta.className()), QString("QWaitClass"));
        const QStringList expected = {"IntimateToRefreshDrives()",
                                      "OnInitialize()",
                                      "GetAllDiskTemperature()",
                                      "OnQutiApplication()",
                                      "OnStopSmartMontoring()",
                                      "OnLaunchApplication()",
                                      "GetDriveRefresh()",
                                      "GetSmartTemprature()",
                                      "GetHealthAndPerformanceWarning()",
                                      "OnSystemShutDown()",
                                      "OnShowDiskInfo()",
                                      "GetInitialPerformanceandHealthWarning()",
                                      "CreateTrayIcon()"};
        QCOMPARE(meta.methodCount() - meta.methodOffset(), expected.size());
        for (int index = 0; index < expected.size(); ++index) {
            const QMetaMethod method = meta.method(meta.methodOffset() + index);
            QCOMPARE(QString(method.methodSignature()), expected[index]);
            QCOMPARE(method.methodType(), index == 0 ? QMetaMethod::Signal : QMetaMethod::Slot);
            if (index > 0) QCOMPARE(method.access(), QMetaMethod::Private);
        }
    }

    void startsTwoRepeatingTimers() {
        QWaitClass controller;
        QList<int> intervals;
        for (QTimer* timer : controller.findChildren<QTimer*>()) {
            QVERIFY(timer->isActive());
            QVERIFY(!timer->isSingleShot());
            intervals << timer->interval();
        }
        std::sort(intervals.begin(), intervals.end());
        QCOMPARE(intervals, (QList<int>{30000, 5400000}));
        QVERIFY(QMetaObject::invokeMethod(&controller, "GetDriveRefresh"));
        QVERIFY(QMetaObject::invokeMethod(&controller, "OnShowDiskInfo"));
    }

    void writesResizeSettingWhenAbsent() {
        QFile::remove(directory_.filePath("settings.ini"));
        QWaitClass controller;
        QCOMPARE(QSettings(directory_.filePath("settings.ini"), QSettings::IniFormat).value("ResizeAppforDPI").toBool(),
                 true);
    }
};

QTEST_MAIN(ControllerTests)
#include "ControllerTests.moc"
