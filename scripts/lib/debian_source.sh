# Sourced by scripts/release and scripts/check-debian-package: the tree as
# Debian builds it.
#
#   debian_source_tree <folder>   copies the tree as it stands, but what git
#                                 ignores and the build folders, into
#                                 <folder>/tarnwick-<version>, writes the
#                                 upstream tarball beside it
#                                 (tarnwick_<version>.orig.tar.xz: the program
#                                 without debian/, which the Debian source
#                                 package adds), and prints the copy's path.
#                                 Run at the top of the tree, with
#                                 SOURCE_DATE_EPOCH set.
#
# The same tree gives the same bytes, whoever checked it out with whatever
# umask: every file's mode is made its owner's, less writing for the others,
# and its time at most SOURCE_DATE_EPOCH.

debian_source_tree() {
    local folder version copy
    folder=$(realpath -m "$1")
    version=$(dpkg-parsechangelog -SVersion)
    version=${version%-*}  # the upstream version, without Debian's revision
    copy=$folder/tarnwick-$version
    rm -rf "$copy"
    mkdir -p "$copy"
    tar -cf - --exclude-vcs --exclude-vcs-ignores --exclude=./build . | tar -xf - -C "$copy"
    chmod -R u+rw,go=u-w "$copy"
    (cd "$folder" && tar -cf - --format=gnu --sort=name --mtime="@$SOURCE_DATE_EPOCH" --clamp-mtime \
        --owner=0 --group=0 --numeric-owner --exclude="tarnwick-$version/debian" "tarnwick-$version" | xz -6 -T1 -c >"tarnwick_$version.orig.tar.xz")
    echo "$copy"
}
