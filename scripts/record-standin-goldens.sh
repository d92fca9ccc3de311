#!/usr/bin/env bash
# Writes the goldens of tests/data/standins/cases.txt from the stand-in tools in SYSTEM DIR, there in
# expected/MACHINE/COMMAND.out and expected/outcomes.txt, with the host name in diskpart's banner and
# WMIC's errors replaced by @HOST@ and the repository's folder in error messages by @ROOT@.
# Only to record a deliberate change of output; StandinToolTests runs the same cases.
#   scripts/record-standin-goldens.sh SYSTEM DIR
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
data=$root/tests/data/standins
system=$(cd "${1:?usage: record-standin-goldens.sh SYSTEM DIR}" && pwd)
host=$(cat /proc/sys/kernel/hostname)
expected=$data/expected
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

declare -A commands
rm -rf "$expected"
mkdir -p "$expected"
outcomes=$expected/outcomes.txt
: > "$outcomes"

record() {  # MACHINE PATH, COMMAND NAME
    local machine=$1 command=$2 name
    name=$(basename "$machine")
    mkdir -p "$expected/$name"
    rm -rf "$scratch/run"
    mkdir "$scratch/run"
    local status=0
    (
        cd "$scratch/run"
        export LC_ALL=C SYSTEM="$system" PATH="$system:$PATH" CORVANE_TOOL_LOG="$scratch/tools.log"
        unset CORVANE_REPORT_DIR
        export CORVANE_SIMULATED_MACHINE="$root/$machine"
        exec /bin/sh -c "${commands[$command]}"
    ) > "$scratch/out" 2> "$scratch/err" || status=$?
    sed -e "s/On computer: $host\r/On computer: @HOST@\r/" -e "s/^Node - $host\$/Node - @HOST@/" \
        "$scratch/out" > "$expected/$name/$command.out"
    {
        echo "== $name/$command"
        echo "exit $status"
        # Sorted: the two tools of a pipe write their lines in either order.
        [ -f "$scratch/tools.log" ] && LC_ALL=C sort "$scratch/tools.log" | sed 's/^/log /'
        sed -e 's/^/stderr /' -e "s/^stderr Node - $host\$/stderr Node - @HOST@/" -e "s|$root/|@ROOT@/|g" "$scratch/err"
    } >> "$outcomes"
    rm -f "$scratch/tools.log"
}

while read -r kind name rest; do
    case "$kind" in
        command) commands[$name]=$rest ;;
        run) for command in $rest; do record "$name" "$command"; done ;;
    esac
done < "$data/cases.txt"
echo "recorded $(grep -c '^== ' "$outcomes") cases in $expected"
