// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "clock/DialRules.h"
#include "common/ValueTypes.h"
#include "common/LocalDateTime.h"
#include "settings/ClockSettings.h"

namespace sorane {

/// What the stealth step does to the window.
enum class StealthAction { None, Hide, Show };

/// Whether this tick's stealth step reads the cursor (stealth on and the
/// cursor has moved over the clock).
bool StealthNeedsCursor(const ClockSettings& settings, const ClockState& state);

/// True when the cursor (screen pixels) is strictly inside the clock's
/// 150-pixel square whose top-left corner is at left/top twips. The fixed 15
/// twips per pixel is used whatever the display; a cursor on the left or top
/// edge is outside.
bool CursorInsideClock(float left_twips, float top_twips, ScreenPoint cursor);

/// Everything a tick reads.
struct TickInput {
    LocalDateTime now;
    double steady_now = 0;  ///< the desktop's steady clock, seconds
    float left_twips = 0;   ///< the window's position
    float top_twips = 0;
    std::optional<ScreenPoint> cursor;  ///< present when StealthNeedsCursor
    int announcements_open = 0;         ///< countdown or alarm boxes still on screen
};

/// An alarm whose minute got no tick, and no tick either for an hour after
/// it (the machine asleep through the morning): it did not ring.
struct MissedAlarm {
    int hour = 0;
    int minute = 0;
    LocalDate day;          ///< the day it was for
    LocalDateTime stopped;  ///< the last tick before the gap
    LocalDateTime resumed;  ///< the first tick after it
    bool operator==(const MissedAlarm&) const = default;
};

/// The line standard error keeps of a missed alarm (English).
std::string MissedAlarmLog(const MissedAlarm& missed);

/// What the user is told of a missed alarm, quietly (a notification, not a
/// box): 「目覚まし（7:30）は鳴りませんでした。」 and why.
Message MissedAlarmNotice(const MissedAlarm& missed);

/// What a screen reader says of the clock: its name ("ソラネ 午前9時5分")
/// and its description (the date in the era's words, a set alarm, a
/// running countdown).
struct SpokenClock {
    std::string name;
    std::string description;
    bool operator==(const SpokenClock&) const = default;
};

/// What the clock is described with at this moment.
SpokenFacts SpokenFactsAt(const ClockSettings& settings, const ClockState& state,
                          const LocalDateTime& now, double steady_now);

/// The words for the facts.
SpokenClock SpokenClockOf(const SpokenFacts& facts);

/// Everything a tick decides.
struct TickOutcome {
    StealthAction stealth = StealthAction::None;
    Face face = Face::Ordinary;
    Hands hands;
    /// The line's text when it may have changed: every second for the time,
    /// once a day for the date (a settings change sets the line itself).
    std::optional<std::string> line_text;
    std::vector<Message> announcements;  ///< to show, in order, with the surprised face
    /// The sound file to play as the announcements appear: once however many
    /// go off in the tick; nullopt when none does.
    std::optional<std::string> sound;
    /// When the alarm's time went by more than an hour before this tick
    /// (the machine slept through it, say): it is told, not rung.
    std::optional<MissedAlarm> missed_alarm;
    /// The clock's description for screen readers, when it changed: the
    /// minute, the date, the alarm or the countdown's minutes.
    std::optional<SpokenClock> spoken;
};

/// One tick of the clock: stealth, face, hands, the text line, then the
/// countdown and the alarm, with their sound. Updates state: MouseInside,
/// LineDate, LastTick, and the countdown and alarm once they go off (each
/// goes off once; the countdown by the steady clock, so that midnight and
/// changes of the wall clock do not stop it). The alarm goes off on the
/// first tick of its minute, or, when its minute got no tick, on the first
/// tick after it up to an hour late; later than that it is only noted.
TickOutcome Tick(const ClockSettings& settings, ClockState& state, const TickInput& input);

/// How the clock ticks. While it can be seen, each second. While nobody can
/// see it (the screen blanked), at each minute's start, when the alarm may
/// go off, and at the countdown's end; the window is drawn again at once
/// when the screen is seen again.
struct TickPlan {
    int every_seconds = 1;
    /// Seconds from now to a tick of its own at the countdown's end.
    std::optional<double> countdown_in;
};
TickPlan PlanTicks(bool screen_blanked, const ClockState& state, double steady_now);

/// The text the line shows for a view (0 time, 1 date); nullopt for any other
/// view, whose line is left alone.
std::optional<std::string> LineTextFor(int view, const LocalDateTime& now);

/// Whether the line is shown for a view: 0 (time) and 1 (date) show it; 2,
/// and any other value a hand-edited file may hold, show none.
bool LineShownFor(int view);

}  // namespace sorane
