#!/usr/bin/env bash
# Signs one Windows binary in place with Authenticode (SHA-256):
#   sign.sh FILE
# VT_SIGN_CERT and VT_SIGN_KEY name the certificate (with its chain) and the
# private key, PEM or DER; VT_SIGN_PASS is the key's password when it has
# one; VT_TIMESTAMP_URL, when set, is an RFC 3161 time-stamp server, so that
# the signature stays valid after the certificate expires.
# scripts/package.sh sets the first two (a throwaway test certificate when
# the environment names none) and signs every binary it ships with this.
set -euo pipefail
file=$1
: "${VT_SIGN_CERT:?VT_SIGN_CERT names the signing certificate}" "${VT_SIGN_KEY:?VT_SIGN_KEY names its key}"
args=(sign -h sha256 -n Vantrel -certs "$VT_SIGN_CERT" -key "$VT_SIGN_KEY")
# The password through a pipe, not on a command line that others can see.
[ -n "${VT_SIGN_PASS:-}" ] && args+=(-readpass <(printf '%s' "$VT_SIGN_PASS"))
[ -n "${VT_TIMESTAMP_URL:-}" ] && args+=(-ts "$VT_TIMESTAMP_URL")
osslsigncode "${args[@]}" -in "$file" -out "$file.signed" >/dev/null
# The signed copy takes the file's place with the file's mode (the build's
# binaries stay executable).
chmod --reference="$file" "$file.signed"
mv "$file.signed" "$file"
