#!/usr/bin/env bash
# A Wine prefix for the Windows program: booted once, with the stand-in tools where Windows keeps the
# real ones (system32 and system32\wbem, on the search path), and Wine told to run them instead of its
# own tasklist, findstr, WMIC and shutdown, which would list Wine's processes or end the Wine session;
# the fonts the program names, which only Windows has, stand for Linux's.
#   bash scripts/wine-prefix.sh PREFIX STANDIN_EXE [LOGPIXELS]
# LOGPIXELS sets the display's DPI (96 when not given), as Windows' display settings do.
set -euo pipefail
prefix=${1:?Wine prefix folder}
standin=${2:?the Windows stand-in program}
dpi=${3:-96}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    wineboot --init > /dev/null 2>&1
    wineserver -w
fi
system32=$prefix/drive_c/windows/system32
# Wine's own files have lower-case names; the stand-in takes their place under the very same name.
for tool in diskpart.exe tasklist.exe findstr.exe shutdown.exe smartctl64Bit.exe wbem/wmic.exe; do
    install -m 755 "$standin" "$system32/$tool"
done
{
    echo 'Windows Registry Editor Version 5.00'
    echo '[HKEY_CURRENT_USER\Software\Wine\DllOverrides]'
    for tool in wmic tasklist findstr shutdown; do echo "\"$tool.exe\"=\"native\""; done
    # Windows' own fonts are not here: the ones the program asks for by name, and those of Windows'
    # menus, are Noto Sans, as fontconfig gives them on Linux.
    echo '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]'
    for font in "Segoe UI" "Segoe UI SemiBold" Tahoma "MS Shell Dlg" "MS Shell Dlg 2"; do
        echo "\"$font\"=\"Noto Sans\""
    done
    echo '[HKEY_CURRENT_USER\Control Panel\Desktop]'
    printf '"LogPixels"=dword:%08x\n' "$dpi"
    echo '[HKEY_CURRENT_CONFIG\Software\Fonts]'
    printf '"LogPixels"=dword:%08x\n' "$dpi"
} > "$prefix/corvane-setup.reg"
# regedit has written it when it ends; programs started afterwards see it.
wine regedit /S "$(winepath -w "$prefix/corvane-setup.reg")" > /dev/null 2>&1
