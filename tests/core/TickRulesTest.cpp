// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/TickRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "settings/Palette16.h"

namespace sorane {
namespace {

LocalDateTime OnDay(int year, int month, int day, int hour, int minute) {
    LocalDateTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    return t;
}

LocalDateTime At(int hour, int minute, int second, int day = 7) {
    LocalDateTime t;
    t.year = 2026;
    t.month = 12;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

TickInput InputAt(const LocalDateTime& now, double steady_now = 0) {
    TickInput input;
    input.now = now;
    input.steady_now = steady_now;
    return input;
}

void ExpectTip(const HandLine& hand, double x, double y) {
    EXPECT_NEAR(hand.from.x, 1125, 1e-3);
    EXPECT_NEAR(hand.from.y, 1125, 1e-3);
    EXPECT_NEAR(hand.to.x, x, 0.01);
    EXPECT_NEAR(hand.to.y, y, 0.01);
}

TEST(TickRulesTest, HourHandPointsUpAtNoonAndMidnight) {
    for (int hour : {0, 12}) {
        const Hands hands = HandsAt(hour, 0, 0);
        ExpectTip(hands.hour, 1125, 1125 - 900);
        ExpectTip(hands.minute, 1125, 1125 - 1012.5);
        ExpectTip(hands.second, 1125, 1125 - 1050);
    }
}

TEST(TickRulesTest, HourHandMovesHalfADegreeAMinuteButNotWithSeconds) {
    // 15:30: the hour hand halfway between 3 and 4 (-15 degrees), the minute
    // hand straight down.
    const Hands hands = HandsAt(15, 30, 0);
    ExpectTip(hands.hour, 1125 + 900 * std::cos(-15 * 3.141592 / 180),
              1125 - 900 * std::sin(-15 * 3.141592 / 180));
    ExpectTip(hands.minute, 1125, 1125 + 1012.5);
    const Hands later = HandsAt(15, 30, 59);
    EXPECT_EQ(later.hour.to.x, hands.hour.to.x);
    ExpectTip(HandsAt(9, 0, 45).second, 1125 - 1050, 1125);
    ExpectTip(HandsAt(21, 0, 15).hour, 1125 - 900, 1125);
}

TEST(TickRulesTest, WinksOnEveryFourthSecond) {
    EXPECT_EQ(FaceForSecond(0), Face::Wink);
    EXPECT_EQ(FaceForSecond(1), Face::Ordinary);
    EXPECT_EQ(FaceForSecond(2), Face::Ordinary);
    EXPECT_EQ(FaceForSecond(3), Face::Ordinary);
    EXPECT_EQ(FaceForSecond(4), Face::Wink);
    EXPECT_EQ(FaceForSecond(56), Face::Wink);
    EXPECT_EQ(FaceForSecond(59), Face::Ordinary);
}

TEST(TickRulesTest, LineFollowsTheViewAndViewTwoLeavesItAlone) {
    ClockSettings settings;
    ClockState state;
    settings.View = 0;
    EXPECT_EQ(Tick(settings, state, InputAt(At(13, 30, 0))).line_text, "PM 01:30:00");
    settings.View = 1;
    EXPECT_EQ(Tick(settings, state, InputAt(At(13, 30, 0))).line_text, "R08/12/07");
    EXPECT_EQ(Tick(settings, state, InputAt(At(23, 59, 59))).line_text, std::nullopt)
        << "the date is made again only when the day changes";
    EXPECT_EQ(Tick(settings, state, InputAt(At(0, 0, 0, 8))).line_text, "R08/12/08");
    settings.View = 0;
    EXPECT_EQ(Tick(settings, state, InputAt(At(0, 0, 1, 8))).line_text, "AM 12:00:01");
    settings.View = 1;
    EXPECT_EQ(Tick(settings, state, InputAt(At(0, 0, 2, 8))).line_text, "R08/12/08")
        << "back from the time, the date is given again";
    for (std::uint8_t view : {2, 3, 255}) {
        settings.View = view;
        EXPECT_EQ(Tick(settings, state, InputAt(At(13, 30, 0))).line_text, std::nullopt);
    }
}

TEST(TickRulesTest, ViewTwoHidesTheLineAndUnknownViewsLeaveIt) {
    EXPECT_EQ(LineShownFor(0), true);
    EXPECT_EQ(LineShownFor(1), true);
    EXPECT_EQ(LineShownFor(2), false);
    EXPECT_EQ(LineShownFor(3), false) << "a hand-edited View shows no placeholder";
    EXPECT_EQ(ColourFor(15), 0xFFFFFFu);
    EXPECT_EQ(ColourFor(16), 0x000000u);
}

TEST(TickRulesTest, CountdownAnnouncesItsMinutesOnceThenDisarms) {
    for (const auto& [seconds, text] :
         {std::pair{180, "時間です！\n3分経ちました"}, std::pair{300, "時間です！\n5分経ちました"},
          std::pair{600, "時間です！\n10分経ちました"}}) {
        ClockSettings settings;
        ClockState state;
        state.AppPath = "/opt/sorane/";
        ArmCountdown(state, std::int16_t(seconds), At(12, 0, 0), 1000);
        const TickOutcome early = Tick(settings, state, InputAt(At(12, 0, 0), 1000 + seconds));
        EXPECT_TRUE(early.announcements.empty());
        EXPECT_FALSE(early.sound);
        const TickOutcome due = Tick(settings, state, InputAt(At(12, 0, 0), 1000 + seconds + 0.01));
        ASSERT_EQ(due.announcements.size(), 1u);
        EXPECT_EQ(due.announcements[0],
                  (Message{text, "ソラネ Ver.1.1", MessageIcon::None, false}));
        EXPECT_EQ(due.sound, "/opt/sorane/chimes.wav") << "the default sound, none chosen";
        EXPECT_EQ(due.face, Face::Surprised);
        EXPECT_EQ(state.TimerArmed, 0);
        EXPECT_EQ(state.TimerSeconds, 0);
        EXPECT_EQ(state.TimerDeadline, 0);
        EXPECT_TRUE(
            Tick(settings, state, InputAt(At(12, 5, 1), 1000 + seconds + 1)).announcements.empty());
    }
}

TEST(TickRulesTest, CountdownEndsAcrossMidnightAndWallClockChanges) {
    ClockSettings settings;
    ClockState state;
    ArmCountdown(state, 600, At(23, 55, 0), 5000);
    EXPECT_FLOAT_EQ(state.TimerDeadline, 86700);
    // The wall clock reads just after midnight; the steady clock decides.
    EXPECT_TRUE(Tick(settings, state, InputAt(At(0, 4, 59, 8), 5599)).announcements.empty());
    EXPECT_EQ(Tick(settings, state, InputAt(At(0, 5, 1, 8), 5601)).announcements.size(), 1u);

    // The wall clock set back an hour does not hold a countdown back.
    ArmCountdown(state, 180, At(10, 0, 0), 9000);
    EXPECT_EQ(Tick(settings, state, InputAt(At(9, 3, 1), 9181)).announcements.size(), 1u);
}

TEST(TickRulesTest, AlarmGoesOffOnceADayWithinItsMinute) {
    ClockSettings settings;
    settings.TimeHour = 7;
    settings.TimeMin = 30;
    settings.Wave = "/home/u/鐘.wav";
    ClockState state;
    EXPECT_TRUE(Tick(settings, state, InputAt(At(7, 29, 59))).announcements.empty());
    const TickOutcome due = Tick(settings, state, InputAt(At(7, 30, 0)));
    ASSERT_EQ(due.announcements.size(), 1u);
    EXPECT_EQ(due.sound, "/home/u/鐘.wav");
    EXPECT_EQ(due.announcements[0],
              (Message{"時間です！", "ソラネ Ver.1.1", MessageIcon::None, false}));
    EXPECT_EQ(due.face, Face::Surprised);
    EXPECT_TRUE(Tick(settings, state, InputAt(At(7, 30, 0))).announcements.empty());
    EXPECT_TRUE(Tick(settings, state, InputAt(At(7, 30, 1))).announcements.empty());
    EXPECT_EQ(Tick(settings, state, InputAt(At(7, 30, 0, 8), 86400)).announcements.size(), 1u);

    // A first tick that comes late in the minute still sees it.
    ClockState late;
    EXPECT_EQ(Tick(settings, late, InputAt(At(7, 30, 1))).announcements.size(), 1u);
    ClockState missed;
    EXPECT_TRUE(Tick(settings, missed, InputAt(At(7, 31, 0))).announcements.empty());
}

// Seconds on one scale for a reading of the wall clock (days of 31 days'
// months are enough for these tests).
double WallOf(const LocalDateTime& t) {
    return ((t.month * 31.0 + t.day) * 24 + t.hour) * 3600 + t.minute * 60 + t.second;
}

// Runs the ticks; counts the alarm's announcements and missed-alarm notes.
// The steady clock goes on as the wall clock does, or by a second where the
// wall clock goes back, unless the times it reads are given.
std::pair<int, int> AlarmsOver(const std::vector<LocalDateTime>& ticks, int hour, int minute,
                               std::vector<double> steady = {}) {
    ClockSettings settings;
    settings.TimeHour = std::uint8_t(hour);
    settings.TimeMin = std::uint8_t(minute);
    ClockState state;
    int rings = 0;
    int notes = 0;
    for (std::size_t i = 0; i < ticks.size() && steady.size() < ticks.size(); ++i) {
        steady.push_back(
            i == 0 ? 0 : steady[i - 1] + std::max(1.0, WallOf(ticks[i]) - WallOf(ticks[i - 1])));
    }
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const TickOutcome outcome = Tick(settings, state, InputAt(ticks[i], steady[i]));
        rings += int(outcome.announcements.size());
        notes += outcome.missed_alarm ? 1 : 0;
    }
    return {rings, notes};
}

TEST(TickRulesTest, AlarmWhoseMinuteGetsNoTickRingsOnceUpToAnHourLate) {
    struct Case {
        const char* name;
        std::vector<LocalDateTime> ticks;
        int hour;
        int minute;
        int rings;
        int notes;
    };
    const Case cases[] = {
        {"suspended over it, woken 20 minutes later", {At(7, 20, 0), At(7, 50, 0)}, 7, 30, 1, 0},
        {"woken more than an hour later: only noted", {At(7, 20, 0), At(10, 30, 0)}, 7, 30, 0, 1},
        {"wall clock set forward over it",
         {At(7, 29, 30), At(7, 45, 0), At(7, 45, 1)},
         7,
         30,
         1,
         0},
        {"stopped over midnight", {At(23, 58, 0), At(0, 10, 0, 8)}, 23, 59, 1, 0},
        {"a first tick after the alarm rings nothing", {At(7, 45, 0)}, 7, 30, 0, 0},
        {"set back over a rung alarm: no second ring",
         {At(7, 30, 0), At(7, 40, 0), At(7, 20, 0), At(7, 35, 0)},
         7,
         30,
         1,
         0},
        {"an hour no clock has never rings", {At(23, 0, 0), At(1, 0, 0, 8)}, 30, 0, 0, 0},
        // 24:00 and 7:60 are no times: not the next midnight or 8:00.
        {"hour 24 is not midnight", {At(23, 59, 59), At(0, 0, 0, 8), At(0, 1, 0, 8)}, 24, 0, 0, 0},
        {"minute 60 is not the next hour", {At(7, 59, 59), At(8, 0, 0), At(8, 1, 0)}, 7, 60, 0, 0},
        // Suspended from the last day of February into March.
        {"asleep from 28 February to 1 March",
         {OnDay(2026, 2, 28, 23, 0), OnDay(2026, 3, 1, 7, 50)},
         7,
         30,
         1,
         0},
        {"asleep from 28 to 29 February in a leap year",
         {OnDay(2028, 2, 28, 23, 0), OnDay(2028, 2, 29, 7, 50)},
         7,
         30,
         1,
         0},
        {"asleep from 29 February to 1 March",
         {OnDay(2028, 2, 29, 23, 0), OnDay(2028, 3, 1, 7, 50)},
         7,
         30,
         1,
         0},
        // Tokyo to New York after it rang: the same date's 7:30 comes again,
        // 24 hours after the first.
        {"the zone moved west after it rang: rings again next morning",
         {At(7, 30, 0, 9), At(7, 31, 0, 9), At(17, 31, 0, 8), At(7, 30, 0, 9)},
         7,
         30,
         2,
         0},
        {"a date set a day ahead and corrected: rings again",
         {At(7, 30, 0, 10), At(7, 40, 0, 9), At(7, 30, 0, 10)},
         7,
         30,
         2,
         0},
        {"a zone an hour west: the same morning rings once",
         {At(7, 30, 0, 9), At(7, 31, 0, 9), At(6, 31, 0, 9), At(7, 30, 0, 9)},
         7,
         30,
         1,
         0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AlarmsOver(c.ticks, c.hour, c.minute), std::pair(c.rings, c.notes)) << c.name;
    }
}

TEST(TickRulesTest, MissedAlarmIsToldWithTheGapThatSwallowedIt) {
    ClockSettings settings;
    settings.TimeHour = 7;
    settings.TimeMin = 5;
    const struct {
        const char* name;
        LocalDateTime stopped;
        LocalDateTime resumed;
        const char* told;
    } cases[] = {
        {"asleep through the morning", At(6, 58, 0), At(9, 15, 0),
         "目覚まし（7:05）は鳴りませんでした。\n6:58から9:15まで、時計が動いていませんでした。"},
        {"asleep since the evening before", At(23, 40, 0, 6), At(8, 30, 0),
         "目覚まし（7:05）は鳴りませんでした。\n12月6日23:40から8:"
         "30まで、時計が動いていませんでした。"},
    };
    for (const auto& c : cases) {
        ClockState state;
        Tick(settings, state, InputAt(c.stopped));
        const TickOutcome woken = Tick(settings, state, InputAt(c.resumed, 9000));
        ASSERT_TRUE(woken.missed_alarm) << c.name;
        EXPECT_TRUE(woken.announcements.empty()) << c.name;
        EXPECT_FALSE(woken.sound) << c.name << ": told without sound";
        EXPECT_EQ(MissedAlarmNotice(*woken.missed_alarm),
                  (Message{c.told, "ソラネ Ver.1.1", MessageIcon::None}))
            << c.name;
    }
    ClockState state;
    Tick(settings, state, InputAt(At(6, 58, 0)));
    EXPECT_EQ(MissedAlarmLog(*Tick(settings, state, InputAt(At(9, 15, 0), 9000)).missed_alarm),
              "the alarm of 07:05 on 2026-12-07 was missed: the clock got no tick from 06:58 "
              "until 09:15");
}

TEST(TickRulesTest, ScreenReadersAreToldTheMinuteTheAlarmAndTheCountdownOnlyWhenTheyChange) {
    ClockSettings settings;
    ClockState state;
    const auto spoken_at = [&](const LocalDateTime& now, double steady) {
        return Tick(settings, state, InputAt(now, steady)).spoken;
    };
    EXPECT_EQ(spoken_at(At(9, 5, 0), 0), (SpokenClock{"ソラネ 午前9時5分", "令和8年12月7日"}));
    EXPECT_FALSE(spoken_at(At(9, 5, 1), 1)) << "not every second";
    EXPECT_FALSE(spoken_at(At(9, 5, 59), 59));
    EXPECT_EQ(spoken_at(At(12, 0, 0), 60)->name, "ソラネ 午後0時");

    settings.TimeHour = 7;
    settings.TimeMin = 30;
    EXPECT_EQ(spoken_at(At(12, 0, 1), 61)->description, "令和8年12月7日、目覚まし 7時30分");
    ArmCountdown(state, 180, At(12, 0, 1), 61);
    EXPECT_EQ(spoken_at(At(12, 0, 2), 62)->description,
              "令和8年12月7日、目覚まし 7時30分、タイマー 残り3分");
    EXPECT_FALSE(spoken_at(At(12, 0, 50), 110)) << "still three minutes, rounded up";
    EXPECT_EQ(spoken_at(At(12, 1, 2), 122)->description,
              "令和8年12月7日、目覚まし 7時30分、タイマー 残り2分");
    // Its end: the countdown goes, and so does its part of the description.
    settings.TimeHour = 0;
    settings.TimeMin = 0;
    EXPECT_EQ(spoken_at(At(12, 3, 2), 242)->description, "令和8年12月7日");
    EXPECT_EQ(spoken_at(At(0, 0, 0, 8), 43500)->description, "令和8年12月8日");
}

TEST(TickRulesTest, AlarmOnTheDaysSummerTimeBeginsAndEnds) {
#if defined(_WIN32)
    GTEST_SKIP() << "needs the system's zone rules through TZ";
#else
    const char* const zone = std::getenv("TZ");
    const std::string was = zone != nullptr ? zone : "";
    ::setenv("TZ", "America/New_York", 1);
    ::tzset();
    // A tick each second, as the desktop reads them, from one UTC time to another.
    const auto ticks = [](std::time_t from, std::time_t to) {
        std::vector<LocalDateTime> readings;
        for (std::time_t t = from; t <= to; ++t) {
            std::tm local{};
            ::localtime_r(&t, &local);
            readings.push_back({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                local.tm_hour, local.tm_min, local.tm_sec, 5});
        }
        return readings;
    };
    // 2026-03-08 06:59 UTC is 1:59 EST; a second after 1:59:59 comes 3:00:00.
    const std::vector<LocalDateTime> spring = ticks(1772953140, 1772953260);
    EXPECT_EQ(AlarmsOver(spring, 2, 30), std::pair(1, 0)) << "2:30 never comes that night";
    EXPECT_EQ(AlarmsOver(spring, 2, 0), std::pair(1, 0)) << "nor does 2:00";
    // 2026-11-01 05:29 UTC is 1:29 EDT; 1:00 to 2:00 comes twice.
    const std::vector<LocalDateTime> autumn = ticks(1793510940, 1793514660);
    EXPECT_EQ(AlarmsOver(autumn, 1, 30), std::pair(1, 0)) << "1:30 comes twice, rings once";
    if (zone != nullptr) {
        ::setenv("TZ", was.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();
#endif
}

TEST(TickRulesTest, MidnightAlarmIsNoAlarm) {
    ClockSettings settings;
    ClockState state;
    EXPECT_TRUE(Tick(settings, state, InputAt(At(0, 0, 0))).announcements.empty());
    settings.TimeMin = 1;  // 0:01 is an alarm
    EXPECT_EQ(Tick(settings, state, InputAt(At(0, 1, 0))).announcements.size(), 1u);
}

TEST(TickRulesTest, CountdownAndAlarmInOneTickAnnounceBothInOrder) {
    ClockSettings settings;
    settings.TimeHour = 12;
    settings.TimeMin = 5;
    ClockState state;
    ArmCountdown(state, 300, At(12, 0, 0), 0);
    const TickOutcome outcome = Tick(settings, state, InputAt(At(12, 5, 0), 300.5));
    ASSERT_EQ(outcome.announcements.size(), 2u);
    EXPECT_TRUE(outcome.sound) << "one sound for both";
    EXPECT_EQ(outcome.announcements[0].text, "時間です！\n5分経ちました");
    EXPECT_EQ(outcome.announcements[1].text, "時間です！");
}

TEST(TickRulesTest, FaceStaysSurprisedWhileAnAnnouncementIsOpen) {
    ClockSettings settings;
    ClockState state;
    TickInput input = InputAt(At(12, 0, 1));
    input.announcements_open = 1;
    EXPECT_EQ(Tick(settings, state, input).face, Face::Surprised);
    input.announcements_open = 0;
    EXPECT_EQ(Tick(settings, state, input).face, Face::Ordinary);
}

TEST(TickRulesTest, StealthSquareExcludesItsLeftAndTopEdges) {
    // The clock at pixel (100, 200).
    const float left = 1500;
    const float top = 3000;
    EXPECT_FALSE(CursorInsideClock(left, top, {100, 250}));
    EXPECT_FALSE(CursorInsideClock(left, top, {150, 200}));
    EXPECT_TRUE(CursorInsideClock(left, top, {101, 201}));  // a corner outside the round face
    EXPECT_TRUE(CursorInsideClock(left, top, {249, 349}));
    EXPECT_FALSE(CursorInsideClock(left, top, {250, 300}));
    EXPECT_FALSE(CursorInsideClock(left, top, {175, 350}));
    // A cursor x beyond 16 bits wraps as the cursor reader gives it.
    EXPECT_TRUE(CursorInsideClock(left, top, {65536 + 175, 300}));
}

TEST(TickRulesTest, StealthHidesWhileInsideAndShowsWhenNothingHoldsItBack) {
    ClockSettings settings;
    settings.Sterus = 1;
    ClockState state;
    TickInput input = InputAt(At(12, 0, 0));
    input.left_twips = 1500;
    input.top_twips = 3000;

    state.MouseInside = true;
    ASSERT_TRUE(StealthNeedsCursor(settings, state));
    input.cursor = ScreenPoint{175, 275};
    EXPECT_EQ(Tick(settings, state, input).stealth, StealthAction::Hide);
    EXPECT_TRUE(state.MouseInside);

    input.cursor = ScreenPoint{400, 400};
    state.DialogOpen = true;
    EXPECT_EQ(Tick(settings, state, input).stealth, StealthAction::None);
    EXPECT_TRUE(state.MouseInside);
    state.DialogOpen = false;
    state.Quitting = true;
    EXPECT_EQ(Tick(settings, state, input).stealth, StealthAction::None);
    state.Quitting = false;
    EXPECT_EQ(Tick(settings, state, input).stealth, StealthAction::Show);
    EXPECT_FALSE(state.MouseInside);
    EXPECT_FALSE(StealthNeedsCursor(settings, state));

    // Stealth off: the flag is cleared and the window left as it is.
    settings.Sterus = 0;
    state.MouseInside = true;
    EXPECT_FALSE(StealthNeedsCursor(settings, state));
    EXPECT_EQ(Tick(settings, state, InputAt(At(12, 0, 0))).stealth, StealthAction::None);
    EXPECT_FALSE(state.MouseInside);
}

TEST(TickRulesTest, NextTickLandsJustAfterTheNextBoundary) {
    const long long second = 1'764'999'960'000LL;  // a minute's start
    for (int ms = 0; ms < 1000; ++ms) {
        const int landing = ms + MillisecondsToNextBoundary(second + ms, 1);
        EXPECT_GT(landing, 1000) << ms;
        EXPECT_LE(landing, 1002) << ms;
    }
    // A minute apart: from anywhere in the minute to just after the next one's start.
    for (const long long into : {0LL, 1LL, 999LL, 30'000LL, 59'999LL}) {
        const long long landing = into + MillisecondsToNextBoundary(second + into, 60);
        EXPECT_GT(landing, 60'000) << into;
        EXPECT_LE(landing, 60'002) << into;
    }
}

TEST(TickRulesTest, NobodyLookingTicksEachMinuteAndAtTheCountdownsEnd) {
    ClockState state;
    // Seen: each second, and no tick of the countdown's own.
    EXPECT_EQ(PlanTicks(false, state, 100).every_seconds, 1);
    state.TimerArmed = 1;
    state.TimerEndsAt = 280;
    EXPECT_FALSE(PlanTicks(false, state, 100).countdown_in);
    // Blanked: each minute, and the countdown's end to the second.
    TickPlan blanked = PlanTicks(true, state, 100);
    EXPECT_EQ(blanked.every_seconds, 60);
    ASSERT_TRUE(blanked.countdown_in);
    EXPECT_DOUBLE_EQ(*blanked.countdown_in, 180);
    // An end already passed is ticked at once, never a negative wait.
    EXPECT_DOUBLE_EQ(*PlanTicks(true, state, 300).countdown_in, 0);
    // No countdown running: the minutes alone.
    state.TimerArmed = 0;
    blanked = PlanTicks(true, state, 100);
    EXPECT_EQ(blanked.every_seconds, 60);
    EXPECT_FALSE(blanked.countdown_in);
}

}  // namespace
}  // namespace sorane
