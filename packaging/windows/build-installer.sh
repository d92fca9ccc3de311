#!/usr/bin/env bash
# Builds the Windows installer from a built Windows tree: the tree installed into a staging folder, a
# list of the monitor's own files for the installer to install and, on removal, delete one by one (the
# installation folder may be the companion's), and makensis.
#   packaging/windows/build-installer.sh [WINDOWS BUILD DIR]      default build-win/
# Prints the installer's path.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build-win}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "build-installer: no project version in $build/CMakeCache.txt" >&2; exit 1; }

work=$build/installer
rm -rf "$work"
mkdir -p "$work" "$build/package"
stage=$work/stage
cmake --install "$build" --prefix "$stage" --strip > "$work/install.log"
[ -f "$stage/smartctl64Bit.exe" ] ||
    { echo "build-installer: no smartctl64Bit.exe in the build (scripts/windows-smartctl.sh)" >&2; exit 1; }

# smartctl64Bit.exe is left out: the installer decides whether it is ours (installer.nsi).
{
    echo '!macro InstallOwnFiles'
    (cd "$stage" && find . -type d | sort) | while read -r folder; do
        folder=${folder#.}
        echo "    SetOutPath \"\$INSTDIR${folder//\//\\}\""
        (cd "$stage$folder" && find . -maxdepth 1 -type f ! -name smartctl64Bit.exe | sort) | while read -r file; do
            echo "    File \"$stage$folder/${file#./}\""
        done
    done
    echo '!macroend'
    echo '!macro RemoveOwnFiles'
    (cd "$stage" && find . -type f ! -path ./smartctl64Bit.exe | sort) | while read -r file; do
        file=${file#./}
        echo "    Delete \"\$INSTDIR\\${file//\//\\}\""
    done
    (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r folder; do
        folder=${folder#./}
        echo "    RMDir \"\$INSTDIR\\${folder//\//\\}\""
    done
    echo '!macroend'
} > "$work/own-files.nsh"

installer=$build/package/CorvaneSMART-$version-setup.exe
size_kb=$(du -sk "$stage" | cut -f1)
makensis -V2 -NOCD -DVERSION="$version" -DSTAGE="$stage" -DOWN_FILES="$work/own-files.nsh" \
    -DICON="$root/resources/images/CorvaneSMART.ico" -DESTIMATED_SIZE="$size_kb" -DOUTFILE="$installer" \
    "$root/packaging/windows/installer.nsi" > "$work/makensis.log" 2>&1 || { cat "$work/makensis.log" >&2; exit 1; }
echo "$installer"
