#!/usr/bin/env bash
# Qt 5 for the Windows build: Debian's own qtbase source package, cross-compiled with MinGW-w64 into a
# static Qt that the monitor and its tests link. The result is cached outside the source tree, in a
# folder named by the Qt version and the configure options, and reused by every later build on this
# machine. The first build takes about 25 minutes on 2 cores.
#
#   bash scripts/windows-qt.sh          builds Qt when it is not cached yet; prints the Qt folder
#
# Needs: dpkg-dev (apt-get source), g++ and make, and the MinGW-w64 compilers (scripts/deps.sh).
# The source comes from the machine's own Debian archives (scripts/debian-source.sh).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/debian-source.sh"

qt_source_package=qtbase-opensource-src
qt_version=$(installed_source_version libqt5core5a)
[ -n "$qt_version" ] || { echo "windows-qt: Debian's Qt 5 (libqt5core5a) is not installed" >&2; exit 1; }
qt_upstream=${qt_version%%+*}
jobs=${CORVANE_JOBS:-2}

configure_options=(
    -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32-
    -opensource -confirm-license -release -static -static-runtime
    -no-opengl -no-dbus -no-icu
    -qt-zlib -qt-pcre -qt-libpng -qt-freetype -qt-harfbuzz -no-libjpeg
    -no-sql-sqlite -no-sql-odbc
    -no-feature-tabletevent
    -nomake examples -nomake tests
)
options_key=$(printf '%s\n' "$qt_version" "${configure_options[@]}" | sha256sum | cut -c1-12)
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/corvane-smart
qt_folder=$cache_root/qt-$qt_upstream-win64-static-$options_key

# Only a build that got to its end is renamed into place; anything else is a leftover.
if [ -f "$qt_folder/.complete" ]; then
    echo "$qt_folder"
    exit 0
fi

work=$cache_root/qt-work-$options_key
rm -rf "$work"
mkdir -p "$work"
fetch_debian_source "$qt_source_package" "$qt_version" "$work" qtbase

# Qt's testlib needs std::mutex and friends, which MinGW has only in its posix thread model: the
# compilers configure finds under the plain names are the posix ones.
mkdir -p "$work/compilers"
for tool in gcc g++; do
    ln -sf "$(command -v x86_64-w64-mingw32-$tool-posix)" "$work/compilers/x86_64-w64-mingw32-$tool"
done
export PATH=$work/compilers:$PATH

mkdir -p "$work/build"
cd "$work/build"
echo "windows-qt: configuring" >&2
"$work/source/qtbase/configure" -prefix "$qt_folder" "${configure_options[@]}" > configure.log 2>&1 ||
    { tail -n 40 configure.log >&2; exit 1; }
echo "windows-qt: building with $jobs jobs" >&2
make -j"$jobs" > make.log 2>&1 || { tail -n 60 make.log >&2; exit 1; }
# Installed beside the build, then moved into place whole: the folder exists only once complete.
make install INSTALL_ROOT="$work/staged" > install.log 2>&1 || { tail -n 40 install.log >&2; exit 1; }
touch "$work/staged$qt_folder/.complete"
rm -rf "$qt_folder"
mv "$work/staged$qt_folder" "$qt_folder"
rm -rf "$work"
echo "$qt_folder"
