#!/bin/sh
# Installs what is missing, builds both programs (32-bit and 64-bit), and
# runs every test under Wine (with Xvfb when there is no display): the 32-bit
# suite in a 32-bit prefix, the 64-bit suite in a 64-bit one. Exits non-zero
# if any test fails. Arguments go to both ctest runs.
set -e
cd "$(dirname "$0")"
VANTRY_ROOT=$(pwd)
./scripts/build.sh "default x64"

. scripts/wine-env.sh
status=0
start_headless_session
ctest --preset default "$@" || status=1
switch_headless_session x64
ctest --preset x64 "$@" || status=1
exit $status
