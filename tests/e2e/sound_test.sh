#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The notification sound on a real sound server (PulseAudio with a null
# sink): the alarm plays the chosen file while its box is open, closing the
# box stops it; with no sound server the box still appears and the clock
# goes on ticking.
source "$(dirname "$0")/lib.sh"
start_desktop openbox

start_pulseaudio

# The streams now playing, one "media.filename" line each.
playing() {
    pactl list sink-inputs | sed -n 's/^[[:space:]]*media.filename = "\(.*\)"$/\1/p'
}

# A program folder whose alarm goes off two seconds after the start.
alarm_folder() {
    local folder
    folder=$(new_program_folder)
    cp "$(dirname "$SORANE")/chimes.wav" "$folder/お知らせ.wav"
    printf '[Mode]\r\nView=0\r\n[Time]\r\nhour=12\r\nmin=1\r\nWave=%s\r\n' "$folder/お知らせ.wav" \
        >"$folder/Clock.ini"
    echo "$folder"
}

echo "case: the alarm plays the chosen file while its box is open; closing it stops the sound"
folder=$(alarm_folder)
start_clock "$folder" SORANE_TEST_START_TIME=2026-12-07T12:00:58
wait_for 15 message_box "$CLOCK_PID" || fail "the alarm did not go off"
wait_for 5 bash -c "pactl list sink-inputs | grep -q 'お知らせ.wav'" ||
    fail "no stream of the chosen file reached the sink: $(playing)"
[ "$(playing)" = "$folder/お知らせ.wav" ] || fail "playing: $(playing)"
answer_message_box "$CLOCK_PID"
# The chime lasts 2.2 seconds; closing the box ends it well before.
wait_for 1 bash -c '[ -z "$(pactl list sink-inputs short)" ]' || fail "the sound went on: $(playing)"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"

echo "case: with no sound server the box still appears and the clock keeps ticking"
folder=$(alarm_folder)
PULSE_SERVER=unix:$E2E_WORK/no-such-server
start_clock "$folder" SORANE_TEST_START_TIME=2026-12-07T12:00:58 PULSE_SERVER=$PULSE_SERVER
window=$(wait_for_clock "$CLOCK_PID")
wait_for 15 message_box "$CLOCK_PID" || fail "the alarm did not go off without a sound server"
wait_for 5 grep -q "no sound from $folder/お知らせ.wav" "$folder/stderr.log" ||
    fail "standard error does not say why there was no sound: $(cat "$folder/stderr.log")"
[ "$(grep -c 'no sound' "$folder/stderr.log")" = 1 ] || fail "more than one line: $(cat "$folder/stderr.log")"
before=$(import -window "$window" -depth 8 rgb:- | md5sum)
sleep 1.2
after=$(import -window "$window" -depth 8 rgb:- | md5sum)
[ "$before" != "$after" ] || fail "the clock stopped ticking while the box was open"
answer_message_box "$CLOCK_PID"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$(grep -c Wave "$folder/Clock.ini")" = 1 ] && grep -q "お知らせ.wav" "$folder/Clock.ini" ||
    fail "Clock.ini changed: $(cat "$folder/Clock.ini")"
echo "case: a sound server that accepts and never answers holds up neither the box nor the close"
pulse_pid=$(pgrep -f "pulseaudio -n --daemonize=no.*$E2E_WORK" | head -n1)
[ -n "$pulse_pid" ] || fail "the test's PulseAudio is not running"
kill -STOP "$pulse_pid"
export PULSE_SERVER=unix:$E2E_WORK/pulse/native
folder=$(alarm_folder)
start_clock "$folder" SORANE_TEST_START_TIME=2026-12-07T12:00:58
wait_for 15 message_box "$CLOCK_PID" || fail "the alarm did not go off with a hung sound server"
answer_message_box "$CLOCK_PID"
kill -TERM "$CLOCK_PID"
closed=$SECONDS
wait_exit "$CLOCK_PID" 20
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS with a hung sound server"
[ $((SECONDS - closed)) -le 10 ] || fail "the clock took $((SECONDS - closed)) s to end after its close"
# The next start is a clock, not 'already running'.
start_clock "$folder"
wait_for_clock "$CLOCK_PID" >/dev/null
no_message_box "$CLOCK_PID" || fail "a start after the close was told a clock runs"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
kill -CONT "$pulse_pid"
echo "PASS"
