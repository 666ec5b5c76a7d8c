#!/bin/sh
# End to end: starts the built Vantry.exe under Wine on the X display, drives
# it with xdotool as a user would (keys, mouse) and reads the result back
# with e2e_probe. Usage: e2e.sh <build directory> [<32-bit build directory>]
# The second folder, given to the 64-bit run, adds the 32-bit program in the
# 64-bit prefix. With VANTRY_LANG set (C.UTF-8, zh_CN.UTF-8) the scenarios
# that show the texts and end a process run once more under that system
# locale, in a prefix of its own (VANTRY_ARCH names the build's architecture).
# With VANTRY_SCALE set (125, 150, 200: percent) the layout, the texts,
# sorting and ending a process run on a display of that scale, in a prefix
# of its own. Each run has a prefix and an Xvfb display of its own (a copy
# of the build's prefix), so that runs can go side by side.
set -u
BUILD=$(cd "$1" && pwd)
WIN32_BUILD=${2:+$(cd "$2" && pwd)}
WINE="$BUILD/wine-run.sh"
WORK="$BUILD/e2e${VANTRY_WINE:+-wine$VANTRY_WINE}${VANTRY_LANG:+-$VANTRY_LANG}${VANTRY_SCALE:+-scale$VANTRY_SCALE}"
SCALE=${VANTRY_SCALE:-100}
failures=0
VANTRY_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$VANTRY_ROOT/scripts/wine-env.sh"
start_private_session e2e

rm -rf "$WORK"
mkdir -p "$WORK"

SETTING="${VANTRY_LANG:+ under $VANTRY_LANG}${VANTRY_SCALE:+ at $VANTRY_SCALE %}"
# A figure in pixels at 96 DPI, at this display's scale.
scaled() { echo $(($1 * SCALE / 100)); }

windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }
PROBE=$(windows_path "$BUILD/tests/e2e_probe.exe")

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "SKIPPED: $*"; }
pass() { echo "ok: $*"; }

# Waits up to twenty seconds for a command to succeed (the runs go side by
# side, on a machine that may be busy with builds too). A check of what a key or
# a click changes waits for it this way, never for a fixed time: the program
# answers within a fraction of a second on a quiet machine and takes
# seconds when the machine is busy.
wait_for() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

# Processes of an earlier run would be found first; each scenario starts on
# a fresh server, started with its output away from our pipes.
reset_wine() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    wineserver -p >/dev/null 2>&1 </dev/null
    "$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
}

# Windows' shell always answers for its folder windows. Wine's list of them
# is served by a surrogate process (dllhost.exe) that the first call after
# its server starts launches; on a busy machine that call, and every call
# for some seconds after it, fails (0x80040152) until the surrogate has
# registered. A scenario that opens a folder first waits until it answers.
shell_answers() { "$WINE" "$PROBE" shell >"$WORK/shell.txt" 2>&1 </dev/null; }
shell_ready() {
    for try in $(seq 60); do
        if shell_answers; then
            [ "$try" -eq 1 ] || echo "note: Wine's shell answered at the try $try"
            return 0
        fi
        sleep 1
    done
    fail "Wine's shell still refuses: $(tr -d '\r' <"$WORK/shell.txt")"
    return 1
}

# spawn NAME PROGRAM [ARGUMENT...]: PROGRAM started by the probe, which
# writes its "pid" and, once it has ended, its "exit" code to NAME.out. The
# output of an earlier start under the same name goes first: the wait
# would read its "pid" before the new start empties the file. A start that
# fails, or that gives no identifier within the wait (a busy machine), is
# tried twice more; then the run fails with what the probe and Wine said,
# rather than at a later check that finds no helper.
spawn() {
    name=$1
    shift
    for try in 1 2 3; do
        rm -f "$WORK/$name.out" "$WORK/$name.err"
        "$WINE" "$PROBE" spawn "$@" >"$WORK/$name.out" 2>"$WORK/$name.err" </dev/null &
        starter=$!
        wait_for started_or_gone "$name" "$starter"
        grep -qs '^pid ' "$WORK/$name.out" && return 0
        if kill -0 "$starter" 2>/dev/null; then
            kill "$starter" 2>/dev/null
            reason="no identifier within the wait"
        else
            wait "$starter"
            reason="the probe ended with $?"
        fi
        reason="$reason; probe '$(tr -d '\r' <"$WORK/$name.out" | tr '\n' ' ')'"
        reason="$reason, Wine '$(tr '\n' ' ' <"$WORK/$name.err" | cut -c 1-300)'"
        echo "note: starting $name, try $try of 3: $reason"
    done
    fail "$name did not start: $reason"
    return 1
}
started_or_gone() { grep -qs '^pid ' "$WORK/$1.out" || ! kill -0 "$2" 2>/dev/null; }
# spawn_at NAME PID PROGRAM [ARGUMENT]: the same, once a start of PROGRAM
# gets the identifier PID, which takes a few hundred starts.
spawn_at() {
    name=$1
    shift
    rm -f "$WORK/$name.out"
    "$WINE" "$PROBE" spawn-at "$@" >"$WORK/$name.out" 2>/dev/null </dev/null &
    for _ in $(seq 600); do
        grep -qs '^pid \|^spawn failed' "$WORK/$name.out" && break
        sleep 0.2
    done
    [ "$(pid_of "$name")" = "$1" ]
}
pid_of() { sed -n 's/^pid \([0-9]*\).*/\1/p' "$WORK/$1.out" | tr -d '\r'; }
exit_of() { sed -n 's/^exit \(0x[0-9A-F]*\).*/\1/p' "$WORK/$1.out" | tr -d '\r'; }
has_exited() { [ -n "$(exit_of "$1")" ]; }

# A list-view can be read from another process only by a reader of its own
# architecture: READER names the probe for the Vantry under test.
READER=$PROBE
# rows: reads the list into rows.txt; fails when the list cannot be read.
rows() {
    "$WINE" "$READER" rows 2>/dev/null </dev/null >"$WORK/rows.raw" || return 1
    tr -d '\r' <"$WORK/rows.raw" >"$WORK/rows.txt"
    grep -q '^selected ' "$WORK/rows.txt"
}
row_count() { awk 'NR > 1' "$WORK/rows.txt" | wc -l; }
listed() { grep -q "^[0-9]*	$1	" "$WORK/rows.txt"; }
rows_show() { rows && listed "$1"; }
cell_of_pid() { awk -F '\t' -v pid="$1" -v c="$2" '$2 == pid { print $(c + 2) }' "$WORK/rows.txt"; }
row_of_pid() { awk -F '\t' -v pid="$1" 'NR > 1 && $2 == pid { print $1 }' "$WORK/rows.txt"; }
selected_row() { sed -n 's/^selected \(-\{0,1\}[0-9]*\).*/\1/p' "$WORK/rows.txt"; }
# The four headers' sort arrows, each up, down or -.
arrows() { sed -n 's/^selected [-0-9]* arrows //p' "$WORK/rows.txt"; }
arrows_are() { rows && [ "$(arrows)" = "$1" ]; }
selected_cell() {
    awk -F '\t' -v row="$(selected_row)" -v c="$1" '$1 == row { print $(c + 2) }' "$WORK/rows.txt"
}
# selected_is COLUMN PATTERN: the list reads, and the selected row's cell
# matches the shell pattern.
selected_is() { rows && case "$(selected_cell "$1")" in $2) return 0 ;; esac; return 1; }
selected_row_is_not() { rows && [ "$(selected_row)" != "$1" ]; }
selected_is_not() { rows && [ "$(selected_cell "$1")" != "$2" ]; }

# start_vantry [build directory]: the build's Vantry.exe, ours by default.
start_vantry() {
    spawn vantry "$(windows_path "${1:-$BUILD}/Vantry.exe")" || return 1
    WINDOW=$(timeout 30 xdotool search --sync --name '^Vantry$' | head -n 1)
    [ -n "$WINDOW" ] && wait_for rows
}

# keys KEY...: typed into Vantry; what they change is waited for by the check.
keys() { xdotool windowfocus --sync "$WINDOW" key --delay 100 "$@"; sleep 0.1; }

# escape_closes WHAT: Esc must end the running Vantry with exit code 0.
escape_closes() {
    keys Escape
    wait_for has_exited vantry
    [ "$(exit_of vantry)" = 0x00000000 ] && pass "Esc closes $1 with exit code 0" ||
        fail "$1 after Esc: '$(exit_of vantry)'; box '$(probe box | tr '\n' ' ')', menu '$(probe menu)'"
}

# with_load_order LIST COMMAND...: runs one command with Wine's library load
# order overrides set to LIST.
with_load_order() {
    export WINEDLLOVERRIDES="$1;mscoree,mshtml="
    shift
    "$@"
    status=$?
    unset WINEDLLOVERRIDES
    return $status
}

copy_sleeper() { cp "$BUILD/tests/vantry_sleeper.exe" "$WORK/$1"; windows_path "$WORK/$1"; }

# expect_texts WHAT PROBE-COMMAND EXPECTED: the probe reads the texts as
# UTF-16, so a wrong code page shows as a difference, never as a match.
expect_texts() {
    actual=$("$WINE" "$READER" "$2" 2>/dev/null </dev/null | tr -d '\r')
    if [ "$actual" = "$3" ]; then
        pass "$1 read correctly$SETTING"
    else
        fail "$1$SETTING: '$actual'"
    fi
}
box_shown() { "$WINE" "$READER" box >/dev/null 2>&1 </dev/null; }

scenario_lists_and_closes() {
    reset_wine
    spawn helper "$(copy_sleeper e2e_helper.exe)" 120
    helper=$(pid_of helper)
    start_vantry || { fail "Vantry window did not appear"; return; }
    if rows_show "$helper" && [ "$(cell_of_pid "$helper" 1)" = e2e_helper.exe ]; then
        pass "the helper $helper is listed with its image name"
    else
        fail "the helper $helper is not listed"; cat "$WORK/rows.txt"
    fi
    case "$(cell_of_pid "$helper" 2)" in
        *\\e2e_helper.exe) pass "the helper's full path is listed" ;;
        *) fail "path of the helper: $(cell_of_pid "$helper" 2)" ;;
    esac
    expect_texts "the headers and buttons" texts "$(printf '%s\t%s\n' \
        header PID header イメージ名 header ファイル名 header ユーザ \
        button 'プロセスの終了(&E)' button '一覧の更新(&R)')"
    escape_closes Vantry
}

# The helper's name, and the name Vantry shows for it. On an English system
# the name holds a character that code page 932 lacks: the program, which
# runs with code page 932 whatever the system's, shows the nearest one the
# code page has (Windows' best fit, as Wine has it too), and still ends it.
TARGET=zz_target.exe
TARGET_SHOWN=$TARGET
if [ "${VANTRY_LANG:-}" = C.UTF-8 ]; then
    TARGET=zz_café_target.exe
    TARGET_SHOWN='zz_caf?_target.exe'
fi

scenario_ends_a_helper() {
    reset_wine
    spawn target "$(copy_sleeper "$TARGET")" 120
    start_vantry || { fail "Vantry window did not appear"; return; }
    keys z
    wait_for selected_is 1 "$TARGET_SHOWN" || fail "typing z selected '$(selected_cell 1)'"
    keys Return
    wait_for box_shown
    expect_texts "the warning" box "$(printf 'caption\t%s\ntext\t%s' プロセス強制終了の警告 \
        "「$TARGET_SHOWN」を強制終了しようとしています。\\r\\n本当に実行しますか？")"
    keys y
    wait_for has_exited target
    [ "$(exit_of target)" = 0xFFFFFFFF ] && pass "Enter, Y ends the helper with 0xFFFFFFFF" ||
        fail "helper after Enter, Y: '$(exit_of target)'"
    rows_show "$(pid_of vantry)" || fail "after ending the helper the list does not hold Vantry"
    listed "$(pid_of target)" && fail "the ended helper is still listed"
    [ "$(selected_row)" = -1 ] || fail "a row is selected after the rebuild"
    escape_closes "Vantry after ending a helper"
}

scenario_ends_itself() {
    reset_wine
    start_vantry || { fail "Vantry window did not appear"; return; }
    keys v
    wait_for selected_is 1 Vantry.exe || fail "typing v selected '$(selected_cell 1)'"
    keys Return y
    wait_for has_exited vantry
    [ "$(exit_of vantry)" = 0xFFFFFFFF ] && pass "Vantry ends itself with 0xFFFFFFFF" ||
        fail "Vantry after ending itself: '$(exit_of vantry)'"
}

# Sorted by image name when the rows' names, compared without case, ascend
# (or descend). Both need a list that holds the helper and Vantry, with more
# than one name: an empty or unreadable list is sorted in no order at all.
list_to_sort() { rows_show "$(pid_of helper)" && listed "$(pid_of vantry)" && [ "$(row_count)" -ge 3 ]; }
names_sorted() {
    list_to_sort || return 1
    awk -F '\t' 'NR > 1 { print tolower($3) }' "$WORK/rows.txt" >"$WORK/names.txt"
    [ "$(sort -u "$WORK/names.txt" | wc -l)" -ge 2 ] && LC_ALL=C sort -c $1 "$WORK/names.txt" 2>/dev/null
}
ids_ascending() {
    list_to_sort && awk -F '\t' 'NR > 1 { print $2 }' "$WORK/rows.txt" | sort -c -n 2>/dev/null
}
# typed NAME KEY...: the keys, after a pause that ends the word typed before
# (a second), select NAME.
typed() {
    wanted=$1; shift; sleep 1.2; keys "$@"
    wait_for selected_is 1 "$wanted" && pass "typing $* selects $wanted" || fail "typing $* selected '$(selected_cell 1)'"
}

scenario_sorts_and_searches() {
    reset_wine
    spawn helper "$(copy_sleeper pz_helper.exe)" 120
    for name in qz qxb qxa qq; do spawn $name "$(copy_sleeper $name.exe)" 120; done
    start_vantry || { fail "Vantry window did not appear"; return; }
    ids_ascending && pass "the list opens sorted by PID" || fail "not sorted by PID at start"
    # The image-name header: list at (10, 10) in the client area, column 0
    # is 50 pixels wide (at 96 DPI). The X window may include Wine's frame.
    set -- $("$WINE" "$PROBE" offset 2>/dev/null </dev/null | tr -d '\r')
    header_x=$((${1:-0} + $(scaled 110)))
    header_y=$((${2:-0} + $(scaled 20)))
    xdotool mousemove --window "$WINDOW" $header_x $header_y click 1
    wait_for names_sorted "" && wait_for arrows_are '- up - -' && pass "a header click sorts by image name, its arrow up" ||
        { fail "not sorted by image name after one click, or arrows '$(arrows)'"; cat "$WORK/rows.txt"; }
    # Past the double-click time, so that the second click is one of its own.
    sleep 0.5
    xdotool mousemove --window "$WINDOW" $header_x $header_y click 1
    wait_for names_sorted -r && wait_for arrows_are '- down - -' && pass "a second click reverses it, its arrow down" ||
        fail "not reversed after a second click, or arrows '$(arrows)'"
    keys p
    wait_for selected_is 1 '[pP]*' && pass "typing p selects $(selected_cell 1)" ||
        fail "typing p selected '$(selected_cell 1)'"
    first=$(selected_cell 1)
    keys p
    wait_for selected_is_not 1 "$first"
    [ "$(selected_cell 1)" != "$first" ] && pass "p again moves on to $(selected_cell 1)" ||
        fail "p again stayed on '$first'"
    # The rows descend: qz, qxb, qxa, qq, pz_helper.
    typed qxb.exe q x  # a word
    typed qxa.exe q x a  # one more letter
    typed pz_helper.exe q p  # no name begins with qp: p alone
    typed qxb.exe q q  # a repeated letter steps on
    keys Delete && wait_for box_shown && answer y
    wait_for arrows_are '- - - -' && ! listed "$(pid_of qxb)" && pass "no arrow after the rebuild of an end" ||
        fail "after an end: arrows '$(arrows)'"
    keys F5 && wait_for arrows_are '- down - -' && names_sorted -r && pass "F5 sorts as before, its arrow down" ||
        fail "after F5: arrows '$(arrows)'"
    escape_closes "the sorted Vantry"
}

# The keys and the menu every Windows list has, on a helper whose name is
# Japanese (on any system locale the program runs with code page 932).
probe() { "$WINE" "$PROBE" "$@" 2>/dev/null </dev/null | tr -d '\r'; }
menu_shown() { "$WINE" "$PROBE" menu >/dev/null 2>&1 </dev/null; }
menu_gone() { ! menu_shown; }
clipboard_holds() {
    expected=$1
    probe clipboard >"$WORK/clipboard.txt"
    [ "$(cat "$WORK/clipboard.txt")" = "$expected" ]
}
clipboard_holds_row() {
    clipboard_holds "$(printf 'unicode\t%s\t%s\t%s\t%s\\r\\n' "$1" "$2" "$(windows_path "$WORK/$2")" \
        "$(cell_of_pid "$1" 3)")"
}
clipboard_is() { echo "clipboard '$(cat "$WORK/clipboard.txt")', expected '$expected'"; }
# The menu's O on the selected helper: Wine's Explorer shows a window named
# after its folder, which is closed again.
opens_helpers_folder() {
    keys shift+F10
    menu_keys o
    folder=$(timeout 60 xdotool search --sync --onlyvisible --name "^$(basename "$WORK")\$" | head -n 1)
    [ -n "$folder" ] || return 1
    close_window "$folder"
}
# close_window ID: Alt+F4 to it, and back to Vantry once it has gone. Wine
# gives keys to the active window, and Vantry becomes it again only some
# time later, so a click on its caption makes it active at once.
window_gone() { ! visible_windows | grep -qx "$1"; }
close_window() {
    xdotool windowfocus --sync "$1" key alt+F4
    wait_for window_gone "$1"
    xdotool mousemove --window "$WINDOW" 60 8 click 1
    sleep 0.5
}
# Keys to an open menu, once it is open: it holds the input, and focusing the
# dialog would close it.
menu_keys() { wait_for menu_shown || return 1; xdotool key --delay 100 "$@"; sleep 0.1; }
# answer KEY: answers the open box, and waits until it has closed.
box_gone() { ! box_shown; }
answer() { keys "$1"; wait_for box_gone; }
scenario_keys_and_menu() {
    reset_wine
    shell_ready || return
    keyed_name=zz_日本語.exe
    spawn keyed "$(copy_sleeper "$keyed_name")" 120
    keyed=$(pid_of keyed)
    start_vantry || { fail "Vantry window did not appear"; return; }
    keys z
    keys Delete
    wait_for box_shown && "$WINE" "$READER" box 2>/dev/null </dev/null | grep -q "「$keyed_name」を強制終了" &&
        pass "Delete shows the warning naming $keyed_name$SETTING" || fail "Delete showed no warning naming it"
    answer n
    has_exited keyed && fail "No after Delete ended the helper"
    keys ctrl+c
    wait_for clipboard_holds_row "$keyed" "$keyed_name" && pass "Ctrl+C copies the row as Unicode text$SETTING" ||
        fail "Ctrl+C did not copy the row: $(clipboard_is)"
    # Past the cell's 259 bytes (two for each katakana in code page 932) the
    # path ends with an ellipsis; Ctrl+C copies it whole, and once the
    # process has ended, the cells as shown.
    deep="$WORK/$(printf 'ア%.0s' $(seq 60))/$(printf 'イ%.0s' $(seq 60))"
    mkdir -p "$deep" && cp "$BUILD/tests/vantry_sleeper.exe" "$deep/yy_deep.exe"
    spawn deep "$(windows_path "$deep/yy_deep.exe")" 120
    keys F5 y
    wait_for selected_is 1 yy_deep.exe
    whole=$(windows_path "$deep/yy_deep.exe") owner=$(selected_cell 3)
    deep_row() { printf 'unicode\t%s\tyy_deep.exe\t%s\t%s\\r\\n' "$(pid_of deep)" "$1" "$owner"; }
    # The cell, as Ctrl+C copies it once the process has ended.
    cut_copied() { probe clipboard >"$WORK/clipboard.txt" && cut=$(cut -f4 "$WORK/clipboard.txt") && [ "$cut" != "$whole" ]; }
    keys ctrl+c
    wait_for clipboard_holds "$(deep_row "$whole")" && "$WINE" taskkill /f /pid "$(pid_of deep)" >/dev/null 2>&1 </dev/null &&
        wait_for has_exited deep && keys ctrl+c && wait_for cut_copied && clipboard_holds "$(deep_row "$cut")" &&
        [ "$cut" != "${cut%…}" ] && case "$whole" in "${cut%…}"?*) true ;; *) false ;; esac &&
        pass "a path past its cell ends with …, Ctrl+C copies it whole, and once ended the cell$SETTING" ||
        fail "the cut path: $(clipboard_is)"
    keys z
    wait_for selected_is 0 "$keyed"
    spawn late "$(copy_sleeper zz_late.exe)" 120
    keys F5
    wait_for rows_show "$(pid_of late)" && [ "$(selected_cell 0)" = "$keyed" ] &&
        pass "F5 lists a helper started later and keeps the selection" || fail "F5: $(selected_cell 0) selected"
    keys shift+F10
    set -- $(probe place -1) x x
    if wait_for menu_shown && set -- $(probe menu) "$1" "$4" && [ $(($1 - $3)) -le 4 ] &&
        [ $(($3 - $1)) -le 4 ] && [ $(($2 - $4)) -le 4 ] && [ $(($4 - $2)) -le 4 ]; then
        pass "Shift+F10 opens the menu below the selected row"
    else
        fail "Shift+F10: menu at '$(probe menu)', the row's label at '$(probe place -1)'"
    fi
    menu_keys Escape
    wait_for menu_gone && ! has_exited keyed && ! box_shown && rows && [ "$(selected_cell 0)" = "$keyed" ] &&
        pass "Escape closes the menu with nothing done" ||
        fail "Escape did not close the menu with nothing done: menu '$(probe menu)', selected '$(selected_cell 0)'"
    # A right-click on another row selects it and opens the menu there; below
    # the rows there is none.
    set -- $(probe place "$(row_of_pid "$(pid_of late)")") 0 0 0 0
    xdotool mousemove $(($1 + 5)) $(($2 + 3)) click 3
    wait_for menu_shown && rows && [ "$(selected_cell 0)" = "$(pid_of late)" ] &&
        pass "a right-click selects the row under the cursor and opens the menu" || fail "right-click on a row"
    menu_keys Escape
    wait_for menu_gone
    set -- $(probe place $(($(row_count) - 1))) 0 0 0 0
    below_x=$(($1 + 5)) below_y=$(($4 + 40))
    # The point must lie in the list: with more rows than fit, it would lie
    # outside, where no menu proves nothing.
    set -- $(probe list)
    if [ $# -eq 4 ] && [ $below_x -gt $1 ] && [ $below_x -lt $3 ] && [ $below_y -gt $2 ] && [ $below_y -lt $4 ]; then
        xdotool mousemove $below_x $below_y click 3
        sleep 1
        menu_gone && pass "no menu below the rows" || { fail "a menu below the rows"; menu_keys Escape; }
    else
        fail "the point below the rows ($below_x, $below_y) is not in the list ($*)"
    fi
    keys z
    wait_for selected_is 0 "$keyed"
    keys shift+F10
    menu_keys c
    wait_for clipboard_holds_row "$keyed" "$keyed_name" && pass "the menu's C copies the row" ||
        fail "the menu's C did not copy: $(clipboard_is)"
    keys shift+F10
    menu_keys e
    wait_for box_shown && pass "the menu's E shows the warning" || fail "the menu's E showed no warning"
    answer n
    opens_helpers_folder && pass "the menu's O opens the helper's folder" ||
        fail "the menu's O opened no window of the folder"
    # Wine has no properties dialog for files: the user is told.
    keys shift+F10
    menu_keys r
    wait_for box_shown && expect_texts "the menu's R, which Wine cannot show," box \
        "$(printf 'caption\tError\ntext\tプロパティを表示できませんでした。')" || fail "the menu's R showed no box"
    answer Return
    has_exited keyed && fail "the helper ended on the way"
    escape_closes "Vantry after its keys and menu"
}

# The menu's O works on the file the kernel recorded, in UTF-16: for a helper
# in a folder named Café (which code page 932 lacks) Wine's Explorer
# shows a window named Café; for a helper whose folder was deleted after it
# started the user is told, and no window opens, of any folder; a helper
# whose own loader list claims to be Decoy\svchost.exe is listed and warned
# about as the file the kernel knows, RealHome\xx_real.exe, the menu's O
# opens RealHome, and Delete, Yes ends it.
visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort; }
folder_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
scenario_file_location_by_real_path() {
    reset_wine
    shell_ready || return
    mkdir -p "$WORK/Café" "$WORK/gone" "$WORK/RealHome" "$WORK/Decoy"
    cp "$BUILD/tests/vantry_sleeper.exe" "$WORK/Café/zz_cafe.exe"
    cp "$BUILD/tests/vantry_sleeper.exe" "$WORK/gone/yy_gone.exe"
    cp "$BUILD/tests/vantry_sleeper.exe" "$WORK/RealHome/xx_real.exe"
    cp "$BUILD/tests/vantry_sleeper.exe" "$WORK/Decoy/svchost.exe"
    spawn real "$(windows_path "$WORK/RealHome/xx_real.exe")" decoy "$(windows_path "$WORK/Decoy/svchost.exe")"
    spawn cafe "$(windows_path "$WORK/Café/zz_cafe.exe")" 120
    spawn gone "$(windows_path "$WORK/gone/yy_gone.exe")" 120
    rm -rf "$WORK/gone"
    start_vantry || { fail "Vantry window did not appear"; return; }
    keys z
    wait_for selected_is 1 zz_cafe.exe || fail "typing z selected '$(selected_cell 1)'"
    keys shift+F10
    menu_keys o
    folder=$(timeout 60 xdotool search --sync --onlyvisible --name '^Café$' | head -n 1)
    if [ -n "$folder" ]; then
        pass "the menu's O on a helper in Café opens Café"
        close_window "$folder"
    else
        fail "the menu's O on a helper in Café opened no window named Café"
    fi
    keys y
    wait_for selected_is 1 yy_gone.exe || fail "typing y selected '$(selected_cell 1)'"
    visible_windows >"$WORK/windows-before.txt"
    keys shift+F10
    menu_keys o
    if wait_for box_shown; then
        expect_texts "the box for a helper whose folder is gone" box \
            "$(printf 'caption\tError\ntext\tファイルの場所を開けませんでした。')"
        answer Return
    else
        fail "the menu's O on a helper whose folder is gone showed no box"
    fi
    sleep 2
    opened=$(visible_windows | comm -13 "$WORK/windows-before.txt" - | xargs -r -n 1 xdotool getwindowname)
    [ -z "$opened" ] && pass "no folder opens for the helper whose folder is gone" ||
        fail "windows opened for the helper whose folder is gone: $opened"
    keys x
    wait_for selected_is 1 xx_real.exe || fail "typing x selected '$(selected_cell 1)'"
    [ "$(selected_cell 2)" = "$(windows_path "$WORK/RealHome/xx_real.exe")" ] ||
        fail "the helper claiming Decoy shows '$(selected_cell 2)'"
    keys shift+F10
    menu_keys o
    folder=$(timeout 60 xdotool search --sync --onlyvisible --name '^RealHome$' | head -n 1)
    [ -n "$folder" ] && [ -z "$(folder_window '^Decoy$')" ] &&
        pass "the menu's O on a helper claiming Decoy opens RealHome, where it runs from" ||
        fail "the menu's O on a helper claiming Decoy: RealHome '$folder', Decoy '$(folder_window '^Decoy$')'"
    [ -n "$folder" ] && close_window "$folder"
    keys Delete
    wait_for box_shown
    expect_texts "the warning for the helper claiming Decoy" box "$(printf 'caption\t%s\ntext\t%s' \
        プロセス強制終了の警告 "「xx_real.exe」を強制終了しようとしています。\\r\\n本当に実行しますか？")"
    keys y
    wait_for has_exited real
    [ "$(exit_of real)" = 0xFFFFFFFF ] && pass "Delete, Yes ends the helper claiming Decoy" ||
        fail "the helper claiming Decoy after Delete, Yes: '$(exit_of real)'"
    escape_closes "Vantry after the file locations"
}

# The layout read from outside: the dialog is drawn at the display's DPI,
# every figure of the layout is its size at 96 DPI scaled to it (give or
# take a pixel of rounding), and every caption, header, identifier and image
# name fits its place, so that nothing is cut short with an ellipsis.
scenario_lays_out_at_scale() {
    reset_wine
    start_vantry || { fail "Vantry window did not appear"; return; }
    "$WINE" "$PROBE" layout 2>/dev/null </dev/null | tr -d '\r' >"$WORK/layout.txt"
    if awk -v want="$(scaled 96)" -f "$(dirname "$0")/layout.awk" "$WORK/layout.txt"; then
        pass "the layout, columns and captions fit the display$SETTING"
    else
        fail "the layout$SETTING:"; cat "$WORK/layout.txt"
    fi
    escape_closes "Vantry$SETTING"
}

# Libraries planted next to a copy of Vantry.exe, with the program's folder
# searched first for them (as Windows does for libraries outside its
# known-DLL list): their code must never run, and the list is complete all
# the same. The probe loading one shows that they do run when loaded.
# What opening the shell loads into it under Wine. Not psapi and wtsapi32,
# which the program loads by full path only where kernel32 lacks the
# process-status calls (before Windows 7) and where a process's token cannot
# be opened: under Wine it loads neither, so a planted copy would prove
# nothing. Not ole32 and msimg32, nor ole32's own combase and rpcrt4: Wine's
# imm32 and uxtheme load those at start-up on their own, through a loader
# path that takes the program's folder first whatever the process asked.
PLANTED="shell32 shlwapi shcore oleaut32 actxprxy"
unnamed_rows() { awk -F '\t' 'NR > 1 && $3 == "" { n++ } END { print n + 0 }' "$WORK/rows.txt"; }
every_row_named() { rows && [ "$(unnamed_rows)" -eq 0 ] || { keys F5; false; }; }
scenario_ignores_planted_libraries() {
    reset_wine
    shell_ready || return
    downloads="$WORK/downloads"
    mkdir -p "$downloads" "$WORK/control"
    cp "$BUILD/Vantry.exe" "$downloads/"
    for library in $PLANTED; do cp "$BUILD/tests/planted/$library.dll" "$downloads/"; done
    cp "$BUILD/tests/planted/psapi.dll" "$WORK/control/"
    planted_order="$(echo $PLANTED | tr ' ' ,)=n,b"
    with_load_order "psapi=n,b" \
        "$WINE" "$PROBE" load "$(windows_path "$WORK/control/psapi.dll")" >/dev/null 2>&1 </dev/null
    [ -e "$WORK/control/psapi.dll.ran" ] || fail "the planted library does not mark its loading"
    spawn helper "$(copy_sleeper planted_helper.exe)" 120
    with_load_order "$planted_order" start_vantry "$downloads" ||
        { fail "Vantry did not start beside the planted libraries"; return; }
    rows
    if [ "$(cell_of_pid "$(pid_of helper)" 1)" = planted_helper.exe ] &&
        [ -n "$(cell_of_pid "$(pid_of helper)" 3)" ]; then
        pass "beside planted libraries the helper is listed with its name and owner"
    else
        fail "beside planted libraries the rows are:"; cat "$WORK/rows.txt"
    fi
    # A process that ended while the list was read (a probe, Wine's own
    # helpers) has no name to show: a list read again, with every row
    # named, is waited for.
    wait_for every_row_named ||
        fail "$(unnamed_rows) rows without a name beside the planted libraries: $(awk -F '\t' 'NR > 1 && $3 == ""' "$WORK/rows.txt" | tr '\t\n' ' /')"
    # Opening the helper's folder loads the shell and what it needs.
    # Each p moves on to the next name that starts with it, up to the helper.
    for _ in 1 2 3 4 5; do
        rows && [ "$(selected_cell 1)" = planted_helper.exe ] && break
        before=$(selected_row)
        keys p
        wait_for selected_row_is_not "$before"
    done
    if [ "$(selected_cell 1)" != planted_helper.exe ]; then
        fail "p beside the planted libraries selected '$(selected_cell 1)'"
    else
        opens_helpers_folder || fail "beside the planted libraries the menu's O opened no folder"
    fi
    escape_closes "Vantry beside the planted libraries"
    for library in $PLANTED; do
        # The loader may name the file as the import table spells it.
        ls "$downloads" | grep -qix "$library.dll.ran" && fail "the planted $library.dll ran inside Vantry" ||
            pass "the planted $library.dll did not run"
    done
}

# Without the process-status and terminal-services libraries (switched off
# in Wine) the program still opens and names every process: kernel32 has the
# process-status calls, as on Windows 7 and later. It closes normally.
scenario_without_the_libraries() {
    reset_wine
    with_load_order psapi,wtsapi32= start_vantry ||
        { fail "Vantry did not start without psapi and wtsapi32"; return; }
    rows && [ "$(row_count)" -gt 0 ] &&
        awk -F '\t' 'NR > 1 && $3 == "" { exit 1 }' "$WORK/rows.txt" &&
        pass "without psapi every process is listed with its name" ||
        { fail "without psapi the rows are:"; cat "$WORK/rows.txt"; }
    escape_closes "Vantry without psapi and wtsapi32"
}

# On 64-bit Windows the 32-bit program still starts and lists every process,
# but names only the 32-bit ones: it cannot read a 64-bit module list.
scenario_win32_program_on_win64() {
    reset_wine
    spawn wide "$(copy_sleeper wide64.exe)" 120
    cp "$WIN32_BUILD/tests/vantry_sleeper.exe" "$WORK/narrow32.exe"
    spawn narrow "$(windows_path "$WORK/narrow32.exe")" 120
    READER=$(windows_path "$WIN32_BUILD/tests/e2e_probe.exe")
    start_vantry "$WIN32_BUILD" || { fail "the 32-bit Vantry did not start"; READER=$PROBE; return; }
    if rows_show "$(pid_of wide)" && [ "$(cell_of_pid "$(pid_of wide)" 1)" = wide64.exe ] &&
        [ "$(cell_of_pid "$(pid_of narrow)" 1)" = narrow32.exe ]; then
        pass "the 32-bit Vantry names the 64-bit helper and the 32-bit one"
    else
        fail "the 32-bit Vantry's rows:"; cat "$WORK/rows.txt"
    fi
    awk -F '\t' 'NR > 1 && $2 !~ /^[0-9]+$/ { bad = 1 } END { exit bad }' "$WORK/rows.txt" ||
        fail "a row of the 32-bit Vantry has no identifier"
    escape_closes "the 32-bit Vantry"
    READER=$PROBE
}

# A helper that started two children with two children each: the menu's T
# warns once for all seven, No ends none of them, Yes ends them all, and a
# helper outside the tree stays.
tree_ids() { awk -F '\t' 'NR > 1 && $3 == "zz_tree.exe" { print $2 }' "$WORK/rows.txt"; }
tree_listed() { keys F5 && rows && [ "$(tree_ids | wc -l)" -eq "$1" ]; }
# menu_on_row PID KEY: the row's context menu from a right-click, and KEY.
menu_on_row() {
    key=$2
    rows || return 1
    row=$(row_of_pid "$1")
    [ -n "$1" ] && [ -n "$row" ] || return 1
    set -- $(probe place "$row")
    [ $# -eq 4 ] || return 1
    xdotool mousemove $(($1 + 5)) $(($2 + 3)) click 3
    wait_for menu_shown && menu_keys "$key"
}
ask_to_end_tree() { menu_on_row "$(pid_of tree)" t && wait_for box_shown; }
# Three helpers of one name: the menu's N on one of them warns once for the
# three, No ends none, Yes ends them all and leaves the helper of another
# name.
same_listed() { keys F5 && rows && [ "$(awk -F '\t' 'NR > 1 && $3 == "zz_same.exe"' "$WORK/rows.txt" | wc -l)" -eq "$1" ]; }
ends_every_process_of_one_name() {
    same=$(copy_sleeper zz_same.exe)
    for i in 1 2 3; do spawn "same$i" "$same" 120; done
    wait_for same_listed 3 || fail "the three helpers of one name are not listed"
    menu_on_row "$(pid_of same2)" n && wait_for box_shown || fail "the menu's N showed no warning"
    expect_texts "the warning for one name" box "$(printf 'caption\t%s\ntext\t%s' プロセス強制終了の警告 \
        "「zz_same.exe」という名前の 3 個のプロセスをすべて強制終了しようとしています。\\r\\n本当に実行しますか？")"
    answer n
    same_listed 3 && pass "No ends none of one name" || fail "No ended some of one name"
    menu_on_row "$(pid_of same2)" n && wait_for box_shown && keys y
    for i in 1 2 3; do
        wait_for has_exited "same$i"
        [ "$(exit_of "same$i")" = 0xFFFFFFFF ] || fail "helper $i of one name after Yes: '$(exit_of "same$i")'"
    done
    rows && ! grep -q "	zz_same.exe	" "$WORK/rows.txt" && pass "Yes ends the three of one name" ||
        fail "left of one name after Yes: $(grep "	zz_same.exe	" "$WORK/rows.txt")"
    ! has_exited other && pass "the helper of another name stays" || fail "the helper of another name ended"
}
# Another process of Vantry's own name: N on its row warns for it alone and
# ends it; this Vantry stays out of the group, and lists what is left.
twin_listed() { keys F5 && rows_show "$(pid_of twin)"; }
ends_another_vantry() {
    spawn twin "$(copy_sleeper Vantry.exe)" 120
    wait_for twin_listed || fail "the other Vantry.exe is not listed"
    menu_on_row "$(pid_of twin)" n && wait_for box_shown || fail "N on the other Vantry.exe showed no warning"
    expect_texts "the warning for the other Vantry.exe" box "$(printf 'caption\t%s\ntext\t%s' \
        プロセス強制終了の警告 "「Vantry.exe」を強制終了しようとしています。\\r\\n本当に実行しますか？")"
    keys y
    wait_for has_exited twin
    [ "$(exit_of twin)" = 0xFFFFFFFF ] && ! has_exited vantry && rows && ! listed "$(pid_of twin)" &&
        listed "$(pid_of vantry)" && pass "N on another Vantry.exe ends it and leaves this one" ||
        fail "after N on another Vantry.exe: it '$(exit_of twin)', this one '$(exit_of vantry)'"
}
scenario_ends_a_tree() {
    reset_wine
    spawn other "$(copy_sleeper zz_other.exe)" 120
    spawn tree "$(copy_sleeper zz_tree.exe)" 120 2 2
    start_vantry || { fail "Vantry window did not appear"; return; }
    wait_for tree_listed 7 || { fail "the helper's tree is not listed whole"; cat "$WORK/rows.txt"; }
    ask_to_end_tree || fail "the menu's T showed no warning"
    expect_texts "the tree's warning" box "$(printf 'caption\t%s\ntext\t%s' プロセス強制終了の警告 \
        "「zz_tree.exe」と、そこから起動された 6 個のプロセスを強制終了しようとしています。\\r\\n本当に実行しますか？")"
    answer n
    ! has_exited tree && tree_listed 7 && pass "No ends none of the tree" || fail "No ended part of the tree"
    ask_to_end_tree || fail "the menu's T showed no warning the second time"
    keys y
    wait_for has_exited tree
    [ "$(exit_of tree)" = 0xFFFFFFFF ] && pass "Yes ends the helper with 0xFFFFFFFF" ||
        fail "the tree's helper after Yes: '$(exit_of tree)'"
    # The list answers once the command is done, or while its box is up.
    rows && [ -z "$(tree_ids)" ] && pass "Yes ends all seven" || { fail "left of the tree:"; tree_ids; }
    box_shown && fail "a box after ending the tree"
    listed "$(pid_of other)" && ! has_exited other && pass "a helper outside the tree stays" ||
        fail "the helper outside the tree ended"
    ends_every_process_of_one_name
    ends_another_vantry
    escape_closes "Vantry after ending a tree and a name"
}

# The finder, dragged with the mouse from the dialog onto helpers' windows:
# "window X Y TITLE" shows one at X, Y (300 x 150, clear of the centred
# dialog), "hung X Y TITLE" one that stops answering messages.
show_helper() {
    spawn "$1" "$(copy_sleeper "finder_$1.exe")" "$2" "$3" "$4" "finder $1" &&
        timeout 20 xdotool search --sync --name "^finder $1\$" >/dev/null
}
press_finder() { set -- $(probe finder) none 0 0; xdotool mousemove "$2" "$3" mousedown 1; sleep 0.3; }
# drag_over X Y: moves the pressed crosshair there, in two steps.
drag_over() { xdotool mousemove "$(($1 - 5))" "$2"; sleep 0.2; xdotool mousemove "$1" "$2"; sleep 0.1; }
# (A drop that must change nothing is given time to do something.)
drop() { xdotool mouseup 1; sleep 0.8; }
selects() { rows && [ "$(selected_cell 0)" = "$1" ]; }
drag_cancelled() { set -- $(probe finder) none; [ "$1" = shown ] && selects "$before"; }
scenario_finder() {
    reset_wine
    show_helper target window 20 20 && show_helper hung hung 20 250 ||
        { fail "the finder's helpers showed no window"; return; }
    start_vantry || { fail "Vantry window did not appear"; return; }
    show_helper late window 20 500 || fail "the late helper showed no window"
    target=$(pid_of target)
    press_finder
    drag_over 170 95
    wait_for selects "$target" && pass "dragging the finder over a window selects its process" ||
        fail "during the drag row $(selected_row) is selected, not $target's"
    drop
    selects "$target" && pass "dropping it there keeps it selected" || fail "after the drop: '$(selected_cell 0)'"
    keys Delete
    wait_for box_shown && "$WINE" "$READER" box 2>/dev/null </dev/null | grep -q "「finder_target.exe」を強制終了" &&
        pass "then Delete asks about it by name" || fail "Delete after the drop showed no warning naming it"
    answer n
    listed "$(pid_of late)" && fail "the late helper is listed before the drop"
    press_finder; drag_over 170 575; drop
    wait_for selects "$(pid_of late)" && pass "a window started after the last rebuild is found" ||
        fail "the late helper was not selected: '$(selected_cell 0)'"
    press_finder; drag_over 170 325; drop
    wait_for selects "$(pid_of hung)" && pass "a window that stopped answering is found" ||
        fail "the hung helper was not selected: '$(selected_cell 0)'"

    keys v
    wait_for selected_is 1 Vantry.exe
    before=$(selected_cell 0)
    press_finder; drag_over 170 95
    wait_for selects "$target"
    keys Escape
    if wait_for drag_cancelled && ! has_exited vantry; then
        pass "Esc during a drag cancels it: the old selection and the finder are back"
    else
        fail "Esc during a drag: exited '$(exit_of vantry)', selected '$(selected_cell 0)', finder $(probe finder)"
    fi
    drop
    selects "$before" || fail "the release after Esc selected '$(selected_cell 0)'"
    press_finder; drag_over 170 95
    keys Delete
    sleep 0.4
    box_shown && fail "Delete during a drag opened a box" || pass "Delete during a drag opens no box"
    drop
    # A helper's row, so that selecting Vantry's own row would show.
    keys f
    wait_for selected_is 1 '[fF]*'
    kept=$(selected_cell 0)
    [ -n "$kept" ] && [ "$kept" != "$(pid_of vantry)" ] || fail "F selected no helper's row: '$kept'"
    set -- $(probe finder) none 0 0
    press_finder; drag_over "$(($2 + 100))" "$(($3 - 100))"; drop
    selects "$kept" && ! box_shown && pass "a drop on the dialog itself changes nothing" ||
        fail "a drop on the dialog selected '$(selected_cell 0)'"
    for helper in target hung late; do
        has_exited $helper && fail "the finder's $helper helper ended"
    done
    escape_closes "Vantry after the finder"
    # Started again, long after the hung helper stopped answering: its row
    # is selected, and the list has the keys.
    start_vantry || { fail "Vantry did not start again"; return; }
    selects "$(pid_of hung)" && pass "the hung helper is selected at start" ||
        fail "at start '$(selected_cell 0)' is selected, not the hung helper"
    keys Delete
    wait_for box_shown && probe box | grep -q "「finder_hung.exe」を強制終了" &&
        pass "then Delete asks about it by name" || fail "Delete at start showed no warning naming the hung helper"
    keys n
    escape_closes "Vantry started with the hung helper selected"
}

# start_as full|limited [ARGUMENT...]: our Vantry with the full token or
# with the one an administrator's programs get without the UAC prompt, the
# arguments as they are.
start_as() {
    token=$1
    shift
    rm -f "$WORK/vantry.out"
    "$WINE" "$PROBE" start "$token" "$(windows_path "$BUILD/Vantry.exe")" "$@" \
        >"$WORK/vantry.out" 2>/dev/null </dev/null &
    wait_for grep -qs '^pid ' "$WORK/vantry.out" || return 1
    WINDOW=$(timeout 30 xdotool search --sync --name '^Vantry$' | head -n 1)
    [ -n "$WINDOW" ] && wait_for rows
}
box_caption_is() { probe box | grep -qx "caption	$1"; }
first_row_selected() { rows && [ "$(selected_row)" = 0 ]; }
no_vantry() { [ -z "$(probe vantries)" ]; }
# restarted_from PID SELECTED: the Vantry of that process gone, and one new
# Vantry open with the process SELECTED selected. (The old X window may
# linger a moment, and Wine may give the new one the same number.)
restarted_from() {
    wait_for one_vantry_other_than "$1" && wait_for one_vantry_window && wait_for rows &&
        [ "$(selected_cell 0)" = "$2" ]
}
one_vantry_window() {
    WINDOW=$(xdotool search --onlyvisible --name '^Vantry$')
    [ -n "$WINDOW" ] && [ "$(echo "$WINDOW" | wc -l)" -eq 1 ]
}
one_vantry_other_than() {
    probe vantries >"$WORK/vantries.txt"
    [ "$(wc -l <"$WORK/vantries.txt")" -eq 1 ] && ! grep -qx "$1" "$WORK/vantries.txt"
}
# The box of a row whose process has ended, or whose PID went to a newer one.
ROW_GONE_BOX=$(printf 'caption\tError\ntext\t選択したプロセスは既に終了しています。一覧を更新しました。')
# ended_while_warning WHAT: the warning has been asked for; the target is
# ended from outside while it is open, and Yes must give ROW_GONE_BOX.
ended_while_warning() {
    wait_for box_caption_is プロセス強制終了の警告 || { fail "no warning"; return 1; }
    "$WINE" taskkill /f /pid "$(pid_of target)" >/dev/null 2>&1 </dev/null
    wait_for has_exited target && keys y && wait_for box_caption_is Error
    expect_texts "$1" box "$ROW_GONE_BOX"
    answer Return
}

# Started as Windows starts an administrator's program without the prompt:
# the debug privilege cannot be switched on, yet a helper of the same user
# is ended with 0xFFFFFFFF and no box; one ended from outside while the
# warning is open gets the box that says so, not the offer to restart. (The
# offer needs a process the limited token cannot open, and Wine checks no
# access between processes: the fault tests keep it.) The window menu's last
# item (Wine's own About item comes before it) starts a new Vantry on the
# selected process and closes this one. Wine starts it with the same token,
# so the new one is limited too, and has the item as well.
scenario_limited_token() {
    reset_wine
    spawn target "$(copy_sleeper zz_target.exe)" 120
    start_as limited || { fail "Vantry did not start with the limited token"; return; }
    # Wine 10's loader gives a program whose manifest asks for the highest
    # available token the full one as it starts, whatever token it was
    # started with (Windows would ask first): no Vantry runs limited there.
    if [ "$(probe token "$(pid_of vantry)")" = full ]; then
        if [ "${VANTRY_WINE:-}" = 10 ]; then
            skip "the limited token's scenario: this Wine starts Vantry with the full token, whatever token it is given"
        else
            fail "Vantry started with the full token, though given the limited one"
        fi
        keys Escape
        return
    fi
    keys z Return
    wait_for box_caption_is プロセス強制終了の警告 && keys y && wait_for has_exited target
    # The list answers once the command is done, or while its box is up.
    rows && ! listed "$(pid_of target)" && ! box_shown && [ "$(exit_of target)" = 0xFFFFFFFF ] &&
        pass "the limited Vantry ends a helper of the same user with 0xFFFFFFFF and no box" ||
        fail "the limited Vantry's end: helper '$(exit_of target)', box '$(probe box)'"
    spawn target "$(copy_sleeper zz_target.exe)" 120
    keys F5 z Return
    ended_while_warning "the limited token's box of a process that ended meanwhile" || return
    spawn target "$(copy_sleeper zz_target.exe)" 120
    target=$(pid_of target)
    keys F5 z
    wait_for selected_is 0 "$target" || fail "z did not select the third helper"
    keys alt+space
    menu_keys Up Return
    restarted_from "$(pid_of vantry)" "$target" && wait_for has_exited vantry && [ "$(exit_of vantry)" = 0x00000000 ] &&
        pass "the window menu's last item restarts Vantry on the selected process, and the old one closes" ||
        { fail "the window menu's restart: old Vantry '$(exit_of vantry)', selected '$(selected_cell 0)'"; return; }
    restarted=$(cat "$WORK/vantries.txt")
    keys Home
    wait_for first_row_selected
    last=$(selected_cell 0)
    keys alt+space
    menu_keys Up Return
    restarted_from "$restarted" "$last" &&
        pass "the restarted Vantry has the item too" ||
        fail "the second restart: selected '$(selected_cell 0)', expected '$last'"
    has_exited target && fail "the helper ended on the way"
    keys Escape
    wait_for no_vantry || fail "the restarted Vantry did not close on Esc"
}

# newcomer_on NAME PID PROGRAM ARGUMENT: helper NAME, which holds PID, ended
# from outside, then PROGRAM started until a start gets PID: the newcomer.
newcomer_on() {
    "$WINE" taskkill /f /pid "$2" >/dev/null 2>&1 </dev/null
    wait_for has_exited "$1" || { fail "taskkill did not end the helper $2"; return 1; }
    spawn_at newcomer "$2" "$3" "$4" ||
        { fail "no newcomer took the identifier $2: $(tr -d '\r' <"$WORK/newcomer.out")"; return 1; }
}
# delete_spares_newcomer SETTING: Delete and Yes on the row whose identifier
# the newcomer took give the box of a process that has ended, and the
# newcomer runs on.
delete_spares_newcomer() {
    keys Delete
    wait_for box_caption_is プロセス強制終了の警告 && keys y && wait_for box_caption_is Error
    expect_texts "the box of a newer process under the row's identifier$1" box "$ROW_GONE_BOX"
    answer Return
    has_exited newcomer && fail "the newcomer under the row's identifier was ended$1" ||
        pass "a newer process of the same name under the row's identifier$1 is left alone"
}

# With the full token: /select PID at start selects the helper; ended from
# outside while the warning is open, it gets the box that says it has ended.
# Then a helper is listed, ended from outside, and a newer helper of the same
# name takes its identifier: Delete and Yes give the same box, and leave the
# newcomer alone.
scenario_ended_meanwhile_with_full_token() {
    reset_wine
    spawn target "$(copy_sleeper zz_target.exe)" 120
    start_as full /select "$(pid_of target)" || { fail "Vantry did not start with /select"; return; }
    [ "$(selected_cell 0)" = "$(pid_of target)" ] && pass "/select $(pid_of target) selects the helper at start" ||
        fail "/select $(pid_of target) selected '$(selected_cell 0)'"
    keys Return
    ended_while_warning "the box of a process that ended meanwhile" || return
    spawn target "$(copy_sleeper zz_target.exe)" 120
    reused=$(pid_of target)
    keys F5 z
    wait_for selected_is 0 "$reused" || { fail "the second helper was not selected"; return; }
    newcomer_on target "$reused" "$(copy_sleeper zz_target.exe)" 120 || return
    delete_spares_newcomer ""
    escape_closes "Vantry after the box of a process that ended"
}

# The clock set back an hour while Vantry runs (a time sync that steps a
# fast clock, a dual boot whose other system keeps local time). libfaketime,
# preloaded into this prefix's server and its 64-bit processes, moves their
# clock by the offset its file holds at each call (32-bit Wine processes read
# the time past it, so only the 64-bit program is tried).
FAKETIME_LIBRARY=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
start_faketime_server() {
    echo +0 >"$WORK/clock"
    # A clock set back leaves the time since boot alone: only the
    # system time moves.
    printf '#!/bin/sh\nexport LD_PRELOAD=%s FAKETIME_TIMESTAMP_FILE=%s FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1\nexec "$@"\n' \
        "$FAKETIME_LIBRARY" "$WORK/clock" >"$WORK/faketime.sh"
    printf '#!/bin/sh\nexec sh %s %s "$@"\n' "$WORK/faketime.sh" "$BUILD/wine-run.sh" >"$WORK/wine-faketime.sh"
    chmod +x "$WORK/wine-faketime.sh"
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    sh "$WORK/faketime.sh" wineserver -p >/dev/null 2>&1 </dev/null
    # Until the scenario ends: its caller sets WINE back.
    WINE=$WORK/wine-faketime.sh
}
# The hour Wine's clock shows, and the one the system's shows an hour ago.
# %TIME% gives hours below 10 without a leading zero; both are compared as
# numbers, and tried again across the turn of an hour.
wine_hour() { "$WINE" cmd /c echo %TIME% 2>/dev/null </dev/null | tr -d '\r ' | cut -d: -f1; }
clock_set_back() { [ "$(wine_hour)" -eq "$(date -d '-1 hour' +%-H)" ] 2>/dev/null; }
# start NAME: when Windows started a helper, as the kernel stamped it.
start_of() { probe started "$(pid_of "$1")"; }
# Every process named in before.txt that is listed now keeps its name.
names_kept() {
    rows && awk -F '\t' 'NR == FNR { if (FNR > 1 && $3 != "") name[$2] = $3; next }
        FNR > 1 && ($2 in name) { seen++; if ($3 != name[$2]) bad++ }
        END { exit !(seen > 2 && bad == 0) }' "$WORK/before.txt" "$WORK/rows.txt"
}

scenario_clock_set_back() {
    reset_wine
    start_faketime_server
    spawn old "$(copy_sleeper yy_old.exe)" 300
    spawn reused "$(copy_sleeper zz_reused.exe)" 300
    start_vantry && rows_show "$(pid_of reused)" && rows_show "$(pid_of old)" ||
        { fail "Vantry did not list the helpers under libfaketime"; return; }
    cp "$WORK/rows.txt" "$WORK/before.txt"
    reused=$(pid_of reused)
    keys z
    wait_for selected_is 0 "$reused" || fail "z did not select zz_reused.exe"
    echo -1h >"$WORK/clock"
    wait_for clock_set_back || { fail "the clock was not set back: Wine shows $(wine_hour)"; return; }
    # After the step a program of the same file takes the row's identifier.
    newcomer_on reused "$reused" "$(copy_sleeper zz_reused.exe)" 300 || return
    [ "$(start_of newcomer)" -lt "$(start_of old)" ] ||
        fail "the newcomer's start ($(start_of newcomer)) is not before the older helper's ($(start_of old))"
    delete_spares_newcomer " after the clock was set back"
    keys F5
    wait_for names_kept && pass "F5 after the clock was set back names every process named before" ||
        fail "F5 after the clock was set back: rows before and after differ"
    keys y
    wait_for selected_is 1 yy_old.exe || fail "y did not select yy_old.exe"
    keys Delete
    wait_for box_shown
    expect_texts "the warning for a process started before the clock was set back" box \
        "$(printf 'caption\t%s\ntext\t%s' プロセス強制終了の警告 \
        "「yy_old.exe」を強制終了しようとしています。\\r\\n本当に実行しますか？")"
    keys y
    wait_for has_exited old
    # The list answers once the command is done, or while its box is up.
    rows && ! listed "$(pid_of old)" && [ "$(exit_of old)" = 0xFFFFFFFF ] && ! box_shown &&
        pass "a process started before the clock was set back is ended with 0xFFFFFFFF and no box" ||
        fail "the process started before the step: '$(exit_of old)', box '$(probe box)'"
    escape_closes "Vantry after the clock was set back"
}

scenario_lists_and_closes
scenario_ends_a_helper
[ -z "${VANTRY_SCALE:-}" ] && scenario_keys_and_menu
if [ -z "${VANTRY_LANG:-}" ]; then
    scenario_lays_out_at_scale
    scenario_sorts_and_searches
fi
if [ -z "${VANTRY_LANG:-}${VANTRY_SCALE:-}" ]; then
    scenario_ends_itself
    scenario_ends_a_tree
    scenario_file_location_by_real_path
    scenario_ignores_planted_libraries
    scenario_without_the_libraries
    scenario_finder
    scenario_limited_token
    scenario_ended_meanwhile_with_full_token
    [ -n "$WIN32_BUILD" ] && scenario_win32_program_on_win64
    if [ "${VANTRY_ARCH:-}" = win64 ]; then
        scenario_clock_set_back
        WINE=$BUILD/wine-run.sh
    fi
fi
reset_wine
wineserver -k >/dev/null 2>&1

if [ "$failures" -ne 0 ]; then
    echo "$failures end-to-end check(s) failed"
    exit 1
fi
echo "all end-to-end checks passed$SETTING"
