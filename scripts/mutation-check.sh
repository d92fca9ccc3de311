#!/usr/bin/env bash
# Measures how many faults the tests catch: each mutation below injects one small fault into the
# product, rebuilds incrementally and runs the tests, quick ones first, until the first failing test.
# A mutation is caught ("killed") when a test fails and fails again when run alone; one that passes
# alone is reported as flaky and counts as survived, as does a mutation under which every test passes.
#   scripts/mutation-check.sh [--windows] [RESULTS FILE]   results on standard output, and in the file
#   MUTATIONS="3 17" scripts/mutation-check.sh             only those numbers
# It works on the committed HEAD, in a worktree of its own (git worktree add --detach) in a new folder
# under $TMPDIR, with its own build folders; the developer's checkout is never touched, and the worktree
# and its builds are removed at the end, also when the run is interrupted. Uncommitted changes are not
# in it: commit them first, or they are not what is measured.
# Default: the Linux faults against the Linux build; the slow tests (SLOW_TESTS) run only for a fault
# the quick ones missed, and the long ones (label "long") never.
# --windows (or MUTATION_WINDOWS=1): the faults of the Windows code (the interpreter's quoting, the
# access list and owner checks, the job object, the registry store) against the Windows build
# (scripts/windows-build.sh, with the cached Qt for Windows) under Wine and Xvfb: first the platform,
# start-up and rules tests (WINDOWS_QUICK_TESTS), then the Windows program from its zip end to end
# (tests/windows/WineEndToEndTests, from a Linux build of that test alone), then the tray tests. The
# dialog layout tests (WINDOWS_SKIPPED_TESTS), 7 minutes of every language's dialogs that run no
# Windows platform code beyond the display's scale, are left out.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
windows=${MUTATION_WINDOWS:-0}
if [ "${1:-}" = --windows ]; then windows=1; shift; fi
[ "$windows" = 0 ] || windows=1
results=${1:-}
if [ -n "$results" ]; then : > "$results"; results=$(cd "$(dirname "$results")" && pwd)/$(basename "$results"); fi
slow_tests=${SLOW_TESTS:-'EndToEnd|FaultMatrix|Cycle'}
windows_quick_tests=${WINDOWS_QUICK_TESTS:-'platform|StartupTests|RulesTests'}
windows_skipped_tests=${WINDOWS_SKIPPED_TESTS:-'DialogTests|TranslationFitAt1\.5'}

descriptions=() files=() befores=() afters=()
m() { descriptions+=("$1"); files+=("$2"); befores+=("$3"); afters+=("$4"); }

if [ "$windows" = 0 ]; then
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
m "replaced tray menu kept" tray/QWaitClass.cpp '        if (menu) menu->deleteLater();' ''
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
m "a refused stored tool path runs the tool by name" smart/SmartCommand.cpp 'if (toolPath.isEmpty()) return QString();' \
  'if (toolPath.isEmpty()) return QStringLiteral("smartctl64Bit.exe -a  /dev/") + device + redirection;'
m "a stored tool path with a quote taken" platform/ToolPath.cpp 'std::strchr("\"%", c)' 'std::strchr("%", c)'
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
m "a group-writable file taken as root's alone" platform/PosixFiles.cpp \
  'if (info.st_mode & (S_IWGRP | S_IWOTH)) return path' 'if (info.st_mode & (S_IWOTH)) return path'
m "an elevated scheduled start runs a stored tool others can change" smart/SmartCapture.cpp \
  '&& !ElevatedMayRunStoredTool(storedToolPath, problem))' '&& false)'
else
m "the interpreter runs the user's AutoRun commands" platform/Win32Processes.cpp \
  'return Interpreter() + " /d /v:off /s /c \"" + command' 'return Interpreter() + " /v:off /s /c \"" + command'
m "an elevated monitor runs the interpreter COMSPEC names" platform/Win32Processes.cpp \
  $'    if (RunsElevated()) return SystemDirectory() + "\\\\cmd.exe";\n    const std::string comspec' \
  '    const std::string comspec'
m "a path on a command line not quoted" platform/Win32Processes.cpp \
  'QuoteForInterpreter(const std::string& path) { return "\"" + path + "\""; }' \
  'QuoteForInterpreter(const std::string& path) { return path; }'
m "a stored tool path with % taken" platform/ToolPath.cpp 'std::strchr("\"%", c)' 'std::strchr("\"", c)'
m "a work folder name with % written on command lines" platform/Win32Files.cpp \
  "return c == '\"' || c == '%' || c < 0x20" "return c == '\"' || c < 0x20"
m "a work folder's access list granting anyone taken as closed" platform/Win32Files.cpp \
  $'        if (!IsKnown(&static_cast<ACCESS_ALLOWED_ACE*>(entry)->SidStart, admitted)) return false;\n' ''
m "a link or junction read as a plain file" platform/Win32Files.cpp \
  '(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)' '(FILE_ATTRIBUTE_DIRECTORY)'
m "another account's capture read" platform/Win32Files.cpp \
  'if (owner.empty() || !IsKnown(owner.data(), owners)) {' 'if (owner.empty()) {'
m "the interpreter not put into the job" platform/Win32Processes.cpp \
  'const bool inJob = job && AssignProcessToJobObject(job, process.hProcess);' 'const bool inJob = false;'
m "a time limit ends only the interpreter" platform/Win32Processes.cpp \
  $'        if (inJob)\n            TerminateJobObject(job, 1);' $'        if (inJob)\n            TerminateProcess(process.hProcess, 1);'
m "the settings in the registry's 64-bit view" app/Settings.cpp \
  '"HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Corvane' '"HKEY_LOCAL_MACHINE\\Software\\Corvane'
m "the settings in a file rather than the registry" app/Settings.cpp \
  'const QSettings::Format StoreFormat = QSettings::NativeFormat;' 'const QSettings::Format StoreFormat = QSettings::IniFormat;'
m "an inherit-only entry taken as a grant" platform/Win32ToolTrust.cpp \
  'if ((header->AceFlags & INHERIT_ONLY_ACE) || header->AceType' 'if (header->AceType'
m "the settings key's owner not looked at" platform/Win32ToolTrust.cpp \
  $'    if (!IsKnown(owner, TrustedAccounts())) return SidText(owner) + ", its owner";\n' ''
m "the elevated work folder in the user's temporary folder" platform/Win32Files.cpp \
  'if (!RunsElevated()) return TemporaryDirectory();' 'return TemporaryDirectory();'
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/corvane-mutation.XXXXXX")
# Open to reading as a checkout is: the tests run as root let spare users read the test data.
chmod 755 "$work"
tree="$work/src"
build="$work/build"
windows_build="$tree/build-win"
log="$work/log"
child=""
cleanup() {
    # The running step is a process group of its own (setsid): it ends with everything it started.
    if [ -n "$child" ]; then kill -- "-$child" 2> /dev/null || true; wait "$child" 2> /dev/null || true; fi
    if [ "$windows" = 1 ]; then WINEPREFIX="$windows_build/wineprefix" wineserver -k 2> /dev/null || true; fi
    git -C "$root" worktree remove --force "$tree" 2> /dev/null || true
    rm -rf "$work"
    git -C "$root" worktree prune
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
git -C "$root" worktree add --detach "$tree" HEAD > /dev/null 2>&1

# Runs one step niced in a process group of its own, its output to the log; its exit status.
step() {
    setsid nice "$@" > "$log" 2>&1 &
    child=$!
    local status=0
    wait "$child" || status=$?
    child=""
    return "$status"
}
report() { printf '%s\n' "$1"; if [ -n "$results" ]; then printf '%s\n' "$1" >> "$results"; fi; }
give_up() { tail -n 40 "$log" >&2; echo "$1" >&2; exit 1; }

# The stages of tests, in order: the build folder, then ctest's selection.
if [ "$windows" = 0 ]; then
    jobs=2
    stage_dirs=("$build" "$build")
    stage_selections=("-LE long -E $slow_tests" "-LE long -R $slow_tests")
    build_all() { step cmake --build "$build" -j2; }
    configure() { step cmake -S "$tree" -B "$build"; }
else
    jobs=1
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    stage_dirs=("$windows_build" "$build" "$windows_build")
    stage_selections=("-R ^($windows_quick_tests)\$" "-R ^WineEndToEndTests\$"
                      "-E ^($windows_quick_tests|$windows_skipped_tests|WinePrefix)\$")
    # The zip the end-to-end test unpacks is made anew from every build.
    build_all() {
        step cmake --build "$windows_build" -j2 && step bash -c "rm -rf '$windows_build/package' && cd '$windows_build' && cpack -G ZIP" &&
            step cmake --build "$build" -j2 --target WineEndToEndTests
    }
    configure() {
        step bash "$tree/scripts/windows-build.sh" 2 &&
            step cmake -S "$tree" -B "$build" -DCORVANE_WINDOWS_BIN="$windows_build/bin"
    }
fi
# ctest in `dir` with `options`; the Windows build's own tests on Xvfb, as scripts/run-tests.sh runs them.
run_ctest() {
    local dir=$1
    shift
    if [ "$dir" = "$windows_build" ]; then
        # shellcheck disable=SC2016  # expanded by the inner shell
        step bash -c 'cd "$0" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest "$@"' "$dir" "$@"
    else
        # shellcheck disable=SC2016
        step bash -c 'cd "$0" && ctest "$@"' "$dir" "$@"
    fi
}
# Sets `verdict` to the first failing test with the verdict on it, or to nothing when every test passed.
# (Not a command substitution: the main shell itself waits for each step, so an interruption ends it.)
first_failure() {
    local stage name
    verdict=""
    for stage in "${!stage_dirs[@]}"; do
        # shellcheck disable=SC2086  # a selection is several words
        if ! run_ctest "${stage_dirs[stage]}" -j"$jobs" ${stage_selections[stage]} --stop-on-failure --output-on-failure; then
            name=$(grep -m1 -oE '[0-9]+ - [^ ]+ \(' "$log" | sed -E 's/^[0-9]+ - (.*) \($/\1/' || true)
            if [ -z "$name" ]; then verdict="killed by ctest (no test named)"; return; fi
            # A fault is caught only by a test that fails again, run alone.
            if run_ctest "${stage_dirs[stage]}" -R "^$name\$" --output-on-failure; then
                verdict="SURVIVED (flaky: $name failed once)"
            else
                verdict="killed by $name"
            fi
            return
        fi
    done
}

echo "mutation check of $(git -C "$root" rev-parse --short HEAD) in $tree ($([ "$windows" = 1 ] && echo Windows || echo Linux))"
configure || give_up "the unchanged source cannot be configured or built"
build_all || give_up "the unchanged source does not build"
first_failure
[ -z "$verdict" ] || give_up "the unchanged suite fails: $verdict"

killed=0 survived=0 unused=0
for i in "${!descriptions[@]}"; do
    number=$((i + 1))
    if [ -n "${MUTATIONS:-}" ] && ! [[ " $MUTATIONS " == *" $number "* ]]; then continue; fi
    if ! BEFORE=${befores[i]} AFTER=${afters[i]} perl -0pi -e \
        '$n = () = /\Q$ENV{BEFORE}\E/g; die "matched $n times\n" if $n != 1; s/\Q$ENV{BEFORE}\E/$ENV{AFTER}/' \
        "$tree/${files[i]}" 2> "$log"; then
        verdict="not applied ($(cat "$log"))"
        unused=$((unused + 1))
    elif ! build_all; then
        verdict="does not build"
        unused=$((unused + 1))
    else
        first_failure
        case "$verdict" in
            killed*) killed=$((killed + 1)) ;;
            SURVIVED*) survived=$((survived + 1)) ;;
            *) verdict="SURVIVED"; survived=$((survived + 1)) ;;
        esac
    fi
    git -C "$tree" checkout -- "${files[i]}"
    report "$(printf '%2d  %-60s %s' "$number" "${descriptions[i]}" "$verdict")"
done
report "mutations: $killed killed, $survived survived, $unused not applied or not built"
