#!/usr/bin/env bash
# Builds the Windows zip and installer from a built Windows tree and checks them: the zip holds the
# program, its translations laid out as the Linux build lays them out, the text on where it goes and
# smartctl64Bit.exe with its licence, nothing else (no Qt or runtime DLLs); neither program needs a DLL
# beyond Windows' own; the installer is a 64-bit program that asks for administrator rights. The
# program is started from the unpacked zip, and the installer run, in fresh Wine prefixes by the tests
# in tests/windows.
#   packaging/check-windows-package.sh [WINDOWS BUILD DIR] [LINUX BUILD DIR]     default build-win/ build/
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build-win}" && pwd)
linux_build=$(cd "${2:-$root/build}" && pwd)

fail() {
    echo "Windows package check FAILED: $*" >&2
    exit 1
}

rm -rf "$build/package"
(cd "$build" && cpack -G ZIP > "$build/cpack.log" 2>&1) || { cat "$build/cpack.log"; fail "cpack did not build the zip"; }
zip=$(find "$build/package" -maxdepth 1 -name 'CorvaneSMART-*-win64.zip' | head -n 1)
[ -n "$zip" ] || fail "no CorvaneSMART-*-win64.zip in $build/package"
echo "built $zip ($(du -h "$zip" | cut -f1), the program $(du -h "$build/bin/CorvaneSMART.exe" | cut -f1) unstripped)"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
top=$(basename "$zip" .zip)
[ -d "$unpacked/$top" ] || fail "the zip does not hold the folder $top"
cd "$unpacked/$top"

unexpected=$(find . -type f ! -name CorvaneSMART.exe ! -name 'Read me.txt' ! -name smartctl64Bit.exe \
                  ! -name 'smartctl licence.txt' ! -path './TranslationCM/*')
[ -z "$unexpected" ] || fail "the zip holds more than the program, its translations, smartctl and the texts: $unexpected"
grep -q '^source package smartmontools ' 'smartctl licence.txt' ||
    fail "smartctl's licence text does not name the source package it was built from"
[ -z "$(find . -iname '*.dll')" ] || fail "the zip holds DLLs"
diff <(cd TranslationCM && find . -type f | sort) <(cd "$linux_build/bin/TranslationCM" && find . -type f | sort) ||
    fail "TranslationCM/ differs from the Linux build's"

own=(advapi32.dll comdlg32.dll dwmapi.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll netapi32.dll ole32.dll
     oleaut32.dll shell32.dll user32.dll userenv.dll uxtheme.dll version.dll winmm.dll ws2_32.dll wtsapi32.dll)
own=" ${own[*]} "
# CorvaneSMART.exe last: its headers are checked below.
for program in smartctl64Bit.exe CorvaneSMART.exe; do
    headers=$(x86_64-w64-mingw32-objdump -p "$program")
    imports=$(sed -n 's/^\s*DLL Name: //p' <<< "$headers" | tr 'A-Z' 'a-z' | sort -u)
    for dll in $imports; do
        [[ "$own" == *" $dll "* ]] || fail "$program needs $dll, which Windows does not have"
    done
done
grep -q 'Subsystem.*(Windows GUI)' <<< "$headers" || fail "not a GUI program"
grep -a -q 'requestedExecutionLevel level="asInvoker"' CorvaneSMART.exe || fail "no manifest asking for the invoker's rights"
grep -a -q '<dpiAware' CorvaneSMART.exe && fail "the manifest declares a DPI awareness, which the program sets itself"
echo "Windows zip check passed: $(echo "$imports" | wc -l) system DLLs, $(find TranslationCM -type f | wc -l) translation files"

installer=$(bash "$root/packaging/windows/build-installer.sh" "$build")
x86_64-w64-mingw32-objdump -f "$installer" | grep -q 'file format pei-x86-64' || fail "$installer is not a 64-bit program"
grep -a -q 'requireAdministrator' "$installer" || fail "$installer does not ask for administrator rights"
echo "built $installer ($(du -h "$installer" | cut -f1))"
