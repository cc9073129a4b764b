# Sourced by the checks that work in a fresh root of a Debian release made
# from a base tarball (mmdebstrap's, as sbuild and piuparts take it), as root.
#
#   in_tarball_root <tarball> <folder> <script>
#       unpacks the tarball into a new root, copies the folder into it as
#       /work, runs the script there with bash (cwd /work, a clean
#       environment, the machine's name servers), copies /work back over the
#       folder, and removes the root; exits with the script's status.

in_tarball_root() {
    local tarball=$1 folder=$2 script=$3 root status=0
    root=$(mktemp -d /var/tmp/tarnwick-root-XXXXXX)
    tar -xzf "$tarball" -C "$root"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    cp -a "$folder" "$root/work"
    unshare --mount --fork --propagation private bash -c '
        root=$1
        mount -t proc proc "$root/proc" && mount --rbind /sys "$root/sys" && mount --rbind /dev "$root/dev" || exit 4
        chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 \
            bash -c "set -euo pipefail; cd /work; $2"
        status=$?
        umount -R -l "$root/dev" "$root/sys" "$root/proc"
        exit $status
    ' tarball-root "$root" "$script" || status=$?
    cp -a "$root/work/." "$folder/"
    rm -rf --one-file-system "$root"
    return "$status"
}
