// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "SvgArt.h"

#include <QPainter>
#include <QSvgRenderer>

QImage RenderSvg(const QString& source, int side, const QColor& background) {
    QImage picture(
        side, side,
        background.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    picture.fill(background);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(source).render(&painter, QRectF(0, 0, side, side));
    return picture;
}
