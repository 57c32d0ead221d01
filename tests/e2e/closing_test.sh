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
wait_for 5 window_at "$window" "300 120" || fail "window did not move"
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
echo "case: the X server ends (the session's end): the place dragged to is saved, nothing aborts"
exec 7>"$E2E_WORK/ending-display"
Xvfb -displayfd 7 -screen 0 800x600x24 -nolisten tcp >"$E2E_WORK/ending-xvfb.log" 2>&1 &
ending_server=$!
E2E_PIDS+=($ending_server)
wait_for 10 test -s "$E2E_WORK/ending-display" || fail "the Xvfb to end did not start"
ending=":$(head -n1 "$E2E_WORK/ending-display")"
folder=$(new_program_folder)
printf '[Pos]\r\nTop=3000\r\nLeft=1500\r\n' >"$folder/Clock.ini"
start_clock "$folder" DISPLAY="$ending"
window=$(DISPLAY=$ending wait_for_clock "$CLOCK_PID")
DISPLAY=$ending xdotool mousemove --sync 175 275 mousedown 1 mousemove --sync 275 325 \
    mousemove --sync 375 375 mouseup 1
DISPLAY=$ending wait_for 5 window_at "$window" "300 300" || fail "the drag did not move the clock"
kill -TERM "$ending_server"
wait_exit "$CLOCK_PID"
! grep -q 'AddressSanitizer\|terminate called\|length_error' "$folder/stderr.log" ||
    fail "the clock crashed as its display went: $(cat "$folder/stderr.log")"
expect_file "$folder/Clock.ini" '[Pos]\r\nTop=4500\r\nLeft=4500\r\n'

echo "case: as an X server's only client, plain starts and early signals never abort"
# A server of its own, which no other client ever joins and which resets
# whenever its last client leaves, as under xinit or in a kiosk.
exec 6>"$E2E_WORK/lonely-display"
Xvfb -displayfd 6 -screen 0 640x480x24 -nolisten tcp >"$E2E_WORK/lonely-xvfb.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 10 test -s "$E2E_WORK/lonely-display" || fail "the lonely Xvfb did not start"
lonely=":$(head -n1 "$E2E_WORK/lonely-display")"
# True once the clock itself (not the shell that starts it) catches SIGTERM
# (bit 15 of SigCgt): from then on a signal is the program's to handle.
catches_sigterm() {
    local mask
    [ "$(readlink "/proc/$1/exe")" = "$2" ] || return 1
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && (( (16#$mask >> 14) & 1 ))
}
# How long after the clock began to catch signals it is asked to end: at
# once, while Qt starts, while the window is placed, once it is up.
for delay in 0 0.005 0.01 0.02 0.03 0.05 0.08 0.12 0.2 0.3 0.5 1.5; do
    folder=$(new_program_folder)
    printf '[Pos]\r\nTop=3000\r\nLeft=1500\r\n' >"$folder/Clock.ini"
    start_clock "$folder" DISPLAY="$lonely"
    wait_for 10 catches_sigterm "$CLOCK_PID" "$folder/sorane" || fail "the clock never caught SIGTERM"
    sleep "$delay"
    kill -TERM "$CLOCK_PID"
    wait_exit "$CLOCK_PID"
    [ "$EXIT_STATUS" = 0 ] ||
        fail "SIGTERM ${delay}s after the start: status $EXIT_STATUS: $(cat "$folder/stderr.log")"
    expect_file "$folder/Clock.ini" '[Pos]\r\nTop=3000\r\nLeft=1500\r\n'
done

echo "PASS"
