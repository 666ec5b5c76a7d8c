#!/bin/sh
# Installs what is missing, builds, and starts Vantry under Wine with the
# Japanese locale: the 32-bit program in a 32-bit prefix, or with "x64" the
# 64-bit program in a 64-bit prefix. Without an X display it runs Vantry
# under Xvfb, saves a screenshot next to the program and closes it again.
# Usage: run.sh [x64]
set -e
cd "$(dirname "$0")"
VANTRY_ROOT=$(pwd)
case "${1:-}" in
    x64) preset=x64 ;;
    "") preset=default ;;
    *) echo "usage: $0 [x64]" >&2; exit 2 ;;
esac
./scripts/build.sh $preset --target Vantry

VANTRY_ARCH=${1:-win32}
. scripts/wine-env.sh
program="$VANTRY_BUILD/Vantry.exe"

if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    prepare_prefix
    set +e
    "$WINELOADER" "$program"
    code=$?
    echo "Vantry exited with code $code"
    exit $code
fi

start_display
trap stop_display EXIT
prepare_prefix unmanaged
"$WINELOADER" "$program" >/dev/null 2>&1 &
vantry=$!
window=$(timeout 30 xdotool search --sync --name '^Vantry$' | head -n 1)
sleep 2
import -window "$window" "$VANTRY_BUILD/vantry.png"
xdotool windowfocus --sync "$window" key Escape
wait $vantry
code=$?
wineserver -k >/dev/null 2>&1 || true
echo "Vantry ran without a display (under Xvfb) and exited with code $code."
echo "Screenshot: $VANTRY_BUILD/vantry.png"
