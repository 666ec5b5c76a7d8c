#!/bin/sh
# Installs what is missing, builds both programs (32-bit and 64-bit), and
# runs every test under Wine on Xvfb: the 32-bit suite in a 32-bit prefix
# and the 64-bit suite in a 64-bit one, side by side, each on a display of
# its own (the 64-bit suite's output follows the 32-bit one's). Exits
# non-zero if any test fails. Arguments go to both ctest runs.
set -e
cd "$(dirname "$0")"
VANTRY_ROOT=$(pwd)
./scripts/build.sh "default x64"

. scripts/wine-env.sh
# suite win32|x64 PRESET [ctest arguments]: one architecture's suite in a
# headless session of its own.
suite() {
    unset DISPLAY
    use_arch "$1"
    start_headless_session
    shift
    ctest --preset "$@"
}
set +e
(suite x64 x64 "$@") >build-x64/ctest.log 2>&1 &
x64_suite=$!
(suite win32 default "$@")
status=$?
wait $x64_suite || status=1
echo "== 64-bit suite"
cat build-x64/ctest.log
exit $status
