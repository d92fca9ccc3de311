#pragma once

// What the stand-in tools report: the drives in WMIC's index order with their volumes, and the
// running processes. They come from a described machine (machine.txt, see standins/machines/) or
// from this Linux machine itself.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace standin {

struct Volume {
    std::string letter;  // "-" for none
    std::string label;
    std::string fileSystem;
    std::string size;
    std::string info;  // "Boot", "System" or nothing
};

struct Drive {
    std::string model;
    bool boot = false;
    std::string type = "SATA";  // diskpart's "Type"
    std::string size;
    std::string report;      // a described drive's report file; empty when it has none
    // The Linux name of the disk it is, e.g. "sda" or "nvme0n1": every drive of this machine, and a
    // described drive that stands for one. Such a drive's report is the root service's, or smartctl's.
    std::string kernelName;
    std::vector<Volume> volumes;  // a described drive's; a real drive's are read when asked for
};

struct Process {
    std::string name;
    long long id = 0;
    long long memoryKb = 0;
};

struct DescribedMachine {
    std::vector<Drive> drives;
    std::vector<Process> processes;
};

// machine.txt: one item per line; a line whose first word starts with "#" is a comment. The first
// word is the key, the rest of the line (blanks around it removed) its value, taken as it stands:
// a model text may hold "|", quotes, "#" or spaces. Only a volume's value is split, at each "|".
// Report files are named relative to `folder`; a "device" value is a disk's name without any "/".
DescribedMachine ParseDescribedMachine(const std::string& text, const std::string& folder);

// Where the tools' answers come from: the folder in CORVANE_SIMULATED_MACHINE, or else this machine.
class MachineSource {
public:
    virtual ~MachineSource() = default;
    virtual std::vector<Drive> Drives() = 0;
    // The volumes of drive `index` of Drives().
    virtual std::vector<Volume> Volumes(size_t index) = 0;
    virtual std::vector<Process> Processes() = 0;
};

std::unique_ptr<MachineSource> OpenMachine();

// The folder CORVANE_SIMULATED_MACHINE names; empty when the tools answer for this machine.
std::string DescribedMachineFolder();

// This Linux machine, read from /sys/block, /proc/self/mountinfo, /proc/swaps, udev's database in
// /run/udev/data and /proc: the whole disks as lsblk lists them (no loop, RAM, zram or optical
// devices) in device-number order, the boot disk under the root file system, the volumes of a disk
// with Windows-like letters, and the processes.
std::vector<Drive> ReadLinuxDrives();
std::vector<Volume> ReadLinuxVolumes(const std::vector<Drive>& drives, size_t index);
std::vector<Process> ReadLinuxProcesses();

}  // namespace standin
