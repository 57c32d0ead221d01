#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The clock under a real window manager (the first argument: icewm, openbox):
# the place it is saved at is where it is on the screen, after a start, a
# drag, SIGTERM or Esc; and its settings dialog comes up, and stays, above it.
# With picom as the second argument, a compositing manager runs beside it.
source "$(dirname "$0")/lib.sh"
wm=${1:?name the window manager}
compositor=${2:-}
start_desktop "$wm"
if [ "$compositor" = picom ]; then
    picom --backend xrender --no-fading-openclose >"$E2E_WORK/picom.log" 2>&1 &
    E2E_PIDS+=($!)
    wm="$wm with picom"
fi

echo "case ($wm): the clock is round, its corners show what lies behind it"
folder=$(new_program_folder)
printf '[Pos]\r\nTop=1500\r\nLeft=4500\r\n' >"$folder/Clock.ini"
show_backdrop 200 50 400 300
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
wait_for 10 corners_show_backdrop "$window" || fail "the clock's corners hide the backdrop behind it"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"

echo "case ($wm): a stored place is kept by SIGTERM and by Esc"
for close_by in TERM Esc; do
    folder=$(new_program_folder)
    printf '[Pos]\r\nTop=1500\r\nLeft=4500\r\n' >"$folder/Clock.ini"
    start_clock "$folder"
    window=$(wait_for_clock "$CLOCK_PID")
    [ "$(window_position "$window")" = "300 100" ] || fail "clock at $(window_position "$window")"
    # Long enough for the window manager to have reparented and configured it.
    sleep 1
    if [ "$close_by" = TERM ]; then
        kill -TERM "$CLOCK_PID"
    else
        xdotool mousemove --sync 375 175 click 1
        wait_for 10 is_active "$window" || fail "the clock did not take the keyboard"
        xdotool key Escape
        answer_message_box "$CLOCK_PID"
    fi
    wait_exit "$CLOCK_PID"
    [ "$EXIT_STATUS" = 0 ] || fail "$close_by: exit status $EXIT_STATUS"
    expect_file "$folder/Clock.ini" '[Pos]\r\nTop=1500\r\nLeft=4500\r\n'
done

echo "case ($wm): a drag by +100,+50 moves the clock by exactly that and is saved"
folder=$(new_program_folder)
printf '[Pos]\r\nTop=1500\r\nLeft=4500\r\n' >"$folder/Clock.ini"
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
sleep 1
xdotool mousemove --sync 370 170 mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove --sync $((370 + step * 20)) $((170 + step * 10))
done
xdotool mouseup 1
wait_for 5 test "$(window_position "$window")" = "400 150" ||
    fail "dragged to $(window_position "$window"), not 400 150"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
expect_file "$folder/Clock.ini" '[Pos]\r\nTop=2250\r\nLeft=6000\r\n'

echo "case ($wm): the settings dialog comes up above the clock and stays there"
folder=$(new_program_folder)
# The clock over the middle of the screen, where the dialog opens, its top
# half out from under the dialog.
printf '[Pos]\r\nTop=3600\r\nLeft=6555\r\n' >"$folder/Clock.ini"
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
sleep 1
import -window root "$E2E_WORK/before.png"
choose_from_menu "$window" second
wait_for 10 window_named "$CLOCK_PID" "ソラネ Ver.1.1" || fail "no settings dialog"
dialog=$(window_named "$CLOCK_PID" "ソラネ Ver.1.1")
sleep 0.5
stacked_above "$dialog" "$window" || fail "the dialog is below the clock: $(stacking_order)"
# A point of the first colour list, right of its text, that lies over the face.
read -r dx dy < <(window_position "$dialog")
read -r cx cy < <(window_position "$window")
px=$((dx + 150)) py=$((dy + 14))
[ $px -gt $cx ] && [ $px -lt $((cx + 150)) ] && [ $py -gt $cy ] && [ $py -lt $((cy + 150)) ] ||
    fail "the list point $px,$py is not over the clock at $cx,$cy"
face=$(convert "$E2E_WORK/before.png" -crop "1x1+$px+$py" -depth 8 txt:- |
    sed -n 's/.*srgb(\([0-9]*,[0-9]*,[0-9]*\)).*/\1/p')
# Clicking the clock (as a drag starts) must not bring it over the dialog.
xdotool mousemove --sync $((cx + 75)) $((cy + 20)) click 1
sleep 0.5
stacked_above "$dialog" "$window" || fail "a click brought the clock over the dialog"
shown=$(pixel_colour "$px" "$py")
IFS=, read -r red green blue <<<"$shown"
[ "$shown" != "$face" ] && [ $((blue - red)) -lt 12 ] && [ $((red - blue)) -lt 12 ] ||
    fail "at $px,$py the screen shows $shown, not the list (the face there is $face)"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
echo "PASS"
