#!/usr/bin/env bash
# The monitor beside psensor, both in the notification area of one virtual display (Xvfb) with a tray
# host (trayer), for a few minutes: each one's resident memory at the end, and its own CPU and the
# CPU of the programs it ran (for the monitor: the command interpreter and stand-in tool of every
# command) per minute, counted after a warm-up. The monitor watches the described healthy desktop
# with the compiled stand-ins of the build; psensor watches this machine's sensors with its defaults.
# Installs psensor, xvfb and trayer when missing (as root).
#   bench/psensor-side-by-side.sh [BUILD DIR] [SECONDS]       default build/ and 180
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages psensor xvfb trayer
build=$(cd "${1:-$root/build}" && pwd)
seconds=${2:-180}
warm_up=20
cmake --build "$build" -j2 --target CorvaneSMART standins > /dev/null

work=$(mktemp -d)
started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2> /dev/null || true; done
    wait 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3> "$work/display" 2> /dev/null &
started+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 40 > /dev/null 2>&1 &
started+=($!)
sleep 2

mkdir -p "$work/monitor/tmp" "$work/psensor"
CORVANE_SIMULATED_MACHINE="$root/standins/machines/healthy-desktop" CORVANE_SYSTEM_DIR="$build/bin/system" \
    CORVANE_SETTINGS_FILE="$work/monitor/settings.ini" TMPDIR="$work/monitor/tmp" XDG_RUNTIME_DIR="$work/monitor/tmp" \
    QT_LOGGING_RULES="corvane.*.debug=false" "$build/bin/CorvaneSMART" > "$work/monitor.log" 2>&1 &
monitor=$!
started+=($monitor)
HOME="$work/psensor" XDG_CONFIG_HOME="$work/psensor" GSETTINGS_BACKEND=memory psensor > "$work/psensor.log" 2>&1 &
psensor=$!
started+=($psensor)

ticks=$(getconf CLK_TCK)
# Own and children CPU in ms, and resident memory in kB, of a process.
sample() {
    local stat
    stat=$(cat "/proc/$1/stat") || { echo "bench: process $1 ended; see $work" >&2; exit 1; }
    stat=${stat##*) }
    awk -v ticks="$ticks" -v rss="$(awk '/^VmRSS:/ { print $2 }' "/proc/$1/status")" \
        '{ printf "%d %d %d\n", ($12 + $13) * 1000 / ticks, ($14 + $15) * 1000 / ticks, rss }' <<< "$stat"
}

sleep "$warm_up"
read -r monitor_own0 monitor_tools0 _ < <(sample "$monitor")
read -r psensor_own0 psensor_tools0 _ < <(sample "$psensor")
sleep "$seconds"
read -r monitor_own1 monitor_tools1 monitor_rss < <(sample "$monitor")
read -r psensor_own1 psensor_tools1 psensor_rss < <(sample "$psensor")

row() {  # NAME OWN0 OWN1 TOOLS0 TOOLS1 RSS
    awk -v name="$1" -v own=$(($3 - $2)) -v tools=$(($5 - $4)) -v rss="$6" -v minutes="$(awk -v s="$seconds" 'BEGIN { print s / 60 }')" \
        'BEGIN { printf "| %s | %.1f | %.0f | %.0f |\n", name, rss / 1024, own / minutes, tools / minutes }'
}
echo "Over $seconds s after a $warm_up s warm-up, on display $DISPLAY with trayer:"
echo
echo "| program | resident MB | own CPU ms per minute | tool CPU ms per minute |"
echo "|---|---|---|---|"
row "Corvane S.M.A.R.T. monitor (healthy-desktop, compiled stand-ins)" "$monitor_own0" "$monitor_own1" \
    "$monitor_tools0" "$monitor_tools1" "$monitor_rss"
row "psensor $(dpkg-query -W -f='${Version}' psensor)" "$psensor_own0" "$psensor_own1" "$psensor_tools0" \
    "$psensor_tools1" "$psensor_rss"
