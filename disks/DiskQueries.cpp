#include "DiskQueries.h"

#include "BootDisk.h"
#include "DriveList.h"
#include "PowerShellQuery.h"
#include "app/ProcessValues.h"
#include "exec/CaptureFile.h"
#include "exec/CommandRunner.h"
#include "platform/Platform.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcDisks, "corvane.disks")

namespace disks {
namespace {

const QString ModelCaptureName = QStringLiteral("DiskInfo.txt");
const QString IndexCaptureName = QStringLiteral("SMART1.txt");
const QString ScriptName = QStringLiteral("DiskList.txt");
const QString DetailCaptureName = QStringLiteral("Out.txt");

// WMIC first; PowerShell only when WMIC left nothing in the capture.
void ListDrives(const QString& wmicQuery, const QString& powerShellScript, const QString& capture) {
    RemoveCaptureFile(capture);
    RunCapturing((QuotedPath(SystemToolPath(QStringLiteral("wbem/WMIC.exe"))) + QLatin1Char(' ') + wmicQuery +
                  QStringLiteral(" >> ") + QuotedPath(capture))
                     .toStdString(),
                 capture);
    if (CaptureHasContent(capture)) return;
    qCDebug(lcDisks) << "WMIC listed no drives into" << capture << "- asking PowerShell";
    RunPowerShellListing(powerShellScript, capture);
}

}  // namespace

QString GetDiskModelName(const QString& index) {
    const QString capture = CapturePath(ModelCaptureName);
    ListDrives(QStringLiteral("diskdrive get Model,Index"), ModelListScript, capture);
    const std::optional<QStringList> lines = ReadCaptureLines(capture);
    if (!lines) {
        qCDebug(lcDisks) << "no drive list to find the model of drive" << index;
        return {};
    }
    const QString model = ModelTextForIndex(*lines, index);
    qCDebug(lcDisks) << "drive" << index << "model" << model;
    RemoveCaptureFile(capture);
    return model;
}

bool QueryDiskDetail(const QString& index) {
    const QString script = CapturePath(ScriptName);
    const QString detailCapture = CapturePath(DetailCaptureName);
    // Removed rather than replaced by the redirection, so that nothing left at its name (a pipe, say)
    // can hold the run up.
    RemoveCaptureFile(detailCapture);
    std::string problem;
    const std::unique_ptr<platform::HeldFile> held =
        platform::HoldNewFile(script.toStdString(), DiskpartScript(index).toUtf8().toStdString(), problem);
    if (!held) {
        qCWarning(lcDisks) << "diskpart not run for drive" << index << "-" << QString::fromStdString(problem);
        return false;
    }
    const QString command = QuotedPath(SystemToolPath(QStringLiteral("diskpart.exe"))) + QStringLiteral(" /s ") +
                            QuotedPath(script);
    RunCommand(command.toStdString(), std::string());
    RunCapturing((command + QLatin1Char('>') + QuotedPath(detailCapture)).toStdString(), detailCapture);
    return true;
}

QString GetBootDiskIndex() {
    const QString capture = CapturePath(IndexCaptureName);
    ListDrives(QStringLiteral("diskdrive get index"), IndexListScript, capture);
    DiskIndexList = DiskIndexEntries(ReadCaptureLines(capture).value_or(QStringList()));
    RemoveCaptureFile(capture);

    const QString detailCapture = CapturePath(DetailCaptureName);
    for (const QString& entry : qAsConst(DiskIndexList)) {
        if (!IsDriveIndex(entry)) continue;
        QueryDiskDetail(entry);
        const std::optional<QStringList> details = ReadCaptureLines(detailCapture);
        if (!details) {
            qCWarning(lcDisks) << "diskpart left no details for drive" << entry << "- giving up the boot disk search";
            return {};
        }
        if (ShowsBootDisk(*details)) {
            qCDebug(lcDisks) << "boot disk index" << entry.trimmed();
            return entry.trimmed();
        }
        RemoveCaptureFile(detailCapture);
    }
    qCDebug(lcDisks) << "no boot disk among" << DiskIndexList;
    return {};
}

}  // namespace disks
