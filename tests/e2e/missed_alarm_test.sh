#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# An alarm the clock slept through (the process stopped for over an hour of
# its time) is told quietly: the tray icon's message where a tray shows one
# (icewm), else a desktop notification (dunst, on a session bus of the
# test's own, under openbox). Never a box, never a sound.
source "$(dirname "$0")/lib.sh"
host=${1:-notification}

# A clock at 6:30 with its alarm at 8:00, its time ten minutes a second;
# stopped for fifteen seconds (two and a half hours of its time) and
# continued: the alarm went by more than an hour before the next tick.
sleep_through_the_alarm() {
    folder=$(new_program_folder)
    printf '[Time]\r\nHour=8\r\nMin=0\r\n' >"$folder/Clock.ini"
    start_clock "$folder" SORANE_TEST_START_TIME=2026-12-09T06:30:00 SORANE_TEST_TIME_SCALE=600
    window=$(wait_for_clock "$CLOCK_PID")
    # Stopped once it has ticked (its hands moved): a clock that has not
    # ticked yet knows nothing of the hours it did not see.
    local first
    first=$(clock_picture)
    wait_for 10 picture_changed_from "$first" || fail "the clock did not tick"
    kill -STOP "$CLOCK_PID"
    sleep 15
    kill -CONT "$CLOCK_PID"
    wait_for 10 grep -q "was missed" "$folder/stderr.log" || fail "the alarm was not found missed: $(cat "$folder/stderr.log")"
}

# A checksum of what the clock's window shows.
clock_picture() {
    import -window "$window" rgb:- 2>/dev/null | md5sum
}

picture_changed_from() {
    [ "$(clock_picture)" != "$1" ]
}

told='目覚まし（8:00）は鳴りませんでした。'
if [ "$host" = tray ]; then
    echo "case: a missed alarm is the tray icon's message"
    start_desktop icewm
    sleep_through_the_alarm
    wait_for 10 tray_icon_of "$CLOCK_PID" || fail "no tray icon"
    # Qt's message beside an XEmbed tray: a tooltip window of the clock's.
    balloon() {
        local id
        for id in $(xdotool search --onlyvisible --pid "$CLOCK_PID" 2>/dev/null); do
            xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q TOOLTIP && echo "$id" && return 0
        done
        return 1
    }
    wait_for 10 balloon || fail "no message beside the tray icon"
    screen_image "${SCREENSHOTS:-$E2E_WORK}/missed-alarm-tray.png" 2>/dev/null || true
else
    echo "case: without a tray, a missed alarm is a desktop notification"
    command -v dunst >/dev/null && command -v dbus-monitor >/dev/null ||
        { echo "SKIP: dunst or dbus-monitor is not installed"; exit 77; }
    start_desktop openbox
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd ' ')
    export DBUS_SESSION_BUS_ADDRESS=${bus% *}
    E2E_PIDS+=("${bus##* }")
    dunst >"$E2E_WORK/dunst.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 10 dbus-send --session --print-reply --dest=org.freedesktop.Notifications \
        /org/freedesktop/Notifications org.freedesktop.Notifications.GetServerInformation ||
        fail "dunst did not start: $(cat "$E2E_WORK/dunst.log")"
    dbus-monitor --session "interface='org.freedesktop.Notifications',member='Notify'" \
        >"$E2E_WORK/notify.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 5 grep -q "NameAcquired" "$E2E_WORK/notify.log" || fail "dbus-monitor did not start"
    sleep_through_the_alarm
    wait_for 10 grep -q "$told" "$E2E_WORK/notify.log" ||
        fail "no notification: $(cat "$E2E_WORK/notify.log")"
    grep -A2 '"suppress-sound"' "$E2E_WORK/notify.log" | grep -q "boolean true" ||
        fail "the notification may sound: $(cat "$E2E_WORK/notify.log")"
    wait_for 10 xdotool search --onlyvisible --class Dunst || fail "dunst shows nothing"
    screen_image "${SCREENSHOTS:-$E2E_WORK}/missed-alarm-notification.png" 2>/dev/null || true
fi
no_message_box "$CLOCK_PID" || fail "a box came up"
! grep -q "no sound from" "$folder/stderr.log" || fail "a sound was tried"
! grep -q "no desktop notification" "$folder/stderr.log" || fail "$(cat "$folder/stderr.log")"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
echo "PASS"
