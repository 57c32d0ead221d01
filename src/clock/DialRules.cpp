// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/DialRules.h"

#include <cmath>
#include <cstdint>

namespace sorane {
namespace {

// The value of pi the hand angles have always been computed with.
constexpr double PI = 3.141592;

float Radians(double degrees) {
    return static_cast<float>(degrees / 180 * PI);
}

HandLine Hand(float radians, int length_factor, int twips_per_pixel) {
    // The window's centre, then the tip; the products are 16-bit integers and
    // the halving is done in floating point.
    const auto span = static_cast<std::int16_t>(twips_per_pixel * CLOCK_SIZE);
    const auto reach = static_cast<std::int16_t>(twips_per_pixel * length_factor);
    HandLine line;
    line.from.x = static_cast<float>(span / 2.0);
    line.from.y = static_cast<float>(span / 2.0);
    line.to.x = static_cast<float>(line.from.x + reach / 2.0 * std::cos(radians));
    line.to.y = static_cast<float>(line.from.y - reach / 2.0 * std::sin(radians));
    return line;
}

}  // namespace

Face FaceForSecond(int second) {
    return second % 4 == 0 ? Face::Wink : Face::Ordinary;
}

Hands HandsAt(int hour, int minute, int second, int twips_per_pixel) {
    const int hour12 = hour > 12 ? hour - 12 : hour;
    const auto hour_degrees = static_cast<std::int16_t>(hour12 * 30);
    const double hour_angle = 90 - (minute * 0.5 + hour_degrees);
    const auto minute_angle = static_cast<std::int16_t>(90 - minute * 6);
    const auto second_angle = static_cast<std::int16_t>(90 - second * 6);
    return Hands{
        Hand(Radians(hour_angle), 120, twips_per_pixel),
        Hand(Radians(minute_angle), 135, twips_per_pixel),
        Hand(Radians(second_angle), 140, twips_per_pixel),
    };
}

}  // namespace sorane
