#!/bin/sh
# Runs a command of the test suite under Wine 10, in the Debian 13 root that
# scripts/wine10-root.sh makes (and makes first, when it is missing). The
# command sees this clone at its own path, so the build trees' programs have
# the same Windows paths under both Wines; it runs with VANTRY_WINE=10, which
# gives every prefix and work folder of the run a name of its own
# (wineprefix-wine10-...). VANTRY_ARCH names the architecture.
# The root is entered in a mount namespace of the run's own: the mounts
# (this clone, /tmp, /dev, /proc, /sys, /run/user/0) are seen by the run
# alone and go with its last process, whatever way it ends, so nothing is
# left mounted and the runs of both suites share the root side by side.
# When the root cannot be made, prints why and exits 77, which the tests
# report as skipped (SKIP_RETURN_CODE).
# Usage: scripts/wine10.sh COMMAND...
set -u
clone=$(cd "$(dirname "$0")/.." && pwd)
root=${VANTRY_WINE10_ROOT:-/var/cache/vantry/trixie-wine10}
if [ "${1:-}" != --in-namespace ]; then
    reason=$(sh "$clone/scripts/wine10-root.sh" 2>&1) ||
        { printf '%s\n' "$reason"; echo "SKIPPED: Wine 10 is not available on this machine"; exit 77; }
    [ -z "$reason" ] || printf '%s\n' "$reason"
    # The rest runs in the mount namespace of its own.
    exec unshare --mount --propagation private sh "$0" --in-namespace "$@"
fi
shift
VANTRY_WINE=10 VANTRY_ROOT=$clone
. "$clone/scripts/wine-env.sh"

# in_root COMMAND...: the command in the root, as this run sees it.
in_root() { chroot "$root" env VANTRY_WINE=10 VANTRY_ROOT="$clone" XDG_RUNTIME_DIR=/run/user/0 "$@"; }

# The build's Wine 10 prefix, made once for all the runs that copy it.
make_template() {
    export WINEPREFIX="$VANTRY_TEMPLATE_PREFIX"
    [ -f "$WINEPREFIX/.vantry-ready" ] && ! linked_to_wine "$WINEPREFIX" "$root" && return 0
    rm -rf "$WINEPREFIX"
    in_root sh -c '. "$VANTRY_ROOT/scripts/wine-env.sh"; export WINEPREFIX="$VANTRY_TEMPLATE_PREFIX"
        unset DISPLAY; start_display && trap stop_display EXIT && make_prefix' >"$WINEPREFIX.log" 2>&1 &&
        [ -f "$WINEPREFIX/.vantry-ready" ] || { cat "$WINEPREFIX.log"; return 1; }
}

# The tests run as root, and Wine's drive Z: is the whole root: the host's
# /sys is seen read-only (without the file systems mounted under it).
# Wine 10's server keeps its folder in /run/user/0 where that exists, and
# otherwise in a folder of its own under $TMPDIR or /tmp that nothing
# removes: the run has a /run/user/0 of its own, which goes with it (and
# XDG_RUNTIME_DIR names it for the libraries that complain without).
mount -t proc proc "$root/proc" && mount --rbind /dev "$root/dev" && mount --bind -o ro /sys "$root/sys" &&
    mount --bind /tmp "$root/tmp" && mkdir -p "$root/run/user/0" &&
    mount -t tmpfs -o mode=0700 tmpfs "$root/run/user/0" || { echo "cannot mount into $root"; exit 1; }
if [ ! "$root$clone" -ef "$clone" ]; then
    mkdir -p "$root$clone" && mount --bind "$clone" "$root$clone" ||
        { echo "cannot mount $clone into $root"; exit 1; }
fi
echo "Wine 10 root $root: $(in_root wine --version)"
mkdir -p "$VANTRY_BUILD"
(flock 8 && make_template) 8>"$VANTRY_TEMPLATE_PREFIX.lock" ||
    { echo "cannot make the Wine 10 prefix $VANTRY_TEMPLATE_PREFIX"; exit 1; }
here=$(pwd)
exec chroot "$root" env VANTRY_WINE=10 XDG_RUNTIME_DIR=/run/user/0 sh -c 'cd "$0" && exec "$@"' "$here" "$@"
