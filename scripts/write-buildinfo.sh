#!/bin/sh
# Writes BUILDINFO, the record of how Vantry.exe was made that the release
# zip carries beside it: the commit, the preset, the toolchain's versions and
# the SHA-256 of the program before any signature (scripts/verify-release.sh
# rebuilds from it). Usage: write-buildinfo.sh <sha256sum of the program as
# linked> <output> <preset>
set -e
source_dir=$(cd "$(dirname "$0")/.." && pwd)
. "$source_dir/scripts/toolchain-versions.sh"
[ -s "$1" ] || { echo "no hash of the program as linked in $1: relink Vantry" >&2; exit 1; }
commit=$(git -C "$source_dir" rev-parse HEAD 2>/dev/null || echo unknown)
git -C "$source_dir" diff --quiet HEAD 2>/dev/null || commit="$commit with uncommitted changes"
{
    echo "commit: $commit"
    echo "preset: $3"
    toolchain_versions "$3"
    echo "sha256 before signing: $(cut -d ' ' -f 1 "$1")"
} >"$2"
