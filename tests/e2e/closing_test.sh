#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# Closing the real clock: SIGTERM, and Esc answered with Enter, both save the
# position and end the program with status 0.
source "$(dirname "$0")/lib.sh"
start_desktop

echo "case: SIGTERM saves the position and ends with status 0 (and nothing of ours leaks)"
folder=$(new_program_folder)
printf '[Pos]\r\nTop=3000\r\nLeft=1500\r\n' >"$folder/Clock.ini"
start_clock "$folder" ASAN_OPTIONS=detect_leaks=1 \
    LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")/.." && pwd)/lsan.supp:print_suppressions=0"
window=$(wait_for_clock "$CLOCK_PID")
[ "$(window_position "$window")" = "100 200" ] || fail "clock at $(window_position "$window")"
wait_for 10 tray_icon_present || fail "no tray icon"
xdotool windowmove "$window" 300 120
wait_for 5 test "$(window_position "$window")" = "300 120" || fail "window did not move"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS: $(grep -A12 'LeakSanitizer' "$folder/stderr.log")"
expect_file "$folder/Clock.ini" '[Pos]\r\nTop=1800\r\nLeft=4500\r\n'
wait_for 5 bash -c '! xwininfo -root -tree | grep -A2 YXTrayEmbedder | grep -q sorane' ||
    fail "tray icon left behind"

echo "case: Esc shows the goodbye message; Enter closes it and the program"
folder=$(new_program_folder)
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
xdotool mousemove --sync 75 75 click 1
wait_for 10 is_active "$window" || fail "the clock did not take the keyboard"
xdotool key Escape
wait_for 10 message_box "$CLOCK_PID" || fail "no message box after Esc"
kill -0 "$CLOCK_PID" || fail "ended before the message was answered"
[ ! -e "$folder/Clock.ini" ] || fail "saved before the message was answered"
answer_message_box "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
expect_file "$folder/Clock.ini" '[Pos]\r\nTop=45\r\nLeft=45\r\n'

echo "case: SIGINT and SIGHUP close it the same way"
for signal in INT HUP; do
    folder=$(new_program_folder)
    start_clock "$folder"
    wait_for_clock "$CLOCK_PID" >/dev/null
    kill -"$signal" "$CLOCK_PID"
    wait_exit "$CLOCK_PID"
    [ "$EXIT_STATUS" = 0 ] || fail "SIG$signal: exit status $EXIT_STATUS"
    expect_file "$folder/Clock.ini" '[Pos]\r\nTop=45\r\nLeft=45\r\n'
done
echo "PASS"
