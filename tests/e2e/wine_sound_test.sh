#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The notification sound of the Windows build, played with PlaySoundW,
# reaching a private PulseAudio's null sink through Wine's winepulse: a
# countdown armed in the timer dialog goes off with the surprised face, its
# box and the chime, heard on the sink until the box is closed.
#
# TEST_CLOCK names the Windows test clock (sorane_test_clock.exe), run with
# time thirty times faster: the three-minute countdown ends in six seconds.
source "$(dirname "$0")/wine_lib.sh"
: "${TEST_CLOCK:?TEST_CLOCK must name sorane_test_clock.exe}"

# Wine finds the private PulseAudio by PULSE_SERVER, as any client does.
start_pulseaudio
start_wine

# What reaches the sink, recorded from its monitor as raw 16-bit samples.
parec --device=sorane_test_sink.monitor --format=s16le --channels=1 --rate=8000 --raw \
    >"$E2E_WORK/heard.raw" 2>"$E2E_WORK/parec.log" &
E2E_PIDS+=($!)
wait_for 10 bash -c "pactl list source-outputs short | grep -q ." || fail "parec did not start"

# The loudest sample recorded after byte offset $1.
loudest_since() {
    tail -c +$(($1 + 1)) "$E2E_WORK/heard.raw" | od -An -v -td2 -w2 |
        awk '{v = $1 < 0 ? -$1 : $1; if (v > max) max = v} END {print max + 0}'
}

# True while a stream of the Windows clock plays into the sink.
clock_stream() {
    pactl list sink-inputs | grep -q 'application.name = "sorane_test_clock.exe"'
}

heard_since() {
    [ "$(loudest_since "$1")" -gt 1000 ]
}

echo "case: a countdown's chime reaches the sink while its box is open"
folder=$(new_windows_folder)
cp "$TEST_CLOCK" "$folder/"
# The chime four times over, so that it still plays when the box is closed.
python3 - "$folder/chimes.wav" "$folder/長い.wav" <<'PYTHON'
import sys, wave
with wave.open(sys.argv[1]) as chime:
    params, frames = chime.getparams(), chime.readframes(chime.getnframes())
with wave.open(sys.argv[2], "wb") as longer:
    longer.setparams(params)
    longer.writeframes(frames * 4)
PYTHON
printf '[Mode]\r\nView=0\r\n[Pos]\r\nTop=3000\r\nLeft=4500\r\n[Time]\r\nWave=%s\r\n' \
    "$(windows_path "$folder")\\長い.wav" >"$folder/Clock.ini"
start_windows_clock "$folder" sorane_test_clock.exe SORANE_TEST_TIME_SCALE=30
clock=$(wait_for_windows_clock "$CLOCK_PID")
open_menu "$CLOCK_PID" "$clock" >/dev/null
choose_entry first
dialog=$(wait_for_titled_window "$CLOCK_PID")
click_control "$dialog" 3510 2445 1440 120 255 315  # 簡易タイマー, three minutes
click_control "$dialog" 3510 2445 120 1860 1215 435  # ＯＫ
box=$(wait_for_titled_window "$CLOCK_PID" "$dialog")
expect_message "$box" "タイマーの設定情報を保存しました。"
before=$(stat -c %s "$E2E_WORK/heard.raw")
answer_box "$CLOCK_PID" "$box"
wait_for 10 bash -c "! xdotool search --onlyvisible --pid $CLOCK_PID | grep -qx $dialog" ||
    fail "the timer dialog stayed open"
box=$(wait_for_titled_window "$CLOCK_PID")
screenshot countdown "600x450+0+0"
wait_for 10 heard_since "$before" || fail "nothing reached the sink (loudest sample $(loudest_since "$before"))"
pactl list sink-inputs >"$E2E_WORK/streams.txt"
clock_stream || fail "the sound came from another stream: $(cat "$E2E_WORK/streams.txt")"
expect_message "$box" "時間です！|3分経ちました"
answer_box "$CLOCK_PID" "$box"
# Closing the box stops the chime: the sink falls silent.
after=$(stat -c %s "$E2E_WORK/heard.raw")
wait_for 3 bash -c "[ \$(stat -c %s '$E2E_WORK/heard.raw') -gt $((after + 8000)) ]" ||
    fail "the recording stopped"
late=$(($(stat -c %s "$E2E_WORK/heard.raw") - 4000))
[ "$(loudest_since "$late")" -lt 100 ] || fail "the chime went on after the box was closed"
kill "$CLOCK_PID"
wait_exit "$CLOCK_PID" 20
echo "PASS"
