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
# The root's job and both suites run in background sessions of their own,
# which this script waits for: on every exit, a failed build or an
# interruption (Ctrl-C reaches this script alone) too, whatever of them
# still runs (debootstrap, apt-get in the root, ctest and its tests) is
# ended, and the root's log and the run's temporary folder go.
root_log=
run_tmp=
end_background_jobs() {
    for job in ${root_job:-} ${win32_suite:-} ${x64_suite:-}; do
        for signal in TERM TERM TERM KILL; do
            pkill -"$signal" -s "$job" || break
            sleep 1
        done
    done
    # A Wine process of an ended suite may have started its prefix's server
    # again (servers run in sessions of their own).
    for prefix in build/wineprefix* build-x64/wineprefix*; do
        [ ! -d "$prefix/drive_c" ] || WINEPREFIX="$VANTRY_ROOT/$prefix" wineserver -k >/dev/null 2>&1 || true
    done
    rm -rf ${root_log:+"$root_log"} ${run_tmp:+"$run_tmp"}
}
trap end_background_jobs EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP
root_log=$(mktemp /tmp/vantry-wine10-root.XXXXXX)
# Wine keeps each prefix's server folder under $TMPDIR, where there is no
# /run/user/0, and never removes it: the run's go into a folder of its own,
# which goes with the run (the Wine 10 root has a /run/user/0 of its own).
run_tmp=$(mktemp -d /tmp/vantry-run.XXXXXX)
export TMPDIR="$run_tmp"
setsid sh scripts/wine10-root.sh --again >"$root_log" 2>&1 &
root_job=$!
./scripts/build.sh "default x64"
wait $root_job && wine10=ready || wine10=missing
cat "$root_log"

# suite win32|x64 PRESET [ctest arguments]: one architecture's suite in a
# headless session of its own (which ends its display and servers however
# the suite ends).
suite='. scripts/wine-env.sh; unset DISPLAY; use_arch "$1"; start_headless_session; shift; ctest --preset "$@"'
set +e
VANTRY_ROOT=$VANTRY_ROOT setsid sh -c "$suite" sh x64 x64 "$@" >build-x64/ctest.log 2>&1 &
x64_suite=$!
VANTRY_ROOT=$VANTRY_ROOT setsid sh -c "$suite" sh win32 default "$@" &
win32_suite=$!
wait $win32_suite
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
