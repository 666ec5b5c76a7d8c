#!/bin/sh
# Builds the release zip and checks that it holds Vantry.exe, README.md and
# BUILDINFO, and that the program is a GUI executable of the build's
# architecture that imports only libraries Windows always takes from the
# system folder (the compiler runtime is linked in; psapi and wtsapi32 are
# bound at run time). Then signs a build of HEAD with a throwaway
# certificate and checks the signed release end to end.
# Usage: check-package.sh <build directory> win32|win64
set -e
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cd "$1"
arch=$2
case "$arch" in
    win32) format='PE32 executable (GUI) Intel 80386'; objdump=i686-w64-mingw32-objdump preset=default ;;
    win64) format='PE32+ executable (GUI) x86-64'; objdump=x86_64-w64-mingw32-objdump preset=x64 ;;
    *) echo "unknown architecture: $arch"; exit 1 ;;
esac
file Vantry.exe | grep -q "$format" ||
    { echo "not a $format program: $(file Vantry.exe)"; exit 1; }
# objdump runs on its own, so that its failure stops the check instead of
# leaving an empty import list that would pass.
headers=$($objdump -p Vantry.exe) || { echo "$objdump cannot read Vantry.exe"; exit 1; }
imports=$(printf '%s\n' "$headers" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
for dll in kernel32.dll user32.dll comctl32.dll advapi32.dll; do
    case " $imports" in
        *" $dll "*) ;;
        *) echo "the program's imports lack $dll: '$imports'"; exit 1 ;;
    esac
done
for dll in $imports; do
    case "$dll" in
        kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|advapi32.dll|msvcrt.dll) ;;
        *) echo "imports a DLL that Windows may take from the program's folder: $dll"; exit 1 ;;
    esac
done
cmake --build . --target package >/dev/null
zip="Vantry-1.2.0.1-$arch.zip"
contents=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$contents" = "BUILDINFO README.md Vantry.exe " ] || { echo "unexpected contents: $contents"; exit 1; }
unzip -p "$zip" Vantry.exe | cmp - Vantry.exe
unzip -p "$zip" README.md | cmp - "$source_dir/README.md"
unzip -p "$zip" BUILDINFO | grep -qx "preset: $preset" || { echo "BUILDINFO lacks the preset"; exit 1; }
unzip -p "$zip" BUILDINFO | grep -qx "sha256 before signing: $(sha256sum <Vantry.exe | cut -d ' ' -f 1)" ||
    { echo "BUILDINFO does not record this program's hash"; exit 1; }
# The checksum file that the packaging wrote checks out with the usual tool.
[ -f "$zip.sha256" ] || { echo "no $zip.sha256"; exit 1; }
sha256sum -c "$zip.sha256"
echo "imports: $imports"
echo "$zip: $contents"

# Signing, with a certificate made here and thrown away: a build of HEAD
# signed with it, and the checks a maintainer and a user would make.
build_dir=$(pwd)
work=$(mktemp -d /tmp/vantry-signing.XXXXXX)
trap 'rm -rf "$work"' EXIT
password="pw-$(od -An -N8 -tx8 /dev/urandom | tr -d ' ')"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Vantry Test Signer" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/signer.pfx" \
    -passout "pass:$password"
git clone -q --no-local "$source_dir" "$work/source"
signed="$work/signed"
cmake -S "$work/source" --preset $preset -B "$signed" -DBUILD_TESTING=OFF \
    -DVANTRY_SIGNING_CERT="$work/signer.pfx" >/dev/null
VANTRY_SIGNING_PASSWORD=$password cmake --build "$signed" --target package >"$work/build.log" 2>&1 ||
    { cat "$work/build.log"; echo "the signed build failed"; exit 1; }
! grep -rqF "$password" "$signed" "$work/build.log" || { echo "the password was written down"; exit 1; }
osslsigncode verify -CAfile "$work/cert.pem" -in "$signed/Vantry.exe" | grep -q 'Signature verification: ok' ||
    { echo "the signature does not verify against its certificate"; exit 1; }
osslsigncode remove-signature -in "$signed/Vantry.exe" -out "$work/stripped.exe" >/dev/null
unzip -p "$signed/$zip" BUILDINFO |
    grep -qx "sha256 before signing: $(sha256sum <"$work/stripped.exe" | cut -d ' ' -f 1)" ||
    { echo "without its signature the program is not the unsigned build"; exit 1; }

# The signed program starts under Wine and lists the processes.
timeout 60 "$build_dir/wine-run.sh" "$signed/Vantry.exe" >/dev/null 2>&1 </dev/null &
window=$(timeout 30 xdotool search --sync --name '^Vantry$' | head -n 1)
rows=$("$build_dir/wine-run.sh" "$build_dir/tests/e2e_probe.exe" rows 2>/dev/null </dev/null | grep -c .) || true
[ -n "$window" ] && xdotool windowfocus --sync "$window" key Escape
wait
[ "$rows" -gt 2 ] || { echo "the signed program did not list the processes ($rows lines)"; exit 1; }
echo "the signed program lists $((rows - 1)) processes"

# A user's check: the signed zip is reproduced; a changed program, even
# with a checksum file made to match, is not.
sh "$source_dir/scripts/verify-release.sh" "$signed/$zip" "$source_dir" ||
    { echo "verify-release.sh refused the signed release"; exit 1; }
mkdir -p "$work/changed/content"
unzip -q "$signed/$zip" -d "$work/changed/content"
byte=X
[ "$(dd if="$work/changed/content/Vantry.exe" bs=1 skip=4096 count=1 2>/dev/null)" = X ] && byte=Y
printf '%s' $byte | dd of="$work/changed/content/Vantry.exe" bs=1 seek=4096 conv=notrunc 2>/dev/null
(cd "$work/changed/content" && cmake -E tar cf "../$zip" --format=zip BUILDINFO README.md Vantry.exe)
(cd "$work/changed" && sha256sum "$zip" >"$zip.sha256")
if sh "$source_dir/scripts/verify-release.sh" "$work/changed/$zip" "$source_dir" >"$work/changed.log"; then
    cat "$work/changed.log"; echo "verify-release.sh accepted a changed program"; exit 1
fi
tail -n 2 "$work/changed.log"

# A wrong password fails the build with the tool's reason and leaves no
# program behind; a certificate that does not exist stops the configuration.
rm -f "$signed/Vantry.exe"
if VANTRY_SIGNING_PASSWORD=wrong cmake --build "$signed" --target Vantry >"$work/wrong.log" 2>&1; then
    echo "a wrong password built"; exit 1
fi
grep -q 'signing .* failed: .*' "$work/wrong.log" && [ ! -e "$signed/Vantry.exe" ] ||
    { cat "$work/wrong.log"; echo "a wrong password left a program or no reason"; exit 1; }
# (make removes a target whose step failed; the signing step does too, for
# any other way of building.)
cp "$build_dir/Vantry.exe" "$work/direct.exe"
VANTRY_SIGNING_PASSWORD=wrong sh "$source_dir/scripts/sign.sh" "$work/direct.exe" "$work/signer.pfx" \
    2>/dev/null && { echo "sign.sh signed with a wrong password"; exit 1; }
[ ! -e "$work/direct.exe" ] || { echo "sign.sh left the unsigned program behind"; exit 1; }
cmake -S "$work/source" --preset $preset -B "$work/no-cert" -DBUILD_TESTING=OFF \
    -DVANTRY_SIGNING_CERT="$work/missing.pfx" >"$work/missing.log" 2>&1 &&
    { echo "a missing certificate configured"; exit 1; }
grep -q "$work/missing.pfx" "$work/missing.log" || { cat "$work/missing.log"; exit 1; }
echo "signing: verified, runs, reproduced; changed program, wrong password, missing certificate refused"
