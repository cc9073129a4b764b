#!/usr/bin/env bash
# A release made without keys and one signed with keys made for the test, as
# the person who downloads them checks them: the checksums' OpenPGP
# signature with gpg, each exe's and installer's Authenticode signature with
# osslsigncode against the test's certificate authority, a changed byte
# found out by each; and the signed programs still run under Wine, the
# signed installer installs.
#
#   release_signing_test.sh <release without keys> <what scripts/release said making it>
#                           <signed release> <folder of make_throwaway_keys.sh>
set -uo pipefail  # not -e: every check runs and is counted
unsigned=$(realpath "$1")
unsigned_log=$2
signed=$(realpath "$3")
keys=$(realpath "$4")
here=$(dirname "$(realpath "$0")")
source "$here/checks.sh"
source "$here/xserver.sh"
source "$here/wine_prefix.sh"
work=$(mktemp -d)
export GNUPGHOME=$keys/gnupg WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null; stop_xserver; rm -rf "$work"' EXIT

# Every tarnwick.exe of a release, unpacked from its zips and installers:
# <work>/<release>/<file handed out>/.../tarnwick.exe
unpack() {  # unpack <release folder> <name>
    local file
    for file in "$1"/*-windows-*.zip "$1"/*.msi; do
        mkdir -p "$work/$2/$(basename "$file")"
        case $file in
        *.zip) (cd "$work/$2/$(basename "$file")" && cmake -E tar xf "$file") ;;
        *.msi) msiextract -C "$work/$2/$(basename "$file")" "$file" >/dev/null ;;
        esac
    done
}
unpack "$unsigned" unsigned
unpack "$signed" signed
exes() { find "$work/$1" -name tarnwick.exe | sort; }
verify() { osslsigncode verify -CAfile "$keys/ca.crt" -in "$1" 2>&1; }
verified() { verify "$1" | grep -qx 'Signature verification: ok' && echo yes || echo no; }
with_a_byte_changed() {  # with_a_byte_changed <file> <offset>: a copy, its name printed
    local copy byte
    copy=$work/changed-$(basename "$1")
    cp "$1" "$copy"
    byte=$(od -An -tu1 -j "$2" -N 1 "$copy" | tr -d ' ')
    # shellcheck disable=SC2059  # the format is the byte
    printf "\\$(printf %03o $(((byte + 1) % 256)))" | dd of="$copy" bs=1 seek="$2" conv=notrunc 2>/dev/null
    echo "$copy"
}

# ---- Without keys: nothing is signed, and the release says so -----------------
check "a release without keys: no signature of the checksums" "$(ls "$unsigned" | grep -c '\.asc$')" 0
check "it says SHA256SUMS is unsigned" "$(grep -c '^SHA256SUMS is unsigned' "$unsigned_log")" 1
check "it says the Windows files are unsigned" "$(grep -c '^The Windows files are unsigned' "$unsigned_log")" 1
for file in $(exes unsigned) "$unsigned"/*.msi; do
    name=${file#"$work/"}
    check "no signature: ${name#"$unsigned/"}" \
        "$(osslsigncode extract-signature -in "$file" -out "$work/signature" >/dev/null 2>&1 && echo yes || echo no)" no
done

# ---- The checksums, signed with OpenPGP ------------------------------------------
fingerprint=$(gpg --batch --with-colons --list-secret-keys 2>/dev/null | awk -F : '$1 == "fpr" { print $10; exit }')
good_signature() {  # good_signature <signature> <file>: the fingerprint of the key that made it, if good
    gpg --batch --status-fd 1 --verify "$1" "$2" 2>/dev/null | awk '$2 == "VALIDSIG" { print $3 }'
}
check "gpg --verify SHA256SUMS.asc SHA256SUMS: a good signature by the release key" \
    "$(good_signature "$signed/SHA256SUMS.asc" "$signed/SHA256SUMS")" "$fingerprint"
check "the signature is armoured" "$(head -n 1 "$signed/SHA256SUMS.asc")" "-----BEGIN PGP SIGNATURE-----"
check "sha256sum -c SHA256SUMS: every file as listed" "$(cd "$signed" && sha256sum --quiet -c SHA256SUMS && echo yes)" yes
check "SHA256SUMS lists every file but itself and its signature" \
    "$(cut -d ' ' -f 3 "$signed/SHA256SUMS" | tr '\n' ' ')" \
    "$(cd "$signed" && ls | grep -vx -e SHA256SUMS -e SHA256SUMS.asc | tr '\n' ' ')"
check "SHA256SUMS with a byte changed: no good signature" \
    "$(good_signature "$signed/SHA256SUMS.asc" "$(with_a_byte_changed "$signed/SHA256SUMS" 10)")" ""

# ---- Every exe and installer, signed with Authenticode --------------------------
signed_exes=$(exes signed)
check "a tarnwick.exe in each zip and installer" "$(wc -l <<<"$signed_exes")" 4
for file in $signed_exes "$signed"/*.msi; do
    name=${file#"$work/"}
    name=${name#"$signed/"}
    report=$(verify "$file")
    check "osslsigncode verify accepts $name" "$(grep -cx 'Signature verification: ok' <<<"$report")" 1
    check "$name: SHA-256" "$(grep -m 1 '^Message digest algorithm' <<<"$report" | awk '{ print $NF }')" SHA256
    check "$name: the signer named" "$(grep -m 1 'Subject:' <<<"$report" | sed 's/^[[:space:]]*Subject: //')" \
        "/CN=Tarnwick throwaway signer/O=Velmor"
    check "$name: the program named" "$(grep -m 1 'Text description:' <<<"$report" | sed 's/^.*: //')" Tarnwick
done
for arch in x86 x64; do
    check "the $arch installer holds the signed exe of the $arch zip" \
        "$(cmp -s "$(find "$work/signed"/*-windows-$arch.zip -name tarnwick.exe)" \
            "$(find "$work/signed"/*-windows-$arch.msi -name tarnwick.exe)" && echo yes)" yes
done
exe=$(find "$work/signed"/*-windows-x64.zip -name tarnwick.exe)
check "tarnwick.exe with a byte changed in its code: rejected" "$(verified "$(with_a_byte_changed "$exe" 4096)")" no
# An installer's signature covers its streams, not the free space between
# them: the byte changed is in the first of the maker's names.
msi=$(ls "$signed"/*-windows-x64.msi)
check "the installer with a byte changed: rejected" \
    "$(verified "$(with_a_byte_changed "$msi" "$(grep -obaF -m 1 Velmor "$msi" | head -n 1 | cut -d : -f 1)")")" no

# ---- Signed, they still run under Wine ------------------------------------------
# Each architecture that Wine runs here (32-bit programs need wine32 and a
# kernel that runs them: asked of Wine with a program that says it runs).
start_xserver 96 "$work"
fresh_wine_prefix
wineserver -w
for arch in x86 x64; do
    case $arch in x86) triplet=i686-w64-mingw32 ;; x64) triplet=x86_64-w64-mingw32 ;; esac
    # Not building the probe is a fault of this test, not a Wine that cannot run it.
    "$triplet-g++-posix" -static -o "$work/says-it-runs-$arch.exe" "$here/../cmake/says_it_runs.cpp"
    check "the $arch probe of Wine builds" "$?" 0
    [ "$(wine "$work/says-it-runs-$arch.exe" 2>/dev/null | tr -d '\r')" == runs ] || {
        echo "skipped: Wine cannot run $arch programs here"
        continue
    }
    exe=$(find "$work/signed"/*-windows-$arch.zip -name tarnwick.exe)
    wine "$exe" >/dev/null 2>&1 &
    check "the signed $arch exe runs under Wine: its window appears" \
        "$([ -n "$(find_window 60 '^Tarnwick by Velmor$')" ] && echo yes)" yes
    wineserver -k
    wineserver -w
    wine msiexec /i "$(ls "$signed"/*-windows-$arch.msi)" /qn
    check "the signed $arch installer installs" "$?" 0
    wineserver -w
    check "what it installs is the signed exe" \
        "$(cmp -s "$exe" "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Tarnwick/tarnwick.exe" && echo yes)" yes
    wine msiexec /x "$(ls "$signed"/*-windows-$arch.msi)" /qn
    wineserver -w
done

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "the signed release verifies, and the one without keys is unsigned and says so"
