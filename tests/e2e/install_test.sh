#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The standard install: `cmake --install` into a temporary root (DESTDIR),
# the installed program started as an ordinary user with an empty home. Its
# read-only files come from share/sorane and its settings go to the user's
# folder (~/.config/sorane, or XDG_CONFIG_HOME).
source "$(dirname "$0")/lib.sh"
: "${BUILD_DIR:?BUILD_DIR must name the build tree to install from}"
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: needs root, to run the installed program as another user"
    exit 77
fi
start_desktop openbox

root=$E2E_WORK/root
DESTDIR=$root cmake --install "$BUILD_DIR" --prefix /usr >"$E2E_WORK/install.log" ||
    fail "cmake --install failed: $(cat "$E2E_WORK/install.log")"
for file in usr/bin/sorane usr/share/sorane/ReadMeT.txt usr/share/sorane/chimes.wav \
    usr/share/applications/org.example.sorane.desktop \
    usr/share/metainfo/org.example.sorane.metainfo.xml \
    usr/share/icons/hicolor/48x48/apps/org.example.sorane.png usr/share/man/man1/sorane.1.gz; do
    [ -f "$root/$file" ] || fail "not installed: /$file"
done
[ ! -e "$root/usr/bin/ReadMeT.txt" ] || fail "read-only files beside the program"
chmod -R a+rX "$E2E_WORK"

# Runs the installed clock as nobody, with a home of its own; sets CLOCK_PID.
start_installed_clock() {
    local home=$1
    shift
    mkdir -p "$home/run"
    chown -R nobody "$home"
    chmod 700 "$home/run"
    (cd "$home" && exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env -i DISPLAY="$DISPLAY" HOME="$home" XDG_RUNTIME_DIR="$home/run" PATH=/usr/bin:/bin \
        ASAN_OPTIONS=detect_leaks=0 "$@" "$root/usr/bin/sorane" \
        >"$home/stdout.log" 2>"$home/stderr.log") &
    CLOCK_PID=$!
    E2E_PIDS+=("$CLOCK_PID")
}

echo "case: the installed clock keeps its settings in ~/.config/sorane"
home=$E2E_WORK/home
mkdir "$home"
start_installed_clock "$home"
window=$(wait_for_clock "$CLOCK_PID")
xdotool windowmove "$window" 120 90
wait_for 5 window_at "$window" "120 90" || fail "window did not move"
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS: $(cat "$home/stderr.log")"
expect_file "$home/.config/sorane/Clock.ini" '[Pos]\r\nTop=1350\r\nLeft=1800\r\n'
[ "$(stat -c %U "$home/.config/sorane/Clock.ini")" = nobody ] || fail "Clock.ini not the user's"

echo "case: XDG_CONFIG_HOME is respected"
home=$E2E_WORK/home2
mkdir "$home"
start_installed_clock "$home" XDG_CONFIG_HOME="$home/config"
wait_for_clock "$CLOCK_PID" >/dev/null
kill -TERM "$CLOCK_PID"
wait_exit "$CLOCK_PID"
[ -f "$home/config/sorane/Clock.ini" ] || fail "no Clock.ini in XDG_CONFIG_HOME"
[ ! -e "$home/.config" ] || fail "wrote to ~/.config despite XDG_CONFIG_HOME"
echo "PASS"
