#!/bin/sh
# Signs the program in place: Authenticode, SHA-256, program name "Vantry",
# with the PKCS#12 file given and the password from VANTRY_SIGNING_PASSWORD,
# which reaches osslsigncode through a pipe, never a command line. A time
# stamp server (RFC 3161) is asked when VANTRY_SIGNING_TIMESTAMP_URL names
# one. On failure the program is removed, so that no unsigned Vantry.exe is
# left where the signed one belongs. Usage: sign.sh <program> <PKCS#12 file>
set -u
program=$1
signed="$program.signing"
set -- sign -pkcs12 "$2" -readpass /dev/stdin -h sha256 -n Vantry
[ -z "${VANTRY_SIGNING_TIMESTAMP_URL:-}" ] || set -- "$@" -ts "$VANTRY_SIGNING_TIMESTAMP_URL"
rm -f "$signed"
if reason=$(printf '%s' "${VANTRY_SIGNING_PASSWORD:-}" |
    osslsigncode "$@" -in "$program" -out "$signed" 2>&1) && [ -s "$signed" ]; then
    mv -f "$signed" "$program"
    exit 0
fi
echo "signing $program failed: $reason" >&2
rm -f "$program" "$signed"
exit 1
