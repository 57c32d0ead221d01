# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT

# Helpers for the end-to-end tests: a private X display with a window
# manager that has a tray (icewm), a fresh program folder for each case, and
# ways to find and drive the clock's windows with xdotool.
#
# The tests source this file; SORANE is the executable under test.

set -euo pipefail

: "${SORANE:?SORANE must name the sorane executable}"
E2E_WORK=$(mktemp -d /tmp/sorane-e2e.XXXXXX)
E2E_PIDS=()

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        # A process a case stopped (a hung sound server) ends only once continued.
        kill -- "$pid" 2>/dev/null || true
        kill -CONT -- "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${CLOCK_PID:-}" ] && [ -n "${DISPLAY:-}" ]; then
        local id
        for id in $(xdotool search --onlyvisible --pid "$CLOCK_PID" 2>/dev/null); do
            echo "  window $id: $(xdotool getwindowname "$id") $(xwininfo -id "$id" | grep -E 'geometry')" >&2
        done
    fi
    if [ -n "${SCREEN_DISPLAY-${DISPLAY:-}}" ]; then
        screen_image "/tmp/sorane-e2e-failure-$$.png" 2>/dev/null &&
            echo "screenshot: /tmp/sorane-e2e-failure-$$.png" >&2
    fi
    exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local limit=$1
    shift
    local end=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}

# Real input (XTEST) goes to INPUT_DISPLAY, the display the desktop takes its
# input from: the outer Xvfb for a nested Weston, else DISPLAY.
input() {
    DISPLAY=${INPUT_DISPLAY:-$DISPLAY} xdotool "$@"
}

# What the screen shows, as a picture file; SCREEN_DISPLAY is where it can be
# read (the outer Xvfb for a nested Weston, else DISPLAY; empty where no
# picture of the screen can be had, as under headless mutter).
screen_image() {
    DISPLAY=${SCREEN_DISPLAY-$DISPLAY} import -window root "$@"
}

screenshots_possible() {
    [ -n "${SCREEN_DISPLAY-$DISPLAY}" ]
}

# Starts Xvfb on a free display and a window manager on it: icewm (with its
# tray) unless another is named ("openbox", "fluxbox") or "--no-wm"; the
# screen is 1024x768x24 unless $2 gives another.
start_desktop() {
    local wm=${1:-icewm} size=${2:-1024x768x24}
    exec 5>"$E2E_WORK/display"
    # -noreset: a server resets when its last client leaves, as the probe
    # below does, and a window manager connecting during the reset is
    # refused (openbox failed three starts in a row so on a loaded machine).
    Xvfb -displayfd 5 -screen 0 "$size" -nolisten tcp -noreset >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 10 test -s "$E2E_WORK/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$E2E_WORK/display")"
    wait_for 10 xdpyinfo || fail "display $DISPLAY not answering"
    [ "$wm" != --no-wm ] || return 0
    # Ready when icewm's tray is up (the tray tests need it), or when any
    # other window manager has announced itself.
    local ready=wm_present attempt command=("$wm")
    [ "$wm" != icewm ] || ready=tray_host_present
    [ "$wm" != herbstluftwm ] || ready=herbstluftwm_configured
    # Should a window manager still fail to start, a second start succeeds.
    if [ "$wm" = i3 ]; then
        # Debian's configuration starts i3's first-run wizard, which holds
        # the keyboard until answered: the rest of it, as a user has it then.
        grep -v i3-config-wizard /etc/i3/config >"$E2E_WORK/i3.config"
        command=(i3 -c "$E2E_WORK/i3.config")
    fi
    if [ "$wm" = twm ]; then
        # twm knows nothing of the extended hints. Its default asks the user
        # to place each new window by hand; a user's twmrc places them.
        printf 'RandomPlacement\nNoGrabServer\n' >"$E2E_WORK/twmrc"
        command=(twm -f "$E2E_WORK/twmrc")
        ready=twm_present
    fi
    for attempt in 1 2 3; do
        "${command[@]}" >"$E2E_WORK/$wm.log" 2>&1 &
        E2E_PIDS+=($!)
        wait_for 10 "$ready" && return 0
        echo "$wm attempt $attempt did not start:" >&2
        cat "$E2E_WORK/$wm.log" >&2
        kill "$!" 2>/dev/null || true
    done
    fail "$wm did not start"
}

# A private PulseAudio whose only output is a null sink, sorane_test_sink;
# exports PULSE_SERVER, by which its clients find it.
start_pulseaudio() {
    local pulse=$E2E_WORK/pulse
    mkdir -m 700 "$pulse"
    XDG_RUNTIME_DIR=$pulse HOME=$pulse pulseaudio -n --daemonize=no --exit-idle-time=-1 \
        --use-pid-file=no -L "module-null-sink sink_name=sorane_test_sink" \
        -L "module-native-protocol-unix socket=$pulse/native auth-anonymous=1" \
        >"$E2E_WORK/pulseaudio.log" 2>&1 &
    E2E_PIDS+=($!)
    export PULSE_SERVER=unix:$pulse/native
    wait_for 10 pactl info || fail "PulseAudio did not start: $(cat "$E2E_WORK/pulseaudio.log")"
}

# True once a window manager has announced itself (EWMH).
wm_present() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

# herbstluftwm reads its rules from a script it starts: ready once the last
# of the default rules is in.
# twm says nothing of itself but a colour property on the root window.
twm_present() {
    xprop -root _MIT_PRIORITY_COLORS | grep -q CARDINAL
}
herbstluftwm_configured() {
    herbstclient list_rules | grep -q fixedsize
}

tray_host_present() {
    xwininfo -root -tree | grep -q '"SystemTray"'
}

# True while a tray icon of the program sits in icewm's tray.
tray_icon_present() {
    xwininfo -root -tree | grep -A2 '"YXTrayEmbedder"' | grep -q '"sorane"'
}

# The program's tray icon, docked in whichever tray: a small window of its
# own that the tray holds; nothing while it has none.
tray_icon_of() {
    local pid=$1 id w h
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        read -r w h < <(window_size "$id")
        if [ "$w" -le 64 ] && [ "$h" -le 64 ] && [ "$w" -gt 1 ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# The program's open pop-up menu: a window no window manager frames, larger
# than a tray icon; nothing while none is open.
popup_menu_of() {
    local pid=$1 id h
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        xwininfo -id "$id" | grep -q 'Override Redirect State: yes' || continue
        read -r _ h < <(window_size "$id")
        [ "$h" -gt 64 ] || continue
        echo "$id"
        return 0
    done
    return 1
}

# Right-presses the program's tray icon and waits for its menu.
open_tray_menu() {
    local pid=$1 icon x y
    wait_for 10 tray_icon_of "$pid" || fail "no tray icon"
    icon=$(tray_icon_of "$pid")
    read -r x y < <(window_position "$icon")
    input mousemove --sync $((x + 8)) $((y + 8)) click 3
    wait_for 10 popup_menu_of "$pid" || fail "the tray icon's menu did not open"
}

# Clicks the last entry (終　了) of the program's open pop-up menu.
click_last_menu_entry() {
    local pid=$1 menu x y w h
    menu=$(popup_menu_of "$pid")
    read -r x y < <(window_position "$menu")
    read -r w h < <(window_size "$menu")
    input mousemove --sync $((x + w / 2)) $((y + h - 12)) click 1
}

# Clicks OK, the one button of the program's message box, at the box's
# bottom right.
click_message_box_ok() {
    local pid=$1 box x y w h
    wait_for 10 message_box "$pid" || fail "no message box"
    box=$(message_box "$pid")
    read -r x y < <(window_position "$box")
    read -r w h < <(window_size "$box")
    input mousemove --sync $((x + w - 50)) $((y + h - 22)) click 1
    wait_for 10 no_message_box "$pid" || fail "the message box did not close"
}

# A fresh program folder with the executable and its read-me; prints its path.
new_program_folder() {
    local folder
    folder=$(mktemp -d "$E2E_WORK/program.XXXXXX")
    cp "$SORANE" "$folder/sorane"
    cp "$(dirname "$SORANE")/ReadMeT.txt" "$folder/" 2>/dev/null || true
    mkdir -m 700 "$folder/run"
    echo "$folder"
}

# Starts the clock from a program folder; sets CLOCK_PID.
start_clock() {
    local folder=$1
    shift
    (cd "$folder" && exec env XDG_RUNTIME_DIR="$folder/run" \
        SORANE_TEST_INSTANCE="$(basename "$folder")" "$@" ./sorane \
        >"$folder/stdout.log" 2>"$folder/stderr.log") &
    CLOCK_PID=$!
    E2E_PIDS+=("$CLOCK_PID")
}

# The clock window (150 x 150, or CLOCK_PIXELS across) of a process, or nothing.
clock_window() {
    local pid=$1 id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        if xwininfo -id "$id" | grep -q "Width: ${CLOCK_PIXELS:-150}\$" &&
            xwininfo -id "$id" | grep -q "Height: ${CLOCK_PIXELS:-150}\$"; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

wait_for_clock() {
    local pid=$1
    wait_for 15 clock_window "$pid" || fail "the clock window did not appear"
    clock_window "$pid"
}

# A visible window of the process whose title is exactly $2.
window_named() {
    local pid=$1 name=$2 id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id")" = "$name" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# True while the window has the keyboard.
is_active() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$(($1))" ] ||
        [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$(($1))" ]
}

# The program's message box now on screen, or nothing: a modal window, or,
# where the window manager keeps no such state (Weston), one transient for
# the program's group rather than for the clock as its dialogs are.
message_box() {
    local pid=$1 id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id")" = "ソラネ Ver.1.1" ] || continue
        if xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL ||
            [ "$(xprop -id "$id" WM_TRANSIENT_FOR | awk '{print $NF}')" = \
                "$(xprop -id "$id" WM_CLIENT_LEADER | awk '{print $NF}')" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

no_message_box() {
    ! message_box "$@"
}

# Waits for the program's message box and answers it with Enter.
answer_message_box() {
    local pid=$1 box
    wait_for 10 message_box "$pid" || fail "no message box"
    box=$(message_box "$pid")
    if [ -n "${INPUT_DISPLAY:-}" ]; then
        # Weston gives a new window the keyboard, and takes no requests to.
        wait_for 5 is_active "$box" || fail "the message box did not take the keyboard"
        input key Return
    else
        # A box that came up by itself (the countdown's, the alarm's) takes
        # the keyboard once it is on the screen: moved to before, it stays
        # without, as it does for a user.
        wait_for 5 accepts_keyboard "$box" || fail "the message box never takes the keyboard"
        # A manager without the extended hints (twm) is asked nothing: the
        # box is given the keyboard directly. Enter only once the server has
        # given it the keyboard, as a user presses it once there.
        xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
        wait_for 5 has_keyboard "$box" || fail "the message box did not get the keyboard"
        xdotool key Return
    fi
    wait_for 10 no_message_box "$pid" || fail "the message box did not close"
}

# True while the server sends the keyboard's keys to the window.
has_keyboard() {
    [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$(($1))" ]
}

# True when the window may be given the keyboard (ICCCM's input hint).
accepts_keyboard() {
    xprop -id "$1" WM_HINTS | grep -q 'accepts input or input focus: True'
}

no_window_named() {
    ! window_named "$@"
}

# The window's top-left corner on the screen as "X Y".
window_position() {
    # xwininfo gives the corner of a border the window manager drew around
    # the window; the window itself begins inside it.
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Border width/ {b=$NF} END {print x + b, y + b}'
}

# The window's width and height as "W H".
window_size() {
    xwininfo -id "$1" | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h}'
}

# True while window $1's top-left corner is at $2 ("X Y").
window_at() {
    [ "$(window_position "$1")" = "$2" ]
}

# Waits for the clock to end; sets EXIT_STATUS.
wait_exit() {
    local pid=$1 limit=${2:-10} end
    end=$((SECONDS + limit))
    while kill -0 "$pid" 2>/dev/null; do
        [ $SECONDS -lt $end ] || fail "process $pid did not end"
        sleep 0.1
    done
    EXIT_STATUS=0
    wait "$pid" || EXIT_STATUS=$?
}

# Fails unless the file holds exactly the text given (with \r\n written as such).
expect_file() {
    local file=$1 expected=$2
    local actual
    actual=$(od -An -c "$file" | tr -s ' \n' ' ')
    local wanted
    wanted=$(printf "$expected" | od -An -c | tr -s ' \n' ' ')
    [ "$actual" = "$wanted" ] || fail "$file holds:$actual; expected:$wanted"
}

# The colour of one screen pixel as "R,G,B".
pixel_colour() {
    screen_image -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*srgb(\([0-9]*,[0-9]*,[0-9]*\)).*/\1/p'
}

# A window of the colour Weston's background has (#204060), W x H at X,Y,
# to lie behind the clock.
show_backdrop() {
    # The picture is as large as the screen: a tiling manager makes the
    # window larger than asked, and it is all the backdrop's colour still.
    display -title backdrop -geometry "$3x$4+$1+$2" -size 1024x768 xc:'#204060' \
        >"$E2E_WORK/backdrop.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 10 xdotool search --onlyvisible --name '^backdrop$' ||
        fail "the backdrop window did not appear"
}

# True when the four corners of the clock window $1, outside its dial, show
# the backdrop's colour: what lies behind the clock, not a square. Weston
# lays a shadow under every undecorated window, which darkens the backdrop
# there to as little as half; its hue stays.
corners_show_backdrop() {
    local x y corner red green blue
    read -r x y < <(window_position "$1")
    for corner in "2 2" "147 2" "2 147" "147 147"; do
        set -- $corner
        IFS=, read -r red green blue <<<"$(pixel_colour $((x + $1)) $((y + $2)))"
        [ "$red" -ge 14 ] && [ "$red" -le 40 ] &&
            [ $((green - 2 * red)) -ge -6 ] && [ $((green - 2 * red)) -le 6 ] &&
            [ $((blue - 3 * red)) -ge -8 ] && [ $((blue - 3 * red)) -le 8 ] || return 1
    done
}

# True while the window is mapped (shown).
is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Presses the right button on the clock's face and picks a menu entry with
# the keyboard: "first" (タイマー), "second" (環境設定) or "last" (終　了).
choose_from_menu() {
    local window=$1 which=$2
    read -r x y < <(window_position "$window")
    input mousemove --sync $((x + 75)) $((y + 75)) click 3
    sleep 0.5
    if [ "$which" = first ]; then
        input key Down Return
    elif [ "$which" = second ]; then
        input key Down Down Return
    else
        input key Up Return
    fi
}

# The window ids from bottom to top, as the window manager stacks them.
stacking_order() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'
}

in_stacking_order() {
    stacking_order | tr ' ' '\n' | grep -q "^$(printf '0x%x' $(($1)))\$"
}

# The child of the root window that window $1 lies in: its frame, or itself.
top_level_of() {
    local id=$(($1)) parent root
    root=$(($(xwininfo -root | awk '/Window id:/ {print $4}')))
    while parent=$(($(xwininfo -children -id "$id" | awk '/Parent window id:/ {print $4}'))) &&
        [ "$parent" != "$root" ] && [ "$parent" != 0 ]; do
        id=$parent
    done
    echo "$id"
}

# True when window $1 lies above window $2 in the X server's stacking of the
# root's children (xwininfo lists the top-most first).
frame_stacked_above() {
    local upper lower id
    upper=$(top_level_of "$1") lower=$(top_level_of "$2")
    for id in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
        id=$((id))
        [ "$id" = "$upper" ] && return 0
        [ "$id" = "$lower" ] && return 1
    done
    return 1
}

# True when window $1 lies above window $2 in the window manager's stacking.
stacked_above() {
    local upper=$(($1)) lower=$(($2)) seen_lower=0 id
    for id in $(stacking_order); do
        id=$((id))
        [ "$id" = "$lower" ] && seen_lower=1
        [ "$id" = "$upper" ] && [ "$seen_lower" = 1 ] && return 0
    done
    return 1
}

# Starts Xvfb and in it a nested Weston with $1 outputs (2 unless given) of
# $2 x $3 (800 x 600) side by side, and sets DISPLAY to Weston's XWayland
# (WESTON_LOG: Weston's log, with its X window manager's messages;
# OUTER_DISPLAY, also INPUT_DISPLAY and SCREEN_DISPLAY: the Xvfb, where the
# outputs are shown and real input goes in). Exits 77 when Weston cannot
# start on this machine.
start_weston_desktop() {
    local outputs=${1:-2} width=${2:-800} height=${3:-600}
    command -v weston >/dev/null && command -v Xwayland >/dev/null || {
        echo "SKIP: weston or Xwayland is not installed"
        exit 77
    }
    # A strip beside the outputs, for the pointer to enter them from.
    start_desktop --no-wm "$((outputs * width + 16))x${height}x24"
    OUTER_DISPLAY=$DISPLAY
    mkdir -m 700 "$E2E_WORK/weston-run"
    printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nbackground-color=0xff204060\nlocking=false\nanimation=none\nstartup-animation=none\n' \
        >"$E2E_WORK/weston.ini"
    WESTON_LOG=$E2E_WORK/weston.log
    XDG_RUNTIME_DIR=$E2E_WORK/weston-run weston --config="$E2E_WORK/weston.ini" \
        --backend=x11-backend.so --output-count="$outputs" --width="$width" --height="$height" \
        --xwayland --socket=sorane-e2e --log="$WESTON_LOG" --logger-scopes=log,xwm-wm-x11 \
        >"$E2E_WORK/weston.out" 2>&1 &
    E2E_PIDS+=($!)
    if ! wait_for 15 grep -q 'xserver listening on display' "$WESTON_LOG"; then
        echo "SKIP: Weston did not start:"
        cat "$E2E_WORK/weston.out" "$WESTON_LOG" 2>/dev/null | tail -n 20
        exit 77
    fi
    # Side by side on the Xvfb too, as they lie in Weston's space.
    local screen id
    output_window() {
        xwininfo -root -tree | awk -v name="\"Weston Compositor - screen$1\"" 'index($0, name) {print $1; exit}' | grep .
    }
    for screen in $(seq 0 $((outputs - 1))); do
        wait_for 10 output_window "$screen" || fail "no output $screen"
        id=$(output_window "$screen")
        xdotool windowmove --sync "$id" $((screen * width)) 0
    done
    # Weston follows the pointer from when it enters an output: Xvfb's
    # pointer starts within one.
    xdotool mousemove --sync $((outputs * width + 8)) 0 mousemove --sync $((width / 2)) $((height / 2))
    export DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WESTON_LOG" | head -n1)
    INPUT_DISPLAY=$OUTER_DISPLAY
    SCREEN_DISPLAY=$OUTER_DISPLAY
    wait_for 15 xdpyinfo || fail "XWayland on $DISPLAY not answering"
    wait_for 10 wm_present || fail "Weston's X window manager did not announce itself"
}

# Starts mutter (GNOME's compositor) headless, in a D-Bus session of its own,
# with one virtual monitor of 1024 x 768, and sets DISPLAY to its XWayland.
# Real input goes into XWayland by XTEST; there is no picture of the screen
# to be had (SCREEN_DISPLAY is empty). Exits 77 when mutter cannot start.
# cage, a kiosk compositor that makes every window fill its output, nested
# in an Xvfb, with its XWayland. cage will not run as root: there it runs as
# nobody, and lets this user's clients in.
start_cage_desktop() {
    command -v cage >/dev/null && command -v Xwayland >/dev/null || {
        echo "SKIP: cage or Xwayland is not installed"
        exit 77
    }
    start_desktop --no-wm 1024x768x24
    OUTER_DISPLAY=$DISPLAY
    local run=$E2E_WORK/cage-run as=()
    mkdir -m 700 "$run"
    if [ "$(id -u)" = 0 ]; then
        chown nobody: "$run"
        chmod 777 "$E2E_WORK"
        as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    # cage runs one program and ends with it: one that hands over XWayland's
    # display and then waits. A session of its own, so that everything it
    # starts ends with it.
    XDG_RUNTIME_DIR=$run WLR_BACKENDS=x11 WLR_RENDERER=pixman WLR_X11_OUTPUTS=1 \
        setsid "${as[@]}" cage -- sh -c "xhost +si:localuser:$(id -un) >/dev/null; echo \"\$DISPLAY\" >$E2E_WORK/cage.display; exec sleep 3600" \
        >"$E2E_WORK/cage.log" 2>&1 &
    E2E_PIDS+=("-$!")
    if ! wait_for 15 test -s "$E2E_WORK/cage.display"; then
        echo "SKIP: cage did not start:"
        tail -n 20 "$E2E_WORK/cage.log"
        exit 77
    fi
    export DISPLAY=$(cat "$E2E_WORK/cage.display")
    INPUT_DISPLAY=$OUTER_DISPLAY
    SCREEN_DISPLAY=$OUTER_DISPLAY
    wait_for 15 xdpyinfo || fail "cage's XWayland on $DISPLAY not answering"
}

start_mutter_desktop() {
    command -v mutter >/dev/null && command -v dbus-run-session >/dev/null || {
        echo "SKIP: mutter or dbus-run-session is not installed"
        exit 77
    }
    local run=$E2E_WORK/mutter-run
    mkdir -m 700 "$run"
    # A session of its own, so that everything it starts ends with it.
    XDG_RUNTIME_DIR=$run setsid dbus-run-session -- \
        mutter --headless --wayland --virtual-monitor 1024x768 >"$E2E_WORK/mutter.log" 2>&1 &
    E2E_PIDS+=("-$!")
    mutter_display() {
        sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$E2E_WORK/mutter.log" | grep .
    }
    if ! wait_for 20 mutter_display; then
        echo "SKIP: mutter did not start:"
        tail -n 20 "$E2E_WORK/mutter.log"
        exit 77
    fi
    export DISPLAY=$(mutter_display)
    export XAUTHORITY
    XAUTHORITY=$(ls "$run"/.mutter-Xwaylandauth.* | head -n1)
    SCREEN_DISPLAY=
    wait_for 15 xdpyinfo || fail "mutter's XWayland on $DISPLAY not answering"
    wait_for 10 wm_present || fail "mutter did not announce itself"
}

# True when what the screen shows puts window $1 above window $2: by the
# window manager's stacking where it tells it; else (Weston) by the colour
# where they overlap, which must be $1's grey, not the clock's colours. Two
# windows that do not overlap hide nothing of each other.
shown_above() {
    if xprop -root _NET_CLIENT_LIST_STACKING | grep -q 'window id'; then
        if in_stacking_order "$1" && in_stacking_order "$2"; then
            stacked_above "$1" "$2"
        else
            # One is left alone by the window manager (herbstluftwm): the
            # server's own stacking of what the two lie in says.
            frame_stacked_above "$1" "$2"
        fi
        return
    fi
    if [ -z "${INPUT_DISPLAY:-}" ]; then
        # A manager that keeps no stacking list (dwm, twm): the server's own
        # stacking says.
        frame_stacked_above "$1" "$2"
        return
    fi
    # A compositor's XWayland: what the screen shows where the two overlap.
    local ux uy uw uh lx ly lw lh left top right bottom red green blue
    read -r ux uy < <(window_position "$1")
    read -r uw uh < <(xwininfo -id "$1" | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h}')
    read -r lx ly < <(window_position "$2")
    read -r lw lh < <(xwininfo -id "$2" | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h}')
    left=$((ux > lx ? ux : lx)) top=$((uy > ly ? uy : ly))
    right=$((ux + uw < lx + lw ? ux + uw : lx + lw))
    bottom=$((uy + uh < ly + lh ? uy + uh : ly + lh))
    [ "$left" -lt "$right" ] && [ "$top" -lt "$bottom" ] || return 0
    IFS=, read -r red green blue <<<"$(pixel_colour $(((left + right) / 2)) $(((top + bottom) / 2)))"
    [ $((blue - red)) -lt 12 ] && [ $((red - blue)) -lt 12 ]
}

# How often a window has asked Weston's window manager to move it with the
# pointer (_NET_WM_MOVERESIZE); nothing elsewhere.
compositor_moves_asked() {
    [ -z "${WESTON_LOG:-}" ] || grep -c '_NET_WM_MOVERESIZE [0-9]* [0-9]* 8 ' "$WESTON_LOG" || true
}

# True once a window has asked Weston to move it more than $1 times; at once
# elsewhere, where a drag is the program's own.
asked_to_move_since() {
    [ -z "${WESTON_LOG:-}" ] || [ "$(compositor_moves_asked)" -gt "$1" ]
}
