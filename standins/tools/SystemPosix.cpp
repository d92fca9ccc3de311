#include "LinuxBlockDevices.h"
#include "PosixFiles.h"
#include "ReportCache.h"
#include "System.h"
#include "Text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace standin {

void WriteAll(int descriptor, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t wrote = write(descriptor, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return;
        done += static_cast<size_t>(wrote);
    }
}

std::string ReadStandardInput() { return ReadOpenFile(STDIN_FILENO, std::string().max_size()).value_or(std::string()); }

std::optional<std::string> ReadOpenFile(int descriptor, size_t limit) {
    std::string text;
    char buffer[65536];
    while (text.size() < limit) {
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return {};
        if (got == 0) break;
        text.append(buffer, static_cast<size_t>(got));
    }
    if (text.size() > limit) text.resize(limit);
    return text;
}

std::optional<std::string> ReadFileText(const std::string& path, size_t limit) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) return {};
    std::optional<std::string> text = ReadOpenFile(descriptor, limit);
    close(descriptor);
    return text;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* directory = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(directory)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(directory);
    }
    return names;
}

bool AppendToFile(const std::string& path, const std::string& text, std::string& problem) {
    const int file = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (file < 0) {
        problem = std::strerror(errno);
        return false;
    }
    WriteAll(file, text);
    close(file);
    return true;
}

std::string ComputerName() {
    const std::string hostName = FirstLine("/proc/sys/kernel/hostname");
    if (!hostName.empty()) return hostName;
    utsname names{};
    return uname(&names) == 0 ? names.nodename : "";
}

namespace {

class LinuxSource : public MachineSource {
public:
    std::vector<Drive> Drives() override {
        if (!drives_) drives_ = ReadLinuxDrives();
        return *drives_;
    }
    std::vector<Volume> Volumes(size_t index) override { return ReadLinuxVolumes(Drives(), index); }
    std::vector<Process> Processes() override { return ReadLinuxProcesses(); }

private:
    std::optional<std::vector<Drive>> drives_;
};

// Debian's smartctl on the disk itself, as the root service runs it; what it cannot read it says on
// its standard output.
int RunRealSmartctl(const std::string& deviceNode) {
    std::vector<std::string> words = SmartctlCommand(deviceNode);
    std::vector<char*> pointers;
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
    const int ownErrors = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    const int silence = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (silence >= 0) dup2(silence, STDERR_FILENO);
    execvp("smartctl", pointers.data());
    const std::string failure = std::string("stand-in smartctl64Bit.exe: cannot run smartctl: ") + std::strerror(errno) + "\n";
    if (ownErrors >= 0) WriteAll(ownErrors, failure);
    return 127;
}

}  // namespace

std::unique_ptr<MachineSource> OpenThisMachine() { return std::make_unique<LinuxSource>(); }

int ReportThisMachinesDrive(const Drive& drive, const std::string&) {
    // Only root opens a drive for S.M.A.R.T.; any other user gets the report the root service keeps.
    if (geteuid() != 0) {
        if (const std::optional<std::string> report = ReadCachedReport(ReportFolder(), drive.kernelName)) {
            WriteAll(StandardOutput, *report);
            return 0;
        }
    }
    return RunRealSmartctl(DeviceNode(drive.kernelName));
}

}  // namespace standin
