# Sourced by run.sh, test.sh, bench.sh and the end-to-end test: the private
# Wine prefix inside the build tree, the locale (Japanese unless VANTRY_LANG
# names another), the display scale (100 % unless VANTRY_SCALE names another
# percentage: 125, 150, 200), an X display (Xvfb when there is none) and a
# running wineserver. Each other locale and scale gets a prefix of its own,
# and so does a run that names one in VANTRY_PREFIX_NAME (an end-to-end run,
# which restarts its server at will, beside the suites of the build's own).
# A run under Wine 10 (VANTRY_WINE=10, inside the root scripts/wine10.sh
# enters) has prefixes of its own, copies of a build prefix of its own
# (wineprefix-wine10, which scripts/wine10.sh makes).

VANTRY_ROOT="${VANTRY_ROOT:-$(cd "$(dirname "$0")" && pwd)}"

# use_arch win32|x64: the build tree, prefix and Wine loader of one of the
# two programs. The 64-bit prefix is the analogue of 64-bit Windows: its
# system processes are 64-bit and 32-bit programs run beside them.
use_arch() {
    case "$1" in
        x64|win64)
            VANTRY_BUILD="$VANTRY_ROOT/build-x64"
            export WINEARCH=win64
            export WINELOADER=/usr/lib/wine/wine64
            ;;
        *)
            VANTRY_BUILD="$VANTRY_ROOT/build"
            export WINEARCH=win32
            export WINELOADER=/usr/lib/wine/wine
            ;;
    esac
    VANTRY_TEMPLATE_PREFIX="$VANTRY_BUILD/wineprefix${VANTRY_WINE:+-wine$VANTRY_WINE}"
    export WINEPREFIX="$VANTRY_TEMPLATE_PREFIX${VANTRY_PREFIX_NAME:+-$VANTRY_PREFIX_NAME}${VANTRY_LANG:+-$VANTRY_LANG}${VANTRY_SCALE:+-scale$VANTRY_SCALE}"
}
use_arch "${VANTRY_ARCH:-win32}"

export LANG="${VANTRY_LANG:-ja_JP.UTF-8}"
export LC_ALL="$LANG"
export WINEDEBUG=-all
# No Mono or Gecko download prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

VANTRY_XVFB_PID=""
VANTRY_SESSION_PREFIXES=""

# The display named in DISPLAY, or else an Xvfb of our own: Xvfb takes the
# first free number itself and writes it out once it listens, so runs
# started side by side never share one.
start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    number_file=$(mktemp /tmp/vantry-display.XXXXXX)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    VANTRY_XVFB_PID=$!
    for _ in $(seq 100); do
        if [ -s "$number_file" ]; then
            export DISPLAY=":$(tr -d '\n' <"$number_file")"
            rm -f "$number_file"
            xdpyinfo >/dev/null 2>&1 && return 0
            break
        fi
        sleep 0.1
    done
    rm -f "$number_file"
    echo "Xvfb did not start" >&2
    return 1
}

stop_display() {
    if [ -n "$VANTRY_XVFB_PID" ]; then
        kill "$VANTRY_XVFB_PID" 2>/dev/null || true
        wait "$VANTRY_XVFB_PID" 2>/dev/null || true
    fi
}

# prefix_current PREFIX: whether the Wine installed leaves the prefix's
# libraries alone. On its first start after an upgrade (when the prefix's
# stamp no longer matches its wine.inf) Wine rewrites them in place.
prefix_current() {
    [ "$(tr -d '\r' 2>/dev/null <"$1/.update-timestamp")" = "$(stat -c %Y /usr/share/wine/wine.inf 2>/dev/null)" ]
}

# copy_prefix FROM TO: a copy of a prefix whose system folders, nearly all of
# its size (1.2 GB for a 64-bit one), are hard links to the original's
# libraries, and every other file, the registry among them, a copy of its
# own: a test run makes a dozen copies. A prefix that Wine is about to
# rewrite is copied whole.
copy_prefix() {
    if ! prefix_current "$1"; then
        cp -a "$1" "$2"
        return
    fi
    mkdir -p "$2" &&
        tar -C "$1" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
            --exclude=./drive_c/windows/winsxs -cf - . | tar -C "$2" -xf - || return 1
    for folder in system32 syswow64 winsxs; do
        [ ! -d "$1/drive_c/windows/$folder" ] || cp -al "$1/drive_c/windows/$folder" "$2/drive_c/windows/" ||
            return 1
    done
}

# linked_to_wine PREFIX [ROOT]: whether the prefix's libraries are hard
# links to the files of the Wine installed (in the root ROOT). Wine's prefix
# update rewrites a library in place, through any link, into the installed
# package that every other Wine of the machine loads: such a prefix is
# never used, but made again.
linked_to_wine() {
    case "$WINEARCH" in
        win64) native=x86_64-linux-gnu/wine/x86_64-windows ;;
        *) native=i386-linux-gnu/wine/i386-windows ;;
    esac
    [ "$1/drive_c/windows/system32/kernel32.dll" -ef "${2:-}/usr/lib/$native/kernel32.dll" ] ||
        [ "$1/drive_c/windows/syswow64/kernel32.dll" -ef \
            "${2:-}/usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll" ]
}

# make_prefix: a new prefix at $WINEPREFIX. It maps the dialog's font to an
# installed proportional Japanese Gothic. The "MS Shell Dlg" line also gives
# the message boxes and captions a Japanese face on a system of another
# locale: there Wine draws them in its own Tahoma, which has no Japanese
# glyphs, and the warning would show boxes.
make_prefix() {
    for _ in 1 2; do
        "$WINELOADER" wineboot -i >/dev/null 2>&1 </dev/null
        wineserver -w
        [ -f "$WINEPREFIX/drive_c/windows/system32/user32.dll" ] && break
        rm -rf "$WINEPREFIX"
    done
    cat > "$VANTRY_BUILD/fonts.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
REG
    iconv -f UTF-8 -t UTF-16LE "$VANTRY_BUILD/fonts.reg" |
        { printf '\377\376'; cat; } > "$VANTRY_BUILD/fonts-utf16.reg"
    "$WINELOADER" regedit /S "$VANTRY_BUILD/fonts-utf16.reg" >/dev/null 2>&1 </dev/null
    wineserver -w
    touch "$WINEPREFIX/.vantry-ready"
}

# A prefix ready for a run: made, or copied from the build's own. With
# "unmanaged" Wine draws the window frames itself instead of leaving them to
# a window manager: on a bare Xvfb there is none, and every hidden window
# would otherwise wait two seconds for one to answer.
prepare_prefix() {
    managed=Y
    [ "${1:-}" = unmanaged ] && managed=N
    mkdir -p "$VANTRY_BUILD"
    # A server left from another run keeps the display it started with, so
    # start afresh.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    VANTRY_SESSION_PREFIXES="$VANTRY_SESSION_PREFIXES $WINEPREFIX"
    # Another prefix of this architecture starts as a copy of the build's
    # own, which is much quicker than making one: the settings below are
    # made afresh in each. A copy that Wine would rewrite is made again.
    template_prefix=$VANTRY_TEMPLATE_PREFIX
    ! linked_to_wine "$WINEPREFIX" || rm -rf "$WINEPREFIX"
    if [ "$WINEPREFIX" != "$template_prefix" ] && [ -f "$template_prefix/.vantry-ready" ] &&
        ! linked_to_wine "$template_prefix" &&
        { [ ! -f "$WINEPREFIX/.vantry-ready" ] || ! prefix_current "$WINEPREFIX"; }; then
        rm -rf "$WINEPREFIX" "$WINEPREFIX.copying"
        copy_prefix "$template_prefix" "$WINEPREFIX.copying" && mv "$WINEPREFIX.copying" "$WINEPREFIX" ||
            { rm -rf "$WINEPREFIX.copying"; echo "cannot copy $template_prefix: $WINEPREFIX is made afresh" >&2; }
    fi
    [ -f "$WINEPREFIX/.vantry-ready" ] || make_prefix
    # Wine draws the caption buttons with its Marlett font. Debian's Wine looks
    # for its own fonts in the top folder of /usr/share/fonts, while
    # fonts-wine puts them in /usr/share/wine/fonts, which fontconfig does not
    # index either: without this copy the buttons show the letters "0 1 r".
    cp -u /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # A persistent server keeps every later wine start fast; its output must
    # not hold the caller's pipes open.
    wineserver -p >/dev/null 2>&1 </dev/null
    sh "$VANTRY_ROOT/scripts/no-crash-debugger.sh"
    "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f \
        >/dev/null 2>&1 </dev/null || true
    # The display scale, as Windows' display settings give it: Wine hands
    # every program this DPI (96 is 100 %).
    "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d $((96 * ${VANTRY_SCALE:-100} / 100)) /f >/dev/null 2>&1 </dev/null || true
}

# For test and benchmark runs: a display, a fresh unmanaged server on the
# current architecture's prefix, and everything ended again when the calling
# script exits (the servers of the prefixes it used, and its display).
start_headless_session() {
    start_display
    trap end_headless_session EXIT
    # An interruption ends the script, and with it the session.
    trap 'exit 130' INT
    trap 'exit 143' TERM HUP
    prepare_prefix unmanaged
}

# start_private_session NAME: the same on a prefix of the run's own (named
# after NAME, the locale and the scale) and an Xvfb of its own, so that a run
# that restarts its server and drives the mouse and keys can go side by side
# with others.
start_private_session() {
    export VANTRY_PREFIX_NAME="$1"
    use_arch "${VANTRY_ARCH:-win32}"
    unset DISPLAY
    start_headless_session
}

# switch_headless_session win32|x64: ends the server of the current prefix and
# goes on, on the same display, with the other architecture's prefix.
switch_headless_session() {
    wineserver -k >/dev/null 2>&1 || true
    use_arch "$1"
    prepare_prefix unmanaged
}

end_headless_session() {
    for prefix in $VANTRY_SESSION_PREFIXES; do
        [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    done
    stop_display
}
