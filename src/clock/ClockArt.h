// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QVarLengthArray>
#include <array>
#include <map>
#include <optional>
#include <span>
#include <tuple>
#include <vector>

#include "settings/Palette16.h"
#include "clock/TickRules.h"

namespace sorane {

/// The three face pictures at a device pixel ratio, made once, so that
/// swapping them each second costs nothing.
class ClockFaces {
public:
    /// Opaque pictures (white outside the dial, which the round window cuts
    /// away) are copied to the screen without blending; transparent ones keep
    /// the corners clear for drawing the clock elsewhere.
    enum class Corners { Opaque, Transparent };

    explicit ClockFaces(qreal device_pixel_ratio, Corners corners = Corners::Opaque);
    /// A face's picture. The surprised face, shown only while an
    /// announcement is open, is read when it is asked for.
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
    mutable std::array<QImage, 3> m_pictures;
    QRect m_wink_area;
};

/// The colours of the three hands.
struct HandColours {
    Rgb hour = 0;
    Rgb minute = 0;
    Rgb second = 0;
};

/// Draws the hands, antialiased, 3, 2 and 1 pixels wide, each over a faint
/// halo of the opposite lightness so that every palette colour stays visible
/// over every part of the face.
void PaintHands(QPainter& painter, const Hands& hands, const HandColours& colours);

/// The hands as the clock window shows them, the same pixels as PaintHands:
/// each hand is drawn once per position and colour into a small picture that
/// is kept, so that a tick blends three pictures rather than stroking six
/// antialiased lines (which Qt's raster engine spreads over worker threads).
class HandPictures {
public:
    /// A hand drawn at one position, kept as each row's drawn run only: a
    /// thin slanted line fills a tenth of its bounding box.
    struct Picture {
        struct Row {
            int first;   ///< the first drawn pixel of the row
            int count;   ///< how many follow it, up to the last drawn one
            int offset;  ///< where they start in pixels
        };
        QPoint at;   ///< top-left corner, device pixels
        QSize size;  ///< device pixels
        std::vector<Row> rows;
        std::vector<QRgb> pixels;
    };

    /// The three hands' pictures at a device pixel ratio, back to front.
    std::array<const Picture*, 3> Layers(const Hands& hands, const HandColours& colours,
                                         qreal ratio);

private:
    using Key = std::tuple<float, float, Rgb, qreal>;

    const Picture& PictureFor(int hand, const HandLine& line, qreal width, Rgb rgb, qreal ratio);

    std::array<std::map<Key, Picture>, 3> m_pictures;
};

/// Blends a kept hand picture over target (premultiplied source-over, as
/// QPainter draws it) within device_area.
void BlendHand(QImage& target, const HandPictures::Picture& hand, const QRect& device_area);

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

/// Copies the part of an opaque picture drawn at 0,0 under device_area.
void CopyPart(QImage& target, const QImage& picture, const QRect& device_area);
/// Blends a premultiplied picture drawn at device_at over target, within
/// device_area, with the same arithmetic as QPainter's source-over.
void BlendPart(QImage& target, const QImage& picture, const QPoint& device_at,
               const QRect& device_area);

/// The application icon, in the sizes desktops ask for.
QIcon ApplicationIcon();

}  // namespace sorane
