// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <QRect>
#include <array>
#include <optional>

#include "clock/DialRules.h"

namespace sorane {

/// The three face pictures at a device pixel ratio, made once, so that
/// swapping them each second costs nothing.
class ClockFaces {
public:
    /// Opaque pictures are white outside the dial, which the window's shape
    /// cuts away; transparent ones keep the corners clear, for a compositor
    /// to blend the window over what lies behind it (and for drawing the
    /// clock elsewhere).
    enum class Corners { Opaque, Transparent };

    explicit ClockFaces(qreal device_pixel_ratio, Corners corners = Corners::Opaque);
    /// A face's picture. The ordinary face is read at once; the wink, first
    /// shown a few seconds later, and the surprised face, shown only while
    /// an announcement is open, when they are asked for.
    const QImage& Picture(Face face) const;
    /// Lets the surprised face's picture go while the face shown is another
    /// (90 KB at 1x that a clock would otherwise keep for months unused).
    void DropUnusedPictures(Face shown);
    /// The part of the window that changes from one face to another, in
    /// logical pixels: the right eye between the ordinary face and the wink,
    /// everything to or from the surprised face, nothing for the same face.
    QRect Change(Face from, Face to) const;

private:
    qreal m_ratio;
    Corners m_corners;
    /// The part the wink changes, in logical pixels; found at its first use.
    QRect WinkArea() const;

    mutable std::array<QImage, 3> m_pictures;
    mutable std::optional<QRect> m_wink_area;
};

}  // namespace sorane
