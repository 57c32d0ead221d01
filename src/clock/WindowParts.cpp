// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/WindowParts.h"

#include <QRegion>
#include <algorithm>
#include <cmath>

#include "clock/HandGeometry.h"

namespace sorane {
namespace {

bool SameLine(const HandLine& a, const HandLine& b) {
    return a.from.x == b.from.x && a.from.y == b.from.y && a.to.x == b.to.x && a.to.y == b.to.y;
}

// The x extent, halo and caps included, of the part of a hand whose pixels
// reach into the rows from top to bottom (logical pixels).
std::pair<qreal, qreal> HandExtent(const HandLine& hand, qreal width, qreal top, qreal bottom) {
    const qreal reach = HandReach(width);
    const QPointF from = PixelsOf(hand.from);
    const QPointF to = PixelsOf(hand.to);
    qreal first = 0;
    qreal last = 1;
    if (from.y() != to.y()) {
        // Where along the hand it crosses the rows' top and bottom, widened by its reach.
        qreal a = (top - reach - from.y()) / (to.y() - from.y());
        qreal b = (bottom + reach - from.y()) / (to.y() - from.y());
        if (a > b) {
            std::swap(a, b);
        }
        first = std::clamp(a, qreal(0), qreal(1));
        last = std::clamp(b, qreal(0), qreal(1));
    }
    const qreal x1 = from.x() + (to.x() - from.x()) * first;
    const qreal x2 = from.x() + (to.x() - from.x()) * last;
    return {std::min(x1, x2) - reach, std::max(x1, x2) + reach};
}

}  // namespace

void AddPart(WindowParts& parts, const QRect& area) {
    if (area.isEmpty()) {
        return;
    }
    const auto overlaps = [&](const QRect& part) { return part.intersects(area); };
    if (std::none_of(parts.begin(), parts.end(), overlaps)) {
        parts.append(area);
        return;
    }
    QRegion region;
    for (const QRect& part : parts) {
        region += part;
    }
    region += area;
    parts.clear();
    parts.append(region.begin(), region.rectCount());
}

WindowParts HandsChange(const std::optional<Hands>& before, const Hands& after) {
    // For each hand that moved, where it was and where it is, in bands of a
    // few rows: a slanted hand fills a small part of its bounding rectangle,
    // and every pixel drawn is a pixel copied, blended and sent to the screen.
    // One hand's bands never overlap; another hand's are added one by one.
    WindowParts change;
    const auto add = [&](const HandLine Hands::*hand, qreal width) {
        if (before && SameLine((*before).*hand, after.*hand)) {
            return;
        }
        const bool first_hand = change.isEmpty();
        QRectF area = HandArea(after.*hand, width);
        if (before) {
            area |= HandArea((*before).*hand, width);
        }
        const QRect rows = area.toAlignedRect();
        for (int top = rows.top(); top <= rows.bottom(); top += HAND_BAND_PIXELS) {
            const int bottom = std::min(top + HAND_BAND_PIXELS - 1, rows.bottom());
            auto [left, right] = HandExtent(after.*hand, width, top, bottom + 1);
            if (before) {
                const auto [was_left, was_right] =
                    HandExtent((*before).*hand, width, top, bottom + 1);
                left = std::min(left, was_left);
                right = std::max(right, was_right);
            }
            const int x = std::max(rows.left(), int(std::floor(left)));
            const int end = std::min(rows.right() + 1, int(std::ceil(right)));
            if (x >= end) {
                continue;
            }
            const QRect band(x, top, end - x, bottom + 1 - top);
            if (first_hand) {
                change.append(band);
            } else {
                AddPart(change, band);
            }
        }
    };
    add(&Hands::hour, HOUR_WIDTH);
    add(&Hands::minute, MINUTE_WIDTH);
    add(&Hands::second, SECOND_WIDTH);
    return change;
}

}  // namespace sorane
