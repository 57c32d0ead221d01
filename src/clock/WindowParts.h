// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>
#include <QVarLengthArray>
#include <optional>

#include "clock/DialRules.h"

namespace sorane {

/// The height of the bands a moved hand's area is cut into, in pixels.
constexpr int HAND_BAND_PIXELS = 8;

/// Rectangles of the window to draw again, in logical pixels; no two overlap.
using WindowParts = QVarLengthArray<QRect, 3 * (CLOCK_SIZE / HAND_BAND_PIXELS + 4) + 2>;

/// Adds area to parts. Where it overlaps a part, the parts are made again,
/// from the region they and area cover together.
void AddPart(WindowParts& parts, const QRect& area);

/// The part of the window that must be drawn again when the hands go from
/// one position to another: for each hand that moved, where it was and where
/// it is, in bands of a few rows (all three hands when there were none
/// before).
WindowParts HandsChange(const std::optional<Hands>& before, const Hands& after);

}  // namespace sorane
