// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <compare>

namespace sorane {

/// A calendar day of the local time zone.
struct LocalDate {
    int year = 2000;
    int month = 1;  ///< 1-12
    int day = 1;    ///< 1-31
    auto operator<=>(const LocalDate&) const = default;
};

/// A moment of local wall-clock time, as the desktop reports it.
struct LocalDateTime {
    int year = 2000;
    int month = 1;        ///< 1-12
    int day = 1;          ///< 1-31
    int hour = 0;         ///< 0-23
    int minute = 0;       ///< 0-59
    int second = 0;       ///< 0-59
    int millisecond = 0;  ///< 0-999

    LocalDate Date() const { return {year, month, day}; }
    /// Seconds since local midnight, with the milliseconds as a fraction.
    double SecondsSinceMidnight() const {
        return hour * 3600.0 + minute * 60.0 + second + millisecond / 1000.0;
    }
};

/// Milliseconds from a moment (milliseconds since the epoch) to just past
/// the next boundary of every_seconds seconds (the next second for 1, the
/// next minute's start for 60): a millisecond past it, so that a timer's
/// slack never lands a tick before the boundary, to show the same second
/// twice.
constexpr int MillisecondsToNextBoundary(long long epoch_ms, int every_seconds) {
    const long long period = every_seconds * 1000LL;
    const long long into = ((epoch_ms % period) + period) % period;
    return int(period - into + 1);
}

}  // namespace sorane
