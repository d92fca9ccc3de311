#!/usr/bin/env bash
# The cost of the stand-in tools in one run: cycle-benchmark on the four-drive workstation, by turns
# against the POSIX shell stand-ins of an earlier commit and against the compiled ones of this
# build, three rounds each; then each round's children CPU per command run (the command interpreter
# and the tool) and the ratio of the medians.
#   bench/standin-cost.sh [BUILD DIR] [ROUNDS]       default build/ and 3
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-3}
cmake --build "$build" -j2 --target cycle-benchmark > /dev/null

# The last commit that still had the shell stand-ins.
shell_commit=$(git -C "$root" log -1 --format=%H --diff-filter=D -- standins/system/standin-machine.sh)^
old=$(mktemp -d)
trap 'rm -rf "$old"' EXIT
mkdir "$old/wbem"
for tool in diskpart.exe findstr.exe shutdown smartctl64Bit.exe standin-machine.sh tasklist.exe wbem/WMIC.exe; do
    git -C "$root" show "$shell_commit:standins/system/$tool" > "$old/$tool"
    chmod +x "$old/$tool"
done

# Children CPU (ms) per command run of one benchmark row: children CPU per cycle / runs per cycle.
per_run() {
    CORVANE_SYSTEM_DIR=$1 "$build/bin/cycle-benchmark" four-drive-workstation 2> /dev/null |
        awk -F'|' '$2 ~ /four-drive-workstation/ { printf "%.2f\n", $8 / $10 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

shell_runs=()
compiled_runs=()
for ((round = 1; round <= rounds; round++)); do
    shell_runs+=("$(per_run "$old")")
    compiled_runs+=("$(per_run "$build/bin/system")")
    echo "round $round: shell stand-ins ${shell_runs[-1]} ms, compiled ${compiled_runs[-1]} ms of children CPU per run"
done
shell=$(printf '%s\n' "${shell_runs[@]}" | median)
compiled=$(printf '%s\n' "${compiled_runs[@]}" | median)
bare=$(bash -c 'for i in $(seq 300); do sh -c /bin/true; done; times' | tail -1 |
       awk '{ split($1, u, "m"); split($2, s, "m"); printf "%.2f", (u[1] * 60 + u[2] + s[1] * 60 + s[2]) * 1000 / 300 }')
echo "medians: shell stand-ins $shell ms, compiled $compiled ms per run (ratio $(awk -v a="$compiled" -v b="$shell" 'BEGIN { printf "%.2f", a / b }'));" \
     "sh -c /bin/true alone: $bare ms"
