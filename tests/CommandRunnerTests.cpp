#include "app/ProcessValues.h"
#include "exec/CaptureFile.h"
#include "exec/CommandRunner.h"

#include "support/ProcessTestSupport.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

// The runner starts real processes through the real interpreter, with captures in the private work
// folder under a temporary directory of a user whose name has a space and letters outside ASCII.
class CommandRunnerTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString temporary_;

    static QStringList Capture(const QString& name, const QString& command, const QString& argument = {}) {
        const QString capture = CapturePath(name);
        RemoveCaptureFile(capture);
        RunCommand(command.arg(QuotedPath(capture)).toStdString(), argument.toStdString());
        return ReadCaptureLines(capture).value_or(QStringList{"unreadable"});
    }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        temporary_ = root_.filePath(QString::fromUtf8("Ana María Pérez"));
        QVERIFY(QDir().mkpath(temporary_));
        qputenv("TMPDIR", temporary_.toUtf8());
        qunsetenv("XDG_RUNTIME_DIR");
        // A folder at the lock's name is no lock another monitor holds: the tools wait until it is gone.
        const QString lock = temporary_ + "/corvane-smart-" + QString::number(geteuid()) + "/CorvaneSMART.lock";
        QVERIFY(QDir().mkpath(lock));
        QVERIFY(QFile::setPermissions(QFileInfo(lock).path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(PrepareWorkFolder(), WorkFolderState::Unavailable);
        QVERIFY(QDir().rmdir(lock));
        QCOMPARE(PrepareWorkFolder(), WorkFolderState::Ready);
    }

    // QDir cannot name the folder whose name is not UTF-8, so removing the test's folder is left to the file system.
    void cleanupTestCase() {
        std::error_code ignored;
        std::filesystem::remove_all(QFile::encodeName(root_.path()).toStdString(), ignored);
    }

    void capturesThroughTheInterpreter() {
        // One work folder per user, so that the users of a shared temporary folder share no capture.
        QCOMPARE(CapturePath("Temp.txt"), temporary_ + "/corvane-smart-" + QString::number(geteuid()) + "/Temp.txt");
        QCOMPARE(Capture("Temp.txt", "printf 'hello\\r\\nworld\\n' >> %1"), (QStringList{"hello", "world"}));
        QCOMPARE(Capture("SMART.txt", "printf '%s|' >> %1", "first second"), QStringList{"first|second|"});
        QCOMPARE(Capture("it's \"odd\".txt", "printf ok >> %1"), QStringList{"ok"});
        QCOMPARE(Capture("empty.txt", "true >> %1"), QStringList());
        QVERIFY(QFile::exists(CapturePath("empty.txt")) && !CaptureHasContent(CapturePath("empty.txt")));
        QVERIFY(!ReadCaptureLines(CapturePath("never.txt")) && !QFile::exists(CapturePath("never.txt")));
    }

    // The work folder is the user's alone: a folder that is not, or a link, at its name is never used. Nor is
    // a temporary path another user could change: it is checked as given, entry by entry, as every tool run
    // will resolve it again, and only under the very bytes the system gave.
    void workFolderIsPrivate() {
        const QFileInfo folder(CapturePath(QString()).chopped(1));
        QCOMPARE(folder.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray root = QFile::encodeName(root_.path()), name = QFile::encodeName(folder.fileName());
        // Private folders of the user's own, which a followed link would take for the work folder.
        QVERIFY(mkdir(root + "/private", 0700) == 0 && mkdir(root + "/private/" + name, 0700) == 0);
        QVERIFY(mkdir(root + "/linked", 0700) == 0 && symlink(root + "/private/" + name, root + "/linked/" + name) == 0);
        QVERIFY(mkdir(root + "/readable", 0700) == 0 && mkdir(root + "/readable/" + name, 0755) == 0);
        QVERIFY(mkdir(root + "/own", 0700) == 0 && symlink(root + "/private", root + "/own/link") == 0);
        QVERIFY(mkdir(root + "/open", 0777) == 0 && chmod(root + "/open", 0777) == 0 &&
                symlink(root + "/private", root + "/open/link") == 0);  // anyone may replace that link
        QVERIFY(mkdir(root + "/caf\xE9", 0700) == 0);  // read back as text, it would name "caf\uFFFD"
        QList<QPair<QByteArray, bool>> ready = {{"/private", true}, {"/own/link", true},    {"/linked", false},
                                               {"/readable", false}, {"/open/link", false}, {"/caf\xE9", false}};
        if (geteuid() == 0) {
            // Root may enter another user's closed folder, and must not use it; another user's link in a shared
            // sticky folder they may point elsewhere.
            QVERIFY(mkdir(root + "/taken", 0700) == 0 && mkdir(root + "/taken/" + name, 0700) == 0 &&
                    chown(root + "/taken/" + name, 61003, 61003) == 0);
            QVERIFY(mkdir(root + "/shared", 01777) == 0 && chmod(root + "/shared", 01777) == 0 &&
                    symlink(root + "/private", root + "/shared/link") == 0 && lchown(root + "/shared/link", 61003, 61003) == 0);
            ready << qMakePair(QByteArray("/taken"), false) << qMakePair(QByteArray("/shared/link"), false);
        }
        for (const auto& [temporary, usable] : ready) {
            qputenv("TMPDIR", root + temporary);
            const WorkFolderState state = PrepareWorkFolder();
            QVERIFY2(state == (usable ? WorkFolderState::Ready : WorkFolderState::Unavailable), temporary.constData());
            QCOMPARE(CapturePath("Temp.txt").isEmpty(), !usable);
        }
        qputenv("TMPDIR", temporary_.toUtf8());
        QCOMPARE(PrepareWorkFolder(), WorkFolderState::Ready);
    }
};

QTEST_GUILESS_MAIN(CommandRunnerTests)
#include "CommandRunnerTests.moc"
