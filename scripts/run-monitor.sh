#!/usr/bin/env bash
# Builds the monitor and starts it. Installs missing Debian packages first.
#   scripts/run-monitor.sh                 watch this machine's drives (smartctl needs root)
#   scripts/run-monitor.sh --machine NAME  watch a described machine from standins/machines/NAME, with
#                                          demonstration settings of its own (warnings on, warning at
#                                          55 C, shutdown warning at 70 C), fresh at every start
# Any further arguments go to the monitor ("Schedular" marks a start by the task scheduler).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${BUILD_PACKAGES[@]}"

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
