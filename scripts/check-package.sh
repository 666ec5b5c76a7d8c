#!/bin/sh
# Builds the release zip and checks that it holds Vantry.exe and README.md.
set -e
cd "$1"
cmake --build . --target package >/dev/null
zip="Vantry-1.2.0.1-win32.zip"
contents=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$contents" = "README.md Vantry.exe " ] || { echo "unexpected contents: $contents"; exit 1; }
unzip -p "$zip" Vantry.exe | cmp - Vantry.exe
echo "$zip: $contents"
