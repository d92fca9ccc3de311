#include "LinuxBlockDevices.h"
#include "Machine.h"
#include "PosixFiles.h"
#include "System.h"
#include "Text.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>

namespace standin {
namespace {

const std::string SysBlock = "/sys/block/";

struct BlockDevice {
    std::string name;       // as in /sys/class/block, e.g. "sda", "sda2", "dm-0"
    std::string directory;  // its folder in /sys
    dev_t number = 0;
};

bool Exists(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0;
}

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

std::optional<BlockDevice> DeviceInFolder(const std::string& directory) {
    if (directory.empty()) return {};
    const std::optional<DeviceNumber> number = ParseDeviceNumber(FirstLine(directory + "/dev"));
    if (!number) return {};
    return BlockDevice{directory.substr(directory.rfind('/') + 1), directory, makedev(number->major, number->minor)};
}

std::optional<BlockDevice> DeviceByNumber(dev_t number) {
    const std::string directory =
        RealPath("/sys/dev/block/" + std::to_string(major(number)) + ":" + std::to_string(minor(number)));
    return directory.empty() ? std::nullopt : DeviceInFolder(directory);
}

std::optional<BlockDevice> DeviceByName(const std::string& name) {
    const std::string directory = RealPath("/sys/class/block/" + name);
    return directory.empty() ? std::nullopt : DeviceInFolder(directory);
}

bool IsPartition(const BlockDevice& device) { return Exists(device.directory + "/partition"); }

// lsblk's type "disk": not a partition, device-mapper, loop or RAID device, and a SCSI device only
// when its SCSI type is 0 (not an optical drive, tape or the like).
bool IsDiskType(const BlockDevice& device) {
    if (IsPartition(device) || StartsWith(device.name, "dm-") || StartsWith(device.name, "loop") ||
        StartsWith(device.name, "md"))
        return false;
    const std::string scsiType = FirstLine(device.directory + "/device/type");
    return scsiType.empty() || scsiType == "0";
}

// Devices in device-number order, as lsblk sorts them.
std::vector<BlockDevice> ByNumber(std::vector<BlockDevice> devices) {
    std::sort(devices.begin(), devices.end(), [](const BlockDevice& a, const BlockDevice& b) {
        return std::make_pair(major(a.number), minor(a.number)) < std::make_pair(major(b.number), minor(b.number));
    });
    return devices;
}

std::vector<BlockDevice> Related(const BlockDevice& device, const char* relation) {
    std::vector<BlockDevice> devices;
    for (const std::string& name : FolderEntries(device.directory + "/" + relation))
        if (const std::optional<BlockDevice> related = DeviceByName(name)) devices.push_back(*related);
    return ByNumber(devices);
}

std::vector<BlockDevice> WholeDisks() {
    std::vector<BlockDevice> disks;
    for (const std::string& name : FolderEntries(SysBlock)) {
        if (!IsListedDiskName(name)) continue;
        const std::optional<BlockDevice> disk = DeviceInFolder(RealPath(SysBlock + name));
        if (disk && IsDiskType(*disk)) disks.push_back(*disk);
    }
    return ByNumber(disks);
}

std::string DevicePath(const BlockDevice& device) {
    if (StartsWith(device.name, "dm-")) return "/dev/mapper/" + FirstLine(device.directory + "/dm/name");
    return DeviceNode(device.name);
}

// What udev recorded about a device; empty where udev keeps no database.
std::map<std::string, std::string> UdevProperties(const BlockDevice& device) {
    return ParseUdevProperties(ReadFileText("/run/udev/data/b" + std::to_string(major(device.number)) + ":" +
                                            std::to_string(minor(device.number)))
                                   .value_or(std::string()));
}

std::string Property(const std::map<std::string, std::string>& properties, const std::string& key) {
    const auto found = properties.find(key);
    return found == properties.end() ? std::string() : found->second;
}

// The interface lsblk names (TRAN), told from the SCSI host the device hangs off, or else its name.
std::string Transport(const BlockDevice& device) {
    const std::string devicePath = RealPath(device.directory + "/device");
    const std::string host = ScsiHostName(devicePath);
    if (host.empty()) return TransportByName(device.name);
    const auto hostIs = [&host](const std::string& kind) { return Exists("/sys/class/" + kind + "_host/" + host); };
    if (hostIs("spi")) return "spi";
    if (hostIs("fc")) return "fc";
    if (hostIs("sas") || Exists(device.directory + "/device/sas_device")) return "sas";
    if (Exists(device.directory + "/device/ieee1394_id")) return "sbp";
    if (hostIs("iscsi")) return "iscsi";
    if (devicePath.find("usb") != std::string::npos) return "usb";
    return TransportOfScsiDriver(FirstLine("/sys/class/scsi_host/" + host + "/proc_name"));
}

unsigned long long SizeInBytes(const BlockDevice& device) {
    return DecimalNumber(FirstLine(device.directory + "/size")).value_or(0) * 512;
}

struct MountTables {
    std::vector<MountEntry> mounts = ParseMountInfo(ReadFileText("/proc/self/mountinfo").value_or(std::string()));
    std::vector<std::string> swaps = ParseSwapFileNames(ReadFileText("/proc/swaps").value_or(std::string()));
};

// Swap files and devices are named by root alone, so looking them up cannot hang.
bool IsSameBlockDevice(const std::string& path, dev_t number) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISBLK(status.st_mode) && status.st_rdev == number;
}

bool IsMountOf(const MountEntry& mount, const BlockDevice& device) {
    return MountsDevice(mount, {major(device.number), minor(device.number)}, DevicePath(device));
}

// lsblk's MOUNTPOINT of one device.
std::string MountPoint(const BlockDevice& device, const MountTables& tables) {
    std::vector<MountEntry> mounted;
    for (const MountEntry& entry : tables.mounts)
        if (IsMountOf(entry, device)) mounted.push_back(entry);
    if (!mounted.empty()) return ChooseMountPoint(mounted);
    for (const std::string& swap : tables.swaps)
        if (IsSameBlockDevice(swap, device.number)) return "[SWAP]";
    return {};
}

// The mount points of a volume and of everything built on it (LVM, encryption, RAID).
std::vector<std::string> VolumeMounts(const BlockDevice& volume, const MountTables& tables) {
    std::vector<std::string> mounts;
    const std::string own = MountPoint(volume, tables);
    if (!own.empty()) mounts.push_back(own);
    for (const BlockDevice& holder : Related(volume, "holders")) {
        const std::vector<std::string> above = VolumeMounts(holder, tables);
        mounts.insert(mounts.end(), above.begin(), above.end());
    }
    return mounts;
}

// The file system type: udev's, else that of the first mount of the device itself.
std::string FileSystemType(const BlockDevice& volume, const std::map<std::string, std::string>& properties,
                           const MountTables& tables) {
    const std::string type = Property(properties, "ID_FS_TYPE");
    if (!type.empty()) return type;
    for (const MountEntry& entry : tables.mounts)
        if (IsMountOf(entry, volume)) return entry.fileSystem;
    return {};
}

// The volumes of a disk: its partitions, or the disk itself when it carries a file system directly.
std::vector<BlockDevice> DiskVolumes(const BlockDevice& disk, const MountTables& tables) {
    std::vector<BlockDevice> partitions;
    for (const std::string& name : FolderEntries(disk.directory)) {
        const std::optional<BlockDevice> partition = DeviceInFolder(disk.directory + "/" + name);
        if (partition && IsPartition(*partition)) partitions.push_back(*partition);
    }
    if (!partitions.empty()) return ByNumber(partitions);
    if (!Property(UdevProperties(disk), "ID_FS_TYPE").empty() || !VolumeMounts(disk, tables).empty()) return {disk};
    return {};
}

// The disk under the root file system, through partitions, LVM, encryption or RAID: the first disk
// met going down from the device mounted at "/", lower devices in device-number order.
std::optional<BlockDevice> DiskBelow(const BlockDevice& device) {
    if (IsDiskType(device)) return device;
    std::vector<BlockDevice> lower = Related(device, "slaves");
    if (IsPartition(device)) {
        if (std::optional<BlockDevice> disk = DeviceInFolder(device.directory.substr(0, device.directory.rfind('/'))))
            lower.push_back(*disk);
    }
    for (const BlockDevice& below : lower)
        if (std::optional<BlockDevice> disk = DiskBelow(below)) return disk;
    return {};
}

// The block device of a mount, by MountsDevice's rule.
std::optional<BlockDevice> DeviceOfMount(const MountEntry& mount) {
    if (std::optional<BlockDevice> device = DeviceByNumber(makedev(mount.major, mount.minor))) return device;
    for (const std::string& name : FolderEntries("/sys/class/block")) {
        const std::optional<BlockDevice> device = DeviceByName(name);
        if (device && IsMountOf(mount, *device)) return device;
    }
    return {};
}

std::string BootDiskName(const MountTables& tables) {
    const std::optional<MountEntry> rootMount = RootMount(tables.mounts);
    const std::optional<BlockDevice> root = rootMount ? DeviceOfMount(*rootMount) : std::nullopt;
    const std::optional<BlockDevice> disk = root ? DiskBelow(*root) : std::nullopt;
    return disk ? disk->name : std::string();
}

}  // namespace

std::vector<Drive> ReadLinuxDrives() {
    const MountTables tables;
    const std::string bootDisk = BootDiskName(tables);
    std::vector<Drive> drives;
    for (const BlockDevice& disk : WholeDisks()) {
        Drive drive;
        drive.kernelName = disk.name;
        drive.model = Trim(Property(UdevProperties(disk), "ID_MODEL"));
        if (drive.model.empty()) drive.model = FirstLine(disk.directory + "/device/model");
        if (drive.model.empty()) drive.model = disk.name;
        drive.boot = disk.name == bootDisk;
        drive.type = InterfaceType(Transport(disk));
        drive.size = SizeText(SizeInBytes(disk));
        drives.push_back(drive);
    }
    return drives;
}

std::vector<Volume> ReadLinuxVolumes(const std::vector<Drive>& drives, size_t index) {
    if (index >= drives.size()) return {};
    const MountTables tables;
    std::vector<MountedVolume> all;
    size_t first = 0;
    size_t count = 0;
    for (size_t d = 0; d < drives.size(); ++d) {
        const std::optional<BlockDevice> disk = DeviceByName(drives[d].kernelName);
        if (!disk) continue;
        if (d == index) first = all.size();
        for (const BlockDevice& volume : DiskVolumes(*disk, tables)) {
            const std::map<std::string, std::string> properties = UdevProperties(volume);
            Volume described{"-", Trim(UnescapeHex(Property(properties, "ID_FS_LABEL_ENC"))),
                             Upper(FileSystemType(volume, properties, tables)), SizeText(SizeInBytes(volume)), ""};
            all.push_back({described, VolumeMounts(volume, tables)});
            if (d == index) ++count;
        }
    }
    AssignLetters(all);
    std::vector<Volume> volumes;
    for (size_t v = first; v < first + count; ++v) volumes.push_back(all[v].volume);
    return volumes;
}

std::vector<Process> ReadLinuxProcesses() {
    std::vector<std::string> ids;
    for (const std::string& name : FolderEntries("/proc"))
        if (DecimalNumber(name)) ids.push_back(name);
    // In the order a shell lists /proc/[0-9]*: as text, so "10" before "9".
    std::sort(ids.begin(), ids.end());
    std::vector<Process> processes;
    for (const std::string& id : ids) {
        const std::optional<std::string> name = ReadFileText("/proc/" + id + "/comm", 4096);
        if (!name) continue;
        const std::string status = ReadFileText("/proc/" + id + "/status", 1 << 16).value_or(std::string());
        processes.push_back({Trim(name->substr(0, name->find('\n'))), static_cast<long long>(*DecimalNumber(id)),
                             ResidentKilobytes(status)});
    }
    return processes;
}

}  // namespace standin
