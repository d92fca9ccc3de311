#include "CycleDriver.h"
#include "tray/QWaitClass.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QtTest>

// Every temperature cycle rebuilds the tray menu; what a rebuild replaces must go, or memory grows
// with the monitor's uptime. 1,000 cycles are eight hours of its 30-second timer.
class CycleMemoryTests : public QObject {
    Q_OBJECT

    QTemporaryDir directory_;

    static QStringList DriveSubmenus(const QObject& controller) {
        QStringList titles;
        const QSystemTrayIcon* icon = controller.findChild<QSystemTrayIcon*>();
        if (!icon || !icon->contextMenu()) return titles;
        for (const QAction* action : icon->contextMenu()->actions()) {
            if (action->menu()) titles << action->menu()->title();
        }
        return titles;
    }

private slots:
    void initTestCase() {
        QVERIFY(directory_.isValid());
        // Seventeen tool runs a cycle would fill the log.
        QLoggingCategory::setFilterRules(QStringLiteral("corvane.*.debug=false"));
    }

    void residentMemoryHoldsOverAThousandCycles() {
        cycles::Prepare({QStringLiteral(CORVANE_MACHINES_DIR "/single-nvme-notebook"), directory_.path()});
        QWaitClass controller;
        cycles::StopTimers(controller);
        for (int cycle = 0; cycle < 10; ++cycle) cycles::RunTemperatureCycle(controller);
        const long afterTen = cycles::ResidentKilobytes();
        QVERIFY2(afterTen > 0, "VmRSS cannot be read from /proc/self/status");
        const int objects = controller.findChildren<QObject*>().size();
        const int windows = QApplication::topLevelWidgets().size();

        for (int cycle = 10; cycle < 1000; ++cycle) cycles::RunTemperatureCycle(controller);
        const long afterThousand = cycles::ResidentKilobytes();
        QVERIFY2(afterThousand - afterTen <= 1024,
                 qPrintable(QStringLiteral("resident memory grew from %1 kB after 10 cycles to %2 kB after 1000")
                                .arg(afterTen)
                                .arg(afterThousand)));
        QCOMPARE(controller.findChildren<QObject*>().size(), objects);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        // The cycles still did their work: the one drive is in the menu.
        QCOMPARE(DriveSubmenus(controller), QStringList{QStringLiteral("WD_BLACK SN770 500GB ")});
    }
};

QTEST_MAIN(CycleMemoryTests)
#include "CycleMemoryTests.moc"
