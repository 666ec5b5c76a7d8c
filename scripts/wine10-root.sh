#!/bin/sh
# Makes, once a machine, the Debian 13 (trixie) root that holds Wine 10
# (32- and 64-bit), Xvfb, xdotool, faketime, the fonts and the Japanese
# locale the end-to-end scripts need: Wine 10 needs Debian 13's C library, so it cannot
# stand beside Debian 12's Wine 8. The root is kept outside the clone
# (VANTRY_WINE10_ROOT, /var/cache/vantry/trixie-wine10 by default), so that
# every clone on the machine, CI's fresh one too, uses the same. It is made
# in a folder of its own and renamed into place only when complete, with a
# stamp naming what it holds: a half-made root is never used, and a root of
# another recipe is made again.
#
# Usage: wine10-root.sh [--again | --version]
# Exits 0 with the root ready (--version: and prints its Wine's version). Otherwise prints why and exits 1; the reason
# is kept beside the root, and for an hour a later call (a test's) prints it
# again instead of trying once more, unless --again is given (test.sh's).
set -u
# The root's own temporary files go to its own /tmp: a folder a caller
# names would not exist inside it.
unset TMPDIR
root=${VANTRY_WINE10_ROOT:-/var/cache/vantry/trixie-wine10}
suite=trixie
# Xvfb and xdotool drive the program; x11-utils has xdpyinfo, locales the
# Japanese locale, the fonts the dialog's face and Wine's own Marlett;
# faketime sets the clock back for the end-to-end run.
packages="wine wine64 wine32:i386 xvfb xdotool x11-utils fonts-ipafont-gothic fonts-wine locales faketime"
locales="ja_JP.UTF-8"
recipe="$suite: $packages; $locales; without documentation"
stamp="$root/.vantry-root"
failed="$root.failed"

ready() { [ "$(cat "$stamp" 2>/dev/null)" = "$recipe" ]; }

mkdir -p "$(dirname "$root")" || exit 1
# Both suites, and any test that needs the root, may ask at once: one makes
# it, the others wait for it.
exec 9>"$root.lock"
flock 9
# wine_version: the root's `wine --version` (Wine finds itself through /proc).
wine_version() {
    unshare --mount --propagation private sh -c 'mount -t proc proc "$1/proc" && chroot "$1" wine --version' \
        sh "$root"
}
if ready; then
    [ "${1:-}" != --version ] || echo "$(wine_version), in $root"
    exit 0
fi
if [ "${1:-}" != --again ] && [ -f "$failed" ] && [ -n "$(find "$failed" -mmin -60 2>/dev/null)" ]; then
    cat "$failed"
    exit 1
fi
rm -f "$failed"

# give_up REASON: the reason, printed and kept for the tests that need the root.
give_up() {
    printf 'the Wine 10 root %s cannot be made: %s\n' "$root" "$*" | tee "$failed"
    exit 1
}

# remove FOLDER: a half-made or replaced root, deleted only when nothing is
# mounted under it, and never across a mount.
remove() {
    if findmnt -rn -o TARGET | awk -v folder="$1/" 'index($0 "/", folder) == 1 { found = 1 } END { exit !found }'
    then
        give_up "file systems are mounted under $1 (findmnt): unmount them, then try again"
    fi
    rm -rf --one-file-system "$1"
}

# The packages come from the Debian mirror the machine already trusts: the
# first URI of the host's own sources that serves its release, unless
# VANTRY_WINE10_MIRROR names another.
host=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
mirror=$(awk -v host="$host" '/^URIs:/ { uri = $2 }
        /^Suites:/ && host != "" && index($0 " ", " " host " ") && uri != "" { print uri; exit }' \
    /etc/apt/sources.list.d/*.sources 2>/dev/null)
[ -n "$mirror" ] || mirror=$(awk -v host="$host" '$1 == "deb" && $3 == host { print $2; exit }' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null)
mirror=${VANTRY_WINE10_MIRROR:-$mirror}
[ -n "$mirror" ] || give_up "no Debian mirror: the host's sources name none for ${host:-its release}; name one in VANTRY_WINE10_MIRROR"
command -v debootstrap >/dev/null || give_up "debootstrap is not installed (scripts/install-deps.sh installs it)"
wget -q -T 20 -t 2 -O /dev/null "$mirror/dists/$suite/InRelease" ||
    give_up "the package mirror $mirror does not serve $suite (no network to it?)"

echo "making the Wine 10 root $root from $mirror (a few minutes, once a machine)"
work="$root.making"
remove "$work"
log="$root.log"
# A stalled mirror must not hold the test run: each step has a time limit.
# debootstrap mounts proc and sys in the root it makes: in a mount namespace
# of its own, which goes with its last process, however the step ends.
timeout 900 unshare --mount --propagation private \
    debootstrap --variant=minbase --arch=amd64 "$suite" "$work" "$mirror" >"$log" 2>&1 ||
    { tail -n 5 "$log"; remove "$work"; give_up "debootstrap failed or took over 15 minutes (its log: $log)"; }
# The packages, installed in the root with its own proc and dev, in a mount
# namespace of this step's own: whatever happens, nothing stays mounted.
cat >"$work/tmp/install.sh" <<INSTALL
set -e
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
# Documentation and translations are of no use to a test run.
printf 'path-exclude=/usr/share/%s/*\n' doc man info locale >/etc/dpkg/dpkg.cfg.d/vantry-excludes
dpkg --add-architecture i386
for try in 1 2 3; do apt-get update -qq && break; [ \$try -eq 3 ] && exit 1; sleep \$((try * 10)); done
apt-get install -y -qq --no-install-recommends $packages >/dev/null
for locale in $locales; do echo "\$locale \${locale#*.}" >>/etc/locale.gen; done
locale-gen >/dev/null
apt-get clean
rm -rf /var/lib/apt/lists/*
INSTALL
timeout 1200 unshare --mount --propagation private sh -c '
    mount -t proc proc "$1/proc" && mount --rbind /dev "$1/dev" &&
        exec chroot "$1" sh /tmp/install.sh' sh "$work" >>"$log" 2>&1 ||
    { tail -n 5 "$log"; remove "$work"; give_up "the packages did not install in the root within 20 minutes (its log: $log)"; }
rm -f "$work/tmp/install.sh"
echo "$recipe" >"$work/.vantry-root"
# A root of an older recipe is replaced in one rename.
remove "$root.old"
[ ! -d "$root" ] || mv "$root" "$root.old"
mv "$work" "$root" || give_up "cannot move $work into place"
remove "$root.old"
echo "the Wine 10 root is ready: $(du -sh "$root" | cut -f 1)"
