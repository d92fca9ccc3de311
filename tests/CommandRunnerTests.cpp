#include "app/ProcessValues.h"
#include "exec/CaptureFile.h"
#include "exec/CommandRunner.h"

#include <QtTest>

// The runner starts real processes through the real interpreter; the temporary directory is that of
// a user whose name has a space and letters outside ASCII.
class CommandRunnerTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;

    static std::string Command(const QString& text) { return text.toStdString(); }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        const QString temporary = root_.filePath(QString::fromUtf8("Ana María Pérez"));
        QVERIFY(QDir().mkpath(temporary));
        qputenv("TMPDIR", temporary.toUtf8());
    }

    void capturesIntoAnAwkwardTemporaryDirectory() {
        const QString capture = CapturePath("Temp.txt");
        QVERIFY(capture.contains(QString::fromUtf8("Ana María Pérez/Temp.txt")));
        RemoveCaptureFile(capture);
        RunCommand(Command("printf 'hello\\r\\nworld\\n' >> " + QuotedPath(capture)), "");
        QCOMPARE(ReadCaptureLines(capture).value_or(QStringList{"unreadable"}), (QStringList{"hello", "world"}));
        RemoveCaptureFile(capture);
        QVERIFY(!QFile::exists(capture));
    }

    void appendsTheArgumentAfterOneSpace() {
        const QString capture = CapturePath("SMART.txt");
        RemoveCaptureFile(capture);
        RunCommand(Command("printf '%s|' >> " + QuotedPath(capture)), "first second");
        RunCommand(Command("printf '%s|' none >> " + QuotedPath(capture)), "");
        QCOMPARE(ReadCaptureLines(capture).value_or(QStringList()), QStringList{"first|second|none|"});
    }

    void quotesPathsHoldingQuotes() {
        const QString capture = CapturePath("it's \"odd\".txt");
        RunCommand(Command("printf ok >> " + QuotedPath(capture)), "");
        QCOMPARE(ReadCaptureLines(capture).value_or(QStringList()), QStringList{"ok"});
    }

    void buildsLongCommandLines() {
        const QString capture = CapturePath("long.txt");
        const QString word(5000, QLatin1Char('w'));
        RunCommand(Command("printf " + word + " >> " + QuotedPath(capture)), "");
        QCOMPARE(ReadCaptureLines(capture).value_or(QStringList()), QStringList{word});
    }

    void endsAToolThatNeverEnds() {
        const QString heartbeat = CapturePath("heartbeat.txt");
        QElapsedTimer clock;
        clock.start();
        const platform::CommandOutcome outcome = RunCommandWithin(
            Command("sh -c 'while :; do printf . >> \"$1\"; sleep 0.05; done' beat " + QuotedPath(heartbeat) +
                    " & wait"),
            "", std::chrono::milliseconds(1000));
        QVERIFY(outcome.timedOut);
        QVERIFY(clock.elapsed() < 5000);
        QTest::qWait(200);
        const qint64 size = QFileInfo(heartbeat).size();
        QVERIFY(size > 0);
        QTest::qWait(400);
        QCOMPARE(QFileInfo(heartbeat).size(), size);
        QCOMPARE(CommandTimeLimit.count(), 120000);
    }

    void findsToolsOfTheSystemDirectoryByName() {
        const QString tools = root_.filePath("system");
        QVERIFY(QDir().mkpath(tools));
        QFile tool(tools + "/smartctl64Bit.exe");
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\necho \"report for $2\"\n");
        tool.close();
        tool.setPermissions(tool.permissions() | QFile::ExeUser);
        qputenv("CORVANE_SYSTEM_DIR", tools.toUtf8());
        const QString capture = CapturePath("Temp.txt");
        RemoveCaptureFile(capture);
        RunCommand(Command("smartctl64Bit.exe -a  /dev/sda >> " + QuotedPath(capture)), "");
        qunsetenv("CORVANE_SYSTEM_DIR");
        QCOMPARE(ReadCaptureLines(capture).value_or(QStringList()), QStringList{"report for /dev/sda"});
    }

    void namesSystemTools() {
        SystemDirectory = "/opt/system";
        QCOMPARE(SystemToolPath("wbem/WMIC.exe"), QString("/opt/system/wbem/WMIC.exe"));
    }
};

QTEST_GUILESS_MAIN(CommandRunnerTests)
#include "CommandRunnerTests.moc"
