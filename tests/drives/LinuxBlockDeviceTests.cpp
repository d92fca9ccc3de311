#include "LinuxBlockDevices.h"

#include <QtTest>

using namespace standin;

// The rules by which the stand-in tools read this machine's disks, on texts as the kernel and udev
// write them for machines other than the one the tests run on.
class LinuxBlockDeviceTests : public QObject {
    Q_OBJECT

private slots:
    void mountTableEntriesWithOptionalFieldsAndEscapes() {
        const std::vector<MountEntry> mounts = ParseMountInfo(
            "27 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
            "31 27 0:35 /@home /home rw master:2 - btrfs /dev/nvme0n1p3 rw,subvol=/@home\n"
            "40 27 8:17 / /media/My\\040Disk rw - vfat /dev/sdb1 rw\n"
            "broken line\n"
            "41 27 8:2 / / rw - ext4 /dev/sda2 rw\n");
        QCOMPARE(mounts.size(), size_t(4));
        QCOMPARE(mounts[1].root, std::string("/@home"));
        QCOMPARE(mounts[1].fileSystem, std::string("btrfs"));
        QCOMPARE(mounts[1].source, std::string("/dev/nvme0n1p3"));
        QCOMPARE(mounts[2].mountPoint, std::string("/media/My Disk"));
        QCOMPARE(mounts[2].minor, 17u);
        QCOMPARE(RootSource(mounts), std::string("/dev/sda2"));
        QCOMPARE(RootSource({}), std::string());
    }

    // lsblk shows the latest mount, unless it mounts a part of the file system and another all of it.
    void mountPointOfADeviceMountedTwice() {
        const MountEntry whole{8, 2, "/", "/", "ext4", "/dev/sda2"};
        const MountEntry part{8, 2, "/var/lib/x", "/srv/x", "ext4", "/dev/sda2"};
        const MountEntry again{8, 2, "/", "/mnt/again", "ext4", "/dev/sda2"};
        QCOMPARE(ChooseMountPoint({whole, part}), std::string("/"));
        QCOMPARE(ChooseMountPoint({whole, again}), std::string("/mnt/again"));
        QCOMPARE(ChooseMountPoint({part}), std::string("/srv/x"));
        QCOMPARE(ChooseMountPoint({}), std::string());
    }

    void lettersFollowDiskOrderAfterTheRootVolume() {
        std::vector<MountedVolume> volumes(27);
        volumes[0].mounts = {"/boot/efi"};
        volumes[2].mounts = {"[SWAP]"};
        volumes[3].mounts = {"/"};                   // root on LVM: the mount of what is built on it
        for (size_t i = 4; i < volumes.size(); ++i) volumes[i].mounts = {"/data" + std::to_string(i)};
        AssignLetters(volumes);
        QCOMPARE(volumes[0].volume.letter, std::string("D"));
        QCOMPARE(volumes[1].volume.letter, std::string("-"));
        QCOMPARE(volumes[2].volume.letter, std::string("E"));
        QCOMPARE(volumes[3].volume.letter, std::string("C"));
        QCOMPARE(volumes[3].volume.info, std::string("Boot"));
        QCOMPARE(volumes[4].volume.letter, std::string("F"));
        QCOMPARE(volumes[24].volume.letter, std::string("Z"));
        QCOMPARE(volumes[25].volume.letter, std::string("-"));
    }

    void interfaceFromTheDeviceOrItsScsiHost() {
        QCOMPARE(InterfaceType(TransportByName("nvme0n1")), std::string("NVMe"));
        QCOMPARE(InterfaceType(TransportByName("vda")), std::string("Virtual"));
        QCOMPARE(InterfaceType(TransportByName("mmcblk0")), std::string("Virtual"));
        QCOMPARE(InterfaceType(TransportOfScsiDriver("ahci")), std::string("SATA"));
        QCOMPARE(InterfaceType(TransportOfScsiDriver("ata_piix")), std::string("ATA"));
        QCOMPARE(InterfaceType(TransportOfScsiDriver("virtio_scsi")), std::string("Virtual"));
        QCOMPARE(InterfaceType("usb"), std::string("USB"));
        QCOMPARE(InterfaceType("sas"), std::string("SAS"));
        QCOMPARE(ScsiHostName("/sys/devices/pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0"),
                 std::string("host0"));
        QCOMPARE(ScsiHostName("/sys/devices/pci0000:00/0000:00:02.0/virtio1/block/vda"), std::string());
    }

    void namesSizesAndUdevTexts() {
        for (const char* name : {"loop0", "ram1", "zram0", "sr0"}) QVERIFY(!IsListedDiskName(name));
        for (const char* name : {"sda", "nvme0n1", "vda", "mmcblk0"}) QVERIFY(IsListedDiskName(name));
        QCOMPARE(DeviceNode("cciss!c0d0"), std::string("/dev/cciss/c0d0"));
        QCOMPARE(SizeText(480103981056ull), std::string("447 GB"));
        QCOMPARE(SizeText((1ull << 30) - 1), std::string("1023 MB"));
        QCOMPARE(SizeText(0), std::string("0 MB"));
        QVERIFY(!ParseDeviceNumber("8"));
        QVERIFY(!ParseDeviceNumber("8:x"));
        QCOMPARE(ParseDeviceNumber("259:3")->minor, 3u);
        const std::map<std::string, std::string> udev =
            ParseUdevProperties("S:disk/by-id/x\nE:ID_MODEL=Samsung_SSD\nE:ID_FS_LABEL_ENC=My\\x20Disk\\x5cx20\nE:BAD\n");
        QCOMPARE(udev.at("ID_MODEL"), std::string("Samsung_SSD"));
        QCOMPARE(UnescapeHex(udev.at("ID_FS_LABEL_ENC")), std::string("My Disk\\x20"));
        QCOMPARE(udev.count("BAD"), size_t(0));
        QCOMPARE(ParseSwapFileNames("Filename\tType\tSize\tUsed\tPriority\n/dev/sda3 partition 8388604 0 -2\n"),
                 std::vector<std::string>{"/dev/sda3"});
        QCOMPARE(ResidentKilobytes("Name:\tbash\nVmRSS:\t    5120 kB\n"), 5120ll);
        QCOMPARE(ResidentKilobytes("Name:\tkthreadd\n"), 0ll);
    }
};

QTEST_GUILESS_MAIN(LinuxBlockDeviceTests)
#include "LinuxBlockDeviceTests.moc"
