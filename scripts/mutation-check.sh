#!/usr/bin/env bash
# Measures how many faults the default test suite catches: each mutation below injects one small
# fault into the product, rebuilds incrementally, runs the suite until the first failing test and
# restores the file. A mutation is killed when some test fails, survives when all pass.
#   scripts/mutation-check.sh [BUILD DIR]     default build-mutation/, configured here
#   MUTATIONS="3 17" scripts/mutation-check.sh    only those numbers
# The quick tests run first; the slow ones (SLOW_TESTS) only for a mutation the quick ones missed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build-mutation}
slow_tests=${SLOW_TESTS:-'EndToEnd|FaultMatrix|Cycle'}
results="$build/mutation-results.txt"

descriptions=() files=() befores=() afters=()
m() { descriptions+=("$1"); files+=("$2"); befores+=("$3"); afters+=("$4"); }

m "Fahrenheit formula" smart/SmartReport.cpp '9LL * celsius / 5 + 32' '9LL * celsius / 5 + 31'
m "temperature from a nine-word row" smart/SmartReport.cpp 'words.size() >= 10' 'words.size() >= 9'
m "PASSED counted after the temperature line" smart/SmartReport.cpp \
  $'            break;\n' $'            continue;\n'
m "reallocated-event cap one later" smart/HealthEvaluation.cpp 'Penalty::SixTenthsRaw, 30, 70.0f' \
  'Penalty::SixTenthsRaw, 31, 70.0f'
m "NVMe 1 % used not full health" smart/HealthEvaluation.cpp 'used == 1 ?' 'used == 0 ?'
m "health truncated instead of rounded" smart/HealthEvaluation.cpp 'std::trunc(health + 0.5)' 'std::trunc(health)'
m "indented ATA version line read" smart/PerformanceEvaluation.cpp 'line.startsWith(AtaVersionLabel)' \
  'line.contains(AtaVersionLabel)'
m "ATA1 not an old generation" smart/PerformanceEvaluation.cpp 'QStringLiteral("ATA2"), QStringLiteral("ATA1")' \
  'QStringLiteral("ATA2")'
m "unmarked UTF-16 byte order swapped" exec/CaptureFile.cpp \
  'nulsAtEven == 0) return QTextCodec::codecForName("UTF-16LE")' 'nulsAtEven == 0) return QTextCodec::codecForName("UTF-16BE")'
m "final line end gives an empty line" exec/CaptureFile.cpp "if (text.endsWith(QLatin1Char('\n'))) text.chop(1);" ''
m "carriage returns kept" exec/CaptureFile.cpp "text.remove(QLatin1Char('\r'));" ''
m "boot-line rule without the padding" disks/BootDisk.cpp '"Boot    "' '"Boot"'
m "a line naming Index mid-line is a drive row" disks/DriveList.cpp 'return line.contains(IndexHeader)' \
  'return line.startsWith(IndexHeader)'
m "wrong capture name for the diskpart details" tray/QWaitClass.cpp \
  'DetailCaptureName = QStringLiteral("Out.txt")' 'DetailCaptureName = QStringLiteral("out.txt")'
m "model capture not removed after reading" disks/DiskQueries.cpp \
  $'    RemoveCaptureFile(capture);\n    return model;' '    return model;'
m "report capture path unquoted" smart/SmartCommand.cpp 'QStringLiteral(" >> ") + QuotedPath(capturePath)' \
  'QStringLiteral(" >> ") + capturePath'
m "shutdown button connected on every rebuild" tray/QWaitClass.cpp \
  $'OnSystemShutDown()),\n            Qt::UniqueConnection);\n    connect(Temp' $'OnSystemShutDown()));\n    connect(Temp'
m "high temperature grade from 65" tray/DiskOverview.cpp 'celsius > 65' 'celsius >= 65'
m "good health grade from 81" tray/DiskOverview.cpp '(health, 40, 80,' '(health, 40, 81,'
m "letter column ignored" tray/DiskOverview.cpp 'const ColumnSpan column = LetterColumn(diskpartLines);' \
  'const ColumnSpan column;'
m "shutdown threshold exclusive" tray/WarningDecisions.cpp 'compared >= settings.shutDownValue' \
  'compared > settings.shutDownValue'
m "health limit inclusive" tray/WarningDecisions.cpp 'health < HealthLimit' 'health <= HealthLimit'
m "Enter presses Shut Down" dialogs/SmartWarning.cpp 'connect(OkButton, SIGNAL(clicked())' \
  'ShutDownButton->setDefault(true); connect(OkButton, SIGNAL(clicked())'
m "performance Ignore writes the health key" dialogs/PerformanceWarning.cpp \
  'if (CheckBox->isChecked()) settings.Write(SettingsKey::PerformanceDontShow' \
  'if (CheckBox->isChecked()) settings.Write(SettingsKey::HealthDontShow'
m "drag band one pixel lower" dialogs/DialogDrag.h 'DragBandBottom = 26' 'DragBandBottom = 27'
m "layout lengths rounded" dialogs/DialogLayout.cpp 'static_cast<int>(static_cast<float>(length) * factor)' \
  'qRound(static_cast<float>(length) * factor)'
m "scale 1.0 in the 1.25 class" app/DisplayScaling.cpp 'dpiScale > 1.0f && dpiScale < 1.25f' \
  'dpiScale >= 1.0f && dpiScale < 1.25f'
m "ResizeAppforDPI created false" app/Settings.cpp 'if (!Contains(key)) Write(key, true);' \
  'if (!Contains(key)) Write(key, false);'
m "malformed boolean reads true" app/Settings.cpp 'text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0' \
  '!text.isEmpty()'
m "start-up keeps the health choice" app/Startup.cpp '    settings.Write(SettingsKey::HealthDontShow, false);' ''
m "TaskName takes any argument" app/Startup.cpp \
  'LaunchArgument == ScheduledLaunchArgument ? ScheduledLaunchArgument : QString()' 'LaunchArgument'
m "last window closed ends the monitor" app/Startup.cpp 'setQuitOnLastWindowClosed(false)' \
  'setQuitOnLastWindowClosed(true)'
m "Korean loads a Qt translation" app/Language.cpp '"KO", "", "LANG_KO"' '"KO", "qt_ko", "LANG_KO"'
m "clone parameter keeps spaces" tray/CompanionLauncher.cpp "    mediaName.remove(QLatin1Char(' '));" ''
m "data recovery started from the current folder" tray/CompanionLauncher.cpp \
  '        QDir::setCurrent(QCoreApplication::applicationDirPath());' ''
m "replaced tray menu kept" tray/QWaitClass.cpp '    if (TrayMenu) TrayMenu->deleteLater();' ''
m "blank drive entries cost the overview runs" tray/QWaitClass.cpp $'        if (!disks::IsDriveIndex(entry)) continue;\n' ''
m "boot disk search ignores the boot line" disks/DiskQueries.cpp 'if (ShowsBootDisk(*details))' 'if (!details->isEmpty())'
m "a link at the work folder's name followed" platform/PosixFiles.cpp 'bool present = lstat(folder.c_str(), &info) == 0;' \
  'bool present = stat(folder.c_str(), &info) == 0;'
m "work folder of another user taken" platform/PosixFiles.cpp \
  $'    if (info.st_uid != geteuid()) {\n        problem = folder' $'    if (false) {\n        problem = folder'
m "a pipe at a capture read blocking" platform/PosixFiles.cpp 'O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY' \
  'O_RDONLY | O_NOFOLLOW | O_NOCTTY'
m "a time limit ends only a command's first process" platform/PosixProcesses.cpp $'kill(-group, SIGKILL);\n        break;' \
  $'kill(group, SIGKILL);\n        break;'
m "a flooding tool not watched" exec/CommandRunner.cpp '{capturePath.toStdString(), LargestToolOutput}' '{}'
m "the drive list not cut at 64" disks/DriveList.h 'LargestDriveList = 64' 'LargestDriveList = 640'
m "a stored tool path keeps its quotes" platform/ToolPath.cpp "path.front() == '\"' && path.back() == '\"'" 'false'
m "PowerShell paths in double quotes" disks/PowerShellQuery.cpp 'if (singleQuotes.contains(c)) literal += c;' ''
m "plain commands misread a quoted quote" platform/PosixCommands.cpp "word += '\\'';" "word += ' ';"
m "model names as rich text in the menu" tray/DiskOverview.cpp 'QStringLiteral("&&")' 'QStringLiteral("&")'
m "a lower-case schedular takes the scheduler's form" smart/SmartCommand.cpp \
  'if (launchArgument != ScheduledLaunchArgument)' \
  'if (launchArgument.compare(ScheduledLaunchArgument, Qt::CaseInsensitive) != 0)'
m "a refused stored tool path runs the tool by name" smart/SmartCommand.cpp 'if (toolPath.empty()) return QString();' \
  'if (toolPath.empty()) return QStringLiteral("smartctl64Bit.exe -a  /dev/") + device + redirection;'
m "a stored tool path with ! taken" platform/ToolPath.cpp 'std::strchr("\"%!", c)' 'std::strchr("\"%", c)'
m "the health check takes PASSED only up to the temperature" tray/WarningDecisions.cpp \
  'if (!smart::ReportHasPassed(report))' 'if (!smart::ScanSmartLines(report).passedSeen)'
m "the hidden stop entry writes FirstTimeLaunch" tray/QWaitClass.cpp \
  $'    settings.Write(SettingsKey::ShowTrayIcon, false);\n    if (TrayIcon)' \
  $'    settings.Write(SettingsKey::ShowTrayIcon, false);\n    settings.Write(SettingsKey::FirstTimeLaunch, true);\n    if (TrayIcon)'
m "a disk still being read is read again" standins/tools/ReportCache.cpp \
  $'            continue;\n        }\n        if (const std::optional<std::string> failure' \
  $'        }\n        if (const std::optional<std::string> failure'
m "sleeping drives woken" standins/tools/ReportCache.cpp '{"smartctl", "-n", "standby", "-a", deviceNode}' \
  '{"smartctl", "-a", deviceNode}'
m "the health check every 9 minutes" tray/QWaitClass.h 'HealthInterval = 5400000' 'HealthInterval = 540000'
m "a boot reading appended to a stale capture" tray/QWaitClass.cpp \
  $'    RemoveCaptureFile(capture);\n    RunSmartTool(device, capture);' '    RunSmartTool(device, capture);'
m "a drive's report appended to a stale capture" tray/QWaitClass.cpp \
  $'        RemoveCaptureFile(reportCapture);\n        RunSmartTool(' '        RunSmartTool('
m "a drive list appended to a stale capture" disks/DiskQueries.cpp \
  $'    RemoveCaptureFile(capture);\n    RunCapturing(' '    RunCapturing('
m "no first drive at start-up without a boot disk" tray/QWaitClass.cpp \
  'bootIndex.isEmpty() ? QStringLiteral("sda") : DeviceNameForIndex(bootIndex)' 'DeviceNameForIndex(bootIndex)'
m "drive letters joined by a comma and a space" tray/DiskOverview.cpp "written.join(QLatin1Char(','))" \
  'written.join(QStringLiteral(", "))'
m "the temperature graded in the unit shown" tray/QWaitClass.cpp 'GradeIcon(tray::TemperatureGrade(celsius))' \
  'GradeIcon(tray::TemperatureGrade(tray::TemperatureInUserUnit(celsius, unit)))'
m "a warning closed once not shown again" tray/QWaitClass.cpp '    dialog.show();' \
  $'    if (dialog.isHidden() && dialog.windowHandle()) return;\n    dialog.show();'
m "SystemTrayLaunch written before the running check" tray/CompanionLauncher.cpp \
  $'    SettingsStore settings;\n    if (!CompanionMayStart(companion)) return;' \
  $'    SettingsStore settings;\n    if (companion == Companion::DriveMonitor) settings.Write(SettingsKey::SystemTrayLaunch, false);\n    if (!CompanionMayStart(companion)) return;'
m "a companion shown running started again" tray/CompanionLauncher.cpp \
  'if (CaptureShowsCompanionRunning(*lines, companion)) {' 'if (false) {'
m "the menu rebuilt past a drive without a report" tray/QWaitClass.cpp \
  $'"no report for drive" << index << "- the drive overview ends here";\n            return;' \
  $'"no report for drive" << index << "- the drive overview ends here";\n            continue;'
m "the menu rebuilt past a drive without its details" tray/QWaitClass.cpp \
  $'"no diskpart details for drive" << index << "- the drive overview ends here";\n            return;' \
  $'"no diskpart details for drive" << index << "- the drive overview ends here";\n            continue;'

log="$build/mutation-log"
mkdir -p "$build"
: > "$results"
backup=""
target=""
restore() { if [ -n "$backup" ]; then cp "$backup" "$target"; rm -f "$backup"; backup=""; fi; }
trap restore EXIT INT TERM

build_suite() { nice cmake --build "$build" -j2 > "$log" 2>&1; }
# Prints the first failing test, or nothing when every test passed.
first_failure() {
    local selection
    for selection in "-E" "-R"; do
        if ! (cd "$build" && nice ctest -j2 -LE long "$selection" "$slow_tests" --stop-on-failure \
                  --output-on-failure > "$log" 2>&1); then
            grep -m1 -oE '[0-9]+ - [^ ]+ \(' "$log" | sed -E 's/^[0-9]+ - (.*) \($/\1/' || echo '(ctest)'
            return
        fi
    done
}

cmake -S "$root" -B "$build" > /dev/null
build_suite || { echo "the unchanged source does not build; see $log"; exit 1; }
if [ -n "$(first_failure)" ]; then echo "the unchanged suite fails; see $log"; exit 1; fi

killed=0 survived=0 unused=0
for i in "${!descriptions[@]}"; do
    number=$((i + 1))
    if [ -n "${MUTATIONS:-}" ] && ! [[ " $MUTATIONS " == *" $number "* ]]; then continue; fi
    target="$root/${files[i]}"
    backup=$(mktemp)
    cp "$target" "$backup"
    if ! BEFORE=${befores[i]} AFTER=${afters[i]} perl -0pi -e \
        '$n = () = /\Q$ENV{BEFORE}\E/g; die "matched $n times\n" if $n != 1; s/\Q$ENV{BEFORE}\E/$ENV{AFTER}/' \
        "$target" 2> "$log"; then
        verdict="not applied ($(cat "$log"))"
        unused=$((unused + 1))
    elif ! build_suite; then
        verdict="does not build"
        unused=$((unused + 1))
    else
        failing=$(first_failure)
        if [ -n "$failing" ]; then verdict="killed by $failing"; killed=$((killed + 1))
        else verdict="SURVIVED"; survived=$((survived + 1)); fi
    fi
    restore
    printf '%2d  %-52s %s\n' "$number" "${descriptions[i]}" "$verdict" | tee -a "$results"
done
build_suite
echo "mutations: $killed killed, $survived survived, $unused not applied or not built" | tee -a "$results"
