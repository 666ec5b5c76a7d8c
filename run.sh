#!/bin/sh
# Installs what is missing, builds, and starts Vantry under Wine with the
# Japanese locale. Without an X display it runs Vantry under Xvfb, saves a
# screenshot to build/vantry.png and closes it again.
set -e
cd "$(dirname "$0")"
VANTRY_ROOT=$(pwd)
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target Vantry

. scripts/wine-env.sh

if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    prepare_prefix
    set +e
    wine build/Vantry.exe
    code=$?
    echo "Vantry exited with code $code"
    exit $code
fi

start_display
trap stop_display EXIT
prepare_prefix unmanaged
wine build/Vantry.exe >/dev/null 2>&1 &
vantry=$!
window=$(timeout 30 xdotool search --sync --name '^Vantry$' | head -n 1)
sleep 2
import -window "$window" build/vantry.png
xdotool windowfocus --sync "$window" key Escape
wait $vantry
code=$?
wineserver -k >/dev/null 2>&1 || true
echo "Vantry ran without a display (under Xvfb) and exited with code $code."
echo "Screenshot: $VANTRY_ROOT/build/vantry.png"
