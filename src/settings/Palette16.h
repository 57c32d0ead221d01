// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>

namespace sorane {

/// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

/// The sixteen colours that a colour number of the settings selects, in the
/// order the setup dialog lists them.
inline constexpr std::array<Rgb, 16> Palette16 = {
    0x000000,  // 0 black
    0x000080,  // 1 blue
    0x008000,  // 2 green
    0x008080,  // 3 cyan
    0x800000,  // 4 red
    0x800080,  // 5 magenta
    0x808000,  // 6 yellow
    0xC0C0C0,  // 7 white (a light grey)
    0x808080,  // 8 grey
    0x0000FF,  // 9 light blue
    0x00FF00,  // 10 light green
    0x00FFFF,  // 11 light cyan
    0xFF0000,  // 12 light red
    0xFF00FF,  // 13 light magenta
    0xFFFF00,  // 14 light yellow
    0xFFFFFF,  // 15 bright white
};

/// The highest colour number the palette has.
inline constexpr int PALETTE_LAST_INDEX = static_cast<int>(Palette16.size()) - 1;

/// The colour of a colour number; start-up refuses numbers above 15, and
/// should one reach here it draws black.
inline constexpr Rgb ColourFor(std::uint8_t index) {
    return index <= PALETTE_LAST_INDEX ? Palette16[index] : Palette16[0];
}

}  // namespace sorane
