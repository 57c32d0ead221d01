// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/TimeText.h"

#include <array>
#include <charconv>
#include <iterator>

namespace sorane {
namespace {

struct Era {
    char initial;
    const char* name;
    LocalDate first_day;
};

// Newest first. The first days are those of the Japanese calendar that
// Windows uses, so that a date reads the same there and here.
constexpr std::array<Era, 5> ERAS = {{
    {'R', "令和", {2019, 5, 1}},
    {'H', "平成", {1989, 1, 8}},
    {'S', "昭和", {1926, 12, 25}},
    {'T', "大正", {1912, 7, 30}},
    {'M', "明治", {1868, 1, 1}},
}};

}  // namespace

// As "%02d" would print it, without the cost of formatting every second.
std::string TwoDigits(int value) {
    char buffer[16];
    char* first = buffer;
    if (value >= 0 && value < 10) {
        *first++ = '0';
    }
    return std::string(buffer, std::to_chars(first, std::end(buffer), value).ptr);
}

std::string TimeText(const LocalDateTime& now) {
    const char* marker = now.hour < 12 ? "AM " : "PM ";
    int hour12 = now.hour % 12;
    if (hour12 == 0) {
        hour12 = 12;
    }
    return marker + TwoDigits(hour12) + ":" + TwoDigits(now.minute) + ":" + TwoDigits(now.second);
}

std::string DateText(const LocalDate& date) {
    for (const Era& era : ERAS) {
        if (date >= era.first_day) {
            const int year = date.year - era.first_day.year + 1;
            return era.initial + TwoDigits(year) + "/" + TwoDigits(date.month) + "/" +
                   TwoDigits(date.day);
        }
    }
    // Before the first era the calendar knows: the Gregorian year, in four
    // digits, so that the line never shows an era that was not.
    std::string year = std::to_string(date.year < 0 ? -date.year : date.year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    return (date.year < 0 ? "-" : "") + year + "/" + TwoDigits(date.month) + "/" +
           TwoDigits(date.day);
}

std::string SpokenHoursAndMinutes(int hour, int minute) {
    std::string text = std::to_string(hour) + "時";
    if (minute != 0) {
        text += std::to_string(minute) + "分";
    }
    return text;
}

std::string SpokenTime(int hour, int minute) {
    return (hour < 12 ? "午前" : "午後") + SpokenHoursAndMinutes(hour % 12, minute);
}

std::string SpokenDate(const LocalDate& date) {
    std::string year = std::to_string(date.year) + "年";
    for (const Era& era : ERAS) {
        if (date >= era.first_day) {
            const int in_era = date.year - era.first_day.year + 1;
            year = era.name + (in_era == 1 ? std::string("元") : std::to_string(in_era)) + "年";
            break;
        }
    }
    return year + std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
}

}  // namespace sorane
