// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/ClockArt.h"

#include <QImageReader>
#include <QRegion>
#include <QVarLengthArray>
#include <algorithm>
#include <functional>
#include <cmath>

namespace sorane {
namespace {

// A PNG picture from the program's resources, read by Qt's own PNG reader:
// left to guess the format, the image reader would load every image format
// plug-in (and the libraries behind them) to ask each one first.
QImage ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// A face at a device pixel ratio. The usual scales (100 % to 200 % in
// quarters) were rendered from the vector sources when the program was
// built; others are rendered now by Qt's SVG image plug-in, which is loaded
// only then. Without the plug-in, the largest baked picture is scaled.
QImage LoadFace(const QString& name, qreal ratio, ClockFaces::Corners corners) {
    const bool opaque = corners == ClockFaces::Corners::Opaque;
    const int side = qRound(CLOCK_SIZE * ratio);
    QImage face;
    if (opaque) {
        face = ReadPng(QString(":/faces/%1@%2x.png").arg(name, QString::number(ratio)));
    }
    if (!face.isNull() && face.width() == side && face.height() == side) {
        face = face.convertToFormat(QImage::Format_RGB32);
    } else {
        QImageReader reader(QString(":/faces/%1.svg").arg(name));
        reader.setScaledSize(QSize(side, side));
        QImage drawn = reader.read();
        if (drawn.isNull()) {
            drawn = ReadPng(QString(":/faces/%1@2x.png").arg(name))
                        .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        face =
            QImage(side, side, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        face.fill(opaque ? Qt::white : Qt::transparent);
        QPainter painter(&face);
        painter.drawImage(0, 0, drawn);
    }
    face.setDevicePixelRatio(ratio);
    return face;
}

QColor HaloFor(Rgb rgb) {
    const QColor colour = QColor(QRgb(rgb));
    const double luminance =
        0.2126 * colour.redF() + 0.7152 * colour.greenF() + 0.0722 * colour.blueF();
    return luminance > 0.5 ? QColor(20, 40, 90, 120) : QColor(255, 255, 255, 150);
}

QPointF ToPixels(const TwipPoint& point) {
    return {PixelsOf(point.x), PixelsOf(point.y)};
}

void PaintHand(QPainter& painter, const HandLine& hand, qreal width, Rgb rgb) {
    const QLineF line(ToPixels(hand.from), ToPixels(hand.to));
    painter.setPen(QPen(HaloFor(rgb), width + 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(line);
    painter.setPen(QPen(QColor(QRgb(rgb)), width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(line);
}

}  // namespace

ClockFaces::ClockFaces(qreal device_pixel_ratio, Corners corners)
    : m_ratio(device_pixel_ratio),
      m_corners(corners),
      m_pictures{LoadFace("ordinary", device_pixel_ratio, corners),
                 LoadFace("wink", device_pixel_ratio, corners), QImage()} {
    // Where the wink differs from the ordinary face (the right eye): a wink
    // and its end draw only that part again.
    const QImage ordinary = m_pictures[0].convertToFormat(QImage::Format_RGB32);
    const QImage wink = m_pictures[1].convertToFormat(QImage::Format_RGB32);
    QRect differs;
    for (int y = 0; y < ordinary.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(ordinary.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(wink.constScanLine(y));
        int first = 0;
        int end = ordinary.width();
        while (first < end && a[first] == b[first]) {
            ++first;
        }
        while (end > first && a[end - 1] == b[end - 1]) {
            --end;
        }
        if (first < end) {
            differs |= QRect(first, y, end - first, 1);
        }
    }
    const qreal ratio = device_pixel_ratio;
    m_wink_area = QRectF(differs.x() / ratio, differs.y() / ratio, differs.width() / ratio,
                         differs.height() / ratio)
                      .toAlignedRect();
}

const QImage& ClockFaces::Picture(Face face) const {
    QImage& picture = m_pictures[static_cast<int>(face)];
    if (picture.isNull()) {
        picture = LoadFace("surprised", m_ratio, m_corners);
    }
    return picture;
}

void ClockFaces::DropUnusedPictures(Face shown) {
    if (shown != Face::Surprised) {
        m_pictures[static_cast<int>(Face::Surprised)] = QImage();
    }
}

QRect ClockFaces::Change(Face from, Face to) const {
    if (from == to) {
        return {};
    }
    if (from != Face::Surprised && to != Face::Surprised) {
        return m_wink_area;
    }
    return QRect(QPoint(0, 0), m_pictures[0].deviceIndependentSize().toSize());
}

namespace {

// The widths of the hour, minute and second hand, in pixels.
constexpr qreal HOUR_WIDTH = 3;
constexpr qreal MINUTE_WIDTH = 2;
constexpr qreal SECOND_WIDTH = 1;

// How far from its line a hand of this width touches pixels: half the
// halo's width, and one pixel for the antialiased edge.
qreal HandReach(qreal width) {
    return (width + 2) / 2 + 1;
}

// Everything a hand of this width touches, halo and round caps included.
QRectF HandArea(const HandLine& line, qreal width) {
    const qreal reach = HandReach(width);
    return QRectF(ToPixels(line.from), ToPixels(line.to))
        .normalized()
        .adjusted(-reach, -reach, reach, reach);
}

bool SameLine(const HandLine& a, const HandLine& b) {
    return a.from.x == b.from.x && a.from.y == b.from.y && a.to.x == b.to.x && a.to.y == b.to.y;
}

// The x extent, halo and caps included, of the part of a hand whose pixels
// reach into the rows from top to bottom (logical pixels).
std::pair<qreal, qreal> HandExtent(const HandLine& hand, qreal width, qreal top, qreal bottom) {
    const qreal reach = HandReach(width);
    const QPointF from = ToPixels(hand.from);
    const QPointF to = ToPixels(hand.to);
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

void PaintHands(QPainter& painter, const Hands& hands, const HandColours& colours) {
    // From back to front: the second, the minute and the hour hand, which
    // lies on top.
    painter.setRenderHint(QPainter::Antialiasing);
    PaintHand(painter, hands.second, SECOND_WIDTH, colours.second);
    PaintHand(painter, hands.minute, MINUTE_WIDTH, colours.minute);
    PaintHand(painter, hands.hour, HOUR_WIDTH, colours.hour);
}

namespace {

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

QIcon ApplicationIcon() {
    // The sizes the desktop's icon files come in, rendered from the vector
    // icon by render_art.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(QPixmap::fromImage(ReadPng(QString(":/icons/sorane-%1.png").arg(size))));
    }
    return icon;
}

}  // namespace sorane
