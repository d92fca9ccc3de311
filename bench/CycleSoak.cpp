// cycle-soak: many temperature cycles and health checks in one process on a described machine,
// as months of the monitor's timers would run them, then a verdict on memory and leaks.
//   cycle-soak [--machine NAME] [--cycles N] [--health-cycles M] [--baseline B]
// Defaults: four-drive-workstation, 10000 temperature cycles, 100 health checks spread evenly among
// them, resident memory compared with what it was after the first 100 cycles. It fails when the
// resident memory grew by more than 1 MB, when objects accumulated, or when the drive menu changed
// or never listed a drive.
// Linked with LeakSanitizer, it checks for leaks while the controller is still alive, so that what
// the controller holds until the process ends does not count and everything lost on the way does.

#include "CycleDriver.h"
#include "tray/QWaitClass.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTemporaryDir>

#include <cstdio>

// Present only when LeakSanitizer is linked in.
extern "C" __attribute__((weak)) void __lsan_do_leak_check();

// Read by LeakSanitizer at start. Keep it short: each entry hides every leak whose stack it matches.
// fontconfig loses two blocks while it parses its configuration, once per process, the first time Qt
// looks up a font. Its stacks end in fontconfig (built without frame pointers), so only the library
// can be named; LeakSanitizer's closing list of used suppressions shows how many blocks it hid, and a
// loss on every cycle would also show as growth of the resident memory.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

constexpr long AllowedGrowthKb = 1024;

struct Options {
    QString machine = QStringLiteral("four-drive-workstation");
    int cycles = 10000;
    int healthCycles = 100;
    int baseline = 100;
};

bool ParseOptions(const QStringList& arguments, Options& options) {
    for (int i = 0; i + 1 < arguments.size(); i += 2) {
        const QString& name = arguments[i];
        const QString& value = arguments[i + 1];
        if (name == QLatin1String("--machine"))
            options.machine = value;
        else if (name == QLatin1String("--cycles"))
            options.cycles = value.toInt();
        else if (name == QLatin1String("--health-cycles"))
            options.healthCycles = value.toInt();
        else if (name == QLatin1String("--baseline"))
            options.baseline = value.toInt();
        else
            return false;
    }
    return arguments.size() % 2 == 0 && options.cycles > 0 && options.healthCycles >= 0 && options.baseline > 0 &&
           options.baseline <= options.cycles;
}

// What a rebuild must leave as it found it: the controller's own objects, the windows, the drives in
// the tray menu.
struct Census {
    int controllerObjects = 0;
    int topLevelWidgets = 0;
    int driveSubmenus = 0;

    bool operator==(const Census& other) const {
        return controllerObjects == other.controllerObjects && topLevelWidgets == other.topLevelWidgets &&
               driveSubmenus == other.driveSubmenus;
    }
};

Census TakeCensus(const QObject& controller) {
    Census census;
    census.controllerObjects = controller.findChildren<QObject*>().size();
    census.topLevelWidgets = QApplication::topLevelWidgets().size();
    if (const QSystemTrayIcon* icon = controller.findChild<QSystemTrayIcon*>()) {
        if (const QMenu* menu = icon->contextMenu()) {
            for (const QAction* action : menu->actions()) census.driveSubmenus += action->menu() ? 1 : 0;
        }
    }
    return census;
}

void PrintCensus(const char* when, const Census& census) {
    std::printf("%s: %d objects under the controller, %d windows, %d drive submenus\n", when,
                census.controllerObjects, census.topLevelWidgets, census.driveSubmenus);
}

}  // namespace

int main(int argc, char** argv) {
    // Checked before Qt starts: under LeakSanitizer an early return would report Qt's own teardown.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    Options options;
    if (!ParseOptions(arguments, options)) {
        std::fprintf(stderr, "usage: cycle-soak [--machine NAME] [--cycles N] [--health-cycles M] [--baseline B]\n");
        return 2;
    }
    const QString machine = QStringLiteral(CORVANE_MACHINES_DIR "/") + options.machine;
    if (!QFile::exists(machine + QStringLiteral("/machine.txt"))) {
        std::fprintf(stderr, "cycle-soak: no described machine %s\n", qPrintable(machine));
        return 2;
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir workDirectory;
    if (!workDirectory.isValid()) {
        std::fprintf(stderr, "cycle-soak: no temporary folder: %s\n", qPrintable(workDirectory.errorString()));
        return 1;
    }
    cycles::StartCountingToolRuns();
    cycles::Prepare({machine, workDirectory.path()});

    QElapsedTimer clock;
    clock.start();
    QWaitClass controller;
    cycles::StopTimers(controller);
    const int healthEvery = options.healthCycles > 0 ? options.cycles / options.healthCycles : 0;
    int healthRun = 0;
    long baselineKb = 0;
    Census baseline;
    int cyclesOffBaseline = 0;
    for (int cycle = 1; cycle <= options.cycles; ++cycle) {
        cycles::RunTemperatureCycle(controller);
        if (healthEvery > 0 && cycle % healthEvery == 0 && healthRun < options.healthCycles) {
            cycles::RunHealthCycle(controller);
            ++healthRun;
        }
        if (cycle == options.baseline) {
            baselineKb = cycles::ResidentKilobytes();
            baseline = TakeCensus(controller);
        } else if (cycle > options.baseline && !(TakeCensus(controller) == baseline)) {
            ++cyclesOffBaseline;
        }
        if (cycle % 1000 == 0 || cycle == options.baseline)
            std::printf("after %5d cycles: resident %ld kB, %lld s, %ld tool runs\n", cycle,
                        cycles::ResidentKilobytes(), static_cast<long long>(clock.elapsed() / 1000),
                        cycles::ToolRunsSoFar());
        std::fflush(stdout);
    }
    const long finalKb = cycles::ResidentKilobytes();

    std::printf("soak: %d temperature cycles and %d health checks on %s in %lld s, %ld tool runs\n",
                options.cycles, healthRun, qPrintable(options.machine),
                static_cast<long long>(clock.elapsed() / 1000), cycles::ToolRunsSoFar());
    std::printf("resident memory: %ld kB after %d cycles, %ld kB after %d (%+ld kB; at most %+ld allowed)\n",
                baselineKb, options.baseline, finalKb, options.cycles, finalKb - baselineKb, AllowedGrowthKb);
    PrintCensus("after the baseline", baseline);
    PrintCensus("at the end", TakeCensus(controller));

    bool passed = true;
    if (baselineKb <= 0 || finalKb <= 0) {
        std::printf("FAILED: the resident memory could not be read from /proc/self/status\n");
        passed = false;
    } else if (finalKb - baselineKb > AllowedGrowthKb) {
        std::printf("FAILED: the resident memory grew by more than %ld kB\n", AllowedGrowthKb);
        passed = false;
    }
    if (baseline.driveSubmenus == 0) {
        std::printf("FAILED: the tray menu lists no drive; the stand-in tools read no machine\n");
        passed = false;
    }
    if (cyclesOffBaseline > 0) {
        std::printf("FAILED: after %d cycles the objects under the controller, the windows or the drive "
                    "submenus differed from the baseline\n", cyclesOffBaseline);
        passed = false;
    }
    std::fflush(stdout);
    if (__lsan_do_leak_check) {
        // Ends the process with LeakSanitizer's exit code when anything leaked.
        __lsan_do_leak_check();
        std::printf("LeakSanitizer: no leak\n");
    }
    std::printf("%s\n", passed ? "soak passed" : "soak FAILED");
    return passed ? 0 : 1;
}
