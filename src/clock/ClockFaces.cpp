// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/ClockFaces.h"

#include <QImageReader>
#include <QPainter>
#include <QResource>

namespace sorane {
namespace {

// A face baked at a scale as the program was built: its pixels, stored
// uncompressed in the program, shown from where they lie. A null picture
// where none was baked at that size.
QImage BakedFace(const QString& name, const QString& scale, int side) {
    const QResource baked(QString(":/faces/%1@%2x.argb").arg(name, scale));
    if (!baked.isValid() || baked.compressionAlgorithm() != QResource::NoCompression ||
        baked.size() != qint64(side) * side * 4) {
        return {};
    }
    return QImage(baked.data(), side, side, side * 4, QImage::Format_ARGB32_Premultiplied);
}

// A face at a device pixel ratio. The usual scales (100 % to 200 % in
// quarters) were rendered from the vector sources when the program was
// built, clear outside the dial; others are rendered now by Qt's SVG image
// plug-in, which is loaded only then. Without the plug-in, the largest baked
// picture is scaled. Opaque faces are drawn over white.
QImage LoadFace(const QString& name, qreal ratio, ClockFaces::Corners corners) {
    const bool opaque = corners == ClockFaces::Corners::Opaque;
    const int side = qRound(CLOCK_SIZE * ratio);
    QImage drawn = BakedFace(name, QString::number(ratio), side);
    if (drawn.isNull()) {
        QImageReader reader(QString(":/faces/%1.svg").arg(name));
        reader.setScaledSize(QSize(side, side));
        drawn = reader.read();
        if (drawn.isNull()) {
            drawn = BakedFace(name, "2", qRound(CLOCK_SIZE * 2.0))
                        .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
    }
    if (!opaque && drawn.format() == QImage::Format_ARGB32_Premultiplied) {
        // Clear corners: the baked picture as it is, read where it lies.
        drawn.setDevicePixelRatio(ratio);
        return drawn;
    }
    // Drawn pixel for pixel: Qt reads a ratio into a picture named "@2x".
    drawn.setDevicePixelRatio(1);
    QImage face(side, side, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    face.fill(opaque ? Qt::white : Qt::transparent);
    QPainter painter(&face);
    painter.drawImage(0, 0, drawn);
    painter.end();
    face.setDevicePixelRatio(ratio);
    return face;
}

}  // namespace

ClockFaces::ClockFaces(qreal device_pixel_ratio, Corners corners)
    : m_ratio(device_pixel_ratio),
      m_corners(corners),
      m_pictures{LoadFace("ordinary", device_pixel_ratio, corners), QImage(), QImage()} {}

const QImage& ClockFaces::Picture(Face face) const {
    QImage& picture = m_pictures[static_cast<int>(face)];
    if (picture.isNull()) {
        picture = LoadFace(face == Face::Wink ? "wink" : "surprised", m_ratio, m_corners);
    }
    return picture;
}

QRect ClockFaces::WinkArea() const {
    if (m_wink_area) {
        return *m_wink_area;
    }
    // Where the wink differs from the ordinary face (the right eye): a wink
    // and its end draw only that part again.
    const QImage ordinary = m_pictures[0].convertToFormat(QImage::Format_RGB32);
    const QImage wink = Picture(Face::Wink).convertToFormat(QImage::Format_RGB32);
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
    m_wink_area = QRectF(differs.x() / m_ratio, differs.y() / m_ratio, differs.width() / m_ratio,
                         differs.height() / m_ratio)
                      .toAlignedRect();
    return *m_wink_area;
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
        return WinkArea();
    }
    return QRect(QPoint(0, 0), m_pictures[0].deviceIndependentSize().toSize());
}

}  // namespace sorane
