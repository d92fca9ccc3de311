#include "WindowsTools.h"

#include "Text.h"

#include <algorithm>
#include <cstdio>

namespace standin {

std::optional<WmicColumns> ParseWmicQuery(const std::vector<std::string>& arguments, const std::string& nodeName,
                                          ToolOutcome& refusal) {
    const auto argument = [&arguments](size_t i) { return i < arguments.size() ? arguments[i] : std::string(); };
    refusal.exitCode = 1;
    if (Lower(argument(0)) != "diskdrive" || Lower(argument(1)) != "get" || argument(2).empty()) {
        refusal.errors = "stand-in WMIC knows only: diskdrive get Index,Model\n";
        return {};
    }
    std::string properties = Lower(argument(2));
    std::replace(properties.begin(), properties.end(), ',', ' ');
    WmicColumns columns;
    for (const std::string& property : Words(properties)) {
        if (property == "index") {
            columns.index = true;
        } else if (property == "model") {
            columns.model = true;
        } else {
            refusal.errors = "Node - " + nodeName + "\nERROR:\nDescription = Invalid query\n";
            return {};
        }
    }
    return columns;
}

std::string WmicTable(const std::vector<Drive>& drives, WmicColumns columns) {
    size_t indexWidth = 5;
    size_t modelWidth = 5;
    for (size_t i = 0; i < drives.size(); ++i) {
        indexWidth = std::max(indexWidth, std::to_string(i).size());
        modelWidth = std::max(modelWidth, CharacterCount(drives[i].model));
    }
    const auto row = [&](const std::string& index, const std::string& model) {
        return (columns.index ? PadRight(index, indexWidth + 2) : std::string()) +
               (columns.model ? PadRight(model, modelWidth + 2) : std::string()) + "\r\r\n";
    };
    std::string table = row("Index", "Model");
    for (size_t i = 0; i < drives.size(); ++i) table += row(std::to_string(i), drives[i].model);
    return Utf16LittleEndianWithMark(table + "\r\r\n");
}

namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

class DiskpartSession {
public:
    DiskpartSession(const std::vector<Drive>& drives, const std::function<std::vector<Volume>(size_t)>& volumesOf)
        : drives_(drives), volumesOf_(volumesOf) {}

    // Runs one line of the script; false when the command failed.
    bool Run(const std::string& line) {
        const std::string command = Trim(Lower(line));
        if (command.empty()) return true;
        if (command == "list disk") return ListDisk();
        if (StartsWith(command, "select disk")) return SelectDisk(Trim(command.substr(11)));
        if (command == "detail disk") return DetailDisk();
        output += Lines({"Microsoft DiskPart stand-in does not know the command \"" + Trim(line) + "\"."});
        return false;
    }

    std::string output;

private:
    bool ListDisk() {
        output += Lines({"  Disk ###  Status         Size     Free     Dyn  Gpt",
                         "  --------  -------------  -------  -------  ---  ---"});
        size_t number = 0;
        for (const Drive& drive : drives_) {
            if (drive.model.empty()) continue;  // as diskpart leaves out a disk it cannot name
            output += "  Disk " + PadRight(std::to_string(number++), 3) + "  " + PadRight("Online", 13) + "  " +
                      PadLeft(drive.size, 7) + "  " + PadLeft("0 B", 7) + "  " + PadLeft("", 3) + "  " +
                      PadLeft("*", 3) + "\r\n";
        }
        output += "\r\n";
        return true;
    }

    bool SelectDisk(const std::string& number) {
        if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
            output += Lines({"The arguments specified for this command are not valid.",
                             "For more information on the command type: HELP SELECT DISK"});
            return false;
        }
        const std::optional<unsigned long long> index = DecimalNumber(number);
        if (!index || *index >= drives_.size()) {
            output += Lines({"The disk you specified is not valid.", "", "There is no disk selected."});
            return false;
        }
        selectedText_ = number;
        selected_ = static_cast<size_t>(*index);
        output += Lines({"Disk " + number + " is now the selected disk.", ""});
        return true;
    }

    bool DetailDisk() {
        if (!selected_) {
            output += Lines({"There is no disk selected.", "", "Please select a disk and try again."});
            return false;
        }
        const Drive& drive = drives_[*selected_];
        const std::string answer = drive.boot ? "Yes" : "No";
        char diskId[64];
        std::snprintf(diskId, sizeof diskId, "Disk ID: {5E1F0C2A-9B3D-4C7E-8F21-0000000000%02zu}", *selected_);
        output += Lines({drive.model, diskId, "Type   : " + drive.type, "Status : Online", "Path   : 0",
                         "Target : " + selectedText_, "LUN ID : 0",
                         "Location Path : PCIROOT(0)#PCI(1700)#RAID(P0" + selectedText_ + "T00L00)",
                         "Current Read-only State : No", "Read-only  : No", "Boot Disk  : " + answer,
                         "Pagefile Disk  : " + answer, "Hibernation File Disk  : No", "Crashdump Disk  : " + answer,
                         "Clustered Disk  : No", ""});
        const std::vector<Volume> volumes = volumesOf_(*selected_);
        if (volumes.empty()) {
            output += Lines({"There are no volumes.", ""});
            return true;
        }
        output += Lines({"  Volume ###  Ltr  Label        Fs     Type        Size     Status     Info",
                         "  ----------  ---  -----------  -----  ----------  -------  ---------  --------"});
        size_t number = *selected_ * 4 + 1;
        for (const Volume& volume : volumes) {
            output += "  Volume " + PadRight(std::to_string(number++), 3) + "   " +
                      (volume.letter == "-" ? std::string(" ") : volume.letter) + "   " +
                      PadRight(FirstCharacters(volume.label, 11), 11) + "  " +
                      PadRight(FirstCharacters(volume.fileSystem, 5), 5) + "  Partition   " + PadLeft(volume.size, 7) +
                      "  Healthy    " + PadRight(volume.info, 8) + "\r\n";
        }
        output += "\r\n";
        return true;
    }

    const std::vector<Drive>& drives_;
    const std::function<std::vector<Volume>(size_t)>& volumesOf_;
    std::optional<size_t> selected_;
    std::string selectedText_;
};

}  // namespace

std::string DiskpartBanner(const std::string& computerName) {
    return Lines({"", "Microsoft DiskPart version 10.0.19041.3636", "", "Copyright (C) Microsoft Corporation.",
                  "On computer: " + computerName, ""});
}

ToolOutcome RunDiskpartScript(const std::string& script, const std::vector<Drive>& drives,
                              const std::function<std::vector<Volume>(size_t)>& volumesOf) {
    DiskpartSession session(drives, volumesOf);
    for (const std::string& line : Split(script, '\n')) {
        if (!session.Run(line)) {
            session.output += Lines({"", "DiskPart has encountered an error: the command failed.",
                                     "See the System Event Log for more information."});
            return {session.output, "", 1};
        }
    }
    return {session.output + Lines({"", "Leaving DiskPart..."}), "", 0};
}

std::string GroupedThousands(long long number) {
    if (number < 0) return std::to_string(number);
    std::string digits = std::to_string(number);
    for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

std::string TasklistTable(const std::vector<Process>& processes) {
    std::string table = Lines({"", "Image Name                     PID Session Name        Session#    Mem Usage",
                               "========================= ======== ================ =========== ============"});
    for (const Process& process : processes)
        table += PadRight(FirstCharacters(process.name, 25), 25) + " " + PadLeft(std::to_string(process.id), 8) + " " +
                 PadRight("Console", 16) + " " + PadLeft("1", 11) + " " +
                 PadLeft(GroupedThousands(process.memoryKb) + " K", 12) + "\r\n";
    return table;
}

ToolOutcome Findstr(const std::vector<std::string>& arguments, const std::string& input) {
    bool anyCase = false;
    std::vector<std::string> words;
    for (const std::string& argument : arguments) {
        if (argument == "/I" || argument == "/i") {
            anyCase = true;
        } else if (!StartsWith(argument, "/")) {
            for (const std::string& word : Words(argument)) words.push_back(word);
        }
    }
    if (words.empty()) return {"", "FINDSTR: Bad command line\n", 2};
    if (anyCase)
        for (std::string& word : words) word = Lower(word);
    ToolOutcome outcome;
    std::vector<std::string> lines = Split(input, '\n');
    if (lines.back().empty()) lines.pop_back();
    for (const std::string& line : lines) {
        const std::string searched = anyCase ? Lower(line) : line;
        if (std::any_of(words.begin(), words.end(),
                        [&searched](const std::string& word) { return searched.find(word) != std::string::npos; }))
            outcome.output += line + "\n";
    }
    outcome.exitCode = outcome.output.empty() ? 1 : 0;
    return outcome;
}

std::optional<size_t> SmartDeviceIndex(const std::vector<std::string>& arguments, std::string& device) {
    device.clear();
    for (const std::string& argument : arguments)
        if (StartsWith(argument, "/dev/")) device = argument;
    if (device.size() != 8 || !StartsWith(device, "/dev/sd") || device[7] < 'a' || device[7] > 'z') return {};
    return static_cast<size_t>(device[7] - 'a');
}

std::string SmartCannotRead(const std::string& device) {
    return "smartctl 7.3 2022-02-28 r5338 [x86_64-w64-mingw32-w10-b19045] (sf-7.3-1)\n"
           "Copyright (C) 2002-22, Bruce Allen, Christian Franke, www.smartmontools.org\n\n" +
           (device.empty() ? std::string("(no device)") : device) +
           ": Unable to detect device type\nPlease specify device type with the -d option.\n\n"
           "Use smartctl -h to get a usage summary\n\n";
}

bool IsShutdownRequest(const std::vector<std::string>& arguments) {
    return arguments.size() == 1 && arguments[0] == "/s";
}

}  // namespace standin
