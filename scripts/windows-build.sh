#!/usr/bin/env bash
# Builds the Windows program in build-win/ (CorvaneSMART.exe, TranslationCM/, the stand-in tools and the
# test programs, all static), with the Qt for Windows that scripts/windows-qt.sh builds once and caches,
# and the smartctl64Bit.exe that goes into its packages (scripts/windows-smartctl.sh, cached likewise).
#   bash scripts/windows-build.sh [JOBS]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${1:-2}
qt=$(CORVANE_JOBS=$jobs bash "$root/scripts/windows-qt.sh" | tail -n 1)
smartctl=$(CORVANE_JOBS=$jobs bash "$root/scripts/windows-smartctl.sh" | tail -n 1)
cmake -S "$root" -B "$root/build-win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCMAKE_PREFIX_PATH="$qt" -DCORVANE_SMARTCTL_DIR="$smartctl" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$root/build-win" -j"$jobs"
