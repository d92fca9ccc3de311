#include "LinuxBlockDevices.h"

#include "Text.h"

#include <algorithm>
#include <cstdio>

namespace standin {

std::optional<DeviceNumber> ParseDeviceNumber(const std::string& text) {
    const std::vector<std::string> parts = Split(text, ':');
    if (parts.size() != 2) return {};
    const std::optional<unsigned long long> major = DecimalNumber(parts[0]);
    const std::optional<unsigned long long> minor = DecimalNumber(parts[1]);
    if (!major || !minor || *major > 0xFFFFFFFFu || *minor > 0xFFFFFFFFu) return {};
    return DeviceNumber{static_cast<unsigned>(*major), static_cast<unsigned>(*minor)};
}

std::string DeviceNode(const std::string& kernelName) {
    std::string name = kernelName;
    std::replace(name.begin(), name.end(), '!', '/');
    return "/dev/" + name;
}

bool IsListedDiskName(const std::string& name) {
    for (const char* excluded : {"loop", "ram", "zram", "sr"})
        if (StartsWith(name, excluded)) return false;
    return true;
}

std::string TransportByName(const std::string& name) {
    if (StartsWith(name, "nvme")) return "nvme";
    if (StartsWith(name, "vd")) return "virtio";
    if (StartsWith(name, "mmcblk")) return "mmc";
    return {};
}

std::string TransportOfScsiDriver(const std::string& driver) {
    if (StartsWith(driver, "ahci") || StartsWith(driver, "sata")) return "sata";
    if (driver.find("ata") != std::string::npos) return "ata";
    return {};
}

std::string InterfaceType(const std::string& transport) {
    static const std::map<std::string, std::string> types = {
        {"sata", "SATA"}, {"nvme", "NVMe"}, {"usb", "USB"}, {"sas", "SAS"}, {"ata", "ATA"}};
    const auto found = types.find(transport);
    return found == types.end() ? "Virtual" : found->second;
}

std::string ScsiHostName(const std::string& devicePath) {
    for (const std::string& part : Split(devicePath, '/'))
        if (part.size() > 4 && StartsWith(part, "host") && DecimalNumber(part.substr(4))) return part;
    return {};
}

std::string SizeText(unsigned long long bytes) {
    constexpr unsigned long long MiB = 1ull << 20;
    constexpr unsigned long long GiB = 1ull << 30;
    return bytes >= GiB ? std::to_string(bytes / GiB) + " GB" : std::to_string(bytes / MiB) + " MB";
}

std::map<std::string, std::string> ParseUdevProperties(const std::string& text) {
    std::map<std::string, std::string> properties;
    for (const std::string& line : Split(text, '\n')) {
        const size_t equals = line.find('=');
        if (StartsWith(line, "E:") && equals != std::string::npos)
            properties[line.substr(2, equals - 2)] = line.substr(equals + 1);
    }
    return properties;
}

std::string UnescapeHex(const std::string& text) {
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && digit(text[i + 2]) >= 0 &&
            digit(text[i + 3]) >= 0) {
            plain += static_cast<char>(digit(text[i + 2]) * 16 + digit(text[i + 3]));
            i += 3;
        } else if (text[i] == '\\' && i + 3 < text.size() && text.find_first_not_of("01234567", i + 1) >= i + 4 &&
                   text[i + 1] <= '3') {
            plain += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
            i += 3;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

std::vector<MountEntry> ParseMountInfo(const std::string& text) {
    std::vector<MountEntry> entries;
    for (const std::string& line : Split(text, '\n')) {
        // ID PARENT MAJOR:MINOR ROOT MOUNT-POINT OPTIONS [OPTIONAL FIELDS...] - TYPE SOURCE SUPER-OPTIONS
        const std::vector<std::string> fields = Words(line);
        const auto separator = std::find(fields.begin(), fields.end(), "-");
        if (fields.size() < 6 || separator - fields.begin() < 6 || fields.end() - separator < 3) continue;
        const std::optional<DeviceNumber> number = ParseDeviceNumber(fields[2]);
        if (!number) continue;
        entries.push_back({number->major, number->minor, UnescapeHex(fields[3]), UnescapeHex(fields[4]),
                           UnescapeHex(separator[1]), UnescapeHex(separator[2])});
    }
    return entries;
}

std::vector<std::string> ParseSwapFileNames(const std::string& text) {
    std::vector<std::string> names;
    const std::vector<std::string> lines = Split(text, '\n');
    for (size_t i = 1; i < lines.size(); ++i) {  // after the heading
        const std::vector<std::string> fields = Words(lines[i]);
        if (!fields.empty()) names.push_back(UnescapeHex(fields[0]));
    }
    return names;
}

std::optional<MountEntry> RootMount(const std::vector<MountEntry>& mounts) {
    for (auto entry = mounts.rbegin(); entry != mounts.rend(); ++entry)
        if (entry->mountPoint == "/") return *entry;
    return {};
}

bool MountsDevice(const MountEntry& mount, DeviceNumber number, const std::string& node) {
    if (mount.major == number.major && mount.minor == number.minor) return true;
    return mount.fileSystem == "btrfs" && mount.source == node;
}

std::string ChooseMountPoint(const std::vector<MountEntry>& mountsOfDevice) {
    if (mountsOfDevice.empty()) return {};
    const MountEntry& latest = mountsOfDevice.back();
    if (latest.root == "/") return latest.mountPoint;
    for (auto entry = mountsOfDevice.rbegin(); entry != mountsOfDevice.rend(); ++entry)
        if (entry->root == "/") return entry->mountPoint;
    return latest.mountPoint;
}

void AssignLetters(std::vector<MountedVolume>& volumes) {
    char next = 'D';
    for (MountedVolume& mounted : volumes) {
        const bool holdsRoot = std::find(mounted.mounts.begin(), mounted.mounts.end(), "/") != mounted.mounts.end();
        if (holdsRoot) {
            mounted.volume.letter = "C";
            mounted.volume.info = "Boot";
        } else if (!mounted.mounts.empty()) {
            mounted.volume.letter = next <= 'Z' ? std::string(1, next) : "-";
            ++next;
        } else {
            mounted.volume.letter = "-";
        }
    }
}

long long ResidentKilobytes(const std::string& status) {
    for (const std::string& line : Split(status, '\n')) {
        const std::vector<std::string> fields = Words(line);
        if (fields.size() >= 2 && fields[0] == "VmRSS:") return static_cast<long long>(DecimalNumber(fields[1]).value_or(0));
    }
    return 0;
}

}  // namespace standin
