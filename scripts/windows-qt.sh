#!/usr/bin/env bash
# Qt 5 for the Windows build: Debian's own qtbase source package, cross-compiled with MinGW-w64 into a
# static Qt that the monitor and its tests link. The result is cached outside the source tree, in a
# folder named by the Qt version and the configure options, and reused by every later build on this
# machine. The first build takes about 25 minutes on 2 cores.
#
#   bash scripts/windows-qt.sh          builds Qt when it is not cached yet; prints the Qt folder
#
# Needs: dpkg-dev (apt-get source), g++ and make, and the MinGW-w64 compilers (scripts/deps.sh).
set -euo pipefail

qt_source_package=qtbase-opensource-src
qt_version=$(dpkg-query -W -f='${Version}' libqt5core5a 2>/dev/null || true)
[ -n "$qt_version" ] || { echo "windows-qt: Debian's Qt 5 (libqt5core5a) is not installed" >&2; exit 1; }
qt_version=${qt_version%+b[0-9]*}  # a binary-only rebuild has the source version of its package
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
mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial" "$work/apt/sources.list.d" "$work/source"

# The machine's apt may have no source entries: a private apt configuration and state of our own,
# signed by the same Debian keys, never the machine's.
{
    for suite in bookworm bookworm-updates; do
        echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $suite main"
    done
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main"
} > "$work/apt/sources.list"
apt_options=(
    -o "Dir::Etc::SourceList=$work/apt/sources.list"
    -o "Dir::Etc::SourceParts=$work/apt/sources.list.d"
    -o "Dir::State=$work/apt" -o "Dir::State::Lists=$work/apt/lists"
    -o "Dir::Cache=$work/apt" -o "Dir::Cache::Archives=$work/apt/archives"
    -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)"
)
echo "windows-qt: fetching $qt_source_package $qt_version" >&2
apt-get "${apt_options[@]}" -qq update
(cd "$work/source" && apt-get "${apt_options[@]}" -qq source --download-only "$qt_source_package=$qt_version")

# apt checked the .dsc against Debian's signed index; every file it names is checked against it here.
dsc=$(ls "$work"/source/*.dsc)
(cd "$work/source" &&
 awk '/^Checksums-Sha256:/ { take = 1; next } /^[^ ]/ { take = 0 } take && NF == 3 { print $1 "  " $3 }' "$dsc" \
    > checksums.sha256 &&
 [ -s checksums.sha256 ] && sha256sum --quiet -c checksums.sha256)
(cd "$work/source" && dpkg-source --no-check -x "$(basename "$dsc")" qtbase > /dev/null)

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
