#!/usr/bin/env bash
# Makes keys for a signed release that nobody else has and that go with the
# folder: an OpenPGP key in <folder>/gnupg, and a code-signing certificate
# issued by a certificate authority of its own, in a PKCS#12 file with its
# password in a file. Prints the variables scripts/release signs with, for
# eval.
#
#   eval "$(make_throwaway_keys.sh <folder>)"
#
# <folder>/ca.crt is the authority to verify the Authenticode signatures
# against; the signer is "Tarnwick throwaway signer" of "Velmor".
set -euo pipefail
umask 077
folder=$(realpath -m "${1:?usage: make_throwaway_keys.sh <folder>}")
mkdir -p "$folder/gnupg"
chmod 700 "$folder/gnupg"
cd "$folder"

export GNUPGHOME=$folder/gnupg
gpg --batch --quiet --passphrase '' --quick-generate-key 'Tarnwick throwaway release key <release@velmor.example>' \
    ed25519 sign 1d 2>/dev/null
fingerprint=$(gpg --batch --with-colons --list-secret-keys 2>/dev/null | awk -F : '$1 == "fpr" { print $10; exit }')

openssl rand -hex 16 >password
openssl req -x509 -newkey rsa:3072 -nodes -keyout ca.key -out ca.crt -days 2 -subj '/CN=Tarnwick throwaway CA' \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
openssl req -newkey rsa:3072 -nodes -keyout signer.key -out signer.csr \
    -subj '/CN=Tarnwick throwaway signer/O=Velmor' 2>/dev/null
printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature extendedKeyUsage=codeSigning >signer.ext
openssl x509 -req -in signer.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 2 -extfile signer.ext \
    -out signer.crt 2>/dev/null
openssl pkcs12 -export -inkey signer.key -in signer.crt -certfile ca.crt -name 'Tarnwick throwaway signer' \
    -passout file:password -out signer.p12
rm -f ca.key signer.key signer.csr signer.ext ca.srl

printf 'export GNUPGHOME=%q TARNWICK_GPG_KEY=%q TARNWICK_CODESIGN_PKCS12=%q TARNWICK_CODESIGN_PASSWORD_FILE=%q\n' \
    "$GNUPGHOME" "$fingerprint" "$folder/signer.p12" "$folder/password"
