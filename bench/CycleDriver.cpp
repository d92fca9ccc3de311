#include "CycleDriver.h"

#include "app/ProcessValues.h"
#include "app/Settings.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMetaObject>
#include <QTimer>
#include <QtGlobal>

#include <sys/resource.h>

#include <cstdio>

namespace cycles {

QString Workplace::ToolLogPath() const { return QDir(workDirectory).filePath(QStringLiteral("tools.log")); }

void Prepare(const Workplace& workplace) {
    QDir().mkpath(workplace.workDirectory);
    qputenv("CORVANE_SIMULATED_MACHINE", QFile::encodeName(workplace.machineDirectory));
    qputenv("TMPDIR", QFile::encodeName(workplace.workDirectory));
    qputenv("CORVANE_SETTINGS_FILE", QFile::encodeName(QDir(workplace.workDirectory).filePath("settings.ini")));
    if (workplace.logTools)
        qputenv("CORVANE_TOOL_LOG", QFile::encodeName(workplace.ToolLogPath()));
    else
        qunsetenv("CORVANE_TOOL_LOG");
    SystemDirectory = QString::fromStdString(platform::SystemDirectory());

    SettingsStore settings;
    settings.Write(SettingsKey::ShowWarning, true);
    settings.Write(SettingsKey::WarningValue, 1);
    settings.Write(SettingsKey::ShutDownValue, 1);
}

namespace {

void Invoke(QObject& controller, const char* slot) {
    if (!QMetaObject::invokeMethod(&controller, slot, Qt::DirectConnection))
        qFatal("the controller has no slot %s", slot);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

long toolRuns = 0;
void (*toolRunObserver)() = nullptr;
QElapsedTimer runClock;
qint64 runStartedNs = 0;
qint64 runningNs = 0;

// The runner names each run as it starts and again when it has waited for its end.
void CountingMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) {
        if (qstrcmp(context.category, "corvane.exec") != 0) return;
        if (message.startsWith(QLatin1String("running "))) {
            ++toolRuns;
            if (toolRunObserver) toolRunObserver();
            runStartedNs = runClock.nsecsElapsed();
        } else if (message.startsWith(QLatin1String("ended "))) {
            runningNs += runClock.nsecsElapsed() - runStartedNs;
        }
        return;
    }
    std::fprintf(stderr, "%s: %s\n", context.category ? context.category : "", qPrintable(message));
    if (type == QtFatalMsg) std::abort();
}

double Milliseconds(const timeval& time) { return time.tv_sec * 1000.0 + time.tv_usec / 1000.0; }

double CpuMilliseconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
}

}  // namespace

void StopTimers(QObject& controller) {
    for (QTimer* timer : controller.findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly)) timer->stop();
}

void RunTemperatureCycle(QObject& controller) { Invoke(controller, "GetSmartTemprature"); }

void RunHealthCycle(QObject& controller) { Invoke(controller, "GetHealthAndPerformanceWarning"); }

long ResidentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void StartCountingToolRuns() {
    qInstallMessageHandler(CountingMessageHandler);
    toolRuns = 0;
    runningNs = 0;
    runClock.start();
}

long ToolRunsSoFar() { return toolRuns; }

double MillisecondsInToolRuns() { return runningNs / 1e6; }

void SetToolRunObserver(void (*observer)()) { toolRunObserver = observer; }

long ToolLogLines(const Workplace& workplace) {
    QFile log(workplace.ToolLogPath());
    if (!log.open(QIODevice::ReadOnly)) return 0;
    return log.readAll().count('\n');
}

CpuTimes CpuTimesSoFar() { return {CpuMilliseconds(RUSAGE_CHILDREN), CpuMilliseconds(RUSAGE_SELF)}; }

}  // namespace cycles
