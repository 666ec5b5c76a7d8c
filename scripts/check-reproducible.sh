#!/bin/sh
# Checks that Vantry.exe is reproducible: the committed HEAD built from two
# clean clones in different folders gives the same program byte for byte.
# The two builds are the release check's (check-package.sh, which runs
# first): its signed build, less the signature, and verify-release.sh's
# rebuild, each from a clone of its own.
# Usage: scripts/check-reproducible.sh <build directory> default|x64
set -e
cd "$(dirname "$0")/.."
kept="$1/release-check"
preset=$2
commit=$(git rev-parse HEAD)
first="$kept/signed-$commit-$preset.exe"
second="$kept/Vantry-$commit-$preset.exe"
for program in "$first" "$second"; do
    [ -f "$program" ] && [ -f "$program.source" ] ||
        { echo "the release check left no build of $commit: $program"; exit 1; }
done
[ "$(cat "$first.source")" != "$(cat "$second.source")" ] ||
    { echo "both programs were built in $(cat "$first.source")"; exit 1; }
if cmp "$first" "$second"; then
    echo "$preset: Vantry.exe is byte-identical from $(cat "$first.source") and $(cat "$second.source")" \
         "($(sha256sum <"$first" | cut -c1-16)...)"
else
    echo "$preset: Vantry.exe differs between the two clones in $(cmp -l "$first" "$second" | wc -l) bytes"
    exit 1
fi
