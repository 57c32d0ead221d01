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

/// A length or position in twips, in pixels, unrounded.
inline double PixelsOf(double twips) {
    return twips / TWIPS_PER_PIXEL;
}

/// A length or position in twips, to the nearest pixel (halves upwards).
inline int TwipsToPixels(std::int32_t twips) {
    return static_cast<int>(std::floor(PixelsOf(twips) + 0.5));
}

/// Pixels in twips.
inline std::int32_t TwipsOf(int pixels) {
    return pixels * TWIPS_PER_PIXEL;
}

}  // namespace sorane
