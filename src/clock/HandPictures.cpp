// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/HandPictures.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <functional>

#include "clock/HandGeometry.h"

namespace sorane {
namespace {

QColor HaloFor(Rgb rgb) {
    const QColor colour = QColor(QRgb(rgb));
    const double luminance =
        0.2126 * colour.redF() + 0.7152 * colour.greenF() + 0.0722 * colour.blueF();
    return luminance > 0.5 ? QColor(20, 40, 90, 120) : QColor(255, 255, 255, 150);
}

void PaintHand(QPainter& painter, const HandLine& hand, qreal width, Rgb rgb) {
    const QLineF line(PixelsOf(hand.from), PixelsOf(hand.to));
    painter.setPen(QPen(HaloFor(rgb), width + 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(line);
    painter.setPen(QPen(QColor(QRgb(rgb)), width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(line);
}

// Qt's raster engine splits an antialiased fill of more than about a hundred
// spans over its thread pool and waits for every part: from the GUI thread,
// that woke the pool for each new hand picture (once a minute for the hour
// and minute hands). Stroked in bands of four device rows, no fill of any
// hand position at 1x comes near that, and the picture is drawn on this
// thread alone (at 2x a few nearly level positions still reach the pool).
// Each band is painted on a picture only a band high, whose paint engine
// serves every band, so that the rasterizer works on the band's rows only;
// the band gets the pixels the whole stroke gives it. A line no wider than
// a device pixel is the exception: Qt draws it with a stroker whose pixels
// depend on where the device's edges cut the line, so it is drawn over the
// whole picture, clipped to each band.
constexpr int STROKE_BAND_DEVICE_ROWS = 4;

void StrokeInBands(QImage& image, bool hairline, const std::function<void(QPainter&)>& stroke) {
    const qreal ratio = image.devicePixelRatio();
    const auto paint = [&](QImage& device, int top, const QRect& clip) {
        QPainter painter(&device);
        painter.setClipRect(clip);
        painter.translate(0, -top);
        painter.scale(ratio, ratio);
        painter.setRenderHint(QPainter::Antialiasing);
        stroke(painter);
    };
    if (hairline) {
        QImage whole(image.bits(), image.width(), image.height(), image.bytesPerLine(),
                     image.format());
        for (int top = 0; top < image.height(); top += STROKE_BAND_DEVICE_ROWS) {
            paint(whole, 0, QRect(0, top, image.width(), STROKE_BAND_DEVICE_ROWS));
        }
        return;
    }
    QImage band(image.width(), STROKE_BAND_DEVICE_ROWS, image.format());
    for (int top = 0; top < image.height(); top += STROKE_BAND_DEVICE_ROWS) {
        band.fill(Qt::transparent);
        paint(band, top, band.rect());
        const int rows = std::min(STROKE_BAND_DEVICE_ROWS, image.height() - top);
        for (int y = 0; y < rows; ++y) {
            std::copy_n(band.constScanLine(y), image.bytesPerLine(), image.scanLine(top + y));
        }
    }
}

// Hands are drawn again for another position or colour; a hand's pictures
// are dropped together once there are more than this (the hour hand has 720
// positions, the others 60).
constexpr std::size_t PICTURES_KEPT_PER_HAND = 64;

}  // namespace

void PaintHands(QPainter& painter, const Hands& hands, const HandColours& colours) {
    // From back to front: the second, the minute and the hour hand, which
    // lies on top.
    painter.setRenderHint(QPainter::Antialiasing);
    PaintHand(painter, hands.second, SECOND_WIDTH, colours.second);
    PaintHand(painter, hands.minute, MINUTE_WIDTH, colours.minute);
    PaintHand(painter, hands.hour, HOUR_WIDTH, colours.hour);
}

std::array<const HandPictures::Picture*, 3> HandPictures::Layers(const Hands& hands,
                                                                 const HandColours& colours,
                                                                 qreal ratio) {
    // Back to front, as PaintHands draws them.
    return {&PictureFor(2, hands.second, SECOND_WIDTH, colours.second, ratio),
            &PictureFor(1, hands.minute, MINUTE_WIDTH, colours.minute, ratio),
            &PictureFor(0, hands.hour, HOUR_WIDTH, colours.hour, ratio)};
}

const HandPictures::Picture& HandPictures::PictureFor(int hand, const HandLine& line, qreal width,
                                                      Rgb rgb, qreal ratio) {
    std::map<Key, Picture>& kept = m_pictures[std::size_t(hand)];
    const Key key{line.to.x, line.to.y, rgb, ratio};
    if (const auto found = kept.find(key); found != kept.end()) {
        return found->second;
    }
    if (kept.size() >= PICTURES_KEPT_PER_HAND) {
        kept.clear();
    }
    // The hand's bounds, with room for the halo and the round caps, on whole
    // device pixels so that the picture lands exactly where the lines would.
    const QRectF bounds = HandArea(line, width);
    const QPoint device_top_left(int(std::floor(bounds.left() * ratio)),
                                 int(std::floor(bounds.top() * ratio)));
    const QPoint device_bottom_right(int(std::ceil(bounds.right() * ratio)),
                                     int(std::ceil(bounds.bottom() * ratio)));
    Picture picture;
    picture.at = device_top_left;
    picture.size = QSize(device_bottom_right.x() - device_top_left.x(),
                         device_bottom_right.y() - device_top_left.y());
    QImage image(picture.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(ratio);
    StrokeInBands(image, width * ratio <= 1, [&](QPainter& hand_painter) {
        hand_painter.translate(-QPointF(device_top_left) / ratio);
        PaintHand(hand_painter, line, width, rgb);
    });
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int first = 0;
        int end = image.width();
        while (first < end && row[first] == 0) {
            ++first;
        }
        while (end > first && row[end - 1] == 0) {
            --end;
        }
        picture.rows.push_back({first, end - first, int(picture.pixels.size())});
        picture.pixels.insert(picture.pixels.end(), row + first, row + end);
    }
    picture.pixels.shrink_to_fit();
    return kept.emplace(key, std::move(picture)).first->second;
}

}  // namespace sorane
