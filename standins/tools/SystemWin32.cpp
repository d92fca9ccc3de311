#include "System.h"
#include "Text.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace standin {

// The tools' texts carry their own line ends: every stream is binary.
void WriteAll(int descriptor, const std::string& text) {
    _setmode(descriptor, _O_BINARY);
    for (size_t done = 0; done < text.size();) {
        const int wrote = _write(descriptor, text.data() + done, static_cast<unsigned>(text.size() - done));
        if (wrote <= 0) return;
        done += static_cast<size_t>(wrote);
    }
}

std::string ReadStandardInput() {
    _setmode(0, _O_BINARY);
    std::string input;
    char buffer[65536];
    for (int got; (got = _read(0, buffer, sizeof buffer)) > 0;) input.append(buffer, static_cast<size_t>(got));
    return input;
}

std::optional<std::string> ReadFileText(const std::string& path, size_t limit) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return {};
    std::string text;
    char buffer[65536];
    for (size_t got; text.size() < limit && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    std::fclose(file);
    if (text.size() > limit) text.resize(limit);
    return text;
}

bool AppendToFile(const std::string& path, const std::string& text, std::string& problem) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) {
        problem = std::strerror(errno);
        return false;
    }
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return true;
}

std::string ComputerName() {
    const char* name = std::getenv("COMPUTERNAME");
    return name ? name : "";
}

namespace {

// The Windows build has no drives of its own to report: it answers for described machines.
class NoMachine : public MachineSource {
public:
    std::vector<Drive> Drives() override { return {}; }
    std::vector<Volume> Volumes(size_t) override { return {}; }
    std::vector<Process> Processes() override { return {}; }
};

}  // namespace

std::unique_ptr<MachineSource> OpenThisMachine() {
    std::fprintf(stderr, "stand-in: no described machine (CORVANE_SIMULATED_MACHINE) to answer for\n");
    return std::make_unique<NoMachine>();
}

int ReportThisMachinesDrive(const Drive&, const std::string& cannotRead) {
    WriteAll(StandardOutput, cannotRead);
    return 2;
}

}  // namespace standin
