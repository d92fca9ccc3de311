// The work folder and the files the monitor reads and holds, on POSIX systems: only this user's, or
// root's, on a way no one else can change. TMPDIR and XDG_RUNTIME_DIR say where the folder goes.

#include "PathRules.h"
#include "Platform.h"
#include "PosixInternal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

namespace platform {
namespace {

using posix::Environment;
using posix::Reason;

bool BelongsToUserOrRoot(const struct stat& info) { return info.st_uid == geteuid() || info.st_uid == 0; }

// The names of `path` between its slashes, last first, as a stack of what is left to walk.
std::vector<std::string> NamesToWalk(const std::string& path) {
    std::vector<std::string> names;
    for (size_t end = path.size(); end > 0;) {
        const size_t slash = path.rfind('/', end - 1);
        const size_t start = slash == std::string::npos ? 0 : slash + 1;
        if (end > start) names.push_back(path.substr(start, end - start));
        if (slash == std::string::npos) break;
        end = slash;
    }
    return names;
}

// No one but this user, or root, can rename, remove or replace anything on the way to `folder`, walked
// as given, one entry at a time, as the system resolves it: every folder and every link belongs to this
// user or to root, a folder that others may write to has the sticky bit, which keeps them to their own
// entries, and a link's target is walked the same way. So every later use of the same path arrives at
// the folder checked here.
bool IsSafeFolderChain(const std::string& folder, std::string& problem) {
    if (!detail::IsAbsolutePath(folder)) {
        problem = folder + " is not an absolute path";
        return false;
    }
    std::vector<std::string> names = NamesToWalk(folder);
    std::string reached;  // the folders walked so far, free of links; empty for the root
    std::string step = "/";
    int linksFollowed = 0;
    for (;;) {
        struct stat info{};
        if (lstat(step.c_str(), &info) != 0) {
            problem = Reason(step);
            return false;
        }
        if (!BelongsToUserOrRoot(info)) {
            problem = step + " belongs to user " + std::to_string(info.st_uid);
            return false;
        }
        if (S_ISLNK(info.st_mode)) {
            std::vector<char> target(PATH_MAX + 1);
            const ssize_t length = readlink(step.c_str(), target.data(), target.size());
            if (length <= 0 || static_cast<size_t>(length) >= target.size() || ++linksFollowed > 40) {
                problem = step + " is a link that cannot be followed";
                return false;
            }
            const std::string destination(target.data(), static_cast<size_t>(length));
            for (const std::string& name : NamesToWalk(destination)) names.push_back(name);
            if (detail::IsAbsolutePath(destination)) reached.clear();
        } else if (!S_ISDIR(info.st_mode)) {
            problem = step + " is not a folder";
            return false;
        } else if ((info.st_mode & (S_IWGRP | S_IWOTH)) && !(info.st_mode & S_ISVTX)) {
            problem = step + " is open to other users and has no sticky bit";
            return false;
        } else {
            reached = step == "/" ? std::string() : step;
        }
        // "." and ".." move within what has been walked already.
        for (;;) {
            if (names.empty()) return true;
            const std::string name = names.back();
            names.pop_back();
            if (name == "..") {
                reached.erase(reached.empty() ? 0 : reached.rfind('/'));
            } else if (name != ".") {
                step = reached + "/" + name;
                break;
            }
        }
    }
}

class PosixHeldFile : public HeldFile {
public:
    explicit PosixHeldFile(int descriptor) : descriptor_(descriptor) {}
    ~PosixHeldFile() override { close(descriptor_); }
    PosixHeldFile(const PosixHeldFile&) = delete;
    PosixHeldFile& operator=(const PosixHeldFile&) = delete;

private:
    int descriptor_;
};

bool WriteAll(int descriptor, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step = write(descriptor, bytes.data() + written, bytes.size() - written);
        if (step < 0 && errno == EINTR) continue;
        if (step <= 0) return false;
        written += static_cast<size_t>(step);
    }
    return true;
}

}  // namespace

namespace detail {
bool IsAbsolutePath(const std::string& path) { return !path.empty() && path.front() == '/'; }
}  // namespace detail

std::string ExecutablePath() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
}

std::string SystemDirectory() {
    const std::string configured = Environment("CORVANE_SYSTEM_DIR");
    if (!configured.empty()) return configured;
    const std::string executable = ExecutablePath();
    const size_t slash = executable.rfind('/');
    return (slash == std::string::npos ? std::string(".") : executable.substr(0, slash)) + "/system";
}

std::string TemporaryDirectory() {
    std::string directory = Environment("TMPDIR");
    if (directory.empty()) directory = "/tmp";
    if (directory.back() != '/') directory += '/';
    return directory;
}

// $XDG_RUNTIME_DIR is the user's own by definition; without it, a folder of the user's own under the
// temporary directory, named after the user so that users sharing /tmp never meet.
std::string PrepareWorkDirectory(std::string& problem) {
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    const std::string parent = runtime.empty() ? TemporaryDirectory() : runtime + "/";
    const std::string folder =
        parent + (runtime.empty() ? "corvane-smart-" + std::to_string(geteuid()) : std::string("corvane-smart"));
    if (!IsSafeFolderChain(parent, problem)) return {};
    // Made only when it is missing: making a folder takes the lock of the folder it is made in, even
    // when it is there already, and any user can hold the lock of a shared /tmp for as long as they like.
    struct stat info{};
    bool present = lstat(folder.c_str(), &info) == 0;
    if (!present && errno == ENOENT) {
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            problem = Reason("cannot make " + folder);
            return {};
        }
        present = lstat(folder.c_str(), &info) == 0;
    }
    if (!present) {
        problem = Reason(folder);
        return {};
    }
    if (!S_ISDIR(info.st_mode)) {
        problem = folder + " is a link or a file, not a folder";
        return {};
    }
    if (info.st_uid != geteuid()) {
        problem = folder + " belongs to user " + std::to_string(info.st_uid);
        return {};
    }
    if (info.st_mode & (S_IRWXG | S_IRWXO)) {
        problem = folder + " is open to other users";
        return {};
    }
    return folder + "/";
}

char PathSeparator() { return '/'; }

namespace {

// Why another user than root could change `path`: it is theirs, other users may write it, or it is a
// link, which names whatever its target is. Empty when only root can.
std::string ChangeableByOthers(const std::string& path) {
    struct stat info{};
    if (lstat(path.c_str(), &info) != 0) return Reason(path);
    if (S_ISLNK(info.st_mode)) return path + " is a link";
    if (info.st_uid != 0) return path + " belongs to user " + std::to_string(info.st_uid);
    if (info.st_mode & (S_IWGRP | S_IWOTH)) return path + " can be written by other users";
    return {};
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : path.substr(0, slash);
}

}  // namespace

// The settings file may be missing while its folder is there: whoever may write the folder may make it.
bool ElevatedMayRunTool(const std::string& toolPath, const std::string& settingsLocation, std::string& problem) {
    if (!RunsElevated()) return true;
    struct stat info{};
    std::vector<std::string> paths = {FolderOf(settingsLocation), FolderOf(toolPath), toolPath};
    if (lstat(settingsLocation.c_str(), &info) == 0 || errno != ENOENT) paths.insert(paths.begin() + 1, settingsLocation);
    for (const std::string& path : paths) {
        problem = ChangeableByOthers(path);
        if (!problem.empty()) return false;
    }
    return true;
}

FileContent ReadOwnFile(const std::string& path, std::size_t largest) {
    FileContent content;
    const int descriptor = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        content.problem = Reason(path);
        return content;
    }
    struct stat info{};
    if (fstat(descriptor, &info) != 0) {
        content.problem = Reason(path);
    } else if (!S_ISREG(info.st_mode)) {
        content.problem = path + " is not a regular file";
    } else if (info.st_uid != geteuid()) {
        content.problem = path + " belongs to user " + std::to_string(info.st_uid);
    } else {
        content.size = static_cast<unsigned long long>(info.st_size);
        content.bytes.reserve(static_cast<size_t>(std::min<unsigned long long>(content.size, largest)));
        char block[65536];
        while (content.bytes.size() < largest) {
            const ssize_t step = read(descriptor, block, std::min(sizeof block, largest - content.bytes.size()));
            if (step < 0 && errno == EINTR) continue;
            if (step <= 0) break;
            content.bytes.append(block, static_cast<size_t>(step));
        }
        content.read = true;
    }
    close(descriptor);
    return content;
}

std::unique_ptr<HeldFile> HoldNewFile(const std::string& path, const std::string& content, std::string& problem) {
    if (unlink(path.c_str()) != 0 && errno != ENOENT) {
        problem = Reason("cannot remove " + path);
        return nullptr;
    }
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        problem = Reason("cannot create " + path);
        return nullptr;
    }
    // Read-only once written, so that nothing, not even a program of this user, changes it by mistake.
    if (!WriteAll(descriptor, content) || fchmod(descriptor, 0400) != 0) {
        problem = Reason("cannot write " + path);
        close(descriptor);
        return nullptr;
    }
    return std::make_unique<PosixHeldFile>(descriptor);
}

InstanceClaim ClaimSingleInstance(const std::string& lockPath, std::string& problem) {
    const int descriptor = open(lockPath.c_str(), O_CREAT | O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        problem = Reason("cannot open " + lockPath);
        return InstanceClaim::Unavailable;
    }
    struct stat info{};
    InstanceClaim claim = InstanceClaim::Unavailable;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        problem = lockPath + " is not a regular file";
    else if (flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        return InstanceClaim::Claimed;  // held until the process ends
    else if (errno == EWOULDBLOCK)
        claim = InstanceClaim::HeldByAnother;
    else
        problem = Reason("cannot lock " + lockPath);
    close(descriptor);
    return claim;
}

}  // namespace platform
