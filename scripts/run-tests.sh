#!/usr/bin/env bash
# Builds everything and runs the default tests: Qt for Windows (built once from Debian's sources, then
# cached; about 25 minutes on 2 cores), the Windows program and its tests under Wine, the Windows zip;
# then the Linux build with all its tests but the long ones (label "long"), the Windows program under
# Wine driven end to end from the unpacked zip, the .deb (installed and started when root) and the fuzz
# target, three minutes in two processes. Installs missing Debian packages first. Needs nothing
# outside this folder.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${DESKTOP_TEST_PACKAGES[@]}" \
                "${FUZZ_PACKAGES[@]}" "${PACKAGING_PACKAGES[@]}"
jobs=2
windows_build="$root/build-win"
trap 'WINEPREFIX="$windows_build/wineprefix" wineserver -k 2> /dev/null || true' EXIT

echo "== Windows build (Qt for Windows first, when it is not cached yet)"
bash "$root/scripts/windows-build.sh" "$jobs"

echo "== Windows tests under Wine"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A real WMIC capture, UTF-16 with a byte-order mark, for the Linux capture reader: Wine's own WMIC,
# in a prefix of its own, before the stand-ins take its place.
wmic_prefix="$windows_build/wmic-prefix"
wmic_capture="$windows_build/wmic-diskdrive-get-index.txt"
rm -rf "$wmic_prefix" "$wmic_capture"
WINEPREFIX="$wmic_prefix" wineboot --init > /dev/null 2>&1 || true
WINEPREFIX="$wmic_prefix" wine cmd /c "wmic diskdrive get index >> $(winepath -w "$wmic_capture")" > /dev/null 2>&1 || true
WINEPREFIX="$wmic_prefix" wineserver -k 2> /dev/null || true
rm -rf "$windows_build/wineprefix"
# The Windows tests use Windows' own platform, so they need an X display.
(cd "$windows_build" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure)

echo "== Linux build"
cmake -S "$root" -B "$root/build" -DCORVANE_WINDOWS_BIN="$windows_build/bin" > /dev/null
cmake --build "$root/build" -j"$jobs"

echo "== The Windows zip"
bash "$root/packaging/check-windows-package.sh" "$windows_build" "$root/build"

echo "== Linux tests, the Windows program under Wine from the unpacked zip among them"
[ -s "$wmic_capture" ] && export CORVANE_WINE_WMIC_CAPTURE="$wmic_capture"
(cd "$root/build" && ctest --output-on-failure -j"$jobs" -LE long)

echo "== The .deb: built, installed, started and removed"
bash "$root/packaging/check-package.sh" "$root/build"

echo "== Fuzzing the readers of tool output"
bash "$root/fuzz/run-fuzzers.sh"
