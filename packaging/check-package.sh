#!/usr/bin/env bash
# Builds the .deb from a built tree and proves it: the Depends and the file layout, and, as root, that
# it installs with apt-get and enables the report service (which systemd-analyze accepts, where there
# is one), that the installed report cache writes this machine's reports, that the installed shutdown
# asks systemctl to power off once and fails with the reason when that is refused, that the monitor
# started through the installed launcher keeps running and runs the stand-in tools installed beside
# it, that for a user with no settings of their own the package's defaults turn the temperature
# warnings on (and the user's own file off), and that purging removes it all, the service's
# enablement and the defaults included. Whatever runs installed programs runs where systemctl and
# every other power-off command only record (tests/support/with-systemctl-recorder.sh).
#   packaging/check-package.sh [BUILD DIR]      default build/
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
package=corvane-smart

fail() {
    echo "package check FAILED: $*" >&2
    exit 1
}

rm -rf "$build/package"
(cd "$build" && cpack -G DEB > "$build/cpack.log" 2>&1) || { cat "$build/cpack.log"; fail "cpack did not build the .deb"; }
deb=$(find "$build/package" -maxdepth 1 -name "${package}_*.deb" | head -n 1)
[ -n "$deb" ] || fail "no ${package}_*.deb in $build/package"
echo "built $deb"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in smartmontools init-system-helpers libqt5core5 libqt5gui5 libqt5widgets5; do
    grep -q "$needed" <<< "$depends" || fail "Depends lacks $needed: $depends"
done
! grep -q util-linux <<< "$depends" || fail "Depends names util-linux, which nothing runs any more: $depends"
unit=corvane-smart-reports.service
contents=$(dpkg-deb -c "$deb")
for path in ./usr/lib/$package/CorvaneSMART ./usr/lib/$package/TranslationCM/DE/LANG_DE.qm \
            "./usr/lib/$package/system/smartctl64Bit.exe -> corvane-standin" \
            "./usr/lib/$package/system/wbem/WMIC.exe -> ../corvane-standin" \
            "./usr/lib/$package/system/shutdown -> corvane-shutdown" \
            ./usr/lib/$package/corvane-report-cache ./usr/lib/systemd/system/$unit \
            "./usr/bin/$package -> ../lib/$package/CorvaneSMART" ./usr/share/applications/$package.desktop \
            ./usr/share/icons/hicolor/32x32/apps/$package.png ./etc/xdg/autostart/$package.desktop \
            "./etc/xdg/Corvane/Corvane Drive Monitor.ini"; do
    grep -qF -- " $path" <<< "$contents" || fail "the package lacks $path"
done
defaults="/etc/xdg/Corvane/Corvane Drive Monitor.ini"
for conffile in "/etc/xdg/autostart/$package.desktop" "$defaults"; do
    dpkg-deb -I "$deb" conffiles | grep -qxF "$conffile" || fail "$conffile is not a conffile of the package"
done
for program in corvane-standin corvane-shutdown; do
    grep -F "/usr/lib/$package/system/$program" <<< "$contents" | grep -q '^-rwxr-xr-x' ||
        fail "the program $program lost its execute bits"
done
for script in postinst prerm postrm; do
    dpkg-deb -I "$deb" "$script" > /dev/null 2>&1 || fail "the package has no $script"
done

if [ "$(id -u)" -ne 0 ]; then
    echo "Not root: the .deb was built and checked, but installing it needs root; skipped."
    exit 0
fi

work=$(mktemp -d)
monitor=
cleanup() {
    [ -n "$monitor" ] && kill "$monitor" 2> /dev/null
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$package" > /dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" > "$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install $deb"; }
echo "installed $package"

enabled=/etc/systemd/system/multi-user.target.wants/$unit
[ -L "$enabled" ] || fail "installing did not enable $unit"
if command -v systemd-analyze > /dev/null; then
    systemd-analyze verify "/usr/lib/systemd/system/$unit" > "$work/verify.log" 2>&1 ||
        { cat "$work/verify.log"; fail "systemd-analyze does not accept $unit"; }
    echo "$unit is enabled, and systemd-analyze accepts it"
else
    echo "$unit is enabled (no systemd-analyze here to check it)"
fi
# The service's program, once, with the real smartctl: one report per whole disk, readable by all.
"/usr/lib/$package/corvane-report-cache" --once "$work/reports" ||
    fail "the installed report cache failed (see above)"
for disk in $(cd /sys/block && ls); do
    case "$disk" in loop* | ram* | zram* | sr* | dm-* | md*) continue ;; esac
    [ -n "$(find "$work/reports/$disk.txt" -perm 0644 2> /dev/null)" ] ||
        fail "the installed report cache wrote no report of $disk readable by all"
done
echo "the installed report cache wrote: $(cd "$work/reports" && echo *)"

# The installed shutdown, where systemctl only records: one request for "/s", and a refusal passed on.
recorded=(bash "$root/tests/support/with-systemctl-recorder.sh")
shutdown_tool=/usr/lib/$package/system/shutdown
if "${recorded[@]}" "$work/poweroff.log" -- true 2> "$work/recorder.log"; then
    env -u CORVANE_SIMULATED_MACHINE "${recorded[@]}" "$work/poweroff.log" -- "$shutdown_tool" /s ||
        fail "the installed shutdown /s failed where systemctl accepts the request"
    [ "$(cat "$work/poweroff.log")" = "systemctl --no-ask-password poweroff" ] ||
        fail "the installed shutdown /s did not ask systemctl to power off once: $(cat "$work/poweroff.log")"
    rm "$work/poweroff.log"
    ! env -u CORVANE_SIMULATED_MACHINE "${recorded[@]}" "$work/poweroff.log" --refuse "Access denied" -- \
        "$shutdown_tool" /s 2> "$work/refused.log" || fail "the installed shutdown /s succeeded on a refusal"
    grep -q "Access denied" "$work/refused.log" || fail "the installed shutdown gave no reason for a refusal"
    rm "$work/poweroff.log"
    echo "the installed shutdown asks systemctl to power off, and passes a refusal on"
else
    [ $? -eq 77 ] || { cat "$work/recorder.log"; fail "systemctl cannot be replaced by a recorder"; }
    cat "$work/recorder.log"
    echo "No private mount namespace here: the installed shutdown was not run."
    recorded=()
fi

mkdir "$work/tmp"
[ ${#recorded[@]} -eq 0 ] || recorded+=("$work/poweroff.log" --)
"${recorded[@]}" env -u CORVANE_SYSTEM_DIR QT_QPA_PLATFORM=offscreen CORVANE_SETTINGS_FILE="$work/settings.ini" \
    TMPDIR="$work/tmp" CORVANE_TOOL_LOG="$work/tools.log" CORVANE_SIMULATED_MACHINE="$root/standins/machines/healthy-desktop" \
    "/usr/bin/$package" > "$work/monitor.log" 2>&1 &
monitor=$!
sleep 5
kill -0 "$monitor" 2> /dev/null || { tail -n 30 "$work/monitor.log"; fail "the installed monitor stopped within 5 s"; }
grep -q '^diskpart.exe' "$work/tools.log" 2> /dev/null ||
    { tail -n 30 "$work/monitor.log"; fail "the installed monitor ran none of the installed stand-in tools"; }
echo "the installed monitor runs and reads the described machine through /usr/lib/$package/system"
kill "$monitor"
wait "$monitor" 2> /dev/null || true
monitor=
[ ! -s "$work/poweroff.log" ] || fail "the installed monitor asked: $(cat "$work/poweroff.log")"

# The installed monitor on the hot laptop (71 °C) as a user whose home is $1 and who has nothing else:
# no XDG folders, no settings file of the test's. Writes the warnings it shows, one class name a line,
# to $1.shown once its first health check, which follows the temperature warnings, is done.
hot_laptop_warnings() {
    local home=$1 waited=0
    mkdir -p "$home" "$home.temp" "$home.runtime"
    chmod 0700 "$home.runtime"
    "${recorded[@]}" env -u XDG_CONFIG_HOME -u XDG_CONFIG_DIRS -u CORVANE_SETTINGS_FILE -u CORVANE_SYSTEM_DIR \
        HOME="$home" XDG_RUNTIME_DIR="$home.runtime" TMPDIR="$home.temp" QT_QPA_PLATFORM=offscreen \
        QT_LOGGING_RULES='corvane.*=true' CORVANE_SIMULATED_MACHINE="$root/standins/machines/hot-nvme-laptop" \
        "/usr/bin/$package" > "$home.log" 2>&1 &
    monitor=$!
    until grep -q '^corvane.tray: health check:' "$home.log" 2> /dev/null; do
        if ! kill -0 "$monitor" 2> /dev/null || [ $waited -ge 600 ]; then
            tail -n 30 "$home.log"
            fail "the installed monitor on the hot laptop did no health check within 60 s"
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    kill "$monitor"
    wait "$monitor" 2> /dev/null || true
    monitor=
    sed -n 's/^corvane\.tray: showing \([A-Za-z]*\).*/\1/p' "$home.log" > "$home.shown"
}
cmp -s "$root/packaging/settings-defaults.ini" "$defaults" || fail "$defaults is not packaging/settings-defaults.ini"
dpkg-query -W -f='${Conffiles}\n' "$package" | grep -qF " $defaults " || fail "dpkg does not keep $defaults as a conffile"
hot_laptop_warnings "$work/new-user"
[ "$(cat "$work/new-user.shown")" = "$(printf 'ShutDownWarning\nSmartWarning')" ] ||
    { tail -n 30 "$work/new-user.log"; fail "at the package's defaults the hot laptop showed: $(cat "$work/new-user.shown")"; }
own="$work/quiet-user/.config/Corvane/Corvane Drive Monitor.ini"
mkdir -p "$(dirname "$own")"
printf '[General]\nShowWarning=false\n' > "$own"
hot_laptop_warnings "$work/quiet-user"
[ ! -s "$work/quiet-user.shown" ] ||
    fail "with the user's ShowWarning=false the hot laptop showed: $(cat "$work/quiet-user.shown")"
grep -qx 'ShowWarning=false' "$own" || fail "the monitor lost the user's ShowWarning=false: $(cat "$own")"
cmp -s "$root/packaging/settings-defaults.ini" "$defaults" || fail "running the monitor changed $defaults"
[ ! -s "$work/poweroff.log" ] || fail "the installed monitor asked: $(cat "$work/poweroff.log")"
echo "at the package's defaults the hot laptop shows the shutdown and temperature warnings; a user's ShowWarning=false, none"

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$package" > "$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get purge $package"; }
[ ! -e "/usr/lib/$package" ] && [ ! -e "/etc/xdg/autostart/$package.desktop" ] && [ ! -e "$defaults" ] &&
    [ ! -e "$(dirname "$defaults")" ] || fail "files left behind after purging $package"
[ ! -e "$enabled" ] && [ ! -e "/usr/lib/systemd/system/$unit" ] && [ ! -e "/etc/systemd/system/$unit" ] ||
    fail "$unit is still enabled, masked or installed after purging $package"
echo "removed $package, its service and its settings' defaults"

