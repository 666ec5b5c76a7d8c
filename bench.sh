#!/bin/sh
# Installs what is missing, builds, and runs the benchmark under Wine (with
# Xvfb when there is no display). Prints each figure next to its floor.
set -e
cd "$(dirname "$0")"
VANTRY_ROOT=$(pwd)
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vantry_bench

. scripts/wine-env.sh
start_headless_session
"$VANTRY_ROOT/build/wine-run.sh" "$VANTRY_ROOT/build/vantry_bench.exe"
