// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <memory>
#include <span>

#include "clock/ClockFaces.h"
#include "clock/HandPictures.h"
#include "clock/WindowParts.h"
#include "clock/LineLabel.h"

class QPaintDevice;

namespace sorane {

/// What the clock window shows, back to front.
struct ClockScene {
    Face face = Face::Ordinary;
    LineLabel* line = nullptr;     ///< nullptr while the line is hidden
    const Hands* hands = nullptr;  ///< nullptr before the first tick
    HandColours colours;
};

/// The clock window's picture, in device pixels, always as the window is to
/// look: every change is blended into it, and the screen only ever gets
/// copies of it. It keeps the faces and the hand pictures for its device
/// pixel ratio and makes them again when the ratio changes.
class ClockSurface {
public:
    /// Takes a device pixel ratio and whether the corners outside the dial
    /// are clear: when the pictures are not made so, makes them so and
    /// returns true (the picture must then be composed whole).
    bool Use(qreal ratio, ClockFaces::Corners corners);
    qreal Ratio() const { return m_ratio; }
    const QImage& Picture() const { return m_picture; }

    /// The part of the window that changes from one face to another, in
    /// logical pixels.
    QRect FaceChange(Face from, Face to) const { return m_faces->Change(from, to); }

    /// Draws parts of the picture (logical pixels) again from the scene and
    /// returns them in device pixels. Each part is drawn whole, from the face
    /// up, so parts that overlap are drawn right, only twice.
    WindowParts Compose(const ClockScene& scene, std::span<const QRect> parts);
    /// Draws the whole picture again.
    void ComposeAll(const ClockScene& scene);

    /// The device pixels a part of the window (logical pixels) covers, or
    /// touches at a fractional ratio.
    QRect DeviceRect(const QRect& part) const;

    /// Copies parts (device pixels) of the picture onto a device as large as
    /// the window: straight into a picture in one of Qt's 32-bit window
    /// formats, else with a painter.
    void CopyTo(QPaintDevice& device, std::span<const QRect> device_parts) const;

private:
    qreal m_ratio = 0;
    ClockFaces::Corners m_corners = ClockFaces::Corners::Opaque;
    std::unique_ptr<ClockFaces> m_faces;
    HandPictures m_hand_pictures;
    QImage m_picture;
};

}  // namespace sorane
