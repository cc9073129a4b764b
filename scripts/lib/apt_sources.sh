# Sourced by the scripts that make a root of another Debian release with
# mmdebstrap: this machine's own apt sources, for that release.
#
#   release_sources <release> <folder>   writes the machine's apt source files
#                                        to <folder> with its release's name
#                                        changed (bookworm, bookworm-updates and
#                                        bookworm-security become trixie,
#                                        trixie-updates and trixie-security), and
#                                        sets release_source_files to their paths
#   apt_date_options                     sets apt_options to mmdebstrap's
#                                        --aptopt for the release files' dates
#                                        as the machine takes them (a dated
#                                        snapshot needs that)

release_sources() {
    local release=$1 folder=$2 here_release file renamed
    here_release=$(. /etc/os-release && echo "${VERSION_CODENAME:?}")
    mkdir -p "$folder"
    rm -f "$folder"/*
    release_source_files=()
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && grep -Eq '^[[:space:]]*(deb|Types:)' "$file" || continue
        renamed="$folder/$(basename "$file")"
        sed "s/\b$here_release\b/$release/g" "$file" >"$renamed"
        release_source_files+=("$renamed")
    done
    [ ${#release_source_files[@]} -gt 0 ] || { echo "this machine has no apt sources" >&2; return 1; }
}

apt_date_options() {
    local option value
    apt_options=()
    for option in Acquire::Check-Valid-Until Acquire::Check-Date; do
        value=$(apt-config dump "$option" 2>/dev/null | sed -n "s/^$option \"\(.*\)\";$/\1/p" | head -n 1)
        [ -n "$value" ] && apt_options+=("--aptopt=$option \"$value\";")
    done
    return 0
}
