#!/bin/sh
# Builds the release zip and checks that it holds Vantry.exe and README.md,
# and that the program is a GUI executable of the build's architecture that
# imports only libraries Windows always takes from the system folder (the
# compiler runtime is linked in; psapi and wtsapi32 are bound at run time).
# Usage: check-package.sh <build directory> win32|win64
set -e
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cd "$1"
arch=$2
case "$arch" in
    win32) format='PE32 executable (GUI) Intel 80386'; objdump=i686-w64-mingw32-objdump ;;
    win64) format='PE32+ executable (GUI) x86-64'; objdump=x86_64-w64-mingw32-objdump ;;
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
[ "$contents" = "README.md Vantry.exe " ] || { echo "unexpected contents: $contents"; exit 1; }
unzip -p "$zip" Vantry.exe | cmp - Vantry.exe
unzip -p "$zip" README.md | cmp - "$source_dir/README.md"
# The checksum file that the packaging wrote checks out with the usual tool.
[ -f "$zip.sha256" ] || { echo "no $zip.sha256"; exit 1; }
sha256sum -c "$zip.sha256"
echo "imports: $imports"
echo "$zip: $contents"
