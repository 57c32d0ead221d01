#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The clock as a person meets it on a desktop with a window manager and a
# tray: first start, a second start, a bad settings file, the menu, dragging,
# stealth mode and a countdown armed through the timer dialog.
source "$(dirname "$0")/lib.sh"
start_desktop

echo "case: first start without Clock.ini"
folder=$(new_program_folder)
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
[ "$(window_position "$window")" = "3 3" ] || fail "default place is $(window_position "$window")"
wait_for 10 tray_icon_present || fail "no tray icon"
states=$(xprop -id "$window" _NET_WM_STATE)
for state in _NET_WM_STATE_ABOVE _NET_WM_STATE_SKIP_TASKBAR; do
    [[ $states == *$state* ]] || fail "window lacks $state: $states"
done
[ ! -e "$folder/Clock.ini" ] || fail "Clock.ini written at start-up"
first=$CLOCK_PID

echo "case: a second start says so and leaves the first alone"
start_clock "$folder"
second=$CLOCK_PID
wait_for 10 message_box "$second" || fail "no already-running message"
! clock_window "$second" >/dev/null || fail "the second start showed a clock"
answer_message_box "$second"
wait_exit "$second"
[ "$EXIT_STATUS" = 0 ] || fail "second start ended with $EXIT_STATUS"
is_viewable "$window" || fail "the first clock went away"
[ ! -e "$folder/Clock.ini" ] || fail "the second start wrote Clock.ini"

echo "case: a second start that sees another runtime folder says so too"
start_clock "$folder" XDG_RUNTIME_DIR="$folder/elsewhere"
second=$CLOCK_PID
wait_for 10 message_box "$second" || fail "no already-running message with another XDG_RUNTIME_DIR"
answer_message_box "$second"
wait_exit "$second"
is_viewable "$window" || fail "the first clock went away"

echo "case: a second start in a sandbox without network (another namespace) says so too"
if unshare -n true 2>/dev/null; then
    start_clock "$folder" unshare -n
    second=$CLOCK_PID
    wait_for 10 message_box "$second" || fail "no already-running message in another network namespace"
    ! clock_window "$second" >/dev/null || fail "a second clock in another network namespace"
    answer_message_box "$second"
    wait_exit "$second"
    is_viewable "$window" || fail "the first clock went away"
else
    echo "  (not tried: no network namespace can be made here)"
fi

echo "case: a right click opens the menu, and Exit ends the program after its message"
choose_from_menu "$window" last
wait_for 10 message_box "$first" || fail "no goodbye message"
kill -0 "$first" || fail "ended before the message was answered"
answer_message_box "$first"
wait_exit "$first"
[ "$EXIT_STATUS" = 0 ] || fail "Exit ended with $EXIT_STATUS"
expect_file "$folder/Clock.ini" '[Pos]\r\nTop=45\r\nLeft=45\r\n'
wait_for 5 bash -c '! xwininfo -root -tree | grep -A2 YXTrayEmbedder | grep -q sorane' ||
    fail "tray icon left behind"

echo "case: a runtime folder that cannot be written does not pass for a running clock"
folder=$(new_program_folder)
start_clock "$folder" XDG_RUNTIME_DIR=/proc/no-such-folder
window=$(wait_for_clock "$CLOCK_PID")
! message_box "$CLOCK_PID" >/dev/null || fail "a message box at start-up"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"

echo "case: programs the clock starts get the environment it was started with"
folder=$(new_program_folder)
mkdir "$folder/bin"
printf '#!/bin/sh\nenv >"%s/opener.env"\n' "$folder" >"$folder/bin/xdg-open"
chmod +x "$folder/bin/xdg-open"
# A Wayland session (that does not answer) makes the clock ask Qt for X11.
start_clock "$folder" PATH="$folder/bin:$PATH" WAYLAND_DISPLAY=wayland-sorane-none
window=$(wait_for_clock "$CLOCK_PID")
xdotool mousemove --sync 75 75 click 1
wait_for 10 is_active "$window" || fail "the clock did not take the keyboard"
xdotool key h
wait_for 10 test -s "$folder/opener.env" || fail "H started no opener"
grep -q '^WAYLAND_DISPLAY=wayland-sorane-none$' "$folder/opener.env" || fail "the opener lost WAYLAND_DISPLAY"
! grep -E '^QT_(QPA_PLATFORM|XCB_NO_MITSHM)=' "$folder/opener.env" ||
    fail "the opener inherited the clock's Qt switches"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"

echo "case: a bad value stops start-up with a clear message, the file untouched"
folder=$(new_program_folder)
printf '[Color]\r\nhour=abc\r\n' >"$folder/Clock.ini"
start_clock "$folder"
wait_for 10 message_box "$CLOCK_PID" || fail "no message for a bad value"
! clock_window "$CLOCK_PID" >/dev/null || fail "a clock was shown"
! tray_icon_present || fail "a tray icon was shown"
answer_message_box "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" != 0 ] || fail "a bad value ended with status 0"
expect_file "$folder/Clock.ini" '[Color]\r\nhour=abc\r\n'
grep -q 'abc' "$folder/stderr.log" && grep -q 'Clock.ini' "$folder/stderr.log" ||
    fail "standard error does not name the value and the file"

echo "case: a FIFO as Clock.ini stops start-up at once, untouched, and frees the lock"
folder=$(new_program_folder)
mkfifo "$folder/Clock.ini"
start_clock "$folder"
wait_for 10 message_box "$CLOCK_PID" || fail "no message for a FIFO (start-up hangs?)"
answer_message_box "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" = 1 ] || fail "a FIFO ended with status $EXIT_STATUS"
[ -p "$folder/Clock.ini" ] || fail "the FIFO was replaced"
grep -q '名前付きパイプ' "$folder/stderr.log" || fail "standard error does not say why"

echo "case: a portable copy in a read-only folder keeps the settings beside it"
if [ "$(id -u)" -eq 0 ] && unshare --mount true 2>/dev/null; then
    folder=$(new_program_folder)
    beside='; mine\r\n[Color]\r\nhour=12\r\n[Pos]\r\nTop=3000\r\nLeft=1500\r\n'
    printf "$beside" >"$folder/Clock.ini"
    # The program folder made read-only in a mount namespace of the clock's own.
    start_clock "$folder" XDG_CONFIG_HOME="$E2E_WORK/config" \
        unshare --mount --propagation private sh -c \
        'mount --bind "$PWD" "$PWD" && mount -o remount,bind,ro "$PWD" && cd "$PWD" && exec "$@"' _
    window=$(wait_for_clock "$CLOCK_PID")
    [ "$(window_position "$window")" = "100 200" ] || fail "read-only copy at $(window_position "$window")"
    kill -TERM "$CLOCK_PID"
    wait_exit "$CLOCK_PID"
    [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
    expect_file "$E2E_WORK/config/sorane/Clock.ini" "$beside"
    expect_file "$folder/Clock.ini" "$beside"
else
    echo "  skipped: needs root and mount namespaces"
fi

echo "case: a drag moves the clock by the travel; Esc saves; a restart opens there"
folder=$(new_program_folder)
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
xdotool mousemove --sync 78 78 mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove --sync $((78 + step * 40)) $((78 + step * 30))
done
xdotool mouseup 1
wait_for 5 window_at "$window" "203 153" ||
    fail "dragged to $(window_position "$window"), not 203 153"
wait_for 10 is_active "$window" || fail "the clock did not take the keyboard"
xdotool key Escape
answer_message_box "$CLOCK_PID"
wait_exit "$CLOCK_PID"
expect_file "$folder/Clock.ini" '[Pos]\r\nTop=2295\r\nLeft=3045\r\n'
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
[ "$(window_position "$window")" = "203 153" ] || fail "restarted at $(window_position "$window")"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"

echo "case: what the ticks put on the screen is what a full repaint shows"
folder=$(new_program_folder)
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
read -r cx cy < <(window_position "$window")
sleep 3
# xrefresh covers the screen for a moment: the clock is exposed and drawn
# anew. Both pictures must be taken within one second, after its tick.
for attempt in 1 2 3 4 5 6 7 8 9 10; do
    while [ "$(date +%-N)" -lt 200000000 ] || [ "$(date +%-N)" -gt 400000000 ]; do sleep 0.02; done
    second=$(date +%s)
    import -window root -crop "150x150+$cx+$cy" "$E2E_WORK/ticked.png"
    xrefresh
    sleep 0.2
    import -window root -crop "150x150+$cx+$cy" "$E2E_WORK/repainted.png"
    [ "$(date +%s)" != "$second" ] || break
    [ "$attempt" -lt 10 ] || fail "no second was long enough for both pictures"
done
differing=$(compare -metric AE "$E2E_WORK/ticked.png" "$E2E_WORK/repainted.png" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "$differing pixels of the ticked clock differ from a full repaint"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"

echo "case: stealth hides the clock under the cursor and brings it back"
folder=$(new_program_folder)
printf '[Mode]\r\nSterus=1\r\n[Pos]\r\nTop=3000\r\nLeft=3000\r\n' >"$folder/Clock.ini"
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
xdotool mousemove --sync 260 260
xdotool mousemove --sync 275 275
wait_for 5 bash -c "! xwininfo -id $window | grep -q IsViewable" || fail "not hidden under the cursor"
sleep 1.2
! is_viewable "$window" || fail "shown again while the cursor is still there"
# Moved away by the pointer device (XTEST), as a mouse moves it: a warp of
# the pointer by a program is no move of the mouse, and waits for one.
xdotool mousemove_relative --sync 425 325
wait_for 5 is_viewable "$window" || fail "not shown when the cursor left"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"

echo "case: a countdown armed in the timer dialog goes off with the surprised face"
folder=$(new_program_folder)
printf '[Mode]\r\nView=0\r\n' >"$folder/Clock.ini"
start_clock "$folder" SORANE_TEST_TIME_SCALE=60
window=$(wait_for_clock "$CLOCK_PID")
choose_from_menu "$window" first
wait_for 10 window_named "$CLOCK_PID" "ソラネ Ver.1.1" || fail "no timer dialog"
dialog=$(window_named "$CLOCK_PID" "ソラネ Ver.1.1")
read -r dx dy < <(window_position "$dialog")
xdotool mousemove --sync $((dx + 104)) $((dy + 18)) click 1   # the countdown box
xdotool mousemove --sync $((dx + 48)) $((dy + 138)) click 1   # Ｏ　Ｋ
wait_for 10 bash -c "grep -q Wave '$folder/Clock.ini'" || fail "OK wrote nothing"
answer_message_box "$CLOCK_PID"
wait_for 10 no_window_named "$CLOCK_PID" "ソラネ Ver.1.1" || fail "the dialog did not close"
# Three minutes at sixty times the speed: about three seconds.
wait_for 20 message_box "$CLOCK_PID" || fail "the countdown did not go off"
read -r cx cy < <(window_position "$window")
blue_points=0
for point in "25 60" "125 95" "60 135" "95 135"; do
    read -r px py <<<"$point"
    IFS=, read -r red green blue <<<"$(pixel_colour $((cx + px)) $((cy + py)))"
    if [ "$blue" -gt $((red + 80)) ] && [ "$red" -lt 160 ]; then
        blue_points=$((blue_points + 1))
    fi
done
[ "$blue_points" -ge 3 ] || fail "face not surprised: only $blue_points deep blue points"
answer_message_box "$CLOCK_PID"
sleep 1.5
! message_box "$CLOCK_PID" >/dev/null || fail "the countdown went off twice"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
echo "PASS"
