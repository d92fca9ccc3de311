// corvane-report-cache: the root service that keeps every whole disk's S.M.A.R.T. report readable for
// the monitor, which runs as the user and cannot open the drives.
//   corvane-report-cache [--once] [FOLDER]     FOLDER: /run/corvane-smart by default
// Every 30 seconds (or once), it runs `smartctl -n standby -a` for each disk and replaces FOLDER's
// <kernel name>.txt with the output. Failures go to standard error, which systemd keeps in its journal.

#include "ReportCache.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr unsigned PassIntervalSeconds = 30;
constexpr int SmartctlTimeLimitSeconds = 60;

void ReportFailures(const standin::PassResult& pass) {
    for (const std::string& failure : pass.failed) std::fprintf(stderr, "corvane-report-cache: %s\n", failure.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    bool once = false;
    std::string folder = "/run/corvane-smart";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--once") {
            once = true;
        } else if (!argument.empty() && argument[0] != '-') {
            folder = argument;
        } else {
            std::fprintf(stderr, "usage: corvane-report-cache [--once] [FOLDER]\n");
            return 2;
        }
    }
    umask(022);
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "corvane-report-cache: cannot create %s: %s\n", folder.c_str(), std::strerror(errno));
        return 1;
    }
    standin::RemoveUnfinishedReports(folder);
    for (;;) {
        const standin::PassResult pass = standin::CacheReports(folder, SmartctlTimeLimitSeconds);
        ReportFailures(pass);
        if (once) return pass.failed.empty() ? 0 : 1;
        for (unsigned left = PassIntervalSeconds; left > 0;) left = sleep(left);
    }
}
