#include "disks/BootDisk.h"
#include "disks/DriveList.h"
#include "exec/CaptureFile.h"

#include <QtTest>

using namespace disks;

namespace {

QStringList WindowsSample(const QString& name) {
    return ReadCaptureLines(QStringLiteral(CORVANE_CORPUS_DIR "/windows/") + name).value_or(QStringList());
}

QByteArray Utf16LittleEndianWithMark(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

}  // namespace

class DriveListTests : public QObject {
    Q_OBJECT

private slots:
    void modelTextIsTheRowOfTheIndex() {
        const QStringList capture{"Index  Model                   ", "0      Samsung SSD 860 EVO 500GB  ",
                                  "1      WDC   WD20EZRZ-00Z5HB0       ", "2      TDK LoR TF10 USB Device  "};
        QCOMPARE(ModelTextForIndex(capture, "1"), QStringLiteral("WDC WD20EZRZ-00Z5HB0 "));
        QCOMPARE(ModelTextForIndex(capture, "0"), QStringLiteral("Samsung SSD 860 EVO 500GB "));
        QCOMPARE(ModelTextForIndex(capture, "3"), QString());
        QCOMPARE(ModelTextForIndex({"Index  Model", "-----  -----"}, "0"), QString());
        QCOMPARE(ModelTextForIndex({"Index", "5      "}, "5"), QString());
    }

    void powerShellTableMatchesLikeWmic() {
        const QStringList table{"Index Model", "----- -----", "    0 Samsung SSD 860 EVO 500GB", "   10 WDC WD20EZRZ-00Z5HB0"};
        QCOMPARE(ModelTextForIndex(table, "0"), QStringLiteral("Samsung SSD 860 EVO 500GB "));
        QCOMPARE(ModelTextForIndex(table, "10"), QStringLiteral("WDC WD20EZRZ-00Z5HB0 "));
    }

    void linesNamingIndexAreNeverRows() {
        QCOMPARE(ModelTextForIndex({"0      Index Drive 2000", "0      Real Drive"}, "0"), QStringLiteral("Real Drive "));
        QCOMPARE(ModelTextForIndex({"0\tTabbed Drive", "0 Spaced Drive"}, "0"), QStringLiteral("Spaced Drive "));
    }

    void wmicSampleWithUnsortedRows() {
        const QStringList capture = WindowsSample("wmic-diskdrive-get-index-model-serialnumber-5disks.txt");
        QCOMPARE(ModelTextForIndex(capture, "3"), QStringLiteral("Realtek RTL9210B-CG SCSI Disk Device 0000000000000000 "));
        QCOMPARE(ModelTextForIndex(capture, "2"), QStringLiteral("BUFFALO SSD-PGU3/NL SCSI Disk Device "));
        QCOMPARE(DiskIndexEntries(capture).size(), 5);
    }

    void indexEntriesKeepTheirPadding() {
        QCOMPARE(DiskIndexEntries({"Index  ", "0      ", "1      ", ""}), (QStringList{"0      ", "1      ", ""}));
        QCOMPARE(DiskIndexEntries({"Index", "-----", "    0", "    1"}), (QStringList{"    0", "    1"}));
        QCOMPARE(DiskIndexEntries({" Index", "0", "0"}), (QStringList{" Index", "0", "0"}));
        QCOMPARE(DiskIndexEntries({}), QStringList());
    }

    void utf16CaptureReadsLikeItsSingleByteTwin() {
        const QString text = QStringLiteral("Index  Model  \r\r\n0      Samsung SSD 860 EVO 500GB  \r\r\n1      \r\r\n\r\r\n");
        const QStringList wide = DecodeCaptureLines(Utf16LittleEndianWithMark(text));
        QCOMPARE(wide, DecodeCaptureLines(text.toLatin1()));
        QCOMPARE(DiskIndexEntries(wide), (QStringList{"0      Samsung SSD 860 EVO 500GB  ", "1      ", ""}));
        QCOMPARE(ModelTextForIndex(wide, "0"), QStringLiteral("Samsung SSD 860 EVO 500GB "));
    }

    // A capture made by Wine's WMIC, when the test command could make one.
    void wineWmicCaptureGivesTheIndexList() {
        const QByteArray path = qgetenv("CORVANE_WINE_WMIC_CAPTURE");
        if (path.isEmpty()) QSKIP("CORVANE_WINE_WMIC_CAPTURE is not set");
        QFile file(QString::fromLocal8Bit(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.peek(2) == QByteArray("\xFF\xFE", 2));
        const QStringList entries = DiskIndexEntries(ReadCaptureLines(file.fileName()).value_or(QStringList()));
        QVERIFY(!entries.isEmpty());
        for (int i = 0; i < entries.size(); ++i) {
            if (!entries[i].trimmed().isEmpty()) QCOMPARE(entries[i].trimmed(), QString::number(i));
        }
    }

    void bootLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("boot");
        QTest::newRow("yes") << "Boot Disk  : Yes" << true;
        QTest::newRow("no") << "Boot Disk  : No" << false;
        QTest::newRow("letter case ignored") << "boot disk  : YES" << true;
        QTest::newRow("volume marked Boot") << "  Volume 1     C   Windows      NTFS   Partition    126 GB  Healthy    Boot    " << true;
        QTest::newRow("volume Boot without padding") << "  Volume 2     C                NTFS   Partition    464 GB  Healthy    Boot" << false;
        QTest::newRow("Pagefile Disk") << "Pagefile Disk  : Yes" << false;
        QTest::newRow("boot followed by four spaces, other case") << "boot    " << false;
    }
    void bootLines() {
        QFETCH(QString, line);
        QFETCH(bool, boot);
        QCOMPARE(IsBootLine(line), boot);
    }

    void diskpartSamplesShowTheirBootDisk() {
        QVERIFY(ShowsBootDisk(WindowsSample("diskpart-s-script-select-detail-disk-samsung850evo.txt")));
        QVERIFY(ShowsBootDisk(WindowsSample("diskpart-win7-list-select-detail-disk-wd1002faex.txt")));
        QVERIFY(ShowsBootDisk(WindowsSample("diskpart-detail-disk-azure-os-disk-virtualclient-fixture.txt")));
        QVERIFY(ShowsBootDisk(WindowsSample("diskpart-detail-disk-nvme-client-virtualclient-fixture.txt")));
        QVERIFY(!ShowsBootDisk(WindowsSample("diskpart-detail-disk-no-volumes-virtualclient-fixture.txt")));
        QVERIFY(!ShowsBootDisk(WindowsSample("diskpart-list-disk-azure-vm-virtualclient-fixture.txt")));
    }

    void diskpartScriptUsesTheEntryAsGiven() {
        QCOMPARE(DiskpartScript("0"), QStringLiteral("list disk  \nselect disk 0\ndetail disk"));
        QCOMPARE(DiskpartScript("    1"), QStringLiteral("list disk  \nselect disk     1\ndetail disk"));
        QCOMPARE(DiskpartScript(""), QString());
    }
};

QTEST_GUILESS_MAIN(DriveListTests)
#include "DriveListTests.moc"
