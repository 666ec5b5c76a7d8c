#!/bin/sh
# Checks that Vantry.exe is reproducible: builds the committed HEAD from two
# clean clones in different folders, for both presets, and compares the
# programs byte for byte. Usage: scripts/check-reproducible.sh
set -e
cd "$(dirname "$0")/.."
root=$(pwd)
work=$(mktemp -d /tmp/vantry-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
commit=$(git rev-parse HEAD)
first="$work/first"
second="$work/second-clone/in/another/place"
for clone in "$first" "$second"; do
    git clone -q --no-local "$root" "$clone"
    git -C "$clone" checkout -q "$commit"
done
status=0
for preset in default x64; do
    dir=out-$preset
    for clone in "$first" "$second"; do
        cmake -S "$clone" --preset $preset -B "$clone/$dir" -DBUILD_TESTING=OFF >/dev/null
        cmake --build "$clone/$dir" --target Vantry -j 2 >/dev/null
    done
    if cmp "$first/$dir/Vantry.exe" "$second/$dir/Vantry.exe"; then
        echo "$preset: Vantry.exe is byte-identical ($(sha256sum <"$first/$dir/Vantry.exe" | cut -c1-16)...)"
    else
        echo "$preset: Vantry.exe differs between the two clones in" \
             "$(cmp -l "$first/$dir/Vantry.exe" "$second/$dir/Vantry.exe" | wc -l) bytes"
        status=1
    fi
done
exit $status
