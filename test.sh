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
start_headless_session
ctest --preset default "$@"
