#include "exec/CaptureFile.h"

#include <QtTest>

namespace {

QByteArray Utf16LittleEndianWithMark(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

}  // namespace

class CaptureTests : public QObject {
    Q_OBJECT

private slots:
    void cutsLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("blank line between") << QByteArray("a\n\nb") << QStringList{"a", "", "b"};
        QTest::newRow("final terminator") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("two final terminators") << QByteArray("a\n\n") << QStringList{"a", ""};
        QTest::newRow("crlf") << QByteArray("Index  \r\n0      \r\n") << QStringList{"Index  ", "0      "};
        QTest::newRow("cr cr lf") << QByteArray("Index\r\r\n1\r\r\n") << QStringList{"Index", "1"};
        QTest::newRow("spaces kept") << QByteArray("  x  \n") << QStringList{"  x  "};
        QTest::newRow("utf-8 mark") << QByteArray("\xEF\xBB\xBFModel\n") << QStringList{"Model"};
        QTest::newRow("utf-16le mark") << Utf16LittleEndianWithMark("Index  \r\r\n0      \r\r\n1      \r\r\n")
                                       << QStringList{"Index  ", "0      ", "1      "};
        QTest::newRow("utf-16be mark") << QByteArray("\xFE\xFF\x00O\x00K\x00\n", 8) << QStringList{"OK"};
        QTest::newRow("utf-16le without mark") << Utf16LittleEndianWithMark("Index  \r\n0      \r\n").mid(2)
                                               << QStringList{"Index  ", "0      "};
        QTest::newRow("utf-16be without mark") << QByteArray("\x00O\x00K\x00\n\x00X", 8) << QStringList{"OK", "X"};
        QTest::newRow("one NUL is not utf-16") << QByteArray("ab\0cd\n", 6).append("ef") << QStringList{QString::fromLatin1("ab\0cd", 5), "ef"};
        QTest::newRow("utf-32le mark") << QByteArray("\xFF\xFE\x00\x00O\x00\x00\x00K\x00\x00\x00", 12)
                                       << QStringList{"OK"};
    }
    void cutsLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(DecodeCaptureLines(bytes), lines);
    }

    void utf16CaptureReadsLikeItsSingleByteTwin() {
        const QString text = "Index  Model\r\n0      Samsung SSD 860 EVO 500GB\r\n";
        QCOMPARE(DecodeCaptureLines(Utf16LittleEndianWithMark(text)), DecodeCaptureLines(text.toLatin1()));
    }

    void splitsWordsAtSpacesOnly() {
        QCOMPARE(SplitWords("    0   Samsung SSD 860 EVO  "), (QStringList{"0", "Samsung", "SSD", "860", "EVO"}));
        QCOMPARE(SplitWords("     "), QStringList());
        QCOMPARE(SplitWords("0\tDisk"), QStringList{"0\tDisk"});
    }

    void convertsNumbers() {
        QCOMPARE(ToNumber("42"), 42);
        QCOMPARE(ToNumber("-7"), -7);
        QCOMPARE(ToNumber("36h"), 0);
        QCOMPARE(ToNumber("0x10"), 0);
        QCOMPARE(ToNumber("99999999999"), 0);
        QCOMPARE(ToNumber(""), 0);
    }

    void missingCaptureIsNoDataAndLeavesNothing() {
        QTemporaryDir directory;
        const QString path = directory.filePath("never.txt");
        QVERIFY(!ReadCaptureLines(path).has_value());
        QVERIFY(!QFile::exists(path));
        QVERIFY(!CaptureHasContent(path));
        RemoveCaptureFile(path);
    }

    void readsAndRemovesAFile() {
        QTemporaryDir directory;
        const QString path = directory.filePath("Temp.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("one\r\ntwo");
        file.close();
        QVERIFY(CaptureHasContent(path));
        QCOMPARE(ReadCaptureLines(path).value(), (QStringList{"one", "two"}));
        RemoveCaptureFile(path);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(CaptureTests)
#include "CaptureTests.moc"
