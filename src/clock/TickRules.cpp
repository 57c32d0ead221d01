// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/TickRules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "clock/TimeText.h"

namespace sorane {
namespace {

// How late an alarm whose minute got no tick may still go off.
constexpr std::int64_t ALARM_LATE_LIMIT_SECONDS = 3600;
// How long after going off the alarm does not go off again: the hour that
// the end of summer time brings twice (two hours in a few zones' history)
// rings once. A daily alarm's minute comes again no sooner, unless the wall
// clock is set back over it.
constexpr double ALARM_QUIET_SECONDS = 2 * 3600;

// The pieces one after another. Built with append rather than a chain of
// "text" + std::string, in which GCC 12, once it inlines operator+, sees an
// overlapping copy that cannot happen (a false -Wrestrict).
std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::size_t size = 0;
    for (const std::string_view piece : pieces) {
        size += piece.size();
    }
    std::string text;
    text.reserve(size);
    for (const std::string_view piece : pieces) {
        text.append(piece);
    }
    return text;
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t year_of_era = year - era * 400;
    const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

// A wall-clock reading as seconds on a uniform scale: what the clock showed,
// not the time that passed (an hour skipped for summer time counts).
std::int64_t WallSeconds(const LocalDate& date, int hour, int minute, int second) {
    return DaysFromCivil(date.year, date.month, date.day) * 86400 + hour * 3600 + minute * 60 +
           second;
}

std::int64_t WallSeconds(const LocalDateTime& t) {
    return WallSeconds(t.Date(), t.hour, t.minute, t.second);
}

// What the alarm does at this tick.
struct AlarmDue {
    bool rings = false;
    std::optional<std::string> missed;
};

AlarmDue CheckAlarm(const ClockSettings& settings, ClockState& state, const LocalDateTime& now,
                    const std::optional<LocalDateTime>& previous, double steady_now) {
    AlarmDue due;
    if (!AlarmSet(settings)) {
        return due;
    }
    const bool quiet = state.AlarmRangAt && steady_now - *state.AlarmRangAt < ALARM_QUIET_SECONDS;
    if (now.hour == settings.TimeHour && now.minute == settings.TimeMin) {
        if (!quiet) {
            state.AlarmRangAt = steady_now;
            due.rings = true;
        }
        return due;
    }
    // The ticks jumped over the alarm's time, today's or (across midnight)
    // the previous tick's day's: its minute got no tick at all.
    if (!previous || quiet || settings.TimeHour > 23 || settings.TimeMin > 59) {
        return due;
    }
    const std::int64_t from = WallSeconds(*previous);
    const std::int64_t to = WallSeconds(now);
    for (const LocalDate& day : {now.Date(), previous->Date()}) {
        const std::int64_t alarm = WallSeconds(day, settings.TimeHour, settings.TimeMin, 0);
        if (from < alarm && alarm <= to) {
            state.AlarmRangAt = steady_now;
            if (to - alarm <= ALARM_LATE_LIMIT_SECONDS) {
                due.rings = true;
            } else {
                due.missed = Joined({"the alarm of ", TwoDigits(settings.TimeHour), ":",
                                     TwoDigits(settings.TimeMin), " on ", std::to_string(day.year),
                                     "-", TwoDigits(day.month), "-", TwoDigits(day.day),
                                     " was missed: the clock got no tick from ",
                                     TwoDigits(previous->hour), ":", TwoDigits(previous->minute),
                                     " until ", TwoDigits(now.hour), ":", TwoDigits(now.minute)});
            }
            break;
        }
    }
    return due;
}

}  // namespace

bool StealthNeedsCursor(const ClockSettings& settings, const ClockState& state) {
    return settings.Sterus == 1 && state.MouseInside;
}

bool CursorInsideClock(float left_twips, float top_twips, ScreenPoint cursor) {
    // The x and y are cut to 16 bits as the cursor reader has always given them.
    const double x = static_cast<std::int16_t>(cursor.x);
    const double y = static_cast<std::int16_t>(cursor.y);
    const double left = PixelsOf(left_twips);
    const double top = PixelsOf(top_twips);
    return left < x && x < left + CLOCK_SIZE && top < y && y < top + CLOCK_SIZE;
}

std::optional<std::string> LineTextFor(int view, const LocalDateTime& now) {
    if (view == 0) {
        return TimeText(now);
    }
    if (view == 1) {
        return DateText(now.Date());
    }
    return std::nullopt;
}

bool LineShownFor(int view) {
    return view == 0 || view == 1;
}

TickPlan PlanTicks(bool screen_blanked, const ClockState& state, double steady_now) {
    TickPlan plan;
    if (!screen_blanked) {
        return plan;
    }
    // The alarm is a minute of the wall clock, whose first tick it goes off
    // in: a tick each minute keeps it to the second through any change of
    // the clock (summer time, a zone, a setting by hand) without working out
    // when the minute comes.
    plan.every_seconds = 60;
    if (state.TimerArmed == 1) {
        plan.countdown_in = std::max(0.0, state.TimerEndsAt - steady_now);
    }
    return plan;
}

TickOutcome Tick(const ClockSettings& settings, ClockState& state, const TickInput& input) {
    TickOutcome outcome;

    if (StealthNeedsCursor(settings, state)) {
        const ScreenPoint cursor = input.cursor.value_or(ScreenPoint{});
        if (CursorInsideClock(input.left_twips, input.top_twips, cursor)) {
            outcome.stealth = StealthAction::Hide;
        } else if (!state.Quitting && !state.DialogOpen) {
            outcome.stealth = StealthAction::Show;
            state.MouseInside = false;
        }
    } else {
        state.MouseInside = false;
    }

    const LocalDateTime& now = input.now;
    outcome.face = FaceForSecond(now.second);
    outcome.hands = HandsAt(now.hour, now.minute, now.second);
    // The date is made again only when the day changes; the time every tick.
    const bool date_shown = settings.View == 1;
    if (!date_shown || state.LineDate != now.Date()) {
        outcome.line_text = LineTextFor(settings.View, now);
    }
    state.LineDate = date_shown ? std::optional(now.Date()) : std::nullopt;

    // Each announcement is disarmed before it is shown, so that ticks running
    // while its box is open never announce it again.
    if (state.TimerArmed == 1 && input.steady_now > state.TimerEndsAt) {
        outcome.announcements.push_back(
            {"時間です！\n" + std::to_string(state.TimerSeconds / 60) + "分経ちました", APP_TITLE,
             MessageIcon::None});
        DisarmCountdown(state);
    }

    const std::optional<LocalDateTime> previous = state.LastTick;
    state.LastTick = now;
    AlarmDue alarm = CheckAlarm(settings, state, now, previous, input.steady_now);
    if (alarm.rings) {
        outcome.announcements.push_back({"時間です！", APP_TITLE, MessageIcon::None});
    }
    outcome.missed_alarm = std::move(alarm.missed);

    if (!outcome.announcements.empty()) {
        outcome.sound = SoundFileFor(settings, state);
    }
    if (!outcome.announcements.empty() || input.announcements_open > 0) {
        outcome.face = Face::Surprised;
    }
    return outcome;
}

}  // namespace sorane
