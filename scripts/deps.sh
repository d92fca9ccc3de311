# Debian packages the monitor needs, and a function that installs the missing ones. Sourced by the
# scripts beside it.

BUILD_PACKAGES=(cmake make g++ qtbase5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n
                smartmontools util-linux)
# Fonts for the Japanese, Chinese, Korean and Hindi (Devanagari) texts; Qt finds them through fontconfig.
BUILD_PACKAGES+=(fonts-noto-cjk fonts-noto-core)
# Qt and smartctl for Windows are built from Debian's source packages (dpkg-dev unpacks them), the
# installer by NSIS; Wine runs the result, with its own fonts for its menus.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 wine64 wine fonts-wine dpkg-dev nsis)
# The end-to-end tests drive the real monitor on a virtual display with a tray host.
DESKTOP_TEST_PACKAGES=(xvfb xauth trayer xdotool)
# The fuzz targets: clang with its libFuzzer and sanitizer runtimes. The .deb: CPack reads the
# monitor's library dependencies through dpkg-shlibdeps and file.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
PACKAGING_PACKAGES=(dpkg-dev file)

ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "These Debian packages are missing. Install them, then run this again:" >&2
        echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
}
