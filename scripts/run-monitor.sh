#!/usr/bin/env bash
# Builds the monitor and starts it. Installs missing Debian packages first.
#   scripts/run-monitor.sh                 watch this machine's drives (smartctl needs root)
#   scripts/run-monitor.sh --machine NAME  watch a described machine from standins/machines/NAME
# Any further arguments go to the monitor ("Schedular" marks a start by the task scheduler).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${BUILD_PACKAGES[@]}"

if [ "${1:-}" = "--machine" ]; then
    export CORVANE_SIMULATED_MACHINE="$root/standins/machines/${2:?name of a described machine}"
    shift 2
fi
cmake -S "$root" -B "$root/build" > /dev/null
cmake --build "$root/build" -j2
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: the monitor runs on Qt's offscreen platform, without a visible tray icon."
    export QT_QPA_PLATFORM=offscreen
fi
exec "$root/build/bin/CorvaneSMART" "$@"
