#pragma once

// The decisions behind this machine's drive list, as plain functions of the text the kernel and
// udev publish: which block devices are listed disks, their interface, size text and file systems,
// where they are mounted, and the Windows-like letters of their volumes. They follow lsblk's rules,
// which the earlier shell stand-ins used.

#include "Machine.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct DeviceNumber {
    unsigned major = 0;
    unsigned minor = 0;
};
std::optional<DeviceNumber> ParseDeviceNumber(const std::string& text);  // "8:0"

// The device file of a block device named as in /sys/block ("cciss!c0d0" is /dev/cciss/c0d0).
std::string DeviceNode(const std::string& kernelName);

// Not a loop, RAM, zram or optical device.
bool IsListedDiskName(const std::string& name);

// lsblk's transport name (TRAN): by the device name where there is no SCSI host, or by the SCSI
// host's driver; diskpart's Type for it.
std::string TransportByName(const std::string& name);
std::string TransportOfScsiDriver(const std::string& driver);
std::string InterfaceType(const std::string& transport);
// The "hostN" folder in a SCSI device's /sys path; empty for a device on no SCSI host.
std::string ScsiHostName(const std::string& devicePath);

// "447 GB" from whole GiB, else "500 MB" from whole MiB.
std::string SizeText(unsigned long long bytes);

// The "E:KEY=VALUE" lines of a device's file in udev's database.
std::map<std::string, std::string> ParseUdevProperties(const std::string& text);
// udev's and the mount table's escapes undone: "\x20" (and in mountinfo "\040") become the byte.
std::string UnescapeHex(const std::string& text);

struct MountEntry {
    unsigned major = 0;
    unsigned minor = 0;
    std::string root;  // the folder of the file system that is mounted; "/" for all of it
    std::string mountPoint;
    std::string fileSystem;
    std::string source;
};
std::vector<MountEntry> ParseMountInfo(const std::string& text);  // /proc/self/mountinfo
std::vector<std::string> ParseSwapFileNames(const std::string& text);  // /proc/swaps
// The mount at "/" (the last mount there).
std::optional<MountEntry> RootMount(const std::vector<MountEntry>& mounts);
// Whether `mount` is of the block device `number`, whose device file is `node`: by its device number.
// Only btrfs gives its mounts a number of no block device, and only root makes btrfs mounts, so a btrfs
// mount is taken to be of the device its source names. Any user names a FUSE mount's source as they
// like (-o fsname=/dev/sda), so no other source is believed, nor ever looked up: looking up a path on a
// file system whose server never answers would hang the tool.
bool MountsDevice(const MountEntry& mount, DeviceNumber number, const std::string& node);
// Of one device's mounts, in mount-table order, the one lsblk shows: the latest, unless that mounts
// a part of the file system (a bind mount, a subvolume) and another mounts all of it.
std::string ChooseMountPoint(const std::vector<MountEntry>& mountsOfDevice);

struct MountedVolume {
    Volume volume;
    std::vector<std::string> mounts;  // its own and those of what is built on it
};
// C for the volume holding "/", which is also the boot volume; then D, E, ... for the other
// mounted volumes in disk order; unmounted volumes, and those past Z, get none.
void AssignLetters(std::vector<MountedVolume>& volumes);

// VmRSS from a /proc/PID/status text; 0 for processes without memory of their own.
long long ResidentKilobytes(const std::string& status);

}  // namespace standin
