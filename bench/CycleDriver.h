#pragma once

// Runs the monitor's controller in this process on a described machine and calls its two checks
// directly, as their timers would, for the soak, the benchmark and the memory test. Linux only: it
// reads /proc and uses getrusage.

#include <QString>

class QObject;

namespace cycles {

// The described machine, and the folder that receives the captures, the settings file and the tool
// log of the run.
struct Workplace {
    QString machineDirectory;
    QString workDirectory;
    bool logTools = false;  // the stand-ins append each run to tools.log in the work folder

    QString ToolLogPath() const;
};

// Points the stand-in tools, the capture files and the settings at `workplace`. Every warning is
// switched on with thresholds of 1 degree, so each temperature cycle shows both temperature dialogs
// and a health check on a worn boot disk shows its dialog too: the longest path through the checks.
void Prepare(const Workplace& workplace);

// Stops the controller's own timers, so that the checks run only when called below, however long a
// run of them takes.
void StopTimers(QObject& controller);

// One timer tick of each check. Menus and entries replaced by a rebuild are released by deferred
// deletion, which the event loop would do between ticks; these do it before returning.
void RunTemperatureCycle(QObject& controller);
void RunHealthCycle(QObject& controller);

// Resident memory of this process (VmRSS), in kilobytes; -1 when /proc cannot tell.
long ResidentKilobytes();

// Counts the command runner's runs from its debug lines, from the call on. Warnings and worse still
// reach standard error; debug and info lines are dropped, as thousands of cycles would flood it.
void StartCountingToolRuns();
long ToolRunsSoFar();

// Wall time spent waiting for the runs counted so far, from the start of each to its end.
double MillisecondsInToolRuns();

// Called as each tool run starts, before the tool runs.
void SetToolRunObserver(void (*observer)());

// Lines in the stand-in tools' log: one per tool started.
long ToolLogLines(const Workplace& workplace);

// CPU time, in milliseconds, of the waited-for child processes and of this process itself.
struct CpuTimes {
    double children = 0;
    double self = 0;
};
CpuTimes CpuTimesSoFar();

}  // namespace cycles
