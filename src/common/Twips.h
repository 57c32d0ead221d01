// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cmath>
#include <cstdint>

// Twips, the unit the settings file and the window handlers count in, and
// pixels: the one conversion between the two.

namespace sorane {

/// Twips per pixel wherever the clock converts between the two.
inline constexpr int TWIPS_PER_PIXEL = 15;

/// Twips in pixels. A length or position that may fall between pixels (a
/// hand's tip, a drag's offset) stays as it is; whole twips (the settings
/// file's, a form's layout) give whole pixels, halves upwards.
inline double PixelsOf(double twips) {
    return twips / TWIPS_PER_PIXEL;
}
inline int PixelsOf(std::int32_t twips) {
    return static_cast<int>(std::floor(PixelsOf(double(twips)) + 0.5));
}

/// Pixels in twips, exactly.
inline std::int32_t TwipsOf(int pixels) {
    return pixels * TWIPS_PER_PIXEL;
}
inline double TwipsOf(double pixels) {
    return pixels * TWIPS_PER_PIXEL;
}

}  // namespace sorane
