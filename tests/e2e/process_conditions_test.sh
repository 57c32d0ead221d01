#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The real clock started as launchers and limits leave it: standard error a
# FIFO whose reader is gone, or closed; few file descriptors or a small
# stack. The alarm still comes and the clock still closes with status 0, or,
# where the hard limits are too low, it says what is short and ends.
source "$(dirname "$0")/lib.sh"
start_desktop openbox

# A program folder whose alarm goes off two seconds after the start, with
# no sound server, so that the clock writes its "no sound" line then.
alarm_folder() {
    local folder
    folder=$(new_program_folder)
    printf '[Time]\r\nhour=12\r\nmin=1\r\n' >"$folder/Clock.ini"
    echo "$folder"
}
ALARM=(SORANE_TEST_START_TIME=2026-12-07T12:00:58 PULSE_SERVER=unix:$E2E_WORK/no-such-server)

# The alarm's box comes, OK closes it, the clock runs on; SIGTERM then ends
# it with status 0 and its place saved.
expect_alarm_then_clean_close() {
    wait_for 15 message_box "$CLOCK_PID" || fail "$1: the alarm did not go off"
    answer_message_box "$CLOCK_PID"
    kill -0 "$CLOCK_PID" 2>/dev/null || fail "$1: the clock ended at the alarm"
    kill -TERM "$CLOCK_PID"
    wait_exit "$CLOCK_PID"
    [ "$EXIT_STATUS" = 0 ] || fail "$1: exit status $EXIT_STATUS"
    grep -q '^Top=45' "$folder/Clock.ini" || fail "$1: the place was not saved: $(cat "$folder/Clock.ini")"
}

echo "case: standard error a FIFO whose reader has gone"
folder=$(alarm_folder)
mkfifo "$E2E_WORK/stderr.fifo"
cat "$E2E_WORK/stderr.fifo" >/dev/null &
reader=$!
exec 8>"$E2E_WORK/stderr.fifo"
kill "$reader"
wait "$reader" 2>/dev/null || true
(cd "$folder" && exec env XDG_RUNTIME_DIR="$folder/run" SORANE_TEST_INSTANCE="$(basename "$folder")" \
    "${ALARM[@]}" ./sorane 2>&8) &
CLOCK_PID=$!
E2E_PIDS+=("$CLOCK_PID")
exec 8>&-
wait_for_clock "$CLOCK_PID" >/dev/null
expect_alarm_then_clean_close "broken pipe"

echo "case: standard error closed"
folder=$(alarm_folder)
(cd "$folder" && exec env XDG_RUNTIME_DIR="$folder/run" SORANE_TEST_INSTANCE="$(basename "$folder")" \
    "${ALARM[@]}" ./sorane 2>&-) &
CLOCK_PID=$!
E2E_PIDS+=("$CLOCK_PID")
wait_for_clock "$CLOCK_PID" >/dev/null
[ "$(readlink "/proc/$CLOCK_PID/fd/2")" = /dev/null ] ||
    fail "descriptor 2 is $(readlink "/proc/$CLOCK_PID/fd/2"), not /dev/null"
expect_alarm_then_clean_close "closed standard error"

echo "case: low soft limits are raised: 12 descriptors, a 96 KiB stack"
folder=$(alarm_folder)
start_clock "$folder" "${ALARM[@]}" prlimit --nofile=12:4096 --stack=98304:unlimited
wait_for_clock "$CLOCK_PID" >/dev/null
expect_alarm_then_clean_close "low soft limits"

echo "case: hard limits too low: the clock says what is short and ends"
for limit in --nofile=12:12 --stack=98304:98304; do
    folder=$(new_program_folder)
    start_clock "$folder" prlimit "$limit"
    wait_exit "$CLOCK_PID"
    [ "$EXIT_STATUS" = 1 ] || fail "$limit: exit status $EXIT_STATUS: $(cat "$folder/stderr.log")"
    case $limit in
        --nofile*) what="too few file descriptors: the limit is 12" ;;
        *) what="too small a stack: the limit is 96 KiB" ;;
    esac
    grep -q "$what" "$folder/stderr.log" || fail "$limit: $(cat "$folder/stderr.log")"
    [ ! -e "$folder/Clock.ini" ] || fail "$limit: a settings file was written"
done
echo "PASS"
