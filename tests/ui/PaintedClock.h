// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "clock/ClockFaces.h"
#include "clock/HandPictures.h"

namespace sorane {

/// What the line shows in a painted clock: no text for a hidden line.
struct PaintedLine {
    QString text;
    QFont font;
    QRect geometry;
};

/// The clock window as painters draw it from scratch, with none of the
/// pictures the window keeps: the face read afresh, the line's text laid
/// out again, the hands stroked.
inline QImage PaintedClock(qreal ratio, Face face, const Hands& hands, const HandColours& colours,
                           const PaintedLine& line = {},
                           ClockFaces::Corners corners = ClockFaces::Corners::Opaque) {
    const ClockFaces faces(ratio, corners);
    QImage image = faces.Picture(face).copy();
    QPainter painter(&image);
    if (!line.text.isEmpty()) {
        painter.setFont(line.font);
        painter.setPen(Qt::black);
        painter.drawText(line.geometry, Qt::AlignLeft | Qt::AlignVCenter, line.text);
    }
    PaintHands(painter, hands, colours);
    return image;
}

/// The largest difference of any channel (alpha too) between two pictures
/// of one size; 255 when the sizes differ.
inline int LargestDifference(const QImage& a, const QImage& b, QPoint* where = nullptr) {
    if (a.size() != b.size()) {
        return 255;
    }
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int difference =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            if (difference > largest) {
                largest = difference;
                if (where != nullptr) {
                    *where = QPoint(x, y);
                }
            }
        }
    }
    return largest;
}

}  // namespace sorane
