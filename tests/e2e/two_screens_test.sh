#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The clock on two monitors of different scales (1 and 2): Weston's XWayland,
# nested in an Xvfb, with Qt told each monitor's factor. Saved on the second
# monitor, the clock opens there, drawn at twice the size; a drag with real
# input (into the Xvfb, through Weston) moves it by the pointer's travel
# (Weston moves it, as the clock asks), and the place it saves is where the
# server has the window, in the clock's own pixels (a screen's corner plus
# the distance from it divided by that screen's factor).
#
# The outer display holds the pointer in the output window a button was
# pressed in, so no drag here crosses from one monitor to the other.
source "$(dirname "$0")/lib.sh"
start_weston_desktop

echo "case: XWayland reports the two outputs side by side"
monitors=$(xrandr --listmonitors)
grep -q '^Monitors: 2$' <<<"$monitors" || fail "XWayland reports: $monitors"
grep -q '800/[0-9]*x600/[0-9]*+0+0 *XWAYLAND0$' <<<"$monitors" || fail "first monitor: $monitors"
grep -q '800/[0-9]*x600/[0-9]*+800+0 *XWAYLAND1$' <<<"$monitors" || fail "second monitor: $monitors"

echo "case: on the second monitor at 2x; a drag there; the saved place is the server's"
folder=$(new_program_folder)
printf '[Pos]\r\nTop=1500\r\nLeft=13500\r\n' >"$folder/Clock.ini"
start_clock "$folder" QT_SCREEN_SCALE_FACTORS="XWAYLAND0=1;XWAYLAND1=2"
CLOCK_PIXELS=300 window=$(wait_for_clock "$CLOCK_PID")
# 900,100 in the clock's pixels: 100,100 into the second monitor, twice that
# in the server's.
[ "$(window_position "$window")" = "1000 200" ] ||
    fail "the clock did not open where it was saved: $(window_position "$window")"

# What Weston shows on an output of the outer display: the size and place
# of what is not its plain background there.
shown_on_output() {
    DISPLAY=$OUTER_DISPLAY import -window root "$E2E_WORK/outer.png" &&
        convert "$E2E_WORK/outer.png" -crop "800x600+$(($1 * 800))+0" +repage -fuzz 20% -trim \
            -format '%w %h %X %Y\n' info: | tr -d +
}
# Something of about $2 pixels across (the clock, and no more than its
# shadow) on output $1.
shown_across() {
    local w h
    read -r w h _ < <(shown_on_output "$1") &&
        [ "$w" -ge "$2" ] && [ "$w" -le $(($2 + 8)) ] && [ "$h" -ge "$2" ] && [ "$h" -le $(($2 + 8)) ]
}
# Weston draws the pointer into its outputs: out of the way first.
DISPLAY=$OUTER_DISPLAY xdotool mousemove --sync 10 590
wait_for 10 shown_across 1 300 ||
    fail "the second monitor does not show the clock at 300 x 300: $(shown_on_output 1)"

asked=$(compositor_moves_asked)
DISPLAY=$OUTER_DISPLAY xdotool mousemove --sync 1150 280 mousedown 1
wait_for 5 asked_to_move_since "$asked" || fail "the clock did not ask Weston to move it"
for step in 1 2 3 4 5; do
    DISPLAY=$OUTER_DISPLAY xdotool mousemove --sync $((1150 + step * 20)) $((280 + step * 10))
done
DISPLAY=$OUTER_DISPLAY xdotool mouseup 1
wait_for 10 window_at "$window" "1100 250" ||
    fail "dragged to $(window_position "$window"), not 1100 250"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
# 800 + 300 / 2, 250 / 2 in the clock's pixels.
expect_file "$folder/Clock.ini" '[Pos]\r\nTop=1875\r\nLeft=14250\r\n'
echo "PASS"
