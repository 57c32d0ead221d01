# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT

# Helpers for the end-to-end tests of the Windows build under Wine: a private
# Xvfb with no window manager (Wine places, stacks, activates and decorates
# the windows itself, as Windows does), a private Wine prefix in a Japanese
# locale, and ways to find the clock's windows, read its message boxes and
# drive it with real input.
#
# WINDOWS_FOLDER names the portable folder (scripts/package-windows lays it
# out); the tests source this file. SCREENSHOTS, when set, names a folder
# for the pictures the tests take to be looked at.

: "${WINDOWS_FOLDER:?WINDOWS_FOLDER must name the portable Windows folder}"
SORANE=$WINDOWS_FOLDER/sorane.exe
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

WINE=/usr/lib/wine/wine64  # Debian's wine64: the 64-bit loader, no wrapper script
WINESERVER=/usr/lib/wine/wineserver

# Runs a Windows program in the Japanese locale (only Wine gets it: this
# shell's own tools keep theirs).
wine() {
    env LOCPATH="$E2E_WORK/locale" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$WINE" "$@"
}

wine_cleanup() {
    # The prefix's processes (the clock, Wine's explorer) end with it.
    [ -z "${WINEPREFIX:-}" ] || "$WINESERVER" -k 2>/dev/null || true
    e2e_cleanup
}
trap wine_cleanup EXIT

# A fresh prefix on the private display, in Japanese (the locale made with
# localedef into a private folder, so the system's locales stay as they
# are), with Wine drawing its own title bars as Windows does. Sets
# WINDOWS_USER and WINDOWS_HOME (the profile folder, as a Linux path).
start_wine() {
    start_desktop --no-wm
    mkdir -p "$E2E_WORK/locale"
    localedef -i ja_JP -c -f UTF-8 "$E2E_WORK/locale/ja_JP.UTF-8" >/dev/null 2>&1 ||
        [ -d "$E2E_WORK/locale/ja_JP.UTF-8" ] || fail "localedef could not make ja_JP.UTF-8"
    export WINEPREFIX=$E2E_WORK/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wine wineboot --init >"$E2E_WORK/wineboot.log" 2>&1 || fail "wineboot failed: $(cat "$E2E_WORK/wineboot.log")"
    set_registry_value 'HKCU\Software\Wine\X11 Driver' Decorated REG_SZ N
    WINDOWS_USER=$(id -un)
    WINDOWS_HOME=$WINEPREFIX/drive_c/users/$WINDOWS_USER
    [ -d "$WINDOWS_HOME" ] || fail "no profile folder in the new prefix"
}

# Sets a value in the prefix's registry: set_registry_value KEY NAME TYPE
# DATA. On a busy machine a 'reg add' may fail while a wineserver ends; it
# is tried until 'reg query' reads the value back.
registry_value_set() {
    wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 &&
        wine reg query "$1" /v "$2" 2>/dev/null | grep -q "$2 *$3"
}
set_registry_value() {
    wait_for 60 registry_value_set "$@" ||
        fail "the registry value $1\\$2 could not be set: $(wine reg query "$1" /v "$2" 2>&1 | tr -d '\r')"
}

# A copy of the portable folder under drive_c, in a folder with a Japanese
# name; prints its Linux path.
new_windows_folder() {
    local folder
    folder=$(mktemp -d "$WINEPREFIX/drive_c/ツール.XXXXXX")
    cp -r "$WINDOWS_FOLDER/." "$folder/"
    echo "$folder"
}

# The Windows path of a file under the prefix's drive_c.
windows_path() {
    local relative=${1#"$WINEPREFIX/drive_c/"}
    echo "C:\\${relative//\//\\}"
}

# Starts an exe of a folder under Wine: start_windows_clock FOLDER EXE [VAR=VALUE...];
# sets CLOCK_PID (Wine's loader becomes the program, so the pid is the
# clock's and its windows carry it).
start_windows_clock() {
    local folder=$1 exe=$2
    shift 2
    local log
    log=$(mktemp "$E2E_WORK/clock.XXXXXX")
    (cd "$folder" && exec env LOCPATH="$E2E_WORK/locale" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 \
        "$@" "$WINE" "$exe" >"$log.stdout" 2>"$log.stderr") &
    CLOCK_PID=$!
    E2E_PIDS+=("$CLOCK_PID")
}

# The visible windows of a process, one "ID X Y WIDTH HEIGHT TITLE" line each.
windows_of() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        xwininfo -id "$id" 2>/dev/null | awk -v id="$id" -v title="$(xdotool getwindowname "$id")" '
            /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
            /Width:/ {w=$NF} /Height:/ {h=$NF}
            END {if (w) print id, x, y, w, h, title}'
    done
}

# The clock window of a process (SIDE x SIDE pixels, 150 unless given).
windows_clock_window() {
    local side=${2:-150}
    windows_of "$1" | awk -v side="$side" '$4 == side && $5 == side {print $1; found=1} END {exit !found}' | head -n 1
}

wait_for_windows_clock() {
    # A first start in a fresh prefix takes Wine a while.
    wait_for 60 windows_clock_window "$@" || fail "the clock window did not appear"
    windows_clock_window "$@"
}

# A window of the process titled "ソラネ Ver.1.1" other than those given:
# the clock's message boxes (and its dialogs, which share the title).
titled_window() {
    local pid=$1
    shift
    windows_of "$pid" | awk -v skip=" $* " '$6 == "ソラネ" && $7 == "Ver.1.1" && index(skip, " " $1 " ") == 0 {print $1; found=1} END {exit !found}' | head -n 1
}

wait_for_titled_window() {
    wait_for 20 titled_window "$@" || fail "no window titled ソラネ Ver.1.1 came"
    titled_window "$@"
}

no_titled_window() {
    ! titled_window "$@"
}

# A window's "X Y WIDTH HEIGHT".
geometry_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# Puts the pointer on a window's title bar and clicks: Wine makes it the
# active window, as a click does on Windows.
click_title_bar() {
    local x y w h
    read -r x y w h < <(geometry_of "$1")
    xdotool mousemove --sync $((x + w / 2)) $((y + 10)) click 1
}

# Clicks the window's title bar and presses Ctrl+C; true once the clipboard
# holds something other than "none".
copy_from() {
    click_title_bar "$1"
    xdotool key ctrl+c
    wait_for 1 bash -c '[ "$(xclip -o -selection clipboard 2>/dev/null)" != none ]'
}

# What a message box says, as Windows copies it with Ctrl+C: the title, the
# text and the buttons between dashed lines. The clipboard holds "none"
# first (an xclip that serves it until Wine takes it over), so an earlier
# box's words are never taken for this one's.
message_text() {
    local box=$1
    xclip -quiet -selection clipboard <<<none >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    wait_for 5 bash -c '[ "$(xclip -o -selection clipboard 2>/dev/null)" = none ]' ||
        fail "the clipboard could not be emptied"
    # Wine makes the box active a moment after a click on it, and X (without
    # a window manager) tells no one when, nor whether a click came too soon:
    # click and Ctrl+C are pressed again until the clipboard changes.
    wait_for 5 copy_from "$box" || fail "Ctrl+C on the message box copied nothing"
    xclip -o -selection clipboard | grep -v '^---' | tr -d '\r' | sed 's/[[:space:]]*$//'
}

# Fails unless the box shows the text (its lines joined by "|") and the one
# OK button, in the clock's title.
expect_message() {
    local box=$1 expected=$2 actual
    actual=$(message_text "$box" | paste -sd '|')
    [ "$actual" = "ソラネ Ver.1.1|$expected|OK" ] || fail "the message box says '$actual', not '$expected'"
}

# Answers a box with a click on its OK button (Qt puts the one button at
# the bottom right) and waits for it to go. A click, not Enter: without a
# window manager nothing tells when Wine has made the box active.
answer_box() {
    local pid=$1 box=$2 x y w h
    read -r x y w h < <(geometry_of "$box")
    xdotool mousemove --sync $((x + w - 50)) $((y + h - 25)) click 1
    wait_for 10 bash -c "! xdotool search --onlyvisible --pid $pid 2>/dev/null | grep -qx $(($box))" ||
        fail "the message box did not close"
}

# Clicks the centre of a control placed in twips on a dialog whose client
# area is CLIENT_W x CLIENT_H twips: click_control WINDOW CLIENT_W CLIENT_H LEFT TOP WIDTH HEIGHT.
# The frame Wine draws is as wide on each side and at the bottom; the title
# bar takes the rest of the top.
click_control() {
    local window=$1 client_w=$(($2 / 15)) client_h=$(($3 / 15))
    local x y w h
    read -r x y w h < <(geometry_of "$window")
    local border=$(((w - client_w) / 2))
    local left=$((x + border)) top=$((y + h - border - client_h))
    xdotool mousemove --sync $((left + ($4 + $6 / 2) / 15)) $((top + ($5 + $7 / 2) / 15)) click 1
}

# The clock's menu: the visible window of the process that is neither the
# clock nor titled like its dialogs.
menu_window() {
    local pid=$1 clock=$2
    windows_of "$pid" | awk -v clock="$clock" '$1 != clock && $6 != "ソラネ" {print $1; found=1} END {exit !found}' | head -n 1
}

# Right-clicks the clock's face and waits for the menu; prints its id.
open_menu() {
    local pid=$1 clock=$2 x y
    read -r x y < <(window_position "$clock")
    xdotool mousemove --sync $((x + 75)) $((y + 75)) click 3
    wait_for 10 menu_window "$pid" "$clock" || fail "no menu after a right click"
    menu_window "$pid" "$clock"
}

# Picks a menu entry with the keyboard, the pointer where the menu opened:
# "first" (タイマー), "second" (環境設定) or "last" (終　了).
choose_entry() {
    case $1 in
        first) xdotool key Down Return ;;
        second) xdotool key Down Down Return ;;
        last) xdotool key Up Return ;;
    esac
}

# True while the window's top-left corner is at X Y.
clock_at() {
    [ "$(window_position "$1")" = "$2 $3" ]
}

# Saves the screen (or a part, "WxH+X+Y") as SCREENSHOTS/NAME.png.
screenshot() {
    [ -n "${SCREENSHOTS:-}" ] || return 0
    mkdir -p "$SCREENSHOTS"
    if [ -n "${2:-}" ]; then
        import -window root -crop "$2" +repage "$SCREENSHOTS/$1.png"
    else
        import -window root "$SCREENSHOTS/$1.png"
    fi
}

# The colour of one screen pixel as "R,G,B".
screen_colour() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/^0,0: (\([0-9]*,[0-9]*,[0-9]*\)).*/\1/p'
}

# True when the clock at X Y (SIDE pixels) is round: its corners show the
# screen behind it (black), its middle the face.
is_round() {
    local x=$1 y=$2 side=${3:-150}
    [ "$(screen_colour $((x + 3)) $((y + 3)))" = 0,0,0 ] &&
        [ "$(screen_colour $((x + side - 4)) $((y + side - 4)))" = 0,0,0 ] &&
        [ "$(screen_colour $((x + side / 2)) $((y + 10)))" != 0,0,0 ]
}
