#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# Closing the real clock from its tray icon's menu, in a real tray: icewm's
# own ("icewm"), or a panel's standalone XEmbed tray under openbox ("tint2").
# Each way ends with status 0, the place saved and the icon gone: 終了 and
# OK by keys and by mouse, and a signal while the menu or the box is open.
source "$(dirname "$0")/lib.sh"
host=${1:-icewm}
if [ "$host" = tint2 ]; then
    start_desktop openbox
    tint2 -c /etc/xdg/tint2/tint2rc >"$E2E_WORK/tint2.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 10 bash -c 'xwininfo -root -tree | grep -q "\"tint2\""' || fail "tint2 did not start"
else
    start_desktop icewm
fi

# A clock at (100, 200) with its icon in the tray; its folder in $folder.
start_docked_clock() {
    folder=$(new_program_folder)
    printf '[Pos]\r\nTop=3000\r\nLeft=1500\r\n' >"$folder/Clock.ini"
    start_clock "$folder"
    window=$(wait_for_clock "$CLOCK_PID")
    wait_for 10 tray_icon_of "$CLOCK_PID" || fail "no tray icon"
    xdotool windowmove "$window" 300 120
    wait_for 5 window_at "$window" "300 120" || fail "window did not move"
}

# The clock ended with status 0, its place saved, its icon gone.
expect_closed_cleanly() {
    wait_exit "$CLOCK_PID"
    [ "$EXIT_STATUS" = 0 ] || fail "$1: exit status $EXIT_STATUS: $(tail -5 "$folder/stderr.log")"
    expect_file "$folder/Clock.ini" '[Pos]\r\nTop=1800\r\nLeft=4500\r\n'
    ! xwininfo -root -tree | grep -q '"sorane"' || fail "$1: a window of the clock was left behind"
}

echo "case: 終了 from the tray icon's menu, and OK, by keys"
start_docked_clock
open_tray_menu "$CLOCK_PID"
input key Up Return
wait_for 10 message_box "$CLOCK_PID" || fail "no message box after 終了"
answer_message_box "$CLOCK_PID"
expect_closed_cleanly "by keys"

echo "case: 終了 from the tray icon's menu, and OK, by mouse"
start_docked_clock
open_tray_menu "$CLOCK_PID"
click_last_menu_entry "$CLOCK_PID"
click_message_box_ok "$CLOCK_PID"
expect_closed_cleanly "by mouse"

echo "case: SIGTERM while the tray icon's menu is open"
start_docked_clock
open_tray_menu "$CLOCK_PID"
kill -TERM "$CLOCK_PID"
expect_closed_cleanly "SIGTERM over the menu"

echo "case: SIGTERM while the tray menu's goodbye box is open"
start_docked_clock
open_tray_menu "$CLOCK_PID"
click_last_menu_entry "$CLOCK_PID"
wait_for 10 message_box "$CLOCK_PID" || fail "no message box after 終了"
kill -TERM "$CLOCK_PID"
expect_closed_cleanly "SIGTERM over the box"

echo "case: the clock's own menu, by mouse, and a signal while it is open"
start_docked_clock
input mousemove --sync 375 195 click 3
wait_for 10 popup_menu_of "$CLOCK_PID" || fail "the clock's menu did not open"
click_last_menu_entry "$CLOCK_PID"
click_message_box_ok "$CLOCK_PID"
expect_closed_cleanly "the clock's menu by mouse"
start_docked_clock
input mousemove --sync 375 195 click 3
wait_for 10 popup_menu_of "$CLOCK_PID" || fail "the clock's menu did not open"
kill -TERM "$CLOCK_PID"
expect_closed_cleanly "SIGTERM over the clock's menu"

echo "PASS"
