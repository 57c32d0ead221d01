// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "common/LocalDateTime.h"

namespace sorane {

/// A number of 0 to 99 in two digits, as "%02d" prints it ("07", "12").
std::string TwoDigits(int value);

/// "AM hh:mm:ss" / "PM hh:mm:ss" on the 12-hour clock: hour 0 shows as
/// "AM 12", hour 12 as "PM 12", hour 13 as "PM 01".
std::string TimeText(const LocalDateTime& now);

/// "gee/mm/dd": the Latin initial of the Japanese era (M, T, S, H, R), the
/// year within the era (01 for its first year), month and day. Dates before
/// the Meiji era's first day in the calendar used here (1868-01-01) show the
/// Gregorian year instead: "yyyy/mm/dd".
std::string DateText(const LocalDate& date);

/// Hours and minutes as they are said: "7時30分", "7時" on the hour.
std::string SpokenHoursAndMinutes(int hour, int minute);

/// The time as it is said: "午前9時5分", "午後3時" on the hour; midnight
/// is "午前0時", noon "午後0時", 12:30 "午後0時30分".
std::string SpokenTime(int hour, int minute);

/// The date in the era's words: "令和8年12月9日", the era's first year
/// "元年" ("令和元年5月1日"); before the first era, "1867年12月31日".
std::string SpokenDate(const LocalDate& date);

}  // namespace sorane
