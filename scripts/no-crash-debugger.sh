#!/bin/sh
# Switches Wine's crash debugger off in the prefix $WINEPREFIX (started with
# $WINELOADER, of architecture $WINEARCH), once: a test program that crashes
# then ends at once and its test fails within seconds, where the debugger
# would wait for someone, and the suite with it until ctest's timeout. The
# AeDebug key names no debugger, and its automatic start (Auto 1) finds
# none; with Auto 0 Wine would ask in a box first, which waits as well.
# A 64-bit prefix holds the key twice, once for the 32-bit programs.
[ -e "$WINEPREFIX/.vantry-no-crash-debugger" ] && exit 0
key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
views=32
[ "$WINEARCH" = win64 ] && views="32 64"
for view in $views; do
    "$WINELOADER" reg add "$key" /v Debugger /d "" /f /reg:$view >/dev/null 2>&1 </dev/null &&
        "$WINELOADER" reg add "$key" /v Auto /d 1 /f /reg:$view >/dev/null 2>&1 </dev/null ||
        { echo "cannot switch off the crash debugger in $WINEPREFIX" >&2; exit 1; }
done
touch "$WINEPREFIX/.vantry-no-crash-debugger"
