// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include "clock/HandPictures.h"

namespace sorane {

/// Blends a kept hand picture over target (premultiplied source-over, as
/// QPainter draws it) within device_area.
void BlendHand(QImage& target, const HandPictures::Picture& hand, const QRect& device_area);

/// Copies the part of an opaque picture drawn at 0,0 under device_area.
void CopyPart(QImage& target, const QImage& picture, const QRect& device_area);
/// Blends a premultiplied picture drawn at device_at over target, within
/// device_area, with the same arithmetic as QPainter's source-over.
void BlendPart(QImage& target, const QImage& picture, const QPoint& device_at,
               const QRect& device_area);

}  // namespace sorane
