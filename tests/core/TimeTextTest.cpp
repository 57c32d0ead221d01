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
    } cases[] = {
        {{2001, 5, 7}, "H13/05/07"},
        {{1926, 12, 24}, "T15/12/24"},
        {{1926, 12, 25}, "S01/12/25"},
        {{1989, 1, 7}, "S64/01/07"},
        {{1989, 1, 8}, "H01/01/08"},
        {{2019, 4, 30}, "H31/04/30"},
        {{2019, 5, 1}, "R01/05/01"},
        {{2026, 12, 7}, "R08/12/07"},
        {{1912, 7, 29}, "M45/07/29"},
        {{1912, 7, 30}, "T01/07/30"},
        {{1868, 1, 1}, "M01/01/01"},
        {{2118, 1, 1}, "R100/01/01"},
        // Before Meiji no era is made up: a clock set to 1867 runs forwards.
        {{1867, 12, 31}, "1867/12/31"},
        {{1000, 2, 3}, "1000/02/03"},
        {{970, 1, 1}, "0970/01/01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DateText(c.date), c.text) << c.date.year << "-" << c.date.month;
    }
}

}  // namespace
}  // namespace sorane
