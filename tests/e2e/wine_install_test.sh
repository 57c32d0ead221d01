#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The Windows installer under Wine: a silent install for this user, the
# installed clock keeping Clock.ini in %APPDATA%\sorane, the uninstaller
# refusing while the clock runs, and a silent uninstall that removes the
# program, its Start-menu entry and its Apps entry but keeps Clock.ini.
#
# SETUP names the installer (scripts/package-windows makes it).
source "$(dirname "$0")/wine_lib.sh"
: "${SETUP:?SETUP must name sorane-VERSION-setup.exe}"
start_wine

installed=$WINDOWS_HOME/AppData/Local/Programs/sorane
settings=$WINDOWS_HOME/AppData/Roaming/sorane
shortcut="$WINDOWS_HOME/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ソラネ.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\sorane'

# A value of the Apps entry, or nothing (reg writes in the console's code page).
apps_entry() {
    wine reg query "$key" /v "$1" 2>/dev/null | iconv -f CP932 -t UTF-8 |
        sed -n "s/^[[:space:]]*$1[[:space:]]*REG_[A-Z_]*[[:space:]]*//p" | tr -d '\r'
}

echo "case: a silent install puts the program, its menu entry and its Apps entry in place"
cp "$SETUP" "$WINEPREFIX/drive_c/setup.exe"
wine 'C:\setup.exe' /S >"$E2E_WORK/setup.log" 2>&1 || fail "the installer ended with $?"
for file in sorane.exe Qt6Core.dll platforms/qwindows.dll translations/qtbase_ja.qm ReadMeT.txt \
    chimes.wav Installed.txt uninstall.exe; do
    [ -f "$installed/$file" ] || fail "not installed: $file"
done
[ -f "$shortcut" ] || fail "no Start-menu entry"
[ "$(apps_entry DisplayName)" = "ソラネ" ] || fail "Apps entry: '$(apps_entry DisplayName)'"
[ "$(apps_entry DisplayVersion)" = "1.1" ] || fail "Apps version: '$(apps_entry DisplayVersion)'"
uninstaller=$(apps_entry UninstallString)
[ "$uninstaller" = "\"$(windows_path "$installed")\\uninstall.exe\"" ] || fail "UninstallString: $uninstaller"

echo "case: the installed clock keeps Clock.ini in %APPDATA%\\sorane, not beside itself"
[ ! -e "$settings" ] || fail "$settings exists before the first save"
start_windows_clock "$installed" sorane.exe
clock=$(wait_for_windows_clock "$CLOCK_PID")
screenshot installed-clock "300x200+0+0"
xdotool mousemove --sync 78 78 click 1 key Escape
box=$(wait_for_titled_window "$CLOCK_PID")
expect_message "$box" "終了します。"
answer_box "$CLOCK_PID" "$box"
wait_exit "$CLOCK_PID" 20
expect_file "$settings/Clock.ini" '[Pos]\r\nTop=45\r\nLeft=45\r\n'
[ ! -e "$installed/Clock.ini" ] || fail "Clock.ini written beside the installed program"

echo "case: the uninstaller refuses while the clock runs, and leaves everything"
start_windows_clock "$installed" sorane.exe
clock=$(wait_for_windows_clock "$CLOCK_PID")
status=0
# Run in place (_?=), so that its status is the uninstaller's own.
wine "$(windows_path "$installed")\\uninstall.exe" /S "_?=$(windows_path "$installed")" \
    >"$E2E_WORK/uninstall.log" 2>&1 || status=$?
[ "$status" = 2 ] || fail "the uninstaller ended with $status while the clock ran"
[ -f "$installed/sorane.exe" ] && [ -f "$shortcut" ] || fail "the uninstaller removed files while the clock ran"
[ "$(apps_entry DisplayName)" = "ソラネ" ] || fail "the Apps entry went while the clock ran"
xdotool mousemove --sync 78 78 click 1 key Escape
box=$(wait_for_titled_window "$CLOCK_PID")
answer_box "$CLOCK_PID" "$box"
wait_exit "$CLOCK_PID" 20

echo "case: a silent uninstall removes the program and its entries, and keeps Clock.ini"
wine "$(windows_path "$installed")\\uninstall.exe" /S >>"$E2E_WORK/uninstall.log" 2>&1 ||
    fail "the uninstaller ended with $?"
# It runs on from a copy of itself in the temporary folder.
wait_for 60 bash -c "[ ! -e '$installed' ]" || fail "left behind: $(find "$installed" | head)"
[ ! -e "$shortcut" ] || fail "the Start-menu entry stayed"
[ -z "$(apps_entry DisplayName)" ] || fail "the Apps entry stayed"
expect_file "$settings/Clock.ini" '[Pos]\r\nTop=45\r\nLeft=45\r\n'
echo "PASS"
