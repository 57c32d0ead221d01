#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The real clock's settings file where users leave it: a folder whose name
# is not UTF-8, a folder moved away while the clock runs, a file that root
# saved once over the user's.
source "$(dirname "$0")/lib.sh"
start_desktop openbox

echo "case: a portable copy in a folder with a Latin-1 name reads and writes its own Clock.ini"
folder=$(new_program_folder)
latin1="$E2E_WORK/caf$(printf '\351') ancien"
mv "$folder" "$latin1"
folder=$latin1
printf '[Pos]\r\nTop=3000\r\nLeft=1500\r\n' >"$folder/Clock.ini"
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
[ "$(window_position "$window")" = "100 200" ] || fail "the clock opened at $(window_position "$window")"
xdotool windowmove "$window" 300 120
wait_for 5 window_at "$window" "300 120" || fail "window did not move"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
expect_file "$folder/Clock.ini" '[Pos]\r\nTop=1800\r\nLeft=4500\r\n'

echo "case: the program's folder moved away while the clock runs: nothing is made where it was"
folder=$(new_program_folder)
start_clock "$folder"
wait_for_clock "$CLOCK_PID" >/dev/null
mv "$folder" "$folder.moved"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
[ ! -e "$folder" ] || fail "the moved folder was made again: $(ls -A "$folder")"
grep -q 'position was not saved' "$folder.moved/stderr.log" ||
    fail "the failed save was not reported: $(cat "$folder.moved/stderr.log")"
[ ! -e "$folder.moved/Clock.ini" ] || fail "a Clock.ini appeared in the moved folder"

echo "case: a clock run once by root leaves the user's Clock.ini the user's"
if [ "$(id -u)" = 0 ]; then
    folder=$(new_program_folder)
    printf '[Pos]\r\nTop=3000\r\nLeft=1500\r\n' >"$folder/Clock.ini"
    chown nobody:nogroup "$folder" "$folder/Clock.ini"
    chmod 0664 "$folder/Clock.ini"
    start_clock "$folder"
    wait_for_clock "$CLOCK_PID" >/dev/null
    kill -TERM "$CLOCK_PID"
    wait_exit "$CLOCK_PID"
    [ "$(stat -c '%U:%G %a' "$folder/Clock.ini")" = "nobody:nogroup 664" ] ||
        fail "Clock.ini is now $(stat -c '%U:%G %a' "$folder/Clock.ini")"
    # Root's first save in the user's folder: the new file is the user's.
    rm "$folder/Clock.ini"
    start_clock "$folder"
    wait_for_clock "$CLOCK_PID" >/dev/null
    kill -TERM "$CLOCK_PID"
    wait_exit "$CLOCK_PID"
    [ "$(stat -c '%U' "$folder/Clock.ini")" = nobody ] ||
        fail "root's new Clock.ini is $(stat -c '%U' "$folder/Clock.ini")'s"
else
    echo "  (not tried: needs root)"
fi
echo "PASS"
