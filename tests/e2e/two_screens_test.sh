#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The clock on two monitors of different scales (1 and 2): Weston's XWayland,
# nested in an Xvfb, with Qt told each monitor's factor. A drag with real
# input (into the Xvfb, through Weston), pressed on the clock on the first
# monitor and carried towards the second, reaches the clock, which asks to
# follow it; and the place it saves is where the server has the window, in
# the clock's own pixels (a screen's corner plus the distance from it
# divided by that screen's factor).
#
# Weston 10's window manager keeps an X window where it placed it and
# answers a client's request to move with the old place, so the clock stays
# where Weston put it, on the first monitor; its picture at 2x is checked by
# the offscreen two-screen tests instead.
source "$(dirname "$0")/lib.sh"
start_weston_desktop

echo "case: XWayland reports the two outputs side by side"
monitors=$(xrandr --listmonitors)
grep -q '^Monitors: 2$' <<<"$monitors" || fail "XWayland reports: $monitors"
grep -q '800/[0-9]*x600/[0-9]*+0+0 *XWAYLAND0$' <<<"$monitors" || fail "first monitor: $monitors"
grep -q '800/[0-9]*x600/[0-9]*+800+0 *XWAYLAND1$' <<<"$monitors" || fail "second monitor: $monitors"

echo "case: a drag towards the second monitor; the saved place is the server's"
folder=$(new_program_folder)
printf '[Pos]\r\nTop=1500\r\nLeft=3000\r\n' >"$folder/Clock.ini"
start_clock "$folder" QT_SCREEN_SCALE_FACTORS="XWAYLAND0=1;XWAYLAND1=2"
window=$(wait_for_clock "$CLOCK_PID")
read -r x y < <(window_position "$window")
[ "$x" -lt 650 ] && [ "$y" -lt 450 ] || fail "the clock did not start on the first monitor: $x $y"

# Weston shows the window where it chose, which its X server need not
# know: the clock is found on the outer display, by its colours over the
# plain background.
clock_on_outer() {
    DISPLAY=$OUTER_DISPLAY import -window root "$E2E_WORK/outer.png" &&
        convert "$E2E_WORK/outer.png" -crop 800x600+0+0 +repage -fuzz 20% -trim \
            -format '%w %h %X %Y\n' info: | tr -d +
}
clock_shown_on_outer() {
    local w h
    read -r w h _ < <(clock_on_outer) &&
        [ "$w" -ge 145 ] && [ "$w" -le 155 ] && [ "$h" -ge 145 ] && [ "$h" -le 155 ]
}
# Weston draws the pointer into its outputs: out of the way first.
DISPLAY=$OUTER_DISPLAY xdotool mousemove --sync 1590 590
wait_for 10 clock_shown_on_outer ||
    fail "the first monitor shows no clock: $(clock_on_outer)"
read -r w h sx sy < <(clock_on_outer)

line=$(($(wc -l <"$WESTON_LOG") + 1))
px=$((sx + 75)) py=$((sy + 40))
DISPLAY=$OUTER_DISPLAY xdotool mousemove --sync "$px" "$py" mousedown 1
for step in $(seq 1 9); do
    DISPLAY=$OUTER_DISPLAY xdotool mousemove --sync $((px + step * 100)) $((py + step * 10))
done
# The drag has reached the clock once it asks for a place further right
# and lower at each of the first steps.
followed_the_drag() {
    requested_place "$window" "$line" | head -n3 | awk '
        NR > 1 && ($1 <= x || $2 <= y) {bad = 1} {x = $1; y = $2} END {exit bad || NR < 3}'
}
wait_for 10 followed_the_drag ||
    fail "the drag did not reach the clock; it asked for: $(requested_place "$window" "$line" | tr '\n' ';')"
DISPLAY=$OUTER_DISPLAY xdotool mouseup 1

read -r x y < <(window_position "$window")
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
# Where the server has it, in the clock's pixels.
if [ "$x" -ge 800 ]; then
    left=$((800 + (x - 800 + 1) / 2)) top=$(((y + 1) / 2))
else
    left=$x top=$y
fi
expect_file "$folder/Clock.ini" "[Pos]\\r\\nTop=$((top * 15))\\r\\nLeft=$((left * 15))\\r\\n"
echo "PASS"
