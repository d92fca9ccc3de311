#include "CycleDriver.h"
#include "tray/QWaitClass.h"

#include <QAction>
#include <QApplication>
#include <QMap>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QtTest>

// The temperature cycle as it repeats: what it costs in tool runs, and that it does not grow.
class CycleTests : public QObject {
    Q_OBJECT

    QTemporaryDir directory_;

    static QString Machine(const QString& name) { return QStringLiteral(CORVANE_MACHINES_DIR "/") + name; }

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

    // Every cycle asks the tools afresh; nothing is cached, and nothing is asked twice more than the
    // algorithms do. The blank line that ends WMIC's index list names no drive and costs no run.
    void eachCycleRunsWhatTheAlgorithmsImply_data() {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<int>("drives");
        QTest::addColumn<int>("bootPlace");  // 0-based
        QTest::newRow("1 drive") << "single-nvme-notebook" << 1 << 0;
        QTest::newRow("2 drives, boot first") << "healthy-desktop" << 2 << 0;
        QTest::newRow("2 drives, boot second") << "failing-boot-disk" << 2 << 1;
        QTest::newRow("4 drives, boot second") << "four-drive-workstation" << 4 << 1;
        QTest::newRow("9 drives, boot last") << "nine-drive-server" << 9 << 8;
    }
    void eachCycleRunsWhatTheAlgorithmsImply() {
        QFETCH(QString, machine);
        QFETCH(int, drives);
        QFETCH(int, bootPlace);
        const cycles::Workplace workplace{Machine(machine), directory_.filePath(machine), true};
        cycles::Prepare(workplace);
        QWaitClass controller;
        cycles::StopTimers(controller);
        QFile::remove(workplace.ToolLogPath());
        cycles::RunTemperatureCycle(controller);

        QFile log(workplace.ToolLogPath());
        QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
        QMap<QString, int> runs;
        for (const QByteArray& line : log.readAll().split('\n')) {
            if (line.isEmpty()) continue;
            const bool wmic = line.startsWith("WMIC.exe");
            ++runs[wmic ? QString::fromUtf8(line) : QString::fromUtf8(line.split(' ').first())];
        }
        const int entries = drives;
        const QMap<QString, int> implied = {{"WMIC.exe diskdrive get index", 2},
                                            {"WMIC.exe diskdrive get Model,Index", 1 + entries},
                                            {"diskpart.exe", 2 * 2 * (bootPlace + 1) + 2 * entries},
                                            {"smartctl64Bit.exe", 2 + entries}};
        QCOMPARE(runs, implied);
    }

    // What a rebuild replaces must go, or memory grows with the monitor's uptime. 1,000 cycles are
    // eight hours of its 30-second timer.
    void residentMemoryHoldsOverAThousandCycles() {
        cycles::Prepare({Machine("single-nvme-notebook"), directory_.filePath("thousand cycles")});
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

QTEST_MAIN(CycleTests)
#include "CycleTests.moc"
