#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The portable Windows folder under Wine, as a person meets it: it starts
# round where Clock.ini says, a second start says so and ends, the menu from
# the clock and from the tray icon, both dialogs, the timer dialog's OK,
# quick and slow drags, Esc; at 125 % the clock is drawn at that scale.
source "$(dirname "$0")/wine_lib.sh"
start_wine

echo "case: the clock starts round at the place Clock.ini gives, and keeps no file in the profile"
folder=$(new_windows_folder)
printf '[Pos]\r\nTop=3000\r\nLeft=4500\r\n' >"$folder/Clock.ini"
start_windows_clock "$folder" sorane.exe
first=$CLOCK_PID
clock=$(wait_for_windows_clock "$first")
[ "$(window_position "$clock")" = "300 200" ] || fail "the clock opened at $(window_position "$clock")"
wait_for 10 is_round 300 200 || fail "the clock is not round: corner $(screen_colour 303 203)"
screenshot clock "450x350+0+0"
stray=$(find "$WINDOWS_HOME" -maxdepth 1 -type f)
[ -z "$stray" ] || fail "files in the profile folder: $stray"
[ "$(find "$WINEPREFIX/drive_c" -iname '*.lock' | wc -l)" = 0 ] || fail "a lock file: $(find "$WINEPREFIX/drive_c" -iname '*.lock')"

echo "case: a second start says the clock runs, and ends; the first stays"
start_windows_clock "$folder" sorane.exe
second=$CLOCK_PID
box=$(wait_for_titled_window "$second")
screenshot second-start
expect_message "$box" "既にソラネは、起動しています。"
! windows_clock_window "$second" >/dev/null || fail "the second start showed a clock"
answer_box "$second" "$box"
wait_exit "$second" 20
[ "$EXIT_STATUS" = 0 ] || fail "the second start ended with $EXIT_STATUS"
is_viewable "$clock" || fail "the first clock went away"

echo "case: a right click on the clock opens the menu"
menu=$(open_menu "$first" "$clock")
screenshot menu "450x400+0+0"
xdotool key Escape
wait_for 5 bash -c "! xdotool search --onlyvisible --pid $first | grep -qx $menu" || fail "the menu stayed"

# Right-presses the clock's icon in Wine's tray and waits for the menu:
# open_tray_menu PID CLOCK_WINDOW.
open_tray_menu() {
    local tray tx ty tw th
    tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -n 1)
    [ -n "$tray" ] || fail "no tray window"
    read -r tx ty tw th < <(geometry_of "$tray")
    # The first icon sits at the left of the tray's client area, under its title bar.
    xdotool mousemove --sync $((tx + 12)) $((ty + th - 13)) click 3
    wait_for 10 menu_window "$1" "$2" || fail "no menu from the tray icon"
}

echo "case: a right click on the tray icon opens the menu"
open_tray_menu "$first" "$clock"
menu=$(menu_window "$first" "$clock")
screenshot tray-menu "450x400+0+0"
xdotool key Escape
wait_for 5 bash -c "! xdotool search --onlyvisible --pid $first | grep -qx $menu" || fail "the menu stayed"

echo "case: the timer dialog's OK writes [Time] beside the program and confirms"
open_menu "$first" "$clock" >/dev/null
choose_entry first
dialog=$(wait_for_titled_window "$first")
# Qt's own Japanese texts: the path box's menu (look at the screenshot).
click_control "$dialog" 3510 2445 120 1320 2955 330
xdotool click 3
wait_for 10 menu_window "$first" "$clock" || fail "no menu on the path box"
menu=$(menu_window "$first" "$clock")
screenshot timer-context-menu
xdotool key Escape
wait_for 5 bash -c "! xdotool search --onlyvisible --pid $first | grep -qx $menu" || fail "the menu stayed"
screenshot timer
click_control "$dialog" 3510 2445 120 1860 1215 435  # ＯＫ
box=$(wait_for_titled_window "$first" "$dialog")
expect_message "$box" "タイマーの設定情報を保存しました。"
answer_box "$first" "$box"
wait_for 10 no_titled_window "$first" || fail "the timer dialog stayed open"
wave=$(windows_path "$folder")\\chimes.wav
expect_file "$folder/Clock.ini" "[Pos]\r\nTop=3000\r\nLeft=4500\r\n[Time]\r\nWave=${wave//\\/\\\\}\r\nhour=0\r\nmin=0\r\n"

echo "case: the setup dialog opens from the menu and Cancel closes it"
open_menu "$first" "$clock" >/dev/null
choose_entry second
dialog=$(wait_for_titled_window "$first")
screenshot setup
click_control "$dialog" 2835 2865 1500 2220 1155 435  # キャンセル
wait_for 10 no_titled_window "$first" || fail "the setup dialog stayed open"

echo "case: drags move the clock by the pointer's travel, quick or slow"
xdotool mousemove --sync 375 275 mousedown 1 mousemove 575 375 mouseup 1
wait_for 5 clock_at "$clock" 500 300 ||
    fail "a quick drag left the clock at $(window_position "$clock"), not 500 300"
xdotool mousemove --sync 575 375 mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove --sync $((575 - step * 40)) $((375 + step * 20))
done
xdotool mouseup 1
wait_for 5 clock_at "$clock" 300 400 ||
    fail "a slow drag left the clock at $(window_position "$clock"), not 300 400"

echo "case: Esc says goodbye, saves the place beside the program and ends"
xdotool mousemove --sync 375 475 click 1 key Escape
box=$(wait_for_titled_window "$first")
expect_message "$box" "終了します。"
answer_box "$first" "$box"
wait_exit "$first" 20
[ "$EXIT_STATUS" = 0 ] || fail "Esc ended with $EXIT_STATUS"
expect_file "$folder/Clock.ini" "[Pos]\r\nTop=6000\r\nLeft=4500\r\n[Time]\r\nWave=${wave//\\/\\\\}\r\nhour=0\r\nmin=0\r\n"

echo "case: at 125 % the clock is 188 pixels, round, at its place"
"$WINESERVER" -w
set_registry_value 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 120
start_windows_clock "$folder" sorane.exe
clock=$(wait_for_windows_clock "$CLOCK_PID" 188)
[ "$(window_position "$clock")" = "375 500" ] || fail "at 125 % the clock opened at $(window_position "$clock")"
wait_for 10 is_round 375 500 188 || fail "at 125 % the clock is not round"
screenshot clock-125 "600x750+0+0"

echo "case: 終了 from the tray icon's menu, and OK, end the clock with status 0"
open_tray_menu "$CLOCK_PID" "$clock"
choose_entry last
box=$(wait_for_titled_window "$CLOCK_PID")
expect_message "$box" "終了します。"
answer_box "$CLOCK_PID" "$box"
wait_exit "$CLOCK_PID" 20
[ "$EXIT_STATUS" = 0 ] || fail "終了 from the tray menu ended with $EXIT_STATUS"
echo "PASS"
