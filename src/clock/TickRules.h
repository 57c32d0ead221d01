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
    /// A line for standard error when the alarm's time went by more than an
    /// hour before this tick (the machine slept through it, say).
    std::optional<std::string> missed_alarm;
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
