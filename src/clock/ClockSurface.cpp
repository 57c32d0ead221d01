// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/ClockSurface.h"

#include "clock/PixelBlend.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace sorane {

namespace {

// Qt's raster engine hands a copy of 96 device lines or more to its worker
// threads, waking them for nothing on a picture this small: a painter copies
// in bands of fewer.
constexpr int COPY_BAND_DEVICE_LINES = 64;

}  // namespace

bool ClockSurface::Use(qreal ratio, ClockFaces::Corners corners) {
    if (ratio == m_ratio && corners == m_corners && m_faces) {
        return false;
    }
    const bool new_ratio = ratio != m_ratio;
    m_ratio = ratio;
    m_corners = corners;
    m_faces = std::make_unique<ClockFaces>(ratio, corners);
    if (new_ratio) {
        m_hand_pictures = HandPictures();
    }
    // As large as Qt makes the window in device pixels.
    m_picture =
        QImage(m_faces->Picture(Face::Ordinary).size(), corners == ClockFaces::Corners::Opaque
                                                            ? QImage::Format_RGB32
                                                            : QImage::Format_ARGB32_Premultiplied);
    m_picture.setDevicePixelRatio(ratio);
    return true;
}

QRect ClockSurface::DeviceRect(const QRect& part) const {
    const int left = int(std::floor(part.left() * m_ratio));
    const int top = int(std::floor(part.top() * m_ratio));
    const int right = int(std::ceil((part.right() + 1) * m_ratio));
    const int bottom = int(std::ceil((part.bottom() + 1) * m_ratio));
    return QRect(left, top, right - left, bottom - top) & m_picture.rect();
}

WindowParts ClockSurface::Compose(const ClockScene& scene, std::span<const QRect> parts) {
    m_faces->DropUnusedPictures(scene.face);
    const QImage& face = m_faces->Picture(scene.face);
    const QImage* line = scene.line != nullptr ? &scene.line->Picture(m_ratio) : nullptr;
    const QPoint line_at =
        scene.line != nullptr ? DeviceRect(scene.line->geometry()).topLeft() : QPoint();
    std::array<const HandPictures::Picture*, 3> hands{};
    if (scene.hands != nullptr) {
        hands = m_hand_pictures.Layers(*scene.hands, scene.colours, m_ratio);
    }
    WindowParts device_parts;
    for (const QRect& part : parts) {
        const QRect device_part = DeviceRect(part);
        if (device_part.isEmpty()) {
            continue;
        }
        CopyPart(m_picture, face, device_part);
        if (line != nullptr) {
            BlendPart(m_picture, *line, line_at, device_part);
        }
        if (scene.hands != nullptr) {
            for (const HandPictures::Picture* hand : hands) {
                BlendHand(m_picture, *hand, device_part);
            }
        }
        device_parts.append(device_part);
    }
    return device_parts;
}

void ClockSurface::ComposeAll(const ClockScene& scene) {
    const QRect whole(0, 0, CLOCK_SIZE, CLOCK_SIZE);
    Compose(scene, std::span(&whole, 1));
}

void ClockSurface::CopyTo(QPaintDevice& device, std::span<const QRect> device_parts) const {
    if (device.devType() == QInternal::Image) {
        auto& image = static_cast<QImage&>(device);
        if ((image.format() == QImage::Format_RGB32 ||
             image.format() == QImage::Format_ARGB32_Premultiplied) &&
            image.size() == m_picture.size()) {
            for (const QRect& part : device_parts) {
                CopyPart(image, m_picture, part);
            }
            return;
        }
    }
    QPainter painter(&device);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& part : device_parts) {
        for (int top = part.top(); top <= part.bottom(); top += COPY_BAND_DEVICE_LINES) {
            const int lines = std::min(COPY_BAND_DEVICE_LINES, part.bottom() + 1 - top);
            const QRectF source(part.left(), top, part.width(), lines);
            painter.drawImage(QRectF(source.topLeft() / m_ratio, source.size() / m_ratio),
                              m_picture, source);
        }
    }
}

}  // namespace sorane
