# Fetches a Debian source package the way the machine's own apt would, and checks it. Sourced by the
# scripts that cross-build for Windows from Debian's sources (windows-qt.sh, windows-smartctl.sh).
#
#   fetch_debian_source PACKAGE VERSION WORK [FOLDER]    unpacks the source into WORK/source/FOLDER
#                                                        (by default PACKAGE)
#
# The machine's apt may have no source entries, so a private apt configuration and state are made in
# WORK: one deb-src entry for each Debian deb entry of the machine (its URIs, suites, components and
# keys, so a machine with its own mirror uses that mirror). The machine's apt state is not touched.

# Writes into FOLDER the machine's Debian entries as deb-src entries: FOLDER/machine.sources and
# FOLDER/machine.list, as the machine has them.
write_debian_source_entries() {
    local folder=$1
    # Each Debian package index names the entry it comes from as FILE:N (the Nth stanza of a .sources
    # file, the Nth line of a .list file).
    local entries
    entries=$(apt-get indextargets --format '$(SOURCESENTRY)' 'Created-By: Packages' 'Origin: Debian' | sort -u)
    [ -n "$entries" ] || {
        echo "debian-source: this machine's apt lists no Debian package index; run apt-get update first" >&2
        return 1
    }
    local entry file number
    for entry in $entries; do
        file=${entry%:*}
        number=${entry##*:}
        case "$file" in
        *.sources)
            awk -v want="$number" 'BEGIN { RS = ""; ORS = "\n\n" } ++n == want' "$file" |
                sed -E 's/^Types:.*/Types: deb-src/' >> "$folder/machine.sources" ;;
        *)
            sed -n "${number}p" "$file" | sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' >> "$folder/machine.list" ;;
        esac
    done
}

fetch_debian_source() {
    local package=$1 version=$2 work=$3 folder=${4:-$1}
    local apt=$work/apt
    rm -rf "$apt" "$work/source"
    mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$apt/sources.list.d" "$work/source"
    : > "$apt/sources.list"
    write_debian_source_entries "$apt/sources.list.d" || return 1
    local apt_options=(
        -o "Dir::Etc::SourceList=$apt/sources.list"
        -o "Dir::Etc::SourceParts=$apt/sources.list.d"
        -o "Dir::State=$apt" -o "Dir::State::Lists=$apt/lists"
        -o "Dir::Cache=$apt" -o "Dir::Cache::Archives=$apt/archives"
        -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)"
    )
    echo "debian-source: fetching $package $version" >&2
    apt-get "${apt_options[@]}" -qq update || return 1
    (cd "$work/source" && apt-get "${apt_options[@]}" -qq source --download-only "$package=$version") || return 1

    # apt checked the .dsc against Debian's signed index; every file it names is checked against it here.
    local dsc
    dsc=$(ls "$work"/source/*.dsc) || return 1
    (cd "$work/source" &&
     awk '/^Checksums-Sha256:/ { take = 1; next } /^[^ ]/ { take = 0 } take && NF == 3 { print $1 "  " $3 }' "$dsc" \
        > checksums.sha256 &&
     [ -s checksums.sha256 ] && sha256sum --quiet -c checksums.sha256) || {
        echo "debian-source: $package $version does not match its .dsc" >&2
        return 1
    }
    (cd "$work/source" && dpkg-source --no-check -x "$(basename "$dsc")" "$folder" > /dev/null)
}

# The source version of an installed package: a binary-only rebuild (+b1) has its source's version.
installed_source_version() {
    dpkg-query -W -f='${source:Version}' "$1" 2> /dev/null
}
