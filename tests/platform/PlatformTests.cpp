// The platform layer, tested the same way natively and, for the Windows build, under Wine. Started with
// "--tool" the program acts as the external tool the tests run.

#include "platform/Platform.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

int passed = 0;
int failed = 0;
std::vector<std::string> processArguments;

void Check(bool condition, const std::string& what) {
    if (condition) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

fs::path PathOf(const std::string& utf8) { return fs::u8path(utf8); }

std::string ReadFile(const std::string& path) {
    std::ifstream file(PathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uintmax_t SizeOf(const std::string& path) {
    std::error_code error;
    const auto size = fs::file_size(PathOf(path), error);
    return error ? 0 : size;
}

// A folder like the temporary folder of a user called "Ana María Pérez".
// One folder per run, so that runs side by side do not write into each other's files.
std::string AwkwardFolder() {
    static const std::string run = std::to_string(std::chrono::system_clock::now().time_since_epoch().count());
    const std::string folder =
        platform::TemporaryDirectory() + "Ana María Pérez " + run + platform::PathSeparator();
    fs::create_directories(PathOf(folder));
    return folder;
}

std::string ToolCommand(const std::string& arguments) {
    return platform::QuoteForInterpreter(platform::ExecutablePath()) + " --tool " + arguments;
}

std::string ShellStartMark(const std::string& id) {
    return platform::TemporaryDirectory() + "corvane-shell-start-" + id + ".txt";
}

int RunAsTool(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[2] : "";
    if (mode == "echo") {
        for (int i = 3; i < argc; ++i) std::printf(i > 3 ? " %s" : "%s", argv[i]);
        std::printf("\n");
        return 0;
    }
    if (mode == "exit" && argc > 3) return std::atoi(argv[3]);
    if (mode == "flood") {
        const std::string block(65536, 'x');
        for (;;) std::fwrite(block.data(), 1, block.size(), stdout);
    }
    if (mode == "beat" && argc > 3) {
        for (;;) {
            std::ofstream(PathOf(argv[3]), std::ios::app) << '.';
            std::this_thread::sleep_for(20ms);
        }
    }
    return 2;
}

void TestDirectories() {
    const std::string temporary = platform::TemporaryDirectory();
    Check(!temporary.empty() && temporary.back() == platform::PathSeparator(),
          "the temporary directory ends in the separator: " + temporary);
    const std::string system = platform::SystemDirectory();
    Check(!system.empty() && system.back() != platform::PathSeparator(),
          "the system directory has no trailing separator: " + system);
    Check(!platform::ExecutablePath().empty(), "the executable path is known");
}

void TestArguments() {
    // The test is registered with these two arguments, the second outside ASCII.
    Check(processArguments.size() == 3, "three arguments arrive");
    if (processArguments.size() == 3) {
        Check(processArguments[1] == "Schedular", "the first argument arrives verbatim");
        Check(processArguments[2] == "Ana María Pérez", "a non-ASCII argument arrives as UTF-8: " + processArguments[2]);
    }
}

void TestCaptureInAwkwardFolder() {
    const std::string folder = AwkwardFolder();
    const std::string capture = folder + "Temp.txt";
    fs::remove(PathOf(capture));
    // The tool itself also lives in a folder with a space, so the command line holds two quoted paths.
    const std::string tool = folder + "tool copy.exe";
    fs::copy_file(PathOf(platform::ExecutablePath()), PathOf(tool), fs::copy_options::overwrite_existing);
    const std::string command =
        platform::QuoteForInterpreter(tool) + " --tool echo hello world >> " + platform::QuoteForInterpreter(capture);
    const platform::CommandOutcome outcome = platform::RunHidden(command, 30s);
    Check(outcome.started && !outcome.timedOut && outcome.exitCode == 0, "the capture command ran: " + command);
    Check(ReadFile(capture).rfind("hello world", 0) == 0, "the capture holds the tool's output: " + ReadFile(capture));

    const std::string longWord(3000, 'x');
    fs::remove(PathOf(capture));
    platform::RunHidden(ToolCommand("echo " + longWord) + " >> " + platform::QuoteForInterpreter(capture), 30s);
    Check(ReadFile(capture).rfind(longWord, 0) == 0, "a command line of thousands of characters is not cut");
    fs::remove_all(PathOf(folder));
}

// Companions are started by a bare name from the monitor's own folder, or by their full path.
void TestShellStart() {
    const fs::path program = PathOf(platform::ExecutablePath());
    const std::string id = std::to_string(std::chrono::system_clock::now().time_since_epoch().count());
    const fs::path previous = fs::current_path();
    fs::current_path(program.parent_path());
    const bool byName = platform::StartThroughShell(program.filename().u8string(), "--started-" + id + "a");
    fs::current_path(previous);
    const bool byPath = platform::StartThroughShell(platform::ExecutablePath(), "--started-" + id + "b");
    Check(byName && byPath, "the shell accepts both starts");
    Check(!platform::StartThroughShell(program.parent_path().u8string() + "/no such companion.exe", ""),
          "a companion that cannot start is reported");
    for (const char* which : {"a", "b"}) {
        const std::string mark = ShellStartMark(id + which);
        for (int wait = 0; wait < 200 && !fs::exists(PathOf(mark)); ++wait) std::this_thread::sleep_for(50ms);
        Check(fs::exists(PathOf(mark)), std::string("the started program ran: ") + which);
        std::error_code ignored;
        fs::remove(PathOf(mark), ignored);
    }
}

void TestExitCode() {
    const platform::CommandOutcome outcome = platform::RunHidden(ToolCommand("exit 3"), 30s);
    Check(outcome.started && outcome.exitCode == 3, "the interpreter's exit code is reported");
}

void TestTimeLimitEndsTheWholeTree() {
    const std::string heartbeat = AwkwardFolder() + "heartbeat.txt";
    fs::remove(PathOf(heartbeat));
    const auto start = std::chrono::steady_clock::now();
    // The tool runs as a child of the interpreter, so ending only the interpreter would not stop it.
    const platform::CommandOutcome outcome =
        platform::RunHidden(ToolCommand("beat " + platform::QuoteForInterpreter(heartbeat)), 1500ms);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    Check(outcome.started && outcome.timedOut, "a tool that never ends is reported as timed out");
    Check(elapsed >= 1400ms && elapsed < 10s, "the run returns soon after the limit");
    Check(SizeOf(heartbeat) > 0, "the tool was running before the limit");
    std::this_thread::sleep_for(300ms);
    const auto before = SizeOf(heartbeat);
    std::this_thread::sleep_for(500ms);
    Check(SizeOf(heartbeat) == before, "the tool started by the interpreter was ended too");
    fs::remove(PathOf(heartbeat));
}

std::string WorkDirectory() {
    std::string problem;
    const std::string folder = platform::PrepareWorkDirectory(problem);
    Check(!folder.empty(), "a private work folder is made: " + problem);
    return folder;
}

void TestWorkDirectory() {
    const std::string folder = WorkDirectory();
    Check(!folder.empty() && folder.back() == platform::PathSeparator(), "the work folder ends in the separator");
    std::string problem;
    Check(platform::PrepareWorkDirectory(problem) == folder, "the work folder is the same at every check");
}

// Only a regular file of this user is read, and never more than asked for.
void TestReadOwnFile() {
    const std::string folder = WorkDirectory();
    std::ofstream(PathOf(folder + "Temp.txt"), std::ios::binary) << "hello";
    const platform::FileContent part = platform::ReadOwnFile(folder + "Temp.txt", 3);
    Check(part.read && part.bytes == "hel" && part.size == 5, "a capture is read up to the limit: " + part.bytes);
    Check(!platform::ReadOwnFile(folder + "missing.txt", 10).read, "a missing capture is not read");
    fs::create_directories(PathOf(folder + "SMART.txt"));
    Check(!platform::ReadOwnFile(folder + "SMART.txt", 10).read, "a folder at a capture name is not read");
    std::error_code unsupported;
    fs::create_symlink(PathOf(folder + "Temp.txt"), PathOf(folder + "Out.txt"), unsupported);
    if (!unsupported) Check(!platform::ReadOwnFile(folder + "Out.txt", 10).read, "a link at a capture name is not read");
    for (const char* name : {"Temp.txt", "SMART.txt", "Out.txt"}) fs::remove(PathOf(folder + name), unsupported);
}

// What diskpart is given is what the monitor wrote, or there is nothing to give it: a planted file that
// cannot be replaced, or one held by another process, makes the hold fail.
void TestHeldScript() {
    const std::string script = WorkDirectory() + "DiskList.txt";
    const std::string ours = "list disk  \nselect disk 0\ndetail disk";
    const auto holdsOursOrNothing = [&](const std::string& what) {
        std::string problem;
        const std::unique_ptr<platform::HeldFile> held = platform::HoldNewFile(script, ours, problem);
        Check(held ? ReadFile(script) == ours : !problem.empty(), what + ": " + ReadFile(script));
        return held != nullptr;
    };
    std::ofstream(PathOf(script)) << "select disk 0\nclean";
    Check(holdsOursOrNothing("over an old script"), "an ordinary old script is replaced");
    std::ofstream(PathOf(script)) << "select disk 0\nclean";
    fs::permissions(PathOf(script), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    holdsOursOrNothing("over a read-only planted script");
    std::error_code ignored;
    fs::permissions(PathOf(script), fs::perms::owner_all, ignored);
    fs::remove(PathOf(script), ignored);

    std::string problem;
    const std::unique_ptr<platform::HeldFile> first = platform::HoldNewFile(script, "select disk 0\nclean", problem);
    Check(first != nullptr, "a script is held: " + problem);
    const std::unique_ptr<platform::HeldFile> second = platform::HoldNewFile(script, ours, problem);
    Check(!second || ReadFile(script) == ours, "a script held elsewhere is never run in place of ours");
}

// The interpreter takes a tool path from the settings word for word, or not at all.
void TestToolPathFromSettings() {
    const std::string folder = AwkwardFolder();
    const std::string tool = folder + "tool copy.exe";
    fs::copy_file(PathOf(platform::ExecutablePath()), PathOf(tool), fs::copy_options::overwrite_existing);
    const std::string capture = folder + "Temp.txt";
    std::string problem;
    const std::string literal = platform::LiteralToolPath("\"" + tool + "\"", problem);
    Check(literal == tool, "one pair of quotes around a stored path is removed: " + literal);
    fs::remove(PathOf(capture));
    platform::RunHidden(platform::QuoteForInterpreter(literal) + " --tool echo ran >> " + platform::QuoteForInterpreter(capture), 30s);
    Check(ReadFile(capture).rfind("ran", 0) == 0, "a stored tool path with spaces runs");

    const std::string mark = folder + "injected.txt";
    const std::string injection = tool + "\" & " + platform::QuoteForInterpreter(platform::ExecutablePath()) +
                                  " --tool echo injected >> " + platform::QuoteForInterpreter(mark) + " & \"";
    for (const std::string& setting : {injection, folder + "%PATH%" + platform::PathSeparator() + "tool.exe",
                                       std::string("tool copy.exe"), std::string(), tool + "\n"}) {
        problem.clear();
        Check(platform::LiteralToolPath(setting, problem).empty() && !problem.empty(), "refused: " + setting);
    }
    // Refused, the setting gives way to the bare tool name, and nothing of it runs.
    platform::RunHidden("smartctl64Bit.exe -a /dev/sda >> " + platform::QuoteForInterpreter(capture), 30s);
    Check(!fs::exists(PathOf(mark)), "the injected command never ran");
}

// The Windows interpreter runs without the user's AutoRun commands ("/d"), and an elevated monitor runs
// the system's own interpreter whatever COMSPEC names.
void TestInterpreter() {
    if (platform::PathSeparator() != '\\') return;
    const std::string comspec = AwkwardFolder() + "not an interpreter.exe";
    static std::string assignment;
    assignment = "COMSPEC=" + comspec;
    putenv(assignment.data());
    const std::string line = platform::InterpreterCommandLine("echo");
    const std::string expected = platform::RunsElevated() ? platform::SystemDirectory() + "\\cmd.exe" : comspec;
    Check(line == expected + " /d /s /c \"echo\"", "the interpreter line: " + line);
    if (platform::RunsElevated()) {
        const platform::CommandOutcome outcome = platform::RunHidden(ToolCommand("exit 4"), 30s);
        Check(outcome.started && outcome.exitCode == 4, "elevated, tools run whatever COMSPEC names");
    }
}

// A tool that floods its capture is ended like one that hangs.
void TestFloodIsEnded() {
    const std::string capture = AwkwardFolder() + "flood.txt";
    fs::remove(PathOf(capture));
    const auto start = std::chrono::steady_clock::now();
    const platform::CommandOutcome outcome = platform::RunHidden(
        ToolCommand("flood") + " >> " + platform::QuoteForInterpreter(capture), 60s, {capture, 1 << 20});
    Check(outcome.outputTooLarge && !outcome.timedOut, "a flooding tool is ended for its output");
    Check(std::chrono::steady_clock::now() - start < 30s, "long before the time limit");
    Check(SizeOf(capture) > (1u << 20) && SizeOf(capture) < (64u << 20), "its capture stops soon after the bound");
    fs::remove(PathOf(capture));
}

void TestSingleInstance() {
    const std::string lock = AwkwardFolder() + "instance.lock";
    Check(platform::ClaimSingleInstance(lock), "the first claim succeeds");
    Check(!platform::ClaimSingleInstance(lock), "a second claim on the same lock fails");
}

void TestDisplay() {
    Check(platform::PrimaryMonitorDpi() > 0, "a DPI is always reported");
    const platform::WorkArea area = platform::PrimaryWorkArea();
    Check(area.width >= 0 && area.height >= 0, "the work area is never negative");
}

// Started through the shell with the one word "--started-<id>": leaves a mark and ends.
int MarkShellStart(const std::string& argument) {
    std::ofstream(PathOf(ShellStartMark(argument.substr(std::string("--started-").size())))) << "started";
    return 0;
}

int RunTests(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--tool") return RunAsTool(argc, argv);
    if (argc > 1 && std::string(argv[1]).rfind("--started-", 0) == 0) return MarkShellStart(argv[1]);
    processArguments.assign(argv, argv + argc);

    const std::vector<std::function<void()>> tests = {
        TestDirectories,   TestArguments,    TestCaptureInAwkwardFolder,    TestExitCode,
        TestWorkDirectory, TestReadOwnFile,  TestHeldScript,                TestToolPathFromSettings,
        TestInterpreter,                     TestFloodIsEnded,              TestSingleInstance,
        TestDisplay,       TestTimeLimitEndsTheWholeTree,                   TestShellStart,
    };
    for (const auto& test : tests) test();
    std::error_code ignored;
    fs::remove_all(PathOf(AwkwardFolder()), ignored);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) { return platform::RunWithProcessArguments(argc, argv, &RunTests); }
