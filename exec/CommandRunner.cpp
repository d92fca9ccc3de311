#include "CommandRunner.h"

#include "app/ProcessValues.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcExec, "corvane.exec")

platform::CommandOutcome RunCommandWithin(const std::string& command, const std::string& argument,
                                          std::chrono::milliseconds limit) {
    const std::string commandLine = command + " " + argument;
    qCDebug(lcExec) << "running" << QString::fromStdString(commandLine);
    const platform::CommandOutcome outcome = platform::RunHidden(commandLine, limit);
    if (!outcome.started)
        qCWarning(lcExec) << "could not start the command interpreter for" << QString::fromStdString(commandLine);
    else if (outcome.timedOut)
        qCWarning(lcExec) << "ended after" << limit.count() << "ms without finishing:"
                          << QString::fromStdString(commandLine);
    return outcome;
}

void RunCommand(const std::string& command, const std::string& argument) {
    RunCommandWithin(command, argument, CommandTimeLimit);
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
