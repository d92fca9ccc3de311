# Shared by the stand-in tools (sourced, not run). It answers two questions from one of two sources:
# which drives the machine has, and which processes run. The source is the machine described in the
# folder named by CORVANE_SIMULATED_MACHINE (see machine.txt in standins/machines/), or else the real
# Linux machine. When CORVANE_TOOL_LOG names a file, every tool appends one line to it: its own name
# and its arguments.

standin_log() {
    [ -n "${CORVANE_TOOL_LOG:-}" ] || return 0
    printf '%s\n' "$*" >> "$CORVANE_TOOL_LOG"
}

# Sets $trimmed to $1 without its leading and trailing blanks. Being no subshell, it is cheap in loops
# that the monitor's cycles run many times over.
trim_into() {
    trimmed=${1#"${1%%[! 	]*}"}
    trimmed=${trimmed%"${trimmed##*[! 	]}"}
}

trim() {
    trim_into "$1"
    printf '%s' "$trimmed"
}

using_described_machine() {
    [ -n "${CORVANE_SIMULATED_MACHINE:-}" ]
}

# One line per drive, in index order: model|boot|type|size|source, where source is the Linux device
# of a real drive or the report file of a described one (empty when it has none).
drive_records() {
    if using_described_machine; then described_drive_records; else real_drive_records; fi
}

# One line per volume of drive number $1: letter|label|file system|size|info; letter "-" for none.
volume_records() {
    if using_described_machine; then described_volume_records "$1"; else real_volume_records "$1"; fi
}

# One line per running process: image name|process id|memory in KB.
process_records() {
    if using_described_machine; then described_process_records; else real_process_records; fi
}

# Line $1 (counting from 0) of the standard input; fails when there is none.
nth_line() {
    wanted=$1
    count=0
    while IFS= read -r record; do
        if [ "$count" -eq "$wanted" ]; then
            printf '%s\n' "$record"
            return 0
        fi
        count=$((count + 1))
    done
    return 1
}

# --- the described machine --------------------------------------------------------------------

# Calls "$1 key value" for each meaningful line of machine.txt.
read_machine_file() {
    file=$CORVANE_SIMULATED_MACHINE/machine.txt
    if [ ! -r "$file" ]; then
        echo "stand-in: cannot read the described machine $file" >&2
        return 1
    fi
    while read -r key value || [ -n "$key" ]; do
        case "$key" in '' | '#'*) continue ;; esac
        "$1" "$key" "$value"
    done < "$file"
}

described_drive_records() {
    drive_open=no
    read_machine_file collect_drive_line
    flush_drive
}

flush_drive() {
    [ "$drive_open" = yes ] || return 0
    report_path=
    [ -n "$drive_report" ] && report_path="$CORVANE_SIMULATED_MACHINE/$drive_report"
    printf '%s|%s|%s|%s|%s\n' "$drive_model" "$drive_boot" "$drive_type" "$drive_size" "$report_path"
    drive_open=no
}

collect_drive_line() {
    case "$1" in
        drive)
            flush_drive
            drive_open=yes drive_model=$2 drive_boot=no drive_type=SATA drive_size= drive_report= ;;
        boot) drive_boot=yes ;;
        type) drive_type=$2 ;;
        size) drive_size=$2 ;;
        report) drive_report=$2 ;;
    esac
}

described_volume_records() {
    wanted_drive=$1
    drive_number=-1
    read_machine_file collect_volume_line
}

collect_volume_line() {
    case "$1" in
        drive) drive_number=$((drive_number + 1)) ;;
        volume)
            [ "$drive_number" -eq "$wanted_drive" ] || return 0
            old_ifs=$IFS
            IFS='|'
            set -f
            # shellcheck disable=SC2086
            set -- $2
            set +f
            IFS=$old_ifs
            for field in "${1:--}" "${2:-}" "${3:-}" "${4:-}"; do
                trim_into "$field"
                printf '%s|' "$trimmed"
            done
            trim_into "${5:-}"
            printf '%s\n' "$trimmed" ;;
    esac
}

described_process_records() {
    process_id=0
    read_machine_file collect_process_line
}

# Described processes get made-up ids and sizes, as only their names matter.
collect_process_line() {
    [ "$1" = process ] || return 0
    process_id=$((process_id + 4))
    printf '%s|%s|%s\n' "$2" "$process_id" "$((process_id * 1024 + 8))"
}

# --- the real machine -------------------------------------------------------------------------

# Whole disks as Linux lists them, without loop, RAM, zram and optical devices.
real_disks() {
    lsblk -d -n -r -o NAME,TYPE 2> /dev/null | while read -r name type; do
        [ "$type" = disk ] || continue
        case "$name" in loop* | ram* | zram* | sr*) continue ;; esac
        printf '%s\n' "$name"
    done
}

# The disk that holds the root file system, through partitions, LVM or encryption.
real_boot_disk() {
    root_source=$(findmnt -n -o SOURCE / 2> /dev/null)
    root_source=${root_source%%\[*}
    [ -b "$root_source" ] || return 0
    lsblk -n -r -s -o NAME,TYPE "$root_source" 2> /dev/null | while read -r name type; do
        if [ "$type" = disk ]; then
            printf '%s\n' "$name"
            break
        fi
    done
}

lsblk_value() {
    trim "$(lsblk -d -n -o "$1" "/dev/$2" 2> /dev/null | head -n 1)"
}

interface_type() {
    case "$(lsblk_value TRAN "$1")" in
        sata) echo SATA ;;
        nvme) echo NVMe ;;
        usb) echo USB ;;
        sas) echo SAS ;;
        ata) echo ATA ;;
        *) echo Virtual ;;
    esac
}

size_text() {
    bytes=$(lsblk -d -n -b -o SIZE "/dev/$1" 2> /dev/null | tr -d -c 0-9)
    [ -n "$bytes" ] || bytes=0
    if [ "$bytes" -ge 1073741824 ]; then
        echo "$((bytes / 1073741824)) GB"
    else
        echo "$((bytes / 1048576)) MB"
    fi
}

real_drive_records() {
    boot_disk=$(real_boot_disk)
    real_disks | while read -r disk; do
        model=$(lsblk_value MODEL "$disk")
        [ -n "$model" ] || model=$disk
        boot=no
        [ "$disk" = "$boot_disk" ] && boot=yes
        printf '%s|%s|%s|%s|/dev/%s\n' "$model" "$boot" "$(interface_type "$disk")" "$(size_text "$disk")" "$disk"
    done
}

# The volumes of a disk: its partitions, or the disk itself when it carries a file system directly.
disk_volumes() {
    partitions=$(lsblk -n -r -o NAME,TYPE "/dev/$1" 2> /dev/null | while read -r name type; do
        [ "$type" = part ] && printf '%s\n' "$name"
    done)
    if [ -n "$partitions" ]; then
        printf '%s\n' "$partitions"
    elif [ -n "$(lsblk_value FSTYPE "$1")" ] || [ -n "$(volume_mounts "$1")" ]; then
        printf '%s\n' "$1"
    fi
}

# The mount points of a volume and of everything built on it (LVM, encryption), one per line.
volume_mounts() {
    lsblk -n -r -o MOUNTPOINT "/dev/$1" 2> /dev/null | while read -r mount; do
        [ -n "$mount" ] && printf '%s\n' "$mount"
    done
}

# Letters as Windows might give them: C for the volume holding "/", then D, E, ... for the other
# mounted volumes in disk order; unmounted volumes get none.
real_volume_letter() {
    wanted_volume=$1
    if volume_mounts "$wanted_volume" | grep -qx /; then
        echo C
        return
    fi
    letters=DEFGHIJKLMNOPQRSTUVWXYZ
    for disk in $(real_disks); do
        for volume in $(disk_volumes "$disk"); do
            mounts=$(volume_mounts "$volume")
            [ -n "$mounts" ] || continue
            printf '%s\n' "$mounts" | grep -qx / && continue
            letter=$(printf '%.1s' "$letters")
            if [ "$volume" = "$wanted_volume" ]; then
                printf '%s\n' "${letter:--}"
                return
            fi
            letters=${letters#?}
        done
    done
    echo -
}

real_volume_records() {
    disk=$(real_disks | nth_line "$1") || return 0
    for volume in $(disk_volumes "$disk"); do
        letter=$(real_volume_letter "$volume")
        info=
        volume_mounts "$volume" | grep -qx / && info=Boot
        fs=$(lsblk_value FSTYPE "$volume")
        [ -n "$fs" ] || fs=$(findmnt -n -o FSTYPE -S "/dev/$volume" 2> /dev/null | head -n 1)
        fs=$(printf '%s' "$fs" | tr '[:lower:]' '[:upper:]')
        printf '%s|%s|%s|%s|%s\n' "$letter" "$(lsblk_value LABEL "$volume")" "$fs" "$(size_text "$volume")" "$info"
    done
}

real_process_records() {
    for process in /proc/[0-9]*; do
        read -r name 2> /dev/null < "$process/comm" || continue
        memory=0
        while read -r field value unit; do
            [ "$field" = VmRSS: ] && memory=$value
        done 2> /dev/null < "$process/status"
        printf '%s|%s|%s\n' "$name" "${process#/proc/}" "$memory"
    done
}
