#!/bin/sh
# Installs what is missing, builds, and runs the benchmark under Wine (with
# Xvfb when there is no display) for both programs: the 32-bit one in a
# 32-bit prefix, then the 64-bit one in a 64-bit prefix. Prints each figure
# next to its floor.
set -e
cd "$(dirname "$0")"
VANTRY_ROOT=$(pwd)
./scripts/build.sh "default x64" --target vantry_bench

. scripts/wine-env.sh
start_headless_session
echo "== 32-bit Vantry, 32-bit prefix"
"$VANTRY_ROOT/build/wine-run.sh" "$VANTRY_ROOT/build/vantry_bench.exe"
switch_headless_session x64
echo "== 64-bit Vantry, 64-bit prefix"
"$VANTRY_ROOT/build-x64/wine-run.sh" "$VANTRY_ROOT/build-x64/vantry_bench.exe"
