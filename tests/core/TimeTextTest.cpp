// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/TimeText.h"

#include <gtest/gtest.h>

namespace sorane {
namespace {

LocalDateTime At(int hour, int minute, int second) {
    LocalDateTime t;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

TEST(TimeTextTest, TwelveHourClockWithLatinMarkers) {
    EXPECT_EQ(TimeText(At(9, 5, 7)), "AM 09:05:07");
    EXPECT_EQ(TimeText(At(13, 30, 0)), "PM 01:30:00");
    EXPECT_EQ(TimeText(At(0, 0, 0)), "AM 12:00:00");
    EXPECT_EQ(TimeText(At(11, 59, 59)), "AM 11:59:59");
    EXPECT_EQ(TimeText(At(12, 0, 0)), "PM 12:00:00");
    EXPECT_EQ(TimeText(At(23, 59, 59)), "PM 11:59:59");
}

TEST(TimeTextTest, EraChangesOnItsFirstDay) {
    const struct {
        LocalDate date;
        const char* text;
        const char* spoken;  // as a screen reader says it
    } cases[] = {
        {{2001, 5, 7}, "H13/05/07", "平成13年5月7日"},
        {{1926, 12, 24}, "T15/12/24", "大正15年12月24日"},
        {{1926, 12, 25}, "S01/12/25", "昭和元年12月25日"},
        {{1989, 1, 7}, "S64/01/07", "昭和64年1月7日"},
        {{1989, 1, 8}, "H01/01/08", "平成元年1月8日"},
        {{2019, 4, 30}, "H31/04/30", "平成31年4月30日"},
        {{2019, 5, 1}, "R01/05/01", "令和元年5月1日"},
        {{2026, 12, 7}, "R08/12/07", "令和8年12月7日"},
        {{1912, 7, 29}, "M45/07/29", "明治45年7月29日"},
        {{1912, 7, 30}, "T01/07/30", "大正元年7月30日"},
        {{1868, 1, 1}, "M01/01/01", "明治元年1月1日"},
        {{2118, 1, 1}, "R100/01/01", "令和100年1月1日"},
        // Before Meiji no era is made up: a clock set to 1867 runs forwards.
        {{1867, 12, 31}, "1867/12/31", "1867年12月31日"},
        {{1000, 2, 3}, "1000/02/03", "1000年2月3日"},
        {{970, 1, 1}, "0970/01/01", "970年1月1日"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DateText(c.date), c.text) << c.date.year << "-" << c.date.month;
        EXPECT_EQ(SpokenDate(c.date), c.spoken) << c.date.year << "-" << c.date.month;
    }
}

TEST(TimeTextTest, SpokenTimeSaysMorningOrAfternoonAndLeavesOutZeroMinutes) {
    const struct {
        int hour;
        int minute;
        const char* spoken;
    } cases[] = {
        {0, 0, "午前0時"},  {0, 1, "午前0時1分"},    {9, 5, "午前9時5分"}, {11, 59, "午前11時59分"},
        {12, 0, "午後0時"}, {12, 30, "午後0時30分"}, {13, 0, "午後1時"},   {23, 59, "午後11時59分"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpokenTime(c.hour, c.minute), c.spoken) << c.hour << ":" << c.minute;
    }
}

}  // namespace
}  // namespace sorane
