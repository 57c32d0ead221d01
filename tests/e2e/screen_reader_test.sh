#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The clock as a screen reader finds it, through a real AT-SPI bus
# (at-spi2-core) and client (pyatspi): the clock window's name and
# description in Japanese words, the timer dialog's controls by their
# labels, a countdown armed through the controls' own actions, and its box
# as an alert.
source "$(dirname "$0")/lib.sh"
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || {
    echo "SKIP: at-spi2-core or python3-pyatspi is not installed"
    exit 77
}
reader() {
    /usr/bin/python3 "$(dirname "$0")/screen_reader.py" "$CLOCK_PID" "$@"
}
start_desktop openbox

# A session bus of the test's own, with the accessibility bus on it, turned
# on as a screen reader turns it on.
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd ' ')
export DBUS_SESSION_BUS_ADDRESS=${bus% *}
E2E_PIDS+=("${bus##* }")
"$launcher" --launch-immediately >"$E2E_WORK/at-spi.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress || fail "no accessibility bus: $(cat "$E2E_WORK/at-spi.log")"
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null

echo "case: the clock's name is the time in words, its description the date and the alarm"
folder=$(new_program_folder)
printf '[Time]\r\nHour=7\r\nMin=30\r\n' >"$folder/Clock.ini"
# Twenty times the speed: the countdown below ends after nine seconds.
start_clock "$folder" SORANE_TEST_START_TIME=2026-12-09T09:05:00 SORANE_TEST_TIME_SCALE=20
window=$(wait_for_clock "$CLOCK_PID")
wait_for 15 reader clock || fail "the clock is not on the accessibility bus"
spoken=$(reader clock)
grep -Eq '^name: ソラネ 午前9時[0-9]+分$' <<<"$spoken" || fail "name: $spoken"
grep -q '^description: 令和8年12月9日、目覚まし 7時30分$' <<<"$spoken" || fail "description: $spoken"

echo "case: the timer dialog, opened by the Menu key, names its controls by their labels"
# As a keyboard user opens it: the clock given the keyboard, then the Menu key.
read -r x y < <(window_position "$window")
input mousemove --sync $((x + 75)) $((y + 75)) click 1
wait_for 5 is_active "$window" || fail "the clock did not take the keyboard"
input key Menu
wait_for 5 popup_menu_of "$CLOCK_PID" || fail "the Menu key opened no menu"
input key Down Return
wait_for 10 window_named "$CLOCK_PID" "ソラネ Ver.1.1" || fail "no timer dialog"
controls=$(reader dialog)
for expected in 'check box|簡易タイマー|' 'combo box|　３分|簡易タイマー' 'check box|目覚まし|目覚まし' \
    'text|時|時' 'text|分|分' 'text|お知らせ音|お知らせ音' 'push button|お知らせ音を選ぶ|' \
    'push button|OK|' 'push button|キャンセル|'; do
    grep -qxF "$expected" <<<"$controls" || fail "not read as '$expected': $controls"
done

echo "case: a countdown armed by the controls' actions ends with an alert"
reader press "check box" "簡易タイマー" || fail "the countdown's box could not be pressed"
reader press "push button" "OK" || fail "OK could not be pressed"
alert=$(reader alert) || fail "the saved box is no alert"
grep -q "保存" <<<"$alert" || fail "the first alert: $alert"
answer_message_box "$CLOCK_PID"
alert=$(reader alert) || fail "the countdown's box is no alert"
[ "$alert" = "alert: 時間です！ 3分経ちました" ] || fail "the countdown's alert: $alert"
click_message_box_ok "$CLOCK_PID"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
echo "PASS"
