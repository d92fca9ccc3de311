#!/usr/bin/env bash
# Builds the fuzz target (clang, address and undefined-behaviour sanitizers), which hands each input to
# every reader of tool output, and runs it in two processes for a bounded time, seeded with the real
# tool outputs of tests/data and the inputs kept in tests/fuzz-regressions/inputs/. Fails on any crash,
# hang, leak, sanitizer report or broken reader rule, and keeps the input that did it in
# build-fuzz/findings/ (move it to tests/fuzz-regressions/inputs/<reader>/ once the reader is mended).
#   fuzz/run-fuzzers.sh [SECONDS]      default 180
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-180}
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -DCORVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build "$build" -j2
mkdir -p "$build/findings" "$build/corpus" "$build/logs"
touch "$build/logs/started"
seeds=("$root/tests/data/smartctl" "$root/tests/data/windows" "$root"/tests/fuzz-regressions/inputs/*)

# New inputs go to build-fuzz/corpus, which both processes share; the seed folders are only read.
pids=()
for worker in 1 2; do
    UBSAN_OPTIONS=print_stacktrace=1 timeout --kill-after=10 $((seconds + 120)) "$build/bin/fuzz-readers" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -dict="$root/fuzz/tool-output.dict" \
        -artifact_prefix="$build/findings/" "$build/corpus" "${seeds[@]}" > "$build/logs/worker-$worker.log" 2>&1 &
    pids+=($!)
done
failed=0
for worker in 1 2; do
    log="$build/logs/worker-$worker.log"
    if wait "${pids[worker - 1]}"; then
        echo "fuzz worker $worker: $(grep -E '^Done [0-9]+ runs' "$log" || echo done)"
    else
        failed=$((failed + 1))
        echo "fuzz worker $worker FAILED; the end of $log:"
        tail -n 40 "$log"
    fi
done
find "$build/findings" -type f -newer "$build/logs/started"
echo "fuzz: $((2 - failed)) of 2 workers passed"
[ "$failed" -eq 0 ]
