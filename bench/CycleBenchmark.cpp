// cycle-benchmark: what one temperature cycle costs on described machines of 1, 4 and 9 drives.
//   cycle-benchmark [--cycles N] [MACHINE...]    MACHINE: a folder name in standins/machines
// Each machine is measured in a process of its own, so that every row starts from a fresh process:
// it builds the controller (as start-up does), runs a few cycles to warm up, then times N cycles.
// The monitor's own share is the part of a cycle's wall time not spent waiting for the command runs
// it started. The CPU columns tell where the processor's time went; unlike wall times they do not
// grow when other work shares the machine.

#include "CycleDriver.h"
#include "tray/QWaitClass.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QStringList DefaultMachines = {QStringLiteral("single-nvme-notebook"), QStringLiteral("four-drive-workstation"),
                                     QStringLiteral("nine-drive-server")};
constexpr int WarmUpCycles = 3;
constexpr int DefaultCycles = 20;

struct MachineShape {
    int drives = 0;
    int bootPosition = -1;  // 0-based place of the boot disk in the drive list; -1 for none
};

MachineShape ReadShape(const QString& machineDirectory) {
    MachineShape shape;
    QFile file(machineDirectory + QStringLiteral("/machine.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cycle-benchmark: cannot read %s\n", qPrintable(file.fileName()));
        return shape;
    }
    while (!file.atEnd()) {
        const QByteArray key = file.readLine().simplified().split(' ').value(0);
        if (key == "drive") ++shape.drives;
        if (key == "boot") shape.bootPosition = shape.drives - 1;
    }
    return shape;
}

// Tool runs one temperature cycle needs by the algorithms, for N drives with the boot disk in 0-based
// position b. The boot-disk search runs twice (the cycle's own and the initialisation's): one index
// listing and two diskpart runs per drive up to the boot disk. The S.M.A.R.T. tool reads the boot disk
// twice, and one model listing names it. The drive overview costs, per index entry, a model listing,
// two diskpart runs and the S.M.A.R.T. tool; the blank line with which WMIC ends its index list names
// no drive and costs nothing.
//   2 (1 + 2 (b + 1)) + 2 + 1 + 4 N = 4 N + 4 b + 9
int ImpliedRunsPerCycle(const MachineShape& shape) {
    if (shape.bootPosition < 0) return -1;
    return 4 * shape.drives + 4 * shape.bootPosition + 9;
}

// Start to tray icon: the icon is created and drawn in one step of the initialisation, and the next
// tool run (the boot disk's model listing) starts only after it, so that run marks the drawn icon.
QPointer<QObject> watchedController;
QElapsedTimer sinceConstruction;
qint64 iconDrawnAfterMs = -1;

class ControllerWatch : public QObject {
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildAdded && !watchedController && watched->inherits("QWaitClass"))
            watchedController = watched;
        return false;
    }
};

void NoteDrawnIcon() {
    if (iconDrawnAfterMs < 0 && watchedController && watchedController->findChild<QSystemTrayIcon*>())
        iconDrawnAfterMs = sinceConstruction.elapsed();
}

struct Row {
    QString machine;
    MachineShape shape;
    double cycleMs = 0;
    double inRunsMs = 0;
    double ownMs = 0;
    double childrenCpuMs = 0;
    double monitorCpuMs = 0;
    double runsPerCycle = 0;
    double toolsPerCycle = 0;
    int impliedRuns = 0;
    double residentMb = 0;
    qint64 iconMs = -1;
    qint64 constructorMs = 0;
};

// Wall times are medians: a cycle slowed by other work on the machine moves a mean, not a median.
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

Row Measure(const QString& machinesDirectory, const QString& machine, const QString& workDirectory, int cycles) {
    Row row;
    row.machine = machine;
    const cycles::Workplace workplace{machinesDirectory + QLatin1Char('/') + machine,
                                      workDirectory + QLatin1Char('/') + machine, true};
    row.shape = ReadShape(workplace.machineDirectory);
    row.impliedRuns = ImpliedRunsPerCycle(row.shape);
    cycles::Prepare(workplace);

    watchedController = nullptr;
    iconDrawnAfterMs = -1;
    sinceConstruction.start();
    QWaitClass controller;
    row.constructorMs = sinceConstruction.elapsed();
    row.iconMs = iconDrawnAfterMs;
    cycles::StopTimers(controller);

    for (int i = 0; i < WarmUpCycles; ++i) cycles::RunTemperatureCycle(controller);

    const long runsBefore = cycles::ToolRunsSoFar();
    const long toolsBefore = cycles::ToolLogLines(workplace);
    const cycles::CpuTimes cpuBefore = cycles::CpuTimesSoFar();
    std::vector<double> cycleMs;
    std::vector<double> inRunsMs;
    std::vector<double> ownMs;
    for (int i = 0; i < cycles; ++i) {
        const double inRunsBefore = cycles::MillisecondsInToolRuns();
        QElapsedTimer wall;
        wall.start();
        cycles::RunTemperatureCycle(controller);
        cycleMs.push_back(wall.nsecsElapsed() / 1e6);
        inRunsMs.push_back(cycles::MillisecondsInToolRuns() - inRunsBefore);
        ownMs.push_back(cycleMs.back() - inRunsMs.back());
    }
    const cycles::CpuTimes cpuAfter = cycles::CpuTimesSoFar();

    row.cycleMs = Median(cycleMs);
    row.inRunsMs = Median(inRunsMs);
    row.ownMs = Median(ownMs);
    row.childrenCpuMs = (cpuAfter.children - cpuBefore.children) / cycles;
    row.monitorCpuMs = (cpuAfter.self - cpuBefore.self) / cycles;
    row.runsPerCycle = double(cycles::ToolRunsSoFar() - runsBefore) / cycles;
    row.toolsPerCycle = double(cycles::ToolLogLines(workplace) - toolsBefore) / cycles;
    row.residentMb = cycles::ResidentKilobytes() / 1024.0;
    if (row.runsPerCycle == 0)
        std::fprintf(stderr, "cycle-benchmark: no command run was named in the debug output; QT_LOGGING_RULES "
                             "must leave corvane.exec.debug on\n");
    return row;
}

double Percent(double part, double whole) { return whole > 0 ? 100.0 * part / whole : 0; }

void PrintRow(const Row& row) {
    std::printf("| %s | %d | %d | %.1f | %.1f | %.1f %% | %.1f | %.1f | %.1f | %d | %.1f | %.1f | %lld | %lld |\n",
                qPrintable(row.machine), row.shape.drives, row.shape.bootPosition + 1, row.cycleMs, row.inRunsMs,
                Percent(row.ownMs, row.cycleMs), row.childrenCpuMs, row.monitorCpuMs, row.runsPerCycle,
                row.impliedRuns, row.toolsPerCycle, row.residentMb, static_cast<long long>(row.iconMs),
                static_cast<long long>(row.constructorMs));
}

void PrintHeader(int cycles) {
    std::printf("One temperature cycle, over %d cycles after %d to warm up: wall times are medians, CPU times "
                "means (ms)\n\n", cycles, WarmUpCycles);
    std::printf("| machine | drives | boot disk | cycle | in runs | own share | children CPU | own CPU "
                "| runs per cycle | implied | tools started | resident MB | to tray icon | constructor |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
}

void PrintLegend() {
    std::printf("\nboot disk: its 1-based place in the drive list. cycle: wall time of one temperature cycle. in "
                "runs: wall time spent waiting for the command runs. own share: the cycle's time outside the "
                "runs, as a share of the cycle. children CPU: CPU time of the processes the runs started (getrusage). own CPU: the monitor's "
                "own CPU time, starting and reaping the processes included. runs per cycle: the command "
                "runner's runs. implied: 4 N + 4 b + 9 runs for N drives, boot disk in 0-based place b. "
                "tools started: lines in the stand-ins' log. to tray icon: from the controller's construction "
                "until its icon is drawn. constructor: until the controller exists, its first health check "
                "included.\n");
}

// One row from a fresh process: this program again, for one machine.
bool MeasureApart(const QString& machine, int cycles) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--cycles"), QString::number(cycles), QStringLiteral("--row"), machine});
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "cycle-benchmark: measuring %s failed: %s\n", qPrintable(machine),
                     qPrintable(process.errorString()));
        return false;
    }
    std::fputs(process.readAllStandardOutput().constData(), stdout);
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    int cycles = DefaultCycles;
    QString rowMachine;
    QStringList machines;
    const QStringList arguments = application.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--cycles") && i + 1 < arguments.size()) {
            cycles = arguments[++i].toInt();
        } else if (arguments[i] == QLatin1String("--row") && i + 1 < arguments.size()) {
            rowMachine = arguments[++i];
        } else if (arguments[i].startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "usage: cycle-benchmark [--cycles N] [MACHINE...]\n");
            return 2;
        } else {
            machines << arguments[i];
        }
    }
    if (cycles <= 0) {
        std::fprintf(stderr, "cycle-benchmark: --cycles takes a positive number\n");
        return 2;
    }

    if (rowMachine.isEmpty()) {
        PrintHeader(cycles);
        bool measured = true;
        for (const QString& machine : machines.isEmpty() ? DefaultMachines : machines)
            measured = MeasureApart(machine, cycles) && measured;
        PrintLegend();
        return measured ? 0 : 1;
    }

    QTemporaryDir workDirectory;
    if (!workDirectory.isValid()) {
        std::fprintf(stderr, "cycle-benchmark: no temporary folder: %s\n", qPrintable(workDirectory.errorString()));
        return 1;
    }
    ControllerWatch watch;
    application.installEventFilter(&watch);
    cycles::StartCountingToolRuns();
    cycles::SetToolRunObserver(NoteDrawnIcon);
    std::fprintf(stderr, "measuring %s ...\n", qPrintable(rowMachine));
    const Row row = Measure(QStringLiteral(CORVANE_MACHINES_DIR), rowMachine, workDirectory.path(), cycles);
    if (row.shape.drives == 0) return 1;
    PrintRow(row);
    return 0;
}
