#include "CommandRunner.h"

#include "app/ProcessValues.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcExec, "corvane.exec")

platform::CommandOutcome RunCommandWithin(const std::string& command, const std::string& argument,
                                          std::chrono::milliseconds limit, const platform::OutputWatch& watch) {
    const std::string commandLine = command + " " + argument;
    qCDebug(lcExec) << "running" << QString::fromStdString(commandLine);
    const platform::CommandOutcome outcome = platform::RunHidden(commandLine, limit, watch);
    if (!outcome.started)
        qCWarning(lcExec) << "could not start the command interpreter for" << QString::fromStdString(commandLine);
    else if (outcome.givenUp)
        qCWarning(lcExec) << "given up: processes of" << QString::fromStdString(commandLine)
                          << "did not end when they were ended; what it wrote is not read";
    else if (outcome.outputTooLarge)
        qCWarning(lcExec) << "ended when its output passed" << watch.largest << "bytes:" << QString::fromStdString(commandLine);
    else if (outcome.timedOut)
        qCWarning(lcExec) << "ended after" << limit.count() << "ms without finishing:"
                          << QString::fromStdString(commandLine);
    else
        qCDebug(lcExec) << "ended with exit code" << outcome.exitCode;
    return outcome;
}

std::chrono::milliseconds EffectiveCommandTimeLimit() {
    bool valid = false;
    const int seconds = qEnvironmentVariableIntValue("CORVANE_COMMAND_TIME_LIMIT", &valid);
    if (valid && seconds > 0) return std::chrono::seconds(seconds);
    return CommandTimeLimit;
}

void RunCommand(const std::string& command, const std::string& argument) {
    RunCommandWithin(command, argument, EffectiveCommandTimeLimit());
}

void RunCapturing(const std::string& command, const QString& capturePath) {
    if (capturePath.isEmpty()) {
        qCWarning(lcExec) << "no work folder for the output of" << QString::fromStdString(command) << "- not running it";
        return;
    }
    RunCommandWithin(command, std::string(), EffectiveCommandTimeLimit(), {capturePath.toStdString(), LargestToolOutput});
}

QString QuotedPath(const QString& path) {
    return QString::fromStdString(platform::QuoteForInterpreter(path.toStdString()));
}

QString NativePath(QString path) {
    return path.replace(QLatin1Char('/'), QLatin1Char(platform::PathSeparator()));
}

QString SystemToolPath(const QString& relativePath) {
    return NativePath(SystemDirectory + QLatin1Char('/') + relativePath);
}
