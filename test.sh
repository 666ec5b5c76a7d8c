#!/bin/sh
# Installs what is missing, builds both programs (32-bit and 64-bit), and
# runs every test under Wine on Xvfb: the 32-bit suite in a 32-bit prefix
# and the 64-bit suite in a 64-bit one, side by side, each on a display of
# its own (the 64-bit suite's output follows the 32-bit one's). The main
# end-to-end run and the soak of each program run under Wine 10 as well, in
# a Debian 13 root made once a machine (scripts/wine10-root.sh), while the
# programs build. Exits non-zero if any test fails, or if a file of the
# run's prefixes is a hard link to an installed package's. Arguments go to
# both ctest runs.
set -e
cd "$(dirname "$0")"
VANTRY_ROOT=$(pwd)
./scripts/install-deps.sh
# The root's job runs in a session of its own: on every exit, a failed build
# or an interruption too, whatever of it still runs (debootstrap, apt-get in
# the root) is ended, and its log goes.
root_log=$(mktemp /tmp/vantry-wine10-root.XXXXXX)
end_root_job() {
    for signal in TERM TERM TERM KILL; do
        [ -n "${root_job:-}" ] && pkill -"$signal" -s "$root_job" || break
        sleep 1
    done
    rm -f "$root_log"
}
trap end_root_job EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP
setsid sh scripts/wine10-root.sh --again >"$root_log" 2>&1 &
root_job=$!
./scripts/build.sh "default x64"
wait $root_job && wine10=ready || wine10=missing
cat "$root_log"

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
# What a test that passed skipped inside, with the reason: a case this
# platform cannot show (gtest's GTEST_SKIP, the end-to-end run's SKIPPED).
cat build/Testing/Temporary/LastTest.log build-x64/Testing/Temporary/LastTest.log 2>/dev/null |
    awk '/^\[ RUN      \] / { name = $4 } /: Skipped$/ { getline reason; print name ": " reason }
        /^SKIPPED: / { print substr($0, 10) }' | sort | uniq -c |
    awk 'NR == 1 { print "== skipped inside the tests (times: case: reason)" } { print }'
if [ $wine10 = ready ]; then
    echo "== Wine 10 for the *_wine10 tests: $(sh scripts/wine10-root.sh --version)"
else
    echo "== Wine 10: every *_wine10 test was SKIPPED: $(tail -n 1 "$root_log")"
fi
# No file of a prefix the run made is an installed package's own (the same
# file as one under /usr/lib, the host's or the Wine 10 root's): Wine's
# prefix update would write through it into the package.
wine10_lib=${VANTRY_WINE10_ROOT:-/var/cache/vantry/trixie-wine10}/usr/lib
linked=$(find /usr/lib "$wine10_lib" build build-x64 -xdev -type f -links +1 -printf '%D:%i %p\n' 2>/dev/null |
    awk -v lib="$wine10_lib/" 'index($2, "/usr/lib/") == 1 || index($2, lib) == 1 { installed[$1] = 1; next }
        $1 in installed { print substr($0, length($1) + 2) }')
[ -z "$linked" ] || { echo "== FAILED: hard links to installed packages' files in the prefixes"; echo "$linked" | head; status=1; }
exit $status
