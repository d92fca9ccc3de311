// smartinspect FILE...: shows, for each S.M.A.R.T. report, the figures the monitor takes from it, one
// JSON object per line, so that anyone can see why a drive shows what it shows.

#include "exec/CaptureFile.h"
#include "smart/HealthEvaluation.h"
#include "smart/PerformanceEvaluation.h"
#include "smart/SmartReport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int UnreadableFileExit = 2;

QByteArray JsonText(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

const char* JsonBool(bool value) { return value ? "true" : "false"; }

QByteArray ReportFigures(const QString& file, const QStringList& lines) {
    const smart::SmartScan scan = smart::ScanSmartLines(lines);
    return "{\"file\": " + JsonText(file) + ", \"temperature\": " + QByteArray::number(scan.Temperature()) +
           ", \"passedBeforeTemperature\": " + JsonBool(scan.passedSeen) +
           ", \"passed\": " + JsonBool(smart::ReportHasPassed(lines)) +
           ", \"health\": " + QByteArray::number(smart::HealthFromReport(lines)) +
           ", \"performance\": " + QByteArray::number(smart::PerformanceFromReport(lines)) + "}";
}

// Any report the user may read, a cached one of root's included: unlike the monitor's own captures, a
// file given on the command line is the user's choice. Read as captures are, up to their bound.
std::optional<QStringList> ReadReport(const QString& path, QString& problem) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
        return std::nullopt;
    }
    return DecodeCaptureLines(file.read(8 * 1024 * 1024));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: smartinspect FILE...\n"
                             "Prints, for each smartctl report, the temperature, the PASSED marker, the health\n"
                             "and the performance the monitor takes from it, as one JSON object per line.\n");
        return UnreadableFileExit;
    }
    // The developer output would mix with the figures; QT_LOGGING_RULES can still bring it back.
    QLoggingCategory::setFilterRules(QStringLiteral("corvane.*.debug=false"));
    int exitCode = 0;
    for (int i = 1; i < argc; ++i) {
        const QString file = QFile::decodeName(argv[i]);
        QString problem;
        const std::optional<QStringList> lines = ReadReport(file, problem);
        if (!lines) {
            std::fprintf(stderr, "smartinspect: cannot read %s: %s\n", argv[i], qUtf8Printable(problem));
            exitCode = UnreadableFileExit;
            continue;
        }
        std::printf("%s\n", ReportFigures(file, *lines).constData());
        std::fflush(stdout);
    }
    return exitCode;
}
