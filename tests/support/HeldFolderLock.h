#pragma once

// How another user freezes whoever changes a folder they may list: a listing of it that cannot finish
// holds the folder's lock, and a process that then makes, renames or removes anything in it sleeps
// where no signal reaches it, SIGKILL included, until the listing ends. On a FUSE file system whose
// server never answers, the listing's buffer is a mapped file that can never be read in; here it is
// memory handed to userfaultfd, whose page is given only by Release(), or when the test process ends:
// a test whose process does wait for the folder fails at ctest's time limit. Linux only.

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/userfaultfd.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

class HeldFolderLock {
public:
    explicit HeldFolderLock(const QString& folder) : problem_(Hold(folder)) {}
    ~HeldFolderLock() { Release(); }
    HeldFolderLock(const HeldFolderLock&) = delete;
    HeldFolderLock& operator=(const HeldFolderLock&) = delete;

    bool Held() const { return problem_.isEmpty(); }
    QString Problem() const { return problem_; }

    // Lets the listing finish, and with it everything that waited for the folder.
    void Release() {
        if (faults_ >= 0) close(faults_);  // without it the page is an ordinary one
        faults_ = -1;
        if (lister_.joinable()) lister_.join();
        if (folder_ >= 0) close(folder_);
        folder_ = -1;
        if (page_ != MAP_FAILED && page_) munmap(page_, pageSize_);
        page_ = nullptr;
    }

private:
    // Starts the listing that holds the lock of `folder`; what kept it from being held, if anything.
    QString Hold(const QString& folder) {
        faults_ = static_cast<int>(syscall(SYS_userfaultfd, O_CLOEXEC | O_NONBLOCK));
        uffdio_api api{};
        api.api = UFFD_API;
        // Faults in the kernel are caught for root only, unless vm.unprivileged_userfaultfd is 1.
        if (faults_ < 0 || ioctl(faults_, UFFDIO_API, &api) != 0)
            return Failure("no userfaultfd that catches the kernel's faults");
        page_ = mmap(nullptr, pageSize_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        uffdio_register missing{};
        missing.range = {reinterpret_cast<unsigned long long>(page_), pageSize_};
        missing.mode = UFFDIO_REGISTER_MODE_MISSING;
        if (page_ == MAP_FAILED || ioctl(faults_, UFFDIO_REGISTER, &missing) != 0)
            return Failure("cannot register a page with userfaultfd");
        folder_ = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder_ < 0) return Failure("cannot open " + folder);
        lister_ = std::thread([this] { syscall(SYS_getdents64, folder_, page_, pageSize_); });
        pollfd fault{faults_, POLLIN, 0};
        return poll(&fault, 1, 60000) == 1 ? QString() : "the listing of " + folder + " never reached its buffer";
    }
    static QString Failure(const QString& what) { return what + ": " + std::strerror(errno); }

    const size_t pageSize_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    int faults_ = -1;
    int folder_ = -1;
    void* page_ = nullptr;
    std::thread lister_;
    QString problem_;
};

// The state letter of a process, from /proc/PID/stat ('D': asleep where no signal reaches it, 'Z': ended
// but not reaped); 0 when there is no such process.
inline char ProcessState(pid_t process) {
    QFile stat("/proc/" + QString::number(process) + "/stat");
    if (!stat.open(QIODevice::ReadOnly)) return 0;
    const QByteArray text = stat.readAll();
    const int nameEnd = text.lastIndexOf(')');
    return nameEnd < 0 || nameEnd + 2 >= text.size() ? 0 : text[nameEnd + 2];
}
