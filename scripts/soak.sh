#!/usr/bin/env bash
# The soak: 10,000 temperature cycles and 100 health checks in one process on the described
# four-drive workstation, under LeakSanitizer, then the verdict on leaks, resident memory (at most
# 1 MB above what it was after the first 100 cycles) and objects. Builds in build-leak/, with frame
# pointers so that a leak report shows whole stacks. About half an hour on a quiet machine.
#   scripts/soak.sh                       the full soak
#   scripts/soak.sh --cycles 500          a shorter one; every option goes to cycle-soak
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${BUILD_PACKAGES[@]}"

build="$root/build-leak"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_FLAGS="-fsanitize=leak -fno-omit-frame-pointer" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=leak" > /dev/null
nice cmake --build "$build" -j2 --target cycle-soak
export QT_QPA_PLATFORM=offscreen
exec nice "$build/bin/cycle-soak" "$@"
