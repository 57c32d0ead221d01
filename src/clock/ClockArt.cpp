#include "clock/ClockArt.h"

#include <QSvgRenderer>
#include <cmath>
#include <type_traits>

namespace sorane {
namespace {

QPixmap Render(const QString& source, qreal device_pixel_ratio, ClockFaces::Corners corners) {
    const int side = qRound(CLOCK_SIZE * device_pixel_ratio);
    QPixmap picture(side, side);
    picture.fill(corners == ClockFaces::Corners::Opaque ? Qt::white : Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(source).render(&painter, QRectF(0, 0, side, side));
    painter.end();
    picture.setDevicePixelRatio(device_pixel_ratio);
    return picture;
}

QColor ToQColor(Rgb rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QColor HaloFor(Rgb rgb) {
    const QColor colour = ToQColor(rgb);
    const double luminance =
        0.2126 * colour.redF() + 0.7152 * colour.greenF() + 0.0722 * colour.blueF();
    return luminance > 0.5 ? QColor(20, 40, 90, 120) : QColor(255, 255, 255, 150);
}

QPointF ToPixels(const TwipPoint& point) {
    return {point.x / double(TWIPS_PER_PIXEL), point.y / double(TWIPS_PER_PIXEL)};
}

void PaintHand(QPainter& painter, const HandLine& hand, qreal width, Rgb rgb) {
    const QLineF line(ToPixels(hand.from), ToPixels(hand.to));
    painter.setPen(QPen(HaloFor(rgb), width + 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(line);
    painter.setPen(QPen(ToQColor(rgb), width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(line);
}

}  // namespace

ClockFaces::ClockFaces(qreal device_pixel_ratio, Corners corners)
    : m_pictures{Render(":/faces/ordinary.svg", device_pixel_ratio, corners),
                 Render(":/faces/wink.svg", device_pixel_ratio, corners),
                 Render(":/faces/surprised.svg", device_pixel_ratio, corners)} {}

void PaintHands(QPainter& painter, const Hands& hands, const HandColours& colours) {
    // From back to front: the second, the minute and the hour hand, which
    // lies on top.
    painter.setRenderHint(QPainter::Antialiasing);
    PaintHand(painter, hands.second, 1, colours.second);
    PaintHand(painter, hands.minute, 2, colours.minute);
    PaintHand(painter, hands.hour, 3, colours.hour);
}

namespace {

constexpr int BAND_DEVICE_LINES = 64;

// Hands are drawn again for another position or colour; a hand's pictures
// are dropped together once there are more than this (the hour hand has 720
// positions, the others 60).
constexpr std::size_t PICTURES_KEPT_PER_HAND = 64;

template <typename Picture>
void DrawBands(QPainter& painter, const QPointF& at, const Picture& picture) {
    const qreal ratio = picture.devicePixelRatio();
    for (int top = 0; top < picture.height(); top += BAND_DEVICE_LINES) {
        const int lines = std::min(BAND_DEVICE_LINES, picture.height() - top);
        const QRectF target(at.x(), at.y() + top / ratio, picture.width() / ratio, lines / ratio);
        const QRectF source(0, top, picture.width(), lines);
        if constexpr (std::is_same_v<Picture, QImage>) {
            painter.drawImage(target, picture, source);
        } else {
            painter.drawPixmap(target, picture, source);
        }
    }
}

}  // namespace

void DrawInBands(QPainter& painter, const QPointF& at, const QImage& picture) {
    DrawBands(painter, at, picture);
}

void DrawInBands(QPainter& painter, const QPointF& at, const QPixmap& picture) {
    DrawBands(painter, at, picture);
}

void HandPictures::Paint(QPainter& painter, const Hands& hands, const HandColours& colours) {
    const qreal ratio = painter.device()->devicePixelRatio();
    // Back to front, as PaintHands draws them.
    const Picture* pictures[] = {&PictureFor(2, hands.second, 1, colours.second, ratio),
                                 &PictureFor(1, hands.minute, 2, colours.minute, ratio),
                                 &PictureFor(0, hands.hour, 3, colours.hour, ratio)};
    for (const Picture* picture : pictures) {
        DrawInBands(painter, picture->at, picture->image);
    }
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
    const qreal reach = (width + 2) / 2 + 1;
    const QRectF bounds = QRectF(ToPixels(line.from), ToPixels(line.to))
                              .normalized()
                              .adjusted(-reach, -reach, reach, reach);
    const QPoint device_top_left(int(std::floor(bounds.left() * ratio)),
                                 int(std::floor(bounds.top() * ratio)));
    const QPoint device_bottom_right(int(std::ceil(bounds.right() * ratio)),
                                     int(std::ceil(bounds.bottom() * ratio)));
    Picture picture;
    picture.at = QPointF(device_top_left) / ratio;
    picture.image = QImage(QSize(device_bottom_right.x() - device_top_left.x(),
                                 device_bottom_right.y() - device_top_left.y()),
                           QImage::Format_ARGB32_Premultiplied);
    picture.image.fill(Qt::transparent);
    picture.image.setDevicePixelRatio(ratio);
    QPainter hand_painter(&picture.image);
    hand_painter.setRenderHint(QPainter::Antialiasing);
    hand_painter.translate(-picture.at);
    PaintHand(hand_painter, line, width, rgb);
    hand_painter.end();
    return kept.emplace(key, std::move(picture)).first->second;
}

QImage RenderIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(QStringLiteral(":/icons/sorane.svg")).render(&painter, QRectF(0, 0, size, size));
    return image;
}

QIcon ApplicationIcon() {
    // Rendered here rather than left to an icon plugin, so that the icon is
    // there even where Qt's SVG icon engine is not installed.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(QPixmap::fromImage(RenderIcon(size)));
    }
    return icon;
}

}  // namespace sorane
