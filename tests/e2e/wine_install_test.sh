#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
# The Windows installer under Wine: a silent install for this user, the
# installed clock keeping Clock.ini in %APPDATA%\sorane, the uninstaller
# refusing while the clock runs, and a silent uninstall that removes the
# program, its Start-menu entry and its Apps entry but keeps Clock.ini.
# The clock starts at sign-in only when asked: /AUTOSTART puts a shortcut in
# the Startup folder, an update keeps it, the uninstaller removes it.
#
# SETUP names the installer (scripts/package-windows makes it).
source "$(dirname "$0")/wine_lib.sh"
: "${SETUP:?SETUP must name sorane-VERSION-setup.exe}"
start_wine
# Wine's menu builder would copy the prefix's shortcuts into this machine's
# own menus (~/.local/share/applications/wine); nothing here needs it.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

installed=$WINDOWS_HOME/AppData/Local/Programs/sorane
settings=$WINDOWS_HOME/AppData/Roaming/sorane
shortcut="$WINDOWS_HOME/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ソラネ.lnk"
# The Startup folder: Windows spells it "Startup", Wine "StartUp"; the
# test would prove nothing if it looked for a folder that is not there.
startup_folder=$(find "$WINDOWS_HOME/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" \
    -maxdepth 1 -type d -iname startup | head -n 1)
[ -n "$startup_folder" ] || fail "the new prefix has no Startup folder"
startup=$startup_folder/ソラネ.lnk
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
[ ! -e "$startup" ] || fail "a silent install without /AUTOSTART made a Startup shortcut"
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

# True when a shortcut starts the installed sorane.exe. Wine writes the
# target as the ANSI path of the link's LinkInfo; the icon's path, which is
# sorane.exe too, is UTF-16, so only the ANSI strings count. grep reads to
# the end: with -q it would stop early, and strings, cut off, fail the pipe.
names_installed_clock() {
    strings -a "$1" | grep -ixF "$(windows_path "$installed")\\sorane.exe" >/dev/null
}

echo "case: /S /AUTOSTART adds a Startup shortcut to the installed clock"
wine 'C:\setup.exe' /S /AUTOSTART >>"$E2E_WORK/setup.log" 2>&1 || fail "the installer ended with $?"
[ -f "$installed/sorane.exe" ] || fail "not installed with /AUTOSTART"
[ -f "$startup" ] || fail "no Startup shortcut after /S /AUTOSTART"
names_installed_clock "$startup" || fail "the Startup shortcut does not start $(windows_path "$installed")\\sorane.exe"

echo "case: a silent update without /AUTOSTART keeps the Startup shortcut"
wine 'C:\setup.exe' /S >>"$E2E_WORK/setup.log" 2>&1 || fail "the installer ended with $?"
[ -f "$startup" ] || fail "the update removed the Startup shortcut"

echo "case: a silent uninstall removes the Startup shortcut"
wine "$(windows_path "$installed")\\uninstall.exe" /S >>"$E2E_WORK/uninstall.log" 2>&1 ||
    fail "the uninstaller ended with $?"
wait_for 60 bash -c "[ ! -e '$installed' ]" || fail "left behind: $(find "$installed" | head)"
[ ! -e "$startup" ] || fail "the Startup shortcut stayed"
echo "PASS"
