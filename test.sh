#!/bin/sh
# Installs what is missing, builds, and runs every test under Wine (with
# Xvfb when there is no display). Exits non-zero if any test fails.
set -e
cd "$(dirname "$0")"
VANTRY_ROOT=$(pwd)
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default

. scripts/wine-env.sh
start_display
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    stop_display
}
trap cleanup EXIT
prepare_prefix unmanaged
ctest --preset default "$@"
