#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# While the screen saver has blanked the screen the clock stops ticking each
# second; the alarm still goes off at the start of its minute.
source "$(dirname "$0")/lib.sh"
start_desktop

echo "case: with the screen blanked, the alarm goes off at the start of its minute"
folder=$(new_program_folder)
# The real clock's next minute far enough ahead for the clock to be up
# before it (midnight, 0:00, is no alarm: the minute after it then).
at=$((($(date +%s) + 5) / 60 * 60 + 60))
[ "$(date -d "@$at" +%H%M)" != 0000 ] || at=$((at + 60))
printf '[Time]\r\nhour=%s\r\nmin=%s\r\n' "$(date -d "@$at" +%-H)" "$(date -d "@$at" +%-M)" \
    >"$folder/Clock.ini"
start_clock "$folder"
wait_for_clock "$CLOCK_PID" >/dev/null
xset s activate
wait_for $((at - $(date +%s) + 10)) message_box "$CLOCK_PID" || fail "the alarm did not go off"
late=$(($(date +%s) - at))
[ "$late" -le 2 ] || fail "the alarm went off $late s after its minute began"
answer_message_box "$CLOCK_PID"
xset s reset
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS"
