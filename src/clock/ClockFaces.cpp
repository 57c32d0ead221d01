// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/ClockFaces.h"

#include <QImageReader>
#include <QPainter>

#include "clock/ReadPng.h"

namespace sorane {
namespace {

// A face at a device pixel ratio. The usual scales (100 % to 200 % in
// quarters) were rendered from the vector sources when the program was
// built, clear outside the dial; others are rendered now by Qt's SVG image
// plug-in, which is loaded only then. Without the plug-in, the largest baked
// picture is scaled. Opaque faces are drawn over white.
QImage LoadFace(const QString& name, qreal ratio, ClockFaces::Corners corners) {
    const bool opaque = corners == ClockFaces::Corners::Opaque;
    const int side = qRound(CLOCK_SIZE * ratio);
    QImage drawn = ReadPng(QString(":/faces/%1@%2x.png").arg(name, QString::number(ratio)));
    if (drawn.isNull() || drawn.width() != side || drawn.height() != side) {
        QImageReader reader(QString(":/faces/%1.svg").arg(name));
        reader.setScaledSize(QSize(side, side));
        drawn = reader.read();
        if (drawn.isNull()) {
            drawn = ReadPng(QString(":/faces/%1@2x.png").arg(name))
                        .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
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

}  // namespace sorane
