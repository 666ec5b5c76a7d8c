#!/bin/sh
# Builds the release zip and checks that it holds Vantry.exe and README.md,
# and that the program is a 32-bit GUI executable that imports only system
# DLLs (the compiler runtime is linked in).
set -e
cd "$1"
file Vantry.exe | grep -q 'PE32 executable (GUI) Intel 80386' ||
    { echo "not a PE32 i386 GUI program: $(file Vantry.exe)"; exit 1; }
imports=$(i686-w64-mingw32-objdump -p Vantry.exe | sed -n 's/.*DLL Name: //p' |
    tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
for dll in $imports; do
    case "$dll" in
        kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|advapi32.dll|psapi.dll|wtsapi32.dll|msvcrt.dll) ;;
        *) echo "imports a DLL that is not part of the system: $dll"; exit 1 ;;
    esac
done
cmake --build . --target package >/dev/null
zip="Vantry-1.2.0.1-win32.zip"
contents=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$contents" = "README.md Vantry.exe " ] || { echo "unexpected contents: $contents"; exit 1; }
unzip -p "$zip" Vantry.exe | cmp - Vantry.exe
echo "imports: $imports"
echo "$zip: $contents"
