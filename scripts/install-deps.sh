#!/bin/sh
# Installs the cross compiler, Wine and the display tools the build and the
# tests need (debootstrap: for the Wine 10 root, scripts/wine10-root.sh;
# procps: test.sh ends the job that makes it with pkill).
# Quick and silent when everything is already present.
set -e

PACKAGES="cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb xdotool x11-apps x11-utils \
imagemagick faketime osslsigncode openssl git fonts-ipafont-gothic fonts-wine locales googletest cppcheck unzip file \
icoutils libxml2-utils debootstrap procps"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    missing="$missing (i386)"
fi

if [ -n "$missing" ]; then
    echo "installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    # A mirror in the middle of a sync fails an index now and then: the
    # update is tried again after a pause, and the install goes on with the
    # indexes that did arrive.
    indexes=complete
    for try in 1 2 3; do
        apt-get update -qq && break
        echo "apt-get update failed (try $try of 3)"
        [ "$try" -eq 3 ] && indexes=partial || sleep $((try * 10))
    done
    # shellcheck disable=SC2086
    if ! apt-get install -y -qq --no-install-recommends $PACKAGES >/dev/null; then
        # Without the 32-bit security index, a 64-bit library whose security
        # version is to be installed has no 32-bit twin. The release's own
        # versions of both architectures match: the packages come from it,
        # without the security updates.
        . /etc/os-release
        [ "$indexes" = partial ] && [ -n "${VERSION_CODENAME:-}" ] || exit 1
        echo "warning: installing from $VERSION_CODENAME without its security updates (an index is missing)"
        # shellcheck disable=SC2086
        apt-get install -y -qq --no-install-recommends -t "$VERSION_CODENAME" $PACKAGES >/dev/null
    fi
fi

# Japanese for the program; English and Simplified Chinese for the runs on
# systems of other code pages.
generate=""
for locale in ja_JP zh_CN; do
    if ! locale -a 2>/dev/null | grep -qi "^$locale\.utf-\?8$"; then
        sed -i "s/^# *$locale.UTF-8 UTF-8/$locale.UTF-8 UTF-8/" /etc/locale.gen
        grep -q "^$locale.UTF-8 UTF-8" /etc/locale.gen || echo "$locale.UTF-8 UTF-8" >> /etc/locale.gen
        generate=yes
    fi
done
[ -z "$generate" ] || locale-gen >/dev/null
