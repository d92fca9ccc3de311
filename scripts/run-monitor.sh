#!/usr/bin/env bash
# Builds the monitor and starts it. Installs missing Debian packages first.
#   scripts/run-monitor.sh                 watch this machine's drives (smartctl needs root)
#   scripts/run-monitor.sh --machine NAME  watch a described machine from standins/machines/NAME, with
#                                          demonstration settings of its own (warnings on, warning at
#                                          55 C, shutdown warning at 70 C), fresh at every start
#   scripts/run-monitor.sh --windows --machine NAME
#                                          the same with the Windows program under Wine, in a prefix of
#                                          its own (build-win/demo/NAME); the first run builds Qt for
#                                          Windows, about 25 minutes on 2 cores
# Any further arguments go to the monitor ("Schedular" marks a start by the task scheduler).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${BUILD_PACKAGES[@]}"

if [ "${1:-}" = "--windows" ]; then
    [ "${2:-}" = "--machine" ] || { echo "usage: run-monitor.sh --windows --machine NAME" >&2; exit 2; }
    ensure_packages "${WINDOWS_PACKAGES[@]}" "${DESKTOP_TEST_PACKAGES[@]}"
    machine="${3:?name of a described machine: $(ls "$root/standins/machines" | tr '\n' ' ')}"
    [ -f "$root/standins/machines/$machine/machine.txt" ] || { echo "No described machine $machine" >&2; exit 1; }
    shift 3
    bash "$root/scripts/windows-build.sh"
    bin=$root/build-win/bin
    export WINEPREFIX=$root/build-win/demo/$machine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ -z "${DISPLAY:-}" ]; then
        echo "No display: the Windows program runs on a virtual one (Xvfb) with a tray host."
        exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp)
        read -r display <&3
        export DISPLAY=:$display
        trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 40 &
    fi
    bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX" "$bin/system/corvane-standin.exe"
    install=$WINEPREFIX/drive_c/Program\ Files/Corvane\ Drive\ Monitor
    mkdir -p "$install"
    cp -r "$bin/CorvaneSMART.exe" "$bin/TranslationCM" "$install/"
    cp "$bin/system/corvane-standin.exe" "$install/smartctl64Bit.exe"
    key='HKEY_LOCAL_MACHINE\Software\Wow6432Node\Corvane Data Recovery\Data Recovery\Corvane Drive Monitor for Windows'
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"ShowWarning"="true"\r\n"WarningValue"=dword:00000037\r\n"ShutDownValue"=dword:00000046\r\n"TempValue"="C"\r\n' \
        "$key" > "$WINEPREFIX/demo-settings.reg"
    wine regedit /S "$(winepath -w "$WINEPREFIX/demo-settings.reg")"
    export CORVANE_SIMULATED_MACHINE=$(winepath -w "$root/standins/machines/$machine")
    export QT_FORCE_STDERR_LOGGING=1
    echo "Described machine $machine under Wine; settings in the registry of $WINEPREFIX"
    cd "$install"
    exec wine CorvaneSMART.exe "$@"
fi

if [ "${1:-}" = "--machine" ]; then
    machine="${2:?name of a described machine: $(ls "$root/standins/machines" | tr '\n' ' ')}"
    export CORVANE_SIMULATED_MACHINE="$root/standins/machines/$machine"
    [ -f "$CORVANE_SIMULATED_MACHINE/machine.txt" ] || { echo "No described machine $machine" >&2; exit 1; }
    shift 2
    demo="$root/build/demo/$machine"
    mkdir -p "$demo/temp"
    printf '[General]\nShowWarning=true\nWarningValue=55\nShutDownValue=70\nTempValue=C\n' > "$demo/settings.ini"
    export CORVANE_SETTINGS_FILE="$demo/settings.ini" TMPDIR="$demo/temp"
    echo "Described machine $machine; settings in $CORVANE_SETTINGS_FILE"
fi
cmake -S "$root" -B "$root/build" > /dev/null
cmake --build "$root/build" -j2
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: the monitor runs on Qt's offscreen platform, without a visible tray icon."
    export QT_QPA_PLATFORM=offscreen
fi
exec "$root/build/bin/CorvaneSMART" "$@"
