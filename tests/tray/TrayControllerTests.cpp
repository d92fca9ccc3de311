#include "app/ProcessValues.h"
#include "dialogs/HealthWarning.h"
#include "dialogs/PerformanceWarning.h"
#include "dialogs/ShutDownWarning.h"
#include "dialogs/SmartWarning.h"
#include "exec/CaptureFile.h"
#include "tray/QWaitClass.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QtTest>

namespace {

const QString Degree = QString(QChar(0x00B0));

// Records the class names of dialogs in the order they are shown.
class ShowRecorder : public QObject {
public:
    QStringList shown;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QDialog*>(watched))
            shown << watched->metaObject()->className();
        return false;
    }
};

// "separator", "[submenu title]", the text of an entry, or "(hidden) text".
QStringList Entries(const QMenu& menu) {
    QStringList entries;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            entries << "separator";
        else if (action->menu())
            entries << "[" + action->text() + "]";
        else
            entries << (action->isVisible() ? QString() : QString("(hidden) ")) + action->text();
    }
    return entries;
}

template <class Dialog>
Dialog* TopLevel() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<Dialog*>(widget)) return dialog;
    return nullptr;
}

}  // namespace

// The controller run in this process against the stand-in tools on described machines: the tray it
// builds, the warnings it raises and the settings and tools its actions touch.
class TrayControllerTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString settingsFile_;
    QString toolLog_;

    void UseMachine(const QString& name) {
        qputenv("CORVANE_SIMULATED_MACHINE", QByteArray(CORVANE_MACHINES_DIR "/") + name.toUtf8());
    }

    void WriteSettings(const QVariantMap& values) {
        QFile::remove(settingsFile_);
        QSettings settings(settingsFile_, QSettings::IniFormat);
        for (auto value = values.cbegin(); value != values.cend(); ++value) settings.setValue(value.key(), value.value());
    }

    QVariant Setting(const QString& key) const { return QSettings(settingsFile_, QSettings::IniFormat).value(key); }

    QStringList ToolRuns(const QString& tool) const {
        QStringList runs;
        for (const QString& line : ReadCaptureLines(toolLog_).value_or(QStringList()))
            if (line.startsWith(tool)) runs << line;
        return runs;
    }

    static QMenu* TrayMenu(QWaitClass& controller) {
        auto* icon = controller.findChild<QSystemTrayIcon*>();
        return icon ? icon->contextMenu() : nullptr;
    }

    static void RunTemperatureCycle(QWaitClass& controller) {
        QVERIFY(QMetaObject::invokeMethod(&controller, "GetSmartTemprature"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void HideAllDialogs() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(widget)) widget->hide();
    }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        settingsFile_ = root_.filePath("settings.ini");
        toolLog_ = root_.filePath("tools.log");
        qputenv("CORVANE_SETTINGS_FILE", settingsFile_.toUtf8());
        qputenv("CORVANE_TOOL_LOG", toolLog_.toUtf8());
        const QString temporary = root_.filePath("temp dir");
        QVERIFY(QDir().mkpath(temporary));
        qputenv("TMPDIR", temporary.toUtf8());
        SystemDirectory = qEnvironmentVariable("CORVANE_TEST_BIN") + "/system";
        DpiScale = 1.0f;
    }

    void init() {
        QFile::remove(toolLog_);
        TemperatureWarningSuppressed = false;
        TrayIconText.clear();
        WarningDiskName.clear();
    }

    void cleanup() {
        HideAllDialogs();
        for (QWidget* widget : QApplication::topLevelWidgets()) widget->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void hotMachineWarnsOfShutdownThenTemperature() {
        UseMachine("hot-nvme-laptop");
        WriteSettings({{"ShowWarning", true}, {"WarningValue", 60}, {"ShutDownValue", 70}});
        ShowRecorder recorder;
        qApp->installEventFilter(&recorder);
        QWaitClass controller;
        qApp->removeEventFilter(&recorder);

        QCOMPARE(recorder.shown, (QStringList{"ShutDownWarning", "SmartWarning"}));
        QCOMPARE(TopLevel<ShutDownWarning>()->MediaNameLabel->text(), QString("Disk: Samsung SSD 980 PRO 1TB "));
        QCOMPARE(TopLevel<SmartWarning>()->MediaNameLabel->text(), QString("Disk: Samsung SSD 980 PRO 1TB "));
        QVERIFY(TopLevel<HealthWarning>()->isHidden());

        auto* icon = controller.findChild<QSystemTrayIcon*>();
        QVERIFY(icon && icon->isVisible());
        QCOMPARE(icon->toolTip(), "Corvane Drive Monitor\n71" + Degree);
        QCOMPARE(icon->icon().availableSizes().value(0), QSize(29, 28));
        // A blue square with the reading written on it in white.
        const QImage drawn = icon->icon().pixmap(29, 28).toImage();
        QCOMPARE(drawn.pixelColor(0, 0), QColor(33, 140, 254));
        int whitePixels = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) whitePixels += drawn.pixelColor(x, y).lightness() > 230;
        QVERIFY2(whitePixels > 20, qPrintable(QString::number(whitePixels)));

        QMenu* menu = TrayMenu(controller);
        QVERIFY(menu);
        QCOMPARE(Entries(*menu), (QStringList{"[Samsung SSD 980 PRO 1TB ]", "separator", "separator",
                                              "Go to Corvane Drive Monitor", "(hidden) Stop S.M.A.R.T monitoring",
                                              "separator", "separator", "Exit"}));
        QMenu* drive = menu->actions().first()->menu();
        QCOMPARE(Entries(*drive), (QStringList{"separator", "Temperature: 71" + Degree + "C", "separator",
                                               "Health: 87 %", "separator", "Performance: 100 %", "separator",
                                               "Partition: C: "}));
        QVERIFY(!drive->icon().isNull());
        for (QAction* entry : drive->actions())
            QVERIFY(entry->isSeparator() || !entry->icon().isNull());
    }

    void everyPassedDriveGetsASubmenuInListOrder() {
        UseMachine("healthy-desktop");
        WriteSettings({{"TempValue", "F"}});
        ShowRecorder recorder;
        qApp->installEventFilter(&recorder);
        QWaitClass controller;
        qApp->removeEventFilter(&recorder);
        QCOMPARE(recorder.shown, QStringList());

        const QStringList entries = Entries(*TrayMenu(controller));
        QCOMPARE(entries.mid(0, 4), (QStringList{"[INTEL SSDSC2KB480G8 ]", "separator", "[WDC WUH721816ALE6L4 ]",
                                                 "separator"}));
        QCOMPARE(entries.size(), 10);
        const QStringList second = Entries(*TrayMenu(controller)->actions().at(2)->menu());
        QVERIFY2(second.at(1).startsWith("Temperature: ") && second.at(1).endsWith(Degree + "F"), qPrintable(second.at(1)));
        QVERIFY(controller.findChild<QSystemTrayIcon*>()->toolTip().startsWith("Corvane Drive Monitor\n"));
    }

    void failingBootDiskRaisesTheHealthWarning() {
        UseMachine("failing-boot-disk");
        WriteSettings({{"ShowWarning", true}, {"WarningValue", 90}, {"ShutDownValue", 95}});
        ShowRecorder recorder;
        qApp->installEventFilter(&recorder);
        QWaitClass controller;
        qApp->removeEventFilter(&recorder);

        QCOMPARE(recorder.shown, QStringList{"HealthWarning"});
        auto* health = TopLevel<HealthWarning>();
        QCOMPARE(health->MediaNameLabel->text(), QString("Disk: HGST HUS724040ALE640 "));
        QCOMPARE(health->MediaName, QString("HGST HUS724040ALE640 "));
        QCOMPARE(Entries(*TrayMenu(controller)).mid(0, 4),
                 (QStringList{"[ST2000NM000A-2J2100 ]", "separator", "[HGST HUS724040ALE640 ]", "separator"}));

        // Ignore with the box ticked keeps it away for the rest of this run of the monitor.
        health->CheckBox->setChecked(true);
        health->OkButton->click();
        QCOMPARE(Setting("HealthDontShow").toBool(), true);
        QVERIFY(QMetaObject::invokeMethod(&controller, "GetHealthAndPerformanceWarning"));
        QVERIFY(health->isHidden());
        QVERIFY(QMetaObject::invokeMethod(&controller, "GetInitialPerformanceandHealthWarning"));
        QVERIFY(health->isHidden());
    }

    void cyclesRebuildWithoutAccumulating() {
        UseMachine("healthy-desktop");
        WriteSettings({});
        QWaitClass controller;
        RunTemperatureCycle(controller);
        const int actions = controller.findChildren<QAction*>().size();
        const int menus = controller.findChildren<QMenu*>().size() + QApplication::topLevelWidgets().size();
        const QStringList entries = Entries(*TrayMenu(controller));
        for (int cycle = 0; cycle < 5; ++cycle) RunTemperatureCycle(controller);
        QCOMPARE(controller.findChildren<QAction*>().size(), actions);
        QCOMPARE(controller.findChildren<QMenu*>().size() + QApplication::topLevelWidgets().size(), menus);
        QCOMPARE(Entries(*TrayMenu(controller)), entries);
    }

    void oneClickAsksForOneShutdownAfterManyCycles() {
        UseMachine("hot-nvme-laptop");
        WriteSettings({{"ShowWarning", true}, {"WarningValue", 60}, {"ShutDownValue", 70}});
        QWaitClass controller;
        for (int cycle = 0; cycle < 4; ++cycle) RunTemperatureCycle(controller);
        QFile::remove(toolLog_);
        TopLevel<ShutDownWarning>()->ShutDownButton->click();
        QCOMPARE(ToolRuns("shutdown"), QStringList{"shutdown /s"});
        TopLevel<SmartWarning>()->ShutDownButton->click();
        QCOMPARE(ToolRuns("shutdown").size(), 2);
    }

    void temperatureCycleFollowsTheSettingsOfTheMoment() {
        UseMachine("hot-nvme-laptop");
        WriteSettings({});
        ShowRecorder recorder;
        qApp->installEventFilter(&recorder);
        QWaitClass controller;
        RunTemperatureCycle(controller);
        QCOMPARE(recorder.shown, QStringList());

        WriteSettings({{"ShowWarning", true}, {"WarningValue", 71}, {"ShutDownValue", 72}});
        RunTemperatureCycle(controller);
        QCOMPARE(recorder.shown, QStringList{"SmartWarning"});

        // Ignored with the box ticked: only the shutdown warning may come back.
        TopLevel<SmartWarning>()->CheckBox->setChecked(true);
        TopLevel<SmartWarning>()->OkButton->click();
        WriteSettings({{"ShowWarning", true}, {"WarningValue", 50}, {"ShutDownValue", 159}, {"TempValue", "F"}});
        recorder.shown.clear();
        RunTemperatureCycle(controller);
        QCOMPARE(recorder.shown, QStringList{"ShutDownWarning"});
        QCOMPARE(controller.findChild<QSystemTrayIcon*>()->toolTip(), "Corvane Drive Monitor\n159" + Degree);
        qApp->removeEventFilter(&recorder);
    }

    void anUnreadableCaptureKeepsTheLastMenu() {
        UseMachine("hot-nvme-laptop");
        WriteSettings({{"ShowWarning", true}, {"WarningValue", 10}, {"ShutDownValue", 10}});
        QWaitClass controller;
        HideAllDialogs();
        const QStringList entries = Entries(*TrayMenu(controller));
        const QByteArray temporary = qgetenv("TMPDIR");
        qputenv("TMPDIR", root_.filePath("missing/dir").toUtf8());
        RunTemperatureCycle(controller);
        qputenv("TMPDIR", temporary);
        QCOMPARE(Entries(*TrayMenu(controller)), entries);
        QVERIFY(TopLevel<SmartWarning>()->isHidden());
        QVERIFY(TopLevel<ShutDownWarning>()->isHidden());
    }

    void exitAndStopWriteTheirSettings() {
        UseMachine("hot-nvme-laptop");
        WriteSettings({{"FirstTimeLaunch", false}, {"ShowTrayIcon", true}});
        QWaitClass controller;
        QVERIFY(QMetaObject::invokeMethod(&controller, "OnStopSmartMontoring"));
        QCOMPARE(Setting("ShowTrayIcon").toBool(), false);
        QCOMPARE(Setting("FirstTimeLaunch").toBool(), false);
        QVERIFY(!controller.findChild<QSystemTrayIcon*>()->isVisible());
        QVERIFY(QMetaObject::invokeMethod(&controller, "OnQutiApplication"));
        QCOMPARE(Setting("FirstTimeLaunch").toBool(), true);
    }
};

QTEST_MAIN(TrayControllerTests)
#include "TrayControllerTests.moc"
