// The platform layer, tested the same way natively and, for the Windows build, under Wine. Started with
// "--tool" the program acts as the external tool the tests run.

#include "platform/Platform.h"

#ifdef _WIN32
#include <windows.h>
#include <sddl.h>
#endif

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
    ++(condition ? passed : failed);
    if (!condition) std::printf("FAIL: %s\n", what.c_str());
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

std::string Quoted(const std::string& path) { return platform::QuoteForInterpreter(path); }

// A folder like the temporary folder of a user called "Ana María Pérez", one per run, so that runs side
// by side do not write into each other's files.
std::string AwkwardFolder() {
    static const std::string run = std::to_string(std::chrono::system_clock::now().time_since_epoch().count());
    const std::string folder = platform::TemporaryDirectory() + "Ana María Pérez " + run + platform::PathSeparator();
    fs::create_directories(PathOf(folder));
    return folder;
}

std::string ToolCommand(const std::string& arguments) { return Quoted(platform::ExecutablePath()) + " --tool " + arguments; }

std::string ShellStartMark(const std::string& id) {
    return platform::TemporaryDirectory() + "corvane-shell-start-" + id + ".txt";
}

std::string WorkDirectory() {
    std::string problem;
    const std::string folder = platform::PrepareWorkDirectory(problem);
    Check(!folder.empty() && folder.back() == platform::PathSeparator(), "a private work folder is made: " + problem);
    return folder;
}

int RunAsTool(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[2] : "";
    if (mode == "echo") {
        for (int i = 3; i < argc; ++i) std::printf(i > 3 ? " %s" : "%s", argv[i]);
        std::printf("\n");
        return 0;
    }
    if (mode == "exit" && argc > 3) return std::atoi(argv[3]);
    for (int c; mode == "cat" && (c = std::getchar()) != EOF;) std::putchar(c);
    if (mode == "parent") {
        std::string pid, name, state, parent;
        std::ifstream("/proc/self/stat") >> pid >> name >> state >> parent;
        std::printf("%s\n", parent.c_str());
    }
    if (mode == "cat") return 0;
    const std::string block(65536, 'x');
    // 256 MB: far past any bound, yet a run whose watch fails cannot fill the disk.
    for (int blocks = 0; mode == "flood" && blocks < 4096; ++blocks) std::fwrite(block.data(), 1, block.size(), stdout);
    // A beat ends once its folder is gone, so that one a fault leaves running ends with the test.
    while (mode == "beat" && argc > 3 && std::ofstream(PathOf(argv[3]), std::ios::app) << '.')
        std::this_thread::sleep_for(20ms);
    return 2;
}

void TestDirectoriesAndArguments() {
    const std::string temporary = platform::TemporaryDirectory();
    Check(!temporary.empty() && temporary.back() == platform::PathSeparator(), "the temporary directory: " + temporary);
    const std::string system = platform::SystemDirectory();
    Check(!system.empty() && system.back() != platform::PathSeparator(), "the system directory: " + system);
    Check(!platform::ExecutablePath().empty(), "the executable path is known");
    std::string problem;
    const std::string work = platform::PrepareWorkDirectory(problem);
    Check(work == WorkDirectory(), "the work folder is the same at every check");
    // On Windows an elevated monitor's lies where only administrators can change the path to it.
    if (platform::PathSeparator() == '\\')
        Check(platform::RunsElevated() ? work.find(":\\ProgramData\\CorvaneSMART-S-1-") == 1 : work.rfind(temporary, 0) == 0,
              "the work folder's place: " + work);
    // The test is registered with these two arguments, the second outside ASCII.
    Check(processArguments.size() == 3 && processArguments[1] == "Schedular" && processArguments[2] == "Ana María Pérez",
          "the arguments arrive verbatim, as UTF-8");
    Check(platform::PrimaryMonitorDpi() > 0, "a DPI is always reported");
    const platform::WorkArea area = platform::PrimaryWorkArea();
    Check(area.width >= 0 && area.height >= 0, "the work area is never negative");
}

// A tool path stored by the companion, in a folder with spaces and characters the interpreter acts on
// outside quotes or with delayed expansion on, runs (which paths are refused: tests/data/rules.txt).
void TestCommandLines() {
    const std::string folder = AwkwardFolder();
    const std::string toolFolder = folder + "R&D Tools^(x64)!PATH!" + platform::PathSeparator();
    const std::string tool = toolFolder + "tool copy.exe";
    fs::create_directories(PathOf(toolFolder));
    fs::copy_file(PathOf(platform::ExecutablePath()), PathOf(tool), fs::copy_options::overwrite_existing);
    const std::string capture = folder + "Temp.txt";
    std::string problem;
    const std::string literal = platform::LiteralToolPath("\"" + tool + "\"", problem);
    Check(literal == tool, "one pair of quotes around a stored path is removed: " + literal);
    const platform::CommandOutcome outcome =
        platform::RunHidden(Quoted(literal) + " --tool echo hello world >> " + Quoted(capture), 30s);
    Check(outcome.started && outcome.exitCode == 0 && ReadFile(capture).rfind("hello world", 0) == 0,
          "a stored tool path with spaces runs into a capture in an awkward folder: " + ReadFile(capture));
    Check(platform::RunHidden(ToolCommand("exit 3"), 30s).exitCode == 3, "the interpreter's exit code is reported");

    const std::string longWord(3000, 'x');
    fs::remove(PathOf(capture));
    platform::RunHidden(ToolCommand("echo " + longWord) + " >> " + Quoted(capture), 30s);
    Check(ReadFile(capture).rfind(longWord, 0) == 0, "a command line of thousands of characters is not cut");
}

#ifndef _WIN32
// On POSIX the monitor's plain commands run without an interpreter, with the interpreter's results:
// each is run once as it is and once with a ";" that hands it to /bin/sh. Among them: a script without
// "#!", a file that is not executable, a folder, and an empty name to write to.
void TestInterpreter() {
    const std::string folder = AwkwardFolder();
    const std::string capture = folder + "it's plain.txt";
    const std::string script = folder + "wrapper script";
    std::ofstream(PathOf(script)) << "echo wrapped \"$@\"\n";
    fs::permissions(PathOf(script), fs::perms::owner_all);
    std::ofstream(PathOf(folder + "not executable")) << "echo never\n";
    const std::vector<std::string> commands = {
        Quoted(script) + " 'a b' c >> " + Quoted(capture),
        Quoted(folder + "not executable") + " >> " + Quoted(capture),
        Quoted(folder.substr(0, folder.size() - 1)) + " >> " + Quoted(capture),
        ToolCommand("echo nowhere") + " > ''",
        ToolCommand("echo a 'b  c' 'it'\\''s' ü") + " >> " + Quoted(capture),
        ToolCommand("echo piped") + " | " + ToolCommand("cat") + " | " + ToolCommand("cat") + ">>" + Quoted(capture),
        ToolCommand("echo replaced") + ">" + Quoted(capture),
        ToolCommand("exit 3") + " >> " + Quoted(capture),
        "no-such-tool-anywhere -a >> " + Quoted(capture),
        "no-such-tool-anywhere | " + ToolCommand("echo after") + " >> " + Quoted(capture),
    };
    for (const std::string& command : commands) {
        std::string results[2];
        for (int form = 0; form < 2; ++form) {
            fs::remove(PathOf(capture));
            const platform::CommandOutcome outcome = platform::RunHidden(form == 0 ? command : command + " ;", 30s);
            results[form] = std::to_string(outcome.exitCode) + (fs::exists(PathOf(capture)) ? ":" : "!") + ReadFile(capture);
        }
        Check(results[0] == results[1], command + " gives " + results[0] + " and through the interpreter " + results[1]);
    }
    // The monitor opens the output itself, before the time limit runs: a pipe there must not hold it up.
    const std::string pipe = folder + "pipe.txt";
    platform::RunHidden("mkfifo " + Quoted(pipe), 30s);
    const auto start = std::chrono::steady_clock::now();
    const platform::CommandOutcome piped = platform::RunHidden(ToolCommand("echo x") + " > " + Quoted(pipe), 60s);
    Check(piped.exitCode == 2 && std::chrono::steady_clock::now() - start < 10s, "a pipe as the output is refused at once");
    std::string ownId;
    std::ifstream("/proc/self/stat") >> ownId;
    fs::remove(PathOf(capture));
    platform::RunHidden(ToolCommand("parent") + " >> " + Quoted(capture), 30s);
    Check(ReadFile(capture) == ownId + "\n", "a plain command runs without an interpreter: " + ReadFile(capture));
}

// Run as root, a stored tool runs only when no other user can change it, its folder, the settings file
// or the settings file's folder.
void TestElevatedToolTrust() {
    if (!platform::RunsElevated()) {
        std::printf("SKIP: not root, so every stored tool may run and the owner rules are not tested\n");
        return;
    }
    const std::string folder = AwkwardFolder() + "trust/";
    const std::string tool = folder + "tools/smartctl", settings = folder + "settings/monitor.ini";
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"", ""},
        {"chmod 0777 " + Quoted(folder + "tools"), "tools can be written by other users"},
        {"chmod 1777 " + Quoted(folder + "settings"), "settings can be written by other users"},
        {"chown 4242 " + Quoted(tool), "smartctl belongs to user 4242"},
        {"chmod 0664 " + Quoted(settings), "monitor.ini can be written by other users"},
        {"rm " + Quoted(settings), ""},
        {"rm " + Quoted(tool) + " && ln -s /bin/sh " + Quoted(tool), "smartctl is a link"},
        {"rm " + Quoted(tool), "smartctl: No such file"},
    };
    for (const auto& [change, refusal] : rows) {
        fs::remove_all(PathOf(folder));
        fs::create_directories(PathOf(folder + "tools"));
        fs::create_directories(PathOf(folder + "settings"));
        std::ofstream(PathOf(tool)) << "#!/bin/sh\n";
        std::ofstream(PathOf(settings)) << "[General]\n";
        platform::RunHidden("chmod 0755 " + Quoted(folder + "tools") + " " + Quoted(folder + "settings") + " " +
                                Quoted(tool) + " && chmod 0644 " + Quoted(settings),
                            30s);
        if (!change.empty()) platform::RunHidden(change + " ;", 30s);
        std::string problem;
        const bool allowed = platform::ElevatedMayRunTool(tool, settings, problem);
        Check(refusal.empty() ? allowed : !allowed && problem.find(refusal) != std::string::npos,
              "after [" + change + "]: " + (allowed ? "allowed" : problem));
    }
}

#else
// The Windows interpreter runs without the user's AutoRun commands ("/d") or delayed expansion ("/v:off"),
// and an elevated monitor runs the system's own interpreter whatever COMSPEC names.
void TestInterpreter() {
    const std::string comspec = AwkwardFolder() + "not an interpreter.exe";
    static std::string assignment;
    assignment = "COMSPEC=" + comspec;
    putenv(assignment.data());
    const std::string line = platform::InterpreterCommandLine("echo");
    const std::string expected = platform::RunsElevated() ? platform::SystemDirectory() + "\\cmd.exe" : comspec;
    Check(line == expected + " /d /v:off /s /c \"echo\"", "the interpreter line: " + line);
    if (platform::RunsElevated())
        Check(platform::RunHidden(ToolCommand("exit 4"), 30s).exitCode == 4, "elevated, tools run whatever COMSPEC names");
    // With the user's DelayedExpansion on, "!OS!" in a quoted path would become the system's name.
    const std::string key = "\"HKCU\\Software\\Microsoft\\Command Processor\" /v DelayedExpansion";
    platform::RunHidden("reg add " + key + " /t REG_DWORD /d 1 /f", 60s);
    const std::string capture = AwkwardFolder() + "a!OS!b.txt";
    platform::RunHidden(ToolCommand("echo literal") + " >> " + Quoted(capture), 30s);
    platform::RunHidden("reg delete " + key + " /f", 60s);
    Check(ReadFile(capture).rfind("literal", 0) == 0, "\"!\" in a path is taken literally whatever DelayedExpansion says");

    // Elevated, what the user's environment named is replaced for every tool, and the current folder
    // is the program's own.
    if (!platform::RunsElevated()) {
        std::printf("SKIP: not elevated, so the elevated monitor's environment and folder are not tested\n");
        return;
    }
    const fs::path folder = fs::current_path();
    platform::ShieldElevatedProcess();
    const std::string shielded = AwkwardFolder() + "shielded.txt";
    platform::RunHidden("echo %COMSPEC%;%PSModulePath%;%CD%> " + Quoted(shielded), 30s);
    const std::string system = platform::SystemDirectory();
    const std::string program = platform::ExecutablePath();
    const std::string environment = system + "\\cmd.exe;" + system + "\\WindowsPowerShell\\v1.0\\Modules;" +
                                 program.substr(0, program.find_last_of('\\'));
    Check(ReadFile(shielded).rfind(environment, 0) == 0, "the elevated environment: " + ReadFile(shielded));
    fs::current_path(folder);
}

// Elevated, a stored tool runs only when no account but the system's own and the administrators can
// change the settings key, the tool's folder and the tool; the key's access list decides first. The
// test program lies in a folder of the user's, so a key that passes leaves the folder refused.
void TestElevatedToolTrust() {
    if (!platform::RunsElevated()) {
        std::printf("SKIP: not elevated, so every stored tool may run and the access rules are not tested\n");
        return;
    }
    const std::string key = "Software\\Corvane Tests\\" + std::to_string(GetTickCount64());
    const std::vector<std::pair<const wchar_t*, std::string>> rows = {
        {L"O:BAD:P(A;;KA;;;SY)(A;;KA;;;BA)(A;;KR;;;BU)(A;CIIO;KA;;;CO)", "the tool's folder"},
        {L"O:BAD:P(A;;KA;;;SY)(A;;KA;;;BA)(A;;KA;;;BU)", "the settings key HKEY_LOCAL_MACHINE\\" + key + " can be changed by S-1-5-32-545"},
        {L"O:BUD:P(A;;KA;;;SY)(A;;KA;;;BA)", "can be changed by S-1-5-32-545, its owner"},
        {L"O:BAD:P(A;;KA;;;SY)(A;;KA;;;BA)(A;;KRKW;;;AU)", "can be changed by S-1-5-11"},
        {L"O:BAD:P(A;;KA;;;SY)(A;;KA;;;BA)(A;CIIO;KA;;;BU)(D;;KA;;;WD)", "the tool's folder"},
        {nullptr, "cannot be opened"},
    };
    for (const auto& [descriptor, refusal] : rows) {
        PSECURITY_DESCRIPTOR security = nullptr;
        HKEY created = nullptr;
        if (descriptor) {
            ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor, SDDL_REVISION_1, &security, nullptr);
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, fs::u8path(key).wstring().c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS | WRITE_OWNER, nullptr, &created, nullptr);
            // Wine takes no security from RegCreateKeyExW; both systems take it from RegSetKeySecurity.
            Check(RegSetKeySecurity(created, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, security) == 0,
                  "the test key takes its access list");
        }
        std::string problem;
        const bool allowed =
            platform::ElevatedMayRunTool(platform::ExecutablePath(), "HKEY_LOCAL_MACHINE\\" + key, problem);
        Check(!allowed && problem.find(refusal) != std::string::npos, "refused for " + refusal + ": " + problem);
        if (created) RegCloseKey(created);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, fs::u8path(key).wstring().c_str());
        LocalFree(security);
    }
}
#endif

// Only a regular file of this user is read, and never more than asked for.
void TestReadOwnFile() {
    const std::string folder = WorkDirectory();
    // An elevated monitor's folder is the same for every program of the user, so a monitor may have left
    // its captures there.
    const auto removeCaptures = [&] {
        std::error_code ignored;
        for (const char* name : {"Temp.txt", "SMART.txt", "Out.txt"}) fs::remove(PathOf(folder + name), ignored);
    };
    removeCaptures();
    std::ofstream(PathOf(folder + "Temp.txt"), std::ios::binary) << "hello";
    const platform::FileContent part = platform::ReadOwnFile(folder + "Temp.txt", 3);
    Check(part.read && part.bytes == "hel" && part.size == 5, "a capture is read up to the limit: " + part.bytes);
    fs::create_directories(PathOf(folder + "SMART.txt"));
    std::error_code unsupported;
    fs::create_symlink(PathOf(folder + "Temp.txt"), PathOf(folder + "Out.txt"), unsupported);
    for (const char* refused : {"missing.txt", "SMART.txt", "Out.txt"})
        Check(!platform::ReadOwnFile(folder + refused, 10).read, std::string("not read: ") + refused);
    removeCaptures();
}

// What diskpart is given is what the monitor wrote, or there is nothing to give it: a planted file that
// cannot be replaced (read-only on Windows) makes the hold fail. The script stays open to the tool that
// reads it, however that tool opens it.
void TestHeldScript() {
    const std::string script = WorkDirectory() + "DiskList.txt";
    const std::string ours = "list disk  \nselect disk 0\ndetail disk";
    std::string problem;
    const auto holdsOursOrNothing = [&](const std::string& what) {
        problem.clear();
        const std::unique_ptr<platform::HeldFile> held = platform::HoldNewFile(script, ours, problem);
        Check(held ? ReadFile(script) == ours : !problem.empty(), what + ": " + ReadFile(script));
        return held != nullptr;
    };
    std::ofstream(PathOf(script)) << "select disk 0\nclean";
    Check(holdsOursOrNothing("over an old script"), "an ordinary old script is replaced");
    std::ofstream(PathOf(script)) << "select disk 0\nclean";
    fs::permissions(PathOf(script), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const bool windows = platform::PathSeparator() == '\\';
    Check(!(holdsOursOrNothing("over a read-only planted script") && windows), "a read-only script is never replaced");
    std::error_code ignored;
    fs::permissions(PathOf(script), fs::perms::owner_all, ignored);
    fs::remove(PathOf(script), ignored);
    const std::unique_ptr<platform::HeldFile> held = platform::HoldNewFile(script, ours, problem);
    Check(held != nullptr, "a script is made: " + problem);
    if (windows)
        Check(ReadFile(script) == ours && !std::ifstream(PathOf(script), std::ios::in | std::ios::out).fail(),
              "the tool may open the script for reading and writing while it is in use");
}

// Only a claim that is held keeps another out as held; a lock that cannot be opened says why.
void TestSingleInstance() {
    const std::string lock = AwkwardFolder() + "instance.lock";
    std::string problem;
    Check(platform::ClaimSingleInstance(lock, problem) == platform::InstanceClaim::Claimed, "the first claim succeeds");
    Check(platform::ClaimSingleInstance(lock, problem) == platform::InstanceClaim::HeldByAnother,
          "a second claim on the same lock finds it held");
    const std::string blocked = AwkwardFolder() + "folder.lock";
    fs::create_directories(PathOf(blocked));
    problem.clear();
    Check(platform::ClaimSingleInstance(blocked, problem) == platform::InstanceClaim::Unavailable && !problem.empty(),
          "a folder at the lock's name is no lock held: " + problem);
}

// A tool that never ends, and one that floods its capture, are ended with what they started.
void TestRunsThatMustBeEnded() {
    const std::string heartbeat = AwkwardFolder() + "heartbeat.txt";
    auto start = std::chrono::steady_clock::now();
    // Followed by another command, the tool runs as a child of the interpreter, so ending only the
    // interpreter, the command's first process, would not stop it.
    platform::CommandOutcome outcome =
        platform::RunHidden(ToolCommand("beat " + Quoted(heartbeat)) + " && " + ToolCommand("exit 0"), 1500ms);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    Check(outcome.timedOut && !outcome.givenUp && elapsed >= 1400ms && elapsed < 10s,
          "a tool that never ends is ended after the limit, with everything it started");
    std::this_thread::sleep_for(300ms);
    const auto before = SizeOf(heartbeat);
    std::this_thread::sleep_for(500ms);
    Check(before > 0 && SizeOf(heartbeat) == before, "the tool started by the interpreter was ended too");

    const std::string capture = AwkwardFolder() + "flood.txt";
    start = std::chrono::steady_clock::now();
    outcome = platform::RunHidden(ToolCommand("flood") + " >> " + Quoted(capture), 60s, {capture, 1 << 20});
    Check(outcome.outputTooLarge && !outcome.timedOut && std::chrono::steady_clock::now() - start < 30s,
          "a flooding tool is ended for its output, long before the time limit");
    Check(SizeOf(capture) > (1u << 20) && SizeOf(capture) < (64u << 20), "its capture stops soon after the bound");
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

// Started through the shell with the one word "--started-<id>": leaves a mark and ends.
int MarkShellStart(const std::string& argument) {
    std::ofstream(PathOf(ShellStartMark(argument.substr(std::string("--started-").size())))) << "started";
    return 0;
}

int RunTests(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--tool") return RunAsTool(argc, argv);
    if (argc > 1 && std::string(argv[1]).rfind("--started-", 0) == 0) return MarkShellStart(argv[1]);
    processArguments.assign(argv, argv + argc);

    for (const auto& test : {TestDirectoriesAndArguments, TestCommandLines, TestInterpreter, TestElevatedToolTrust, TestReadOwnFile,
                             TestHeldScript, TestSingleInstance, TestRunsThatMustBeEnded, TestShellStart})
        test();
    std::error_code ignored;
    fs::remove_all(PathOf(AwkwardFolder()), ignored);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) { return platform::RunWithProcessArguments(argc, argv, &RunTests); }
