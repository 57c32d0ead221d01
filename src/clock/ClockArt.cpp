#include "clock/ClockArt.h"

#include <QSvgRenderer>

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
    painter.setRenderHint(QPainter::Antialiasing);
    PaintHand(painter, hands.hour, 3, colours.hour);
    PaintHand(painter, hands.minute, 2, colours.minute);
    PaintHand(painter, hands.second, 1, colours.second);
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
