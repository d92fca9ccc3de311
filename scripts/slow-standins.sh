#!/usr/bin/env bash
# Runs the default tests, or the ctest selection given, as a slower machine of the same kind would:
# every stand-in tool run takes DELAY seconds longer (default 0.05, about what one run costs on the
# slowest machines seen). The build's system/ folder of stand-in tools is wrapped for the run and
# restored afterwards.
#   scripts/slow-standins.sh [BUILD DIR] [DELAY] [CTEST OPTION...]      default build/, 0.05, -LE long
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
delay=${2:-0.05}
shift $(($# < 2 ? $# : 2))
system="$build/bin/system"
if [ ! -d "$system" ] || [ -e "$system.real" ]; then
    echo "no stand-in tools in $system, or slowed ones are in place already" >&2
    exit 1
fi
mv "$system" "$system.real"
trap 'rm -rf "$system" && mv "$system.real" "$system"' EXIT
cd "$system.real"
find . -type f -o -type l | while read -r file; do
    file=${file#./}
    mkdir -p "$system/$(dirname "$file")"
    if [ -x "$file" ]; then
        # The name it was started by stays, for tools that are links to one program.
        printf '#!/bin/bash\nsleep %s\nexec -a "$0" "%s" "$@"\n' "$delay" "$system.real/$file" > "$system/$file"
        chmod +x "$system/$file"
    else
        ln -s "$system.real/$file" "$system/$file"
    fi
done
cd "$build"
start=$(date +%s)
status=0
[ $# -gt 0 ] || set -- -LE long
ctest -j2 --output-on-failure "$@" || status=$?
echo "ctest $* with stand-in runs $delay s slower: $(($(date +%s) - start)) s"
exit $status
