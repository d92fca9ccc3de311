#!/usr/bin/env bash
# Runs a command where nothing it starts can power this machine off, for the tests of the shutdown
# tools: in a private mount namespace where systemctl, loginctl and every power-off command are a
# recorder, the system bus and systemd's own socket are hidden, and without the capability to reboot.
# The recorder appends each run, its name and arguments, to RECORD and succeeds; with --refuse it
# also prints REASON on standard error and fails, as a refused request does. Any step that fails, and
# a /bin/systemctl, bus or capability still there, stops it before COMMAND runs. When no such namespace
# can be made here, it runs nothing and exits with 77.
#   tests/support/with-systemctl-recorder.sh RECORD [--refuse REASON] -- COMMAND [ARGUMENT...]
# COMMAND replaces this script's process, so that its process id is the command's.
set -euo pipefail
record=${1:?RECORD}
shift
reason=
if [ "${1:-}" = --refuse ]; then
    reason=${2:?REASON}
    shift 2
fi
[ "${1:-}" = -- ] && shift
[ $# -gt 0 ] || { echo "usage: $0 RECORD [--refuse REASON] -- COMMAND [ARGUMENT...]" >&2; exit 2; }

# The recorder lies beside the record, so that nothing is left to remove once COMMAND has replaced
# this script.
recorder=$record.recorder
{
    echo '#!/bin/bash'
    printf 'printf "%%s\\n" "${0##*/} $*" >> %q\n' "$record"
    [ -z "$reason" ] || printf 'printf "%%s\\n" %q >&2\nexit 1\n' "$reason"
} > "$recorder"
chmod 0755 "$recorder"

# Root makes the namespace itself; another user, where the kernel allows it, as root of a namespace
# of users of its own.
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(--map-root-user)
if ! unshare "${as_root[@]}" --mount --propagation private true 2> /dev/null ||
    ! command -v setpriv > /dev/null; then
    echo "$0: cannot make a private mount namespace here (unshare, setpriv); nothing run" >&2
    exit 77
fi
if [ ! -e /bin/systemctl ]; then
    echo "$0: this machine has no /bin/systemctl to stand in for; nothing run" >&2
    exit 77
fi

inside='
set -euo pipefail
recorder=$1
shift
names="systemctl loginctl busctl dbus-send gdbus shutdown poweroff halt reboot telinit"
fail() {
    echo "with-systemctl-recorder: $*; nothing run" >&2
    exit 70
}
! grep -q " shared:" /proc/self/mountinfo || fail "a mount made here would reach the machine"
for folder in /bin /sbin /usr/bin /usr/sbin; do
    for name in $names; do
        [ ! -e "$folder/$name" ] || mount --bind "$recorder" "$folder/$name" || fail "cannot replace $folder/$name"
    done
done
for folder in /run/dbus /run/systemd; do
    [ ! -d "$folder" ] || mount -t tmpfs -o size=64k,mode=0755 tmpfs "$folder" || fail "cannot hide $folder"
done
unset DBUS_SYSTEM_BUS_ADDRESS

# What the command will see.
[ -x /bin/systemctl ] && cmp -s "$recorder" /bin/systemctl || fail "/bin/systemctl is not the recorder"
[ ! -e /run/dbus/system_bus_socket ] && [ ! -e /run/systemd/private ] || fail "the system bus is still there"
bounding=$(sed -n "s/^CapBnd:[[:space:]]*//p" /proc/self/status)
(( (16#$bounding >> 22 & 1) == 0 )) || fail "the capability to reboot is still there"
exec "$@"
'
exec unshare "${as_root[@]}" --mount --propagation private \
    setpriv --inh-caps=-sys_boot --bounding-set=-sys_boot -- \
    bash -c "$inside" with-systemctl-recorder "$recorder" "$@"
