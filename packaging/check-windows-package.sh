#!/usr/bin/env bash
# Builds the Windows zip from a built Windows tree and checks what it holds: the program, its
# translations laid out as the Linux build lays them out, and the text on where it goes, nothing else
# (no Qt or runtime DLLs); and that the program needs no DLL beyond Windows' own. The program is started
# from the unpacked zip, in a fresh Wine prefix, by the end-to-end test (tests/windows).
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

unexpected=$(find . -type f ! -name CorvaneSMART.exe ! -name 'Read me.txt' ! -path './TranslationCM/*')
[ -z "$unexpected" ] || fail "the zip holds more than the program, its translations and its text: $unexpected"
[ -z "$(find . -iname '*.dll')" ] || fail "the zip holds DLLs"
diff <(cd TranslationCM && find . -type f | sort) <(cd "$linux_build/bin/TranslationCM" && find . -type f | sort) ||
    fail "TranslationCM/ differs from the Linux build's"

headers=$(x86_64-w64-mingw32-objdump -p CorvaneSMART.exe)
imports=$(sed -n 's/^\s*DLL Name: //p' <<< "$headers" | tr 'A-Z' 'a-z' | sort -u)
own=(advapi32.dll comdlg32.dll dwmapi.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll netapi32.dll ole32.dll
     oleaut32.dll shell32.dll user32.dll userenv.dll uxtheme.dll version.dll winmm.dll ws2_32.dll wtsapi32.dll)
own=" ${own[*]} "
for dll in $imports; do
    [[ "$own" == *" $dll "* ]] || fail "CorvaneSMART.exe needs $dll, which Windows does not have"
done
grep -q 'Subsystem.*(Windows GUI)' <<< "$headers" || fail "not a GUI program"
grep -a -q 'requestedExecutionLevel level="asInvoker"' CorvaneSMART.exe || fail "no manifest asking for the invoker's rights"
grep -a -q '<dpiAware' CorvaneSMART.exe && fail "the manifest declares a DPI awareness, which the program sets itself"
echo "Windows package check passed: $(echo "$imports" | wc -l) system DLLs, $(find TranslationCM -type f | wc -l) translation files"
