#!/bin/sh
# Checks a downloaded release zip from end to end: the zip against its
# .sha256 file, the program's signature (intact, and who signed it with the
# SHA-256 fingerprint of the signer's certificate, or "unsigned"), and that
# the program is exactly what its recorded commit builds: a clean clone of
# this repository (or the one given) at that commit is built with the
# recorded preset and compared byte for byte with the program, less its
# signature. Exits 0 only when the release is reproduced. With
# VANTRY_VERIFY_REBUILT naming a folder, the program a commit and preset
# build is kept there and taken from there the next time (the release
# checks verify several changed copies of one release).
# Usage: scripts/verify-release.sh <Vantry-...zip> [repository]
set -u
zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
repository=${2:-$(cd "$(dirname "$0")/.." && pwd)}
. "$(dirname "$0")/toolchain-versions.sh"

for tool in openssl osslsigncode unzip git cmake sha256sum awk; do
    command -v "$tool" >/dev/null ||
        { echo "NOT REPRODUCED: verify-release.sh needs $tool; install it first (Debian: scripts/install-deps.sh)"; exit 1; }
done
work=$(mktemp -d /tmp/vantry-verify.XXXXXX)
trap 'rm -rf "$work"' EXIT

refuse() { echo "NOT REPRODUCED: $*"; exit 1; }

# The signature must be intact: osslsigncode verifies every signature the
# program carries (its digest is the program's, and it verifies with the
# certificates it carries and the system's CA list), and a release carries
# one. That the signer is who it claims to be is the fingerprint's to show:
# anyone can make a certificate with a look-alike name.
check_signature() {
    openssl pkcs7 -in "$work/signature.pem" -print_certs -out "$work/carried.pem" 2>/dev/null ||
        refuse "the signature carries no readable certificate"
    cat "$work/carried.pem" /etc/ssl/certs/ca-certificates.crt >"$work/anchors.pem" 2>/dev/null
    osslsigncode verify -CAfile "$work/anchors.pem" -in "$program" >"$work/verify.log" 2>&1
    verified=$?
    ! grep -q 'MISMATCH' "$work/verify.log" ||
        refuse "the signature is broken: the program is not the one that was signed"
    signatures=$(grep -c '^Signature Index:' "$work/verify.log")
    [ $verified -eq 0 ] && [ "$signatures" -ge 1 ] && ! grep -q '^Signature verification: failed' "$work/verify.log" &&
        [ "$(grep -c '^Signature verification: ok' "$work/verify.log")" -eq "$signatures" ] ||
        refuse "the signature is broken: it does not verify with the certificates it carries"
    [ "$signatures" -eq 1 ] || refuse "the program carries $signatures signatures; a release is signed once"
    find_signer
    echo "signature: intact, signed by $(openssl x509 -in "$signer_certificate" -noout -subject | sed 's/^subject=//')"
    echo "  certificate SHA-256 $(openssl x509 -in "$signer_certificate" -noout -fingerprint -sha256 | cut -d = -f 2)"
    echo "  (compare it with the fingerprint the maintainers publish; a name alone proves nothing)"
}

# The certificate that made the signature: of those the signature carries,
# the one whose public key verifies the signer's signed attributes. A name
# and a serial number can be copied into any certificate; the key cannot.
find_signer() {
    openssl asn1parse -inform PEM -in "$work/signature.pem" -out "$work/signature.der" -noout >/dev/null &&
        openssl asn1parse -inform DER -in "$work/signature.der" >"$work/signature.txt" ||
        refuse "the signature cannot be read"
    # The signed data's fields are at depth 3, the last of them the set of
    # signer infos; a signer info's fields are at depth 5.
    set -- $(awk -f "$(dirname "$0")/signer-info.awk" "$work/signature.txt")
    [ $# -eq 6 ] && [ "$1" = 1 ] || refuse "the signature does not hold exactly one signer"
    case "$6" in
        sha256|sha384|sha512) ;;
        *) refuse "the signature's digest is $6, not SHA-2" ;;
    esac
    tail -c +$(($2 + 2)) "$work/signature.der" | head -c $(($3 - 1)) >"$work/attributes.tail"
    # Signed as a SET (tag 0x31), carried as [0] IMPLICIT.
    { printf '\061'; cat "$work/attributes.tail"; } >"$work/attributes.der"
    tail -c +$(($4 + 1)) "$work/signature.der" | head -c "$5" >"$work/signature.value"
    awk -v dir="$work" '/BEGIN CERT/ { n++ } n { print > (dir "/cert" n ".pem") }' "$work/carried.pem"
    signer_certificate="" signers=0
    for certificate in "$work"/cert[0-9]*.pem; do
        openssl x509 -in "$certificate" -noout -pubkey >"$work/key.pem" 2>/dev/null &&
            openssl dgst "-$6" -verify "$work/key.pem" -signature "$work/signature.value" \
                "$work/attributes.der" >/dev/null 2>&1 || continue
        signer_certificate=$certificate signers=$((signers + 1))
    done
    [ $signers -le 1 ] || refuse "$signers certificates carried could each be the signer"
    [ -n "$signer_certificate" ] || refuse "no certificate carried in the signature made it"
}

# The hash in the checksum file against this zip's own hash (sha256sum -c
# would check whichever file the checksum file names).
[ -f "$zip.sha256" ] || refuse "there is no checksum file $zip.sha256"
recorded_hash=$(head -n 1 "$zip.sha256" | cut -d ' ' -f 1 | tr 'A-F' 'a-f')
[ "$(grep -c . "$zip.sha256")" -eq 1 ] && [ "$recorded_hash" = "$(sha256sum <"$zip" | cut -d ' ' -f 1)" ] ||
    refuse "the zip does not match $(basename "$zip").sha256"
echo "checksum: the zip matches $(basename "$zip").sha256"
unzip -q "$zip" -d "$work/zip" && [ -f "$work/zip/Vantry.exe" ] && [ -f "$work/zip/BUILDINFO" ] ||
    refuse "the zip does not hold Vantry.exe and BUILDINFO"
recorded() { sed -n "s/^$1: //p" "$work/zip/BUILDINFO"; }
commit=$(recorded commit)
preset=$(recorded preset)
echo "recorded: commit $commit, preset $preset"
case "$commit" in
    *" "*) refuse "the program was built from a tree with uncommitted changes" ;;
esac

program="$work/zip/Vantry.exe"
if osslsigncode extract-signature -pem -in "$program" -out "$work/signature.pem" >/dev/null 2>&1; then
    check_signature
    osslsigncode remove-signature -in "$program" -out "$work/unsigned.exe" >/dev/null ||
        refuse "the signature cannot be removed"
else
    echo "signature: unsigned"
    cp "$program" "$work/unsigned.exe"
fi

toolchain_versions "$preset" >"$work/local-toolchain"
grep -v '^commit:\|^preset:\|^sha256' "$work/zip/BUILDINFO" >"$work/recorded-toolchain"
same_toolchain=yes
cmp -s "$work/local-toolchain" "$work/recorded-toolchain" || same_toolchain=no
if [ $same_toolchain = no ]; then
    echo "note: this machine's toolchain differs from the recorded one:"
    diff "$work/recorded-toolchain" "$work/local-toolchain" | sed -n 's/^</  recorded:/p; s/^>/  here:    /p'
fi

git clone -q --no-local "$repository" "$work/source" 2>/dev/null &&
    git -C "$work/source" checkout -q "$commit" 2>/dev/null ||
    refuse "commit '$commit' is not in $repository"
rebuilt="$work/build/Vantry.exe"
kept="${VANTRY_VERIFY_REBUILT:-}/Vantry-$commit-$preset.exe"
if [ -n "${VANTRY_VERIFY_REBUILT:-}" ] && [ -f "$kept" ]; then
    echo "taking the program $commit builds with preset $preset from $kept"
    rebuilt=$kept
else
    echo "rebuilding $commit with preset $preset ..."
    cmake -S "$work/source" --preset "$preset" -B "$work/build" -DBUILD_TESTING=OFF >"$work/build.log" 2>&1 &&
        cmake --build "$work/build" --target Vantry -j 2 >>"$work/build.log" 2>&1 ||
        { tail -n 20 "$work/build.log"; refuse "the recorded commit does not build here"; }
    if [ -n "${VANTRY_VERIFY_REBUILT:-}" ]; then
        mkdir -p "$VANTRY_VERIFY_REBUILT" && cp "$rebuilt" "$kept" &&
            echo "$work/source" >"$kept.source"
    fi
fi

if cmp -s "$rebuilt" "$work/unsigned.exe"; then
    echo "REPRODUCED: the program is byte for byte what commit $commit builds with preset $preset" \
         "($(sha256sum <"$work/unsigned.exe" | cut -c 1-16)... before signing)"
    exit 0
fi
echo "the program differs from the rebuild in" \
     "$(cmp -l "$rebuilt" "$work/unsigned.exe" | wc -l) bytes"
[ $same_toolchain = yes ] || echo "the toolchain versions above are the likely cause"
refuse "the program is not what commit $commit builds"
