// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QPointF>
#include <QRectF>

#include "clock/DialRules.h"

namespace sorane {

// The widths of the hour, minute and second hand, in pixels.
inline constexpr qreal HOUR_WIDTH = 3;
inline constexpr qreal MINUTE_WIDTH = 2;
inline constexpr qreal SECOND_WIDTH = 1;

/// A point in twips, in pixels.
inline QPointF PixelsOf(const TwipPoint& point) {
    return {PixelsOf(point.x), PixelsOf(point.y)};
}

/// How far from its line a hand of this width touches pixels: half the
/// halo's width, and one pixel for the antialiased edge.
inline qreal HandReach(qreal width) {
    return (width + 2) / 2 + 1;
}

/// Everything a hand of this width touches, halo and round caps included,
/// in logical pixels.
inline QRectF HandArea(const HandLine& line, qreal width) {
    const qreal reach = HandReach(width);
    return QRectF(PixelsOf(line.from), PixelsOf(line.to))
        .normalized()
        .adjusted(-reach, -reach, reach, reach);
}

}  // namespace sorane
