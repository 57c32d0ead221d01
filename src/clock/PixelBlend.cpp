// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/PixelBlend.h"

#include <algorithm>

namespace sorane {
namespace {

// x * a / 255, rounded as Qt's raster engine rounds it, for the four
// channels of a premultiplied pixel at once.
inline QRgb ByteMul(QRgb x, uint a) {
    uint t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    return x | t;
}

// A premultiplied source over a target pixel, as QPainter's default
// composition draws it.
inline void SourceOver(QRgb& target, QRgb source) {
    const uint alpha = qAlpha(source);
    if (alpha == 255) {
        target = source;
    } else if (alpha != 0) {
        target = source + ByteMul(target, 255 - alpha);
    }
}

// A row of a 32-bit picture, without QImage::scanLine's checks on every row.
inline QRgb* RowOf(uchar* bits, qsizetype stride, int y) {
    return reinterpret_cast<QRgb*>(bits + y * stride);
}
inline const QRgb* RowOf(const uchar* bits, qsizetype stride, int y) {
    return reinterpret_cast<const QRgb*>(bits + y * stride);
}

}  // namespace

void CopyPart(QImage& target, const QImage& picture, const QRect& device_area) {
    const QRect area = device_area & target.rect() & picture.rect();
    uchar* const bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    const uchar* const source_bits = picture.constBits();
    const qsizetype source_stride = picture.bytesPerLine();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::copy_n(RowOf(source_bits, source_stride, y) + area.left(), area.width(),
                    RowOf(bits, stride, y) + area.left());
    }
}

void BlendPart(QImage& target, const QImage& picture, const QPoint& device_at,
               const QRect& device_area) {
    const QRect area = device_area & target.rect() & picture.rect().translated(device_at);
    uchar* const bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    const uchar* const source_bits = picture.constBits();
    const qsizetype source_stride = picture.bytesPerLine();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* source = RowOf(source_bits, source_stride, y - device_at.y());
        QRgb* row = RowOf(bits, stride, y);
        for (int x = area.left(); x <= area.right(); ++x) {
            SourceOver(row[x], source[x - device_at.x()]);
        }
    }
}

void BlendHand(QImage& target, const HandPictures::Picture& hand, const QRect& device_area) {
    const QRect area = device_area & target.rect();
    const int first = std::max(area.top(), hand.at.y());
    const int end = std::min(area.bottom() + 1, hand.at.y() + hand.size.height());
    uchar* const bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (int y = first; y < end; ++y) {
        const HandPictures::Picture::Row& kept_row = hand.rows[std::size_t(y - hand.at.y())];
        const int source_x = hand.at.x() + kept_row.first;  // where source[0] lands
        const int left = std::max(area.left(), source_x);
        const int right = std::min(area.right() + 1, source_x + kept_row.count);
        QRgb* row = RowOf(bits, stride, y);
        const QRgb* source = hand.pixels.data() + kept_row.offset;
        for (int x = left; x < right; ++x) {
            SourceOver(row[x], source[x - source_x]);
        }
    }
}

}  // namespace sorane
