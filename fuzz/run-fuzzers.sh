#!/usr/bin/env bash
# Builds the fuzz targets (clang, address and undefined-behaviour sanitizers) and runs each for a
# bounded time, two at a time, seeded with the real tool outputs of shared/corpus. Fails on any crash,
# hang, leak, sanitizer report or broken reader rule, and keeps the input that did it in
# build-fuzz/findings/ (copy it to tests/fuzz-regressions/inputs/<reader>/ once the reader is fixed).
#   fuzz/run-fuzzers.sh [SECONDS PER TARGET]      default 60
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"
corpus="$root/../shared/corpus"
regressions="$root/tests/fuzz-regressions/inputs"

cmake -S "$root" -B "$build" -DCORVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build "$build" -j2
mkdir -p "$build/findings" "$build/logs"
touch "$build/logs/started"

seed_folders() {
    local reader=$1 folder
    local folders=("$regressions/$reader")
    case $reader in
        capture) folders+=("$corpus/smartctl" "$corpus/windows") ;;
        smart-report|health-performance) folders+=("$corpus/smartctl") ;;
        *) folders+=("$corpus/windows") ;;
    esac
    for folder in "${folders[@]}"; do
        if [ -d "$folder" ]; then echo "$folder"; else echo "no seeds in $folder" >&2; fi
    done
}

# One target; new inputs it finds go to its own corpus folder, the seed folders are only read.
run_target() {
    local reader=$1
    mkdir -p "$build/corpus/$reader"
    # shellcheck disable=SC2046
    UBSAN_OPTIONS=print_stacktrace=1 timeout --kill-after=10 $((seconds + 120)) \
        "$build/bin/fuzz-$reader" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -dict="$root/fuzz/tool-output.dict" -artifact_prefix="$build/findings/$reader-" \
        "$build/corpus/$reader" $(seed_folders "$reader") > "$build/logs/$reader.log" 2>&1
}

report() {
    local reader=$1 status=$2
    if [ "$status" -eq 0 ]; then
        echo "fuzz-$reader: $(grep -E '^Done [0-9]+ runs' "$build/logs/$reader.log" || echo 'done')"
        return 0
    fi
    echo "fuzz-$reader FAILED (exit $status); the end of $build/logs/$reader.log:"
    tail -n 40 "$build/logs/$reader.log"
    find "$build/findings" -name "$reader-*" -newer "$build/logs/started"
    return 1
}

readers=()
for target in "$build"/bin/fuzz-*; do readers+=("${target##*/fuzz-}"); done
passed=0
failed=0
for ((i = 0; i < ${#readers[@]}; i += 2)); do
    pair=("${readers[@]:i:2}")
    pids=()
    for reader in "${pair[@]}"; do
        run_target "$reader" &
        pids+=($!)
    done
    for j in "${!pair[@]}"; do
        status=0
        wait "${pids[j]}" || status=$?
        if report "${pair[j]}" "$status"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
    done
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
