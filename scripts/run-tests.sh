#!/usr/bin/env bash
# Builds everything and runs the default tests: the Windows platform layer cross-compiled and run under
# Wine, then the Linux build with all its tests but the long ones (label "long"), then the .deb
# (installed and started when root) and the fuzz target, three minutes in two processes. Installs
# missing Debian packages first. Needs nothing outside this folder.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${DESKTOP_TEST_PACKAGES[@]}" \
                "${FUZZ_PACKAGES[@]}" "${PACKAGING_PACKAGES[@]}"
jobs=2

echo "== Windows build, tested under Wine"
windows_build="$root/build-win"
cmake -S "$root" -B "$windows_build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCORVANE_PLATFORM_ONLY=ON > /dev/null
cmake --build "$windows_build" -j"$jobs"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$windows_build/wineprefix"
rm -rf "$WINEPREFIX"
wineboot --init > /dev/null 2>&1
wineserver -w
trap 'wineserver -k 2> /dev/null || true' EXIT
# A real WMIC capture, UTF-16 with a byte-order mark, for the Linux capture reader.
wmic_capture="$windows_build/wmic-diskdrive-get-index.txt"
rm -f "$wmic_capture"
wine cmd /c "wmic diskdrive get index >> $(winepath -w "$wmic_capture")" > /dev/null 2>&1 || true
(cd "$windows_build" && ctest --output-on-failure)

echo "== Linux build"
cmake -S "$root" -B "$root/build" > /dev/null
cmake --build "$root/build" -j"$jobs"
[ -s "$wmic_capture" ] && export CORVANE_WINE_WMIC_CAPTURE="$wmic_capture"
(cd "$root/build" && ctest --output-on-failure -j"$jobs" -LE long)

echo "== The .deb: built, installed, started and removed"
bash "$root/packaging/check-package.sh" "$root/build"

echo "== Fuzzing the readers of tool output"
bash "$root/fuzz/run-fuzzers.sh"
