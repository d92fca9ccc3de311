#!/usr/bin/env bash
# smartctl for the Windows packages: Debian's own smartmontools source package, of the version this
# machine has installed, cross-compiled with MinGW-w64 into one static smartctl64Bit.exe, the name the
# monitor runs. Beside it goes its licence, headed by a line naming the source package it was built
# from. The result is cached outside the source tree like Qt for Windows (scripts/windows-qt.sh).
#
#   bash scripts/windows-smartctl.sh     builds smartctl when it is not cached yet; prints its folder
#
# Needs: dpkg-dev (apt-get source), make, the MinGW-w64 compilers and smartmontools (scripts/deps.sh).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/debian-source.sh"

package=smartmontools
version=$(installed_source_version "$package")
[ -n "$version" ] || { echo "windows-smartctl: smartmontools is not installed" >&2; exit 1; }
jobs=${CORVANE_JOBS:-2}

build_info="(Debian $package $version)"
configure_options=(--host=x86_64-w64-mingw32 LDFLAGS=-static)
options_key=$(printf '%s\n' "$version" "$build_info" "${configure_options[@]}" | sha256sum | cut -c1-12)
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/corvane-smart
folder=$cache_root/smartctl-${version%%-*}-win64-$options_key

if [ -f "$folder/.complete" ]; then
    echo "$folder"
    exit 0
fi

work=$cache_root/smartctl-work-$options_key
rm -rf "$work"
mkdir -p "$work"
fetch_debian_source "$package" "$version" "$work"

mkdir -p "$work/build" "$work/staged"
cd "$work/build"
echo "windows-smartctl: building smartctl $version for Windows" >&2
"$work/source/$package/configure" "${configure_options[@]}" > configure.log 2>&1 ||
    { tail -n 40 configure.log >&2; exit 1; }
make -j"$jobs" BUILD_INFO="\"$build_info\"" smartctl.exe > make.log 2>&1 || { tail -n 60 make.log >&2; exit 1; }
x86_64-w64-mingw32-strip -o "$work/staged/smartctl64Bit.exe" smartctl.exe
{
    printf 'smartctl64Bit.exe is smartctl of smartmontools %s, built for 64-bit Windows from Debian'\''s\r\n' "${version%%-*}"
    printf 'source package %s %s. Its licence, the GNU General Public License version 2:\r\n\r\n' "$package" "$version"
    sed 's/$/\r/' "$work/source/$package/COPYING"
} > "$work/staged/smartctl licence.txt"
touch "$work/staged/.complete"
rm -rf "$folder"
mv "$work/staged" "$folder"
rm -rf "$work"
echo "$folder"
