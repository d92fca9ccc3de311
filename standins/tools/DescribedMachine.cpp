#include "Machine.h"
#include "System.h"
#include "Text.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace standin {
namespace {

Volume ParseVolume(const std::string& value) {
    // The fields between "|"s; a "|" at the very end closes the last field rather than opening one.
    std::vector<std::string> fields = value.empty() ? std::vector<std::string>() : Split(value, '|');
    if (fields.size() > 1 && fields.back().empty()) fields.pop_back();
    fields.resize(5);
    return {fields[0].empty() ? "-" : Trim(fields[0]), Trim(fields[1]), Trim(fields[2]), Trim(fields[3]),
            Trim(fields[4])};
}

}  // namespace

DescribedMachine ParseDescribedMachine(const std::string& text, const std::string& folder) {
    DescribedMachine machine;
    for (const std::string& rawLine : Split(text, '\n')) {
        const std::string line = Trim(rawLine);
        const size_t keyEnd = line.find_first_of(" \t");
        const std::string key = line.substr(0, keyEnd);
        const std::string value = keyEnd == std::string::npos ? std::string() : Trim(line.substr(keyEnd));
        if (key.empty() || key[0] == '#') continue;
        if (key == "process") {
            const long long id = 4 * static_cast<long long>(machine.processes.size() + 1);
            // Only a described process's name matters; its id and size are made up.
            machine.processes.push_back({value, id, id * 1024 + 8});
            continue;
        }
        if (key == "drive") {
            machine.drives.emplace_back();
            machine.drives.back().model = value;
            continue;
        }
        if (machine.drives.empty()) continue;
        Drive& drive = machine.drives.back();
        if (key == "boot") drive.boot = true;
        if (key == "type") drive.type = value;
        if (key == "size") drive.size = value;
        if (key == "report") drive.report = value.empty() ? std::string() : folder + "/" + value;
        if (key == "device" && value.find('/') == std::string::npos && value != "." && value != "..")
            drive.kernelName = value;
        if (key == "volume") drive.volumes.push_back(ParseVolume(value));
    }
    return machine;
}

namespace {

class DescribedSource : public MachineSource {
public:
    explicit DescribedSource(std::string folder) : folder_(std::move(folder)) {}

    std::vector<Drive> Drives() override { return Machine().drives; }
    std::vector<Volume> Volumes(size_t index) override {
        const std::vector<Drive>& drives = Machine().drives;
        return index < drives.size() ? drives[index].volumes : std::vector<Volume>();
    }
    std::vector<Process> Processes() override { return Machine().processes; }

private:
    // Read once, when first asked; a folder without a readable machine.txt is a machine without
    // drives or processes, and says so on standard error.
    const DescribedMachine& Machine() {
        if (!machine_) {
            const std::string file = folder_ + "/machine.txt";
            const std::optional<std::string> text = ReadFileText(file);
            if (!text) std::fprintf(stderr, "stand-in: cannot read the described machine %s\n", file.c_str());
            machine_ = std::make_unique<DescribedMachine>(ParseDescribedMachine(text.value_or(""), folder_));
        }
        return *machine_;
    }

    std::string folder_;
    std::unique_ptr<DescribedMachine> machine_;
};

}  // namespace

std::string DescribedMachineFolder() {
    const char* folder = std::getenv("CORVANE_SIMULATED_MACHINE");
    return folder ? folder : "";
}

std::unique_ptr<MachineSource> OpenMachine() {
    const std::string folder = DescribedMachineFolder();
    if (!folder.empty()) return std::make_unique<DescribedSource>(folder);
    return OpenThisMachine();
}

}  // namespace standin
