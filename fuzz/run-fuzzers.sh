#!/usr/bin/env bash
# Builds the fuzz target and runs it in two processes for SECONDS (default 180), seeded with the real tool
# outputs of tests/data and the inputs of tests/fuzz-regressions/inputs/. Fails on any crash, hang, leak,
# sanitizer report or broken reader rule, keeping the input in build-fuzz/findings/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-180}
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -DCORVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build "$build" -j2
mkdir -p "$build/findings" "$build/corpus"
# New inputs go to build-fuzz/corpus, which both processes share; the seed folders are only read. The
# readers' debug output is noise at fuzzing speed.
for worker in 1 2; do
    QT_LOGGING_RULES='corvane.*.debug=false' UBSAN_OPTIONS=print_stacktrace=1 timeout --kill-after=10 \
        $((seconds + 120)) "$build/bin/fuzz-readers" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -dict="$root/fuzz/tool-output.dict" -artifact_prefix="$build/findings/" "$build/corpus" \
        "$root/tests/data/smartctl" "$root/tests/data/windows" "$root"/tests/fuzz-regressions/inputs/* \
        > "$build/worker-$worker.log" 2>&1 &
done
failed=0
for worker in 1 2; do wait -n || failed=$((failed + 1)); done
for log in "$build"/worker-[12].log; do
    grep -E '^Done [0-9]+ runs' "$log" || { echo "$log FAILED:"; tail -n 40 "$log"; }
done
echo "fuzz: $((2 - failed)) of 2 workers passed"
[ "$failed" -eq 0 ]
