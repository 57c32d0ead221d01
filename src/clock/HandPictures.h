// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QPainter>
#include <QPoint>
#include <QSize>
#include <array>
#include <map>
#include <tuple>
#include <vector>

#include "clock/DialRules.h"
#include "settings/Palette16.h"

namespace sorane {

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

}  // namespace sorane
