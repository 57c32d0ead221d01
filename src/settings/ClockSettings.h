// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "common/ValueTypes.h"
#include "common/LocalDateTime.h"
#include "settings/ProfileFile.h"

namespace sorane {

/// The ten settings kept in "Clock.ini", one field per key.
struct ClockSettings {
    std::uint8_t ColorHour = 0;  ///< [Color] hour: Palette16 index of the hour hand
    std::uint8_t ColorMin = 0;   ///< [Color] min
    std::uint8_t ColorSec = 0;   ///< [Color] sec
    std::uint8_t View = 0;       ///< [Mode] View: 0 time, 1 date, 2 no text line
    std::uint8_t Sterus = 0;     ///< [Mode] Sterus: 1 = stealth mode on
    std::uint8_t TimeHour = 0;   ///< [Time] hour: alarm hour; 0 with TimeMin 0 = no alarm
    std::uint8_t TimeMin = 0;    ///< [Time] min
    std::string Wave;            ///< [Time] Wave: sound file path; "0" = none chosen yet
    std::int32_t PosTop = 0;     ///< [Pos] Top: window top, twips
    std::int32_t PosLeft = 0;    ///< [Pos] Left: window left, twips
};

/// What a screen reader is told of the clock: the time to the minute, the
/// date, the alarm and the countdown's minutes left. The clock is described
/// again only when these change.
struct SpokenFacts {
    int hour = 0;
    int minute = 0;
    LocalDate date;
    std::optional<std::pair<int, int>> alarm;  ///< its hour and minute, when set
    int countdown_minutes = 0;                 ///< whole minutes left, rounded up; 0 for none
    bool operator==(const SpokenFacts&) const = default;
};

/// Run-time values the windows share; never saved.
struct ClockState {
    std::string AppPath;  ///< the program's folder, ending in a separator
    /// The folder of "Clock.ini", ending in a separator: AppPath, unless the
    /// program's folder cannot be written (an installed copy), when it is the
    /// user's own settings folder. Empty means AppPath.
    std::string SettingsFolder;
    std::string IniPath;  ///< SettingsFolder + "Clock.ini"
    /// A folder whose "Clock.ini" is read while the settings folder has none,
    /// and which the first save copies there before changing it: the
    /// program's own, when a portable copy cannot write it. Empty for none.
    std::string SeedFolder;
    /// The folder of the read-me and the default sound, ending in a
    /// separator: AppPath for a portable copy, <prefix>/share/sorane/ for an
    /// installed one. Empty means AppPath.
    std::string DataFolder;
    /// Seconds since local midnight at which the countdown ends (not wrapped
    /// at midnight); 0 when none runs. Kept as the shared state has always
    /// held it; the tick goes by TimerEndsAt, which survives midnight.
    float TimerDeadline = 0;
    std::int16_t TimerArmed = 0;    ///< 1 while a countdown runs
    std::int16_t TimerSeconds = 0;  ///< 180, 300 or 600 while a countdown runs
    bool MouseInside = false;       ///< the cursor moved over the clock (stealth)
    bool Quitting = false;          ///< Exit was chosen from the menu
    bool DialogOpen = false;        ///< the timer or the setup dialog is open

    /// Reading of the desktop's steady clock at which the countdown ends. The
    /// countdown ends by this clock, so that it survives midnight and changes
    /// of the wall clock.
    double TimerEndsAt = 0;
    /// Reading of the steady clock at which the alarm last went off (or was
    /// found missed). Its next going off is judged by the time that has
    /// passed since, not by the date: a date seen before may come again (the
    /// zone moved west, a wrong date corrected).
    std::optional<double> AlarmRangAt;
    /// The local time the last tick read, so that an alarm whose minute got
    /// no tick (skipped by a change to summer time, a suspend, a clock set
    /// forward) is still seen; empty before the first tick.
    std::optional<LocalDateTime> LastTick;
    /// The day whose date the ticks last gave the line (View 1), so that the
    /// date is made again only when the day changes; empty in other views.
    std::optional<LocalDate> LineDate;
    /// What the clock was last described with, for screen readers.
    std::optional<SpokenFacts> Spoken;
};

/// Why the settings could not be loaded: a value in the file that the clock
/// cannot use, or a settings file that is no plain file to read (problem).
struct SettingsError {
    std::string file;
    std::string problem;  ///< why the file itself cannot be used; empty for a bad value
    std::string section;
    std::string key;
    std::string value;
    std::string expected;

    /// The message shown to the user (Japanese, several lines).
    std::string Message() const;
};

/// Whether an alarm is set: hour and minute 0 mean none.
bool AlarmSet(const ClockSettings& settings);

/// Arms a countdown of the given seconds from now (wall clock and steady clock).
void ArmCountdown(ClockState& state, std::int16_t seconds, const LocalDateTime& now,
                  double steady_now);

/// Stops a running countdown.
void DisarmCountdown(ClockState& state);

/// The settings file: the settings folder (AppPath unless set) + "Clock.ini".
std::string IniPathFor(const ClockState& state);

/// The folder of the read-me and the default sound (DataFolder, else AppPath).
std::string DataFolderOf(const ClockState& state);

/// The sound file the countdown and the alarm play: Wave, or the default
/// "chimes.wav" in the data folder while Wave is "0" (none chosen yet), or
/// while Wave names a "chimes.wav" that is gone (a default stored by an
/// earlier copy of the program installed elsewhere, or on Windows).
std::string SoundFileFor(const ClockSettings& settings, const ClockState& state);

/// Fills settings from "Clock.ini" in the settings folder (setting
/// state.IniPath), or from the seed folder's while the settings folder has none,
/// using the default of each missing key (all of them for a missing or
/// unreadable file). Returns the first value that is not a number, is out of
/// its range, or is a colour number above 15, or why the file is no plain
/// file to read (a device, FIFO, socket, folder, loop of links, or too
/// large); settings is then only partly filled and must not be used.
std::optional<SettingsError> LoadSettings(ClockState& state, ClockSettings& settings);

/// What a dialog says after saving what (say "環境設定情報"): that it was
/// saved, or that it could not be and why, the new values holding until the
/// program ends.
Message SaveReport(const WriteOutcome& saved, const std::string& what);

/// What the user is told of a position save on closing: nothing when it was
/// saved, nor when the clock was closed by a signal or the session's end
/// (nobody is there to read a box); else that it was not saved, and why.
std::optional<Message> PositionNotSaved(const WriteOutcome& saved, bool closed_by_user);

/// [Pos] Top, Left: the window's position in twips.
WriteOutcome SavePosition(ClockState& state, std::int32_t top_twips, std::int32_t left_twips);

/// [Time] Wave, hour, min from settings.
WriteOutcome SaveAlarm(ClockState& state, const ClockSettings& settings);

/// [Color] hour, min, sec and [Mode] View, Sterus from settings.
WriteOutcome SaveSetup(ClockState& state, const ClockSettings& settings);

}  // namespace sorane
