#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The countdown's box while the user types in another window: it comes up
# above every window, but the keys go on into the window being typed in, so
# that Enter or Space meant there cannot close it unseen. It closes by a
# click on OK, or by a key once the user has moved to it. Under the window
# manager named ("icewm" unless another is given).
source "$(dirname "$0")/lib.sh"
start_desktop "${1:-icewm}"

# An xterm whose typed lines go into a file: what the user typed, and where.
typed=$E2E_WORK/typed.txt
xterm -geometry 60x10+300+300 -title typing -e sh -c "cat >'$typed'" &
E2E_PIDS+=($!)
wait_for 10 xdotool search --name '^typing$' || fail "no xterm"
terminal=$(xdotool search --name '^typing$' | head -1)

# A clock whose countdown ends some seconds from now: armed in its timer
# dialog, three minutes at forty times the speed.
arm_countdown() {
    folder=$(new_program_folder)
    start_clock "$folder" SORANE_TEST_TIME_SCALE=40
    window=$(wait_for_clock "$CLOCK_PID")
    choose_from_menu "$window" first
    wait_for 10 window_named "$CLOCK_PID" "ソラネ Ver.1.1" || fail "no timer dialog"
    local dialog dx dy
    dialog=$(window_named "$CLOCK_PID" "ソラネ Ver.1.1")
    read -r dx dy < <(window_position "$dialog")
    input mousemove --sync $((dx + 104)) $((dy + 18)) click 1 # the countdown's box
    input mousemove --sync $((dx + 48)) $((dy + 138)) click 1 # Ｏ　Ｋ
    answer_message_box "$CLOCK_PID"                            # 保存しました
}

# Types into the xterm, with the pointer over it, as a user does.
type_in_terminal() {
    input mousemove --sync 400 350
    input type --delay 30 "$1"
}

for way in click keyboard; do
    echo "case: the countdown ends while the user types elsewhere; closed by $way"
    arm_countdown
    input mousemove --sync 400 350 click 1
    wait_for 5 is_active "$terminal" || fail "the xterm did not take the keyboard"
    type_in_terminal "before "
    wait_for 20 message_box "$CLOCK_PID" || fail "no box: the countdown did not go off, or a key closed its box unseen"
    box=$(message_box "$CLOCK_PID")
    # Enter and Space, as someone typing presses them: into the xterm.
    type_in_terminal "after box "
    input key space Return
    wait_for 5 bash -c "grep -q 'before after box' '$typed'" ||
        fail "the typing did not reach the xterm: '$(cat "$typed")'"
    message_box "$CLOCK_PID" >/dev/null || fail "a keystroke closed the box"
    is_active "$terminal" || fail "the box took the keyboard from the xterm"
    stacked_above "$box" "$terminal" || fail "the box is not above the xterm"
    screen_image "${SCREENSHOTS:-$E2E_WORK}/announcement-$way.png" 2>/dev/null || true
    if [ "$way" = click ]; then
        click_message_box_ok "$CLOCK_PID"
    else
        # Moved to (as Alt+Tab or a click on its title moves the user there),
        # Enter closes it.
        answer_message_box "$CLOCK_PID"
    fi
    : >"$typed"
    kill -TERM "$CLOCK_PID"
    wait_exit "$CLOCK_PID"
done
echo "PASS"
