#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The clock under a real window manager or Wayland compositor (the first
# argument: icewm, openbox, herbstluftwm, i3, awesome, dwm, twm, or weston,
# mutter or cage with XWayland): it is round; the place it is saved at is
# where it is on the screen, after a start, a drag, SIGTERM or Esc; and its settings dialog and
# Esc's message box come up, and stay, above it. With picom as the second
# argument, a compositing manager runs beside the window manager.
source "$(dirname "$0")/lib.sh"
wm=${1:?name the window manager}
compositor=${2:-}
case $wm in
    weston) start_weston_desktop 1 1024 768 ;;
    mutter) start_mutter_desktop ;;
    cage) start_cage_desktop ;;
    *) start_desktop "$wm" ;;
esac

if [ "$wm" = cage ]; then
    # A kiosk makes the clock's window fill its output, at its top left:
    # neither that place nor that size is the user's.
    echo "case (cage): laid out by the compositor, the clock keeps the user's place; its menu opens"
    for close_by in TERM menu; do
        folder=$(new_program_folder)
        printf '[Pos]\r\nTop=3000\r\nLeft=6000\r\n' >"$folder/Clock.ini"
        start_clock "$folder"
        wait_for 10 window_named "$CLOCK_PID" ソラネ || fail "no clock window"
        window=$(window_named "$CLOCK_PID" ソラネ)
        wait_for 5 is_viewable "$window" || fail "the clock is not shown"
        if [ "$close_by" = menu ]; then
            # The dial lies at the window's top left; the menu comes as a
            # window of the clock's own, and its last entry ends the clock.
            input mousemove --sync 75 75 click 3
            menu_open() { [ "$(xdotool search --onlyvisible --pid "$CLOCK_PID" | wc -l)" -ge 2 ]; }
            wait_for 10 menu_open || fail "the right button opened no menu"
            input key Up Return
            wait_for 10 message_box "$CLOCK_PID" || fail "the menu's Exit gave no message box"
            answer_message_box "$CLOCK_PID"
        else
            sleep 1
            kill -TERM "$CLOCK_PID"
        fi
        wait_exit "$CLOCK_PID"
        [ "$EXIT_STATUS" = 0 ] || fail "$close_by: exit status $EXIT_STATUS"
        expect_file "$folder/Clock.ini" '[Pos]\r\nTop=3000\r\nLeft=6000\r\n'
    done
    echo "PASS"
    exit 0
fi
if [ "$compositor" = picom ]; then
    picom --backend xrender --no-fading-openclose >"$E2E_WORK/picom.log" 2>&1 &
    E2E_PIDS+=($!)
    wm="$wm with picom"
fi

echo "case ($wm): the clock is round, its corners show what lies behind it"
if screenshots_possible; then
    folder=$(new_program_folder)
    printf '[Pos]\r\nTop=1500\r\nLeft=4500\r\n' >"$folder/Clock.ini"
    show_backdrop 200 50 400 300
    start_clock "$folder"
    window=$(wait_for_clock "$CLOCK_PID")
    wait_for 10 corners_show_backdrop "$window" || fail "the clock's corners hide the backdrop behind it"
    # Clear or opaque, the faces come from the pictures baked for the scale.
    ! grep -q libqsvg "/proc/$CLOCK_PID/maps" || fail "the faces were drawn from their SVG sources"
    kill -TERM "$CLOCK_PID"
    wait_exit "$CLOCK_PID"
    xdotool search --name '^backdrop$' windowkill 2>/dev/null || true
else
    echo "  skipped: no picture of the screen can be had here"
fi

echo "case ($wm): a stored place is kept by SIGTERM and by Esc; Esc's box is above the clock"
# The clock over the middle of the screen, where a message box opens.
for close_by in TERM Esc; do
    folder=$(new_program_folder)
    printf '[Pos]\r\nTop=3600\r\nLeft=6555\r\n' >"$folder/Clock.ini"
    start_clock "$folder"
    window=$(wait_for_clock "$CLOCK_PID")
    # i3 shifts a window as it first shows it; the clock puts itself back.
    wait_for 5 window_at "$window" "437 240" || fail "clock at $(window_position "$window")"
    # Long enough for the window manager to have reparented and configured it.
    sleep 1
    if [ "$close_by" = TERM ]; then
        kill -TERM "$CLOCK_PID"
    else
        input mousemove --sync 512 315 click 1
        wait_for 10 is_active "$window" || fail "the clock did not take the keyboard"
        input key Escape
        wait_for 10 message_box "$CLOCK_PID" || fail "Esc gave no message box"
        sleep 0.5
        shown_above "$(message_box "$CLOCK_PID")" "$window" || fail "Esc's box is below the clock"
        answer_message_box "$CLOCK_PID"
    fi
    wait_exit "$CLOCK_PID"
    [ "$EXIT_STATUS" = 0 ] || fail "$close_by: exit status $EXIT_STATUS"
    expect_file "$folder/Clock.ini" '[Pos]\r\nTop=3600\r\nLeft=6555\r\n'
done

echo "case ($wm): a drag by +100,+50 moves the clock by exactly that and is saved"
folder=$(new_program_folder)
printf '[Pos]\r\nTop=1500\r\nLeft=4500\r\n' >"$folder/Clock.ini"
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
sleep 1
asked=$(compositor_moves_asked)
input mousemove --sync 370 170 mousedown 1
# Where the compositor moves the window, it does from when the clock has
# asked it to: travel before that would be lost.
wait_for 5 asked_to_move_since "$asked" || fail "the clock did not ask to be moved"
for step in 1 2 3 4 5; do
    input mousemove --sync $((370 + step * 20)) $((170 + step * 10))
done
input mouseup 1
wait_for 5 window_at "$window" "400 150" ||
    fail "dragged to $(window_position "$window"), not 400 150"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
expect_file "$folder/Clock.ini" '[Pos]\r\nTop=2250\r\nLeft=6000\r\n'

echo "case ($wm): the settings dialog comes up above the clock and stays there"
folder=$(new_program_folder)
# The clock where the dialog opens, its top half out from under the dialog:
# over the middle of the screen, or at the top left, where herbstluftwm puts
# a floating window.
if [ "$wm" = herbstluftwm ]; then
    printf '[Pos]\r\nTop=0\r\nLeft=1500\r\n' >"$folder/Clock.ini"
else
    printf '[Pos]\r\nTop=3600\r\nLeft=6555\r\n' >"$folder/Clock.ini"
fi
start_clock "$folder"
window=$(wait_for_clock "$CLOCK_PID")
sleep 1
! screenshots_possible || screen_image "$E2E_WORK/before.png"
choose_from_menu "$window" second
wait_for 10 window_named "$CLOCK_PID" "ソラネ Ver.1.1" || fail "no settings dialog"
dialog=$(window_named "$CLOCK_PID" "ソラネ Ver.1.1")
sleep 0.5
shown_above "$dialog" "$window" || fail "the dialog is below the clock: $(stacking_order)"
# Clicking the clock (as a drag starts) must not bring it over the dialog.
read -r cx cy < <(window_position "$window")
input mousemove --sync $((cx + 75)) $((cy + 20)) click 1
# dwm raises the clock, and only a dialog shown anew over it again.
wait_for 5 shown_above "$dialog" "$window" || fail "a click brought the clock over the dialog"
is_viewable "$dialog" || fail "the dialog closed when brought back over the clock"
# Where the window manager opens the dialog over the clock, a point of its
# first colour list, right of its text, lies over the face: the
# screen shows the list there, not the face.
read -r dx dy < <(window_position "$dialog")
px=$((dx + 150)) py=$((dy + 14))
if screenshots_possible && [ $px -gt $cx ] && [ $px -lt $((cx + 150)) ] &&
    [ $py -gt $cy ] && [ $py -lt $((cy + 150)) ]; then
    face=$(convert "$E2E_WORK/before.png" -crop "1x1+$px+$py" -depth 8 txt:- |
        sed -n 's/.*srgb(\([0-9]*,[0-9]*,[0-9]*\)).*/\1/p')
    shown=$(pixel_colour "$px" "$py")
    IFS=, read -r red green blue <<<"$shown"
    [ "$shown" != "$face" ] && [ $((blue - red)) -lt 12 ] && [ $((red - blue)) -lt 12 ] ||
        fail "at $px,$py the screen shows $shown, not the list (the face there is $face)"
elif [ "$wm" != awesome ] && [ -z "${INPUT_DISPLAY:-}" ] && screenshots_possible; then
    # X11 window managers open it over the clock: centred, as asked, or
    # (herbstluftwm) at the top left. awesome opens a window where it
    # overlaps others least.
    fail "the list point $px,$py is not over the clock at $cx,$cy"
fi
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
echo "PASS"
