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
    std::optional<MissedAlarm> missed;
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
                due.missed = MissedAlarm{settings.TimeHour, settings.TimeMin, day, *previous, now};
            }
            break;
        }
    }
    return due;
}

// "7:30": the hour as it is, the minute in two digits.
std::string ClockTime(int hour, int minute) {
    return std::to_string(hour) + ":" + TwoDigits(minute);
}

// An announcement comes up by itself: it must not take the keyboard.
Message Announcement(std::string text) {
    Message message{std::move(text), APP_TITLE, MessageIcon::None};
    message.takes_keyboard = false;
    return message;
}

}  // namespace

std::string MissedAlarmLog(const MissedAlarm& missed) {
    return Joined({"the alarm of ", TwoDigits(missed.hour), ":", TwoDigits(missed.minute), " on ",
                   std::to_string(missed.day.year), "-", TwoDigits(missed.day.month), "-",
                   TwoDigits(missed.day.day), " was missed: the clock got no tick from ",
                   TwoDigits(missed.stopped.hour), ":", TwoDigits(missed.stopped.minute), " until ",
                   TwoDigits(missed.resumed.hour), ":", TwoDigits(missed.resumed.minute)});
}

Message MissedAlarmNotice(const MissedAlarm& missed) {
    // The gap's start carries its date when it was another day's.
    std::string from;
    if (missed.stopped.Date() != missed.resumed.Date()) {
        from =
            std::to_string(missed.stopped.month) + "月" + std::to_string(missed.stopped.day) + "日";
    }
    from += ClockTime(missed.stopped.hour, missed.stopped.minute);
    return {Joined({"目覚まし（", ClockTime(missed.hour, missed.minute), "）は鳴りませんでした。\n",
                    from, "から", ClockTime(missed.resumed.hour, missed.resumed.minute),
                    "まで、時計が動いていませんでした。"}),
            APP_TITLE, MessageIcon::None};
}

SpokenFacts SpokenFactsAt(const ClockSettings& settings, const ClockState& state,
                          const LocalDateTime& now, double steady_now) {
    SpokenFacts facts;
    facts.hour = now.hour;
    facts.minute = now.minute;
    facts.date = now.Date();
    if (AlarmSet(settings) && settings.TimeHour <= 23 && settings.TimeMin <= 59) {
        facts.alarm = std::pair<int, int>(settings.TimeHour, settings.TimeMin);
    }
    if (state.TimerArmed == 1) {
        const double left = std::max(0.0, state.TimerEndsAt - steady_now);
        facts.countdown_minutes = std::max(1, int(std::ceil(left / 60)));
    }
    return facts;
}

SpokenClock SpokenClockOf(const SpokenFacts& facts) {
    SpokenClock spoken;
    spoken.name = "ソラネ " + SpokenTime(facts.hour, facts.minute);
    spoken.description = SpokenDate(facts.date);
    if (facts.alarm) {
        // The alarm's hour as it is set, on the 24-hour clock.
        spoken.description +=
            "、目覚まし " + SpokenHoursAndMinutes(facts.alarm->first, facts.alarm->second);
    }
    if (facts.countdown_minutes > 0) {
        spoken.description += "、タイマー 残り" + std::to_string(facts.countdown_minutes) + "分";
    }
    return spoken;
}

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
        outcome.announcements.push_back(Announcement(
            "時間です！\n" + std::to_string(state.TimerSeconds / 60) + "分経ちました"));
        DisarmCountdown(state);
    }

    const std::optional<LocalDateTime> previous = state.LastTick;
    state.LastTick = now;
    AlarmDue alarm = CheckAlarm(settings, state, now, previous, input.steady_now);
    if (alarm.rings) {
        outcome.announcements.push_back(Announcement("時間です！"));
    }
    outcome.missed_alarm = std::move(alarm.missed);

    if (!outcome.announcements.empty()) {
        outcome.sound = SoundFileFor(settings, state);
    }
    if (!outcome.announcements.empty() || input.announcements_open > 0) {
        outcome.face = Face::Surprised;
    }
    // Last: the countdown and the alarm above may have changed what is said.
    SpokenFacts spoken = SpokenFactsAt(settings, state, now, input.steady_now);
    if (state.Spoken != spoken) {
        outcome.spoken = SpokenClockOf(spoken);
        state.Spoken = std::move(spoken);
    }
    return outcome;
}

}  // namespace sorane
