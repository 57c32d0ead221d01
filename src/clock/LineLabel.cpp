// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/LineLabel.h"

#include <QApplication>
#include <QPainter>

namespace sorane {

LineLabel::LineLabel(const QString& text, const QRect& geometry, const QFont& font)
    : m_text(text), m_geometry(geometry), m_font(font.resolve(QApplication::font())) {}

bool LineLabel::setText(const QString& text) {
    if (text == m_text) {
        return false;
    }
    m_text = text;
    return true;
}

const QImage& LineLabel::Picture(qreal ratio) {
    if (m_drawn_text != m_text || m_picture.isNull() || m_picture.devicePixelRatio() != ratio) {
        m_picture = QImage(m_geometry.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        m_picture.setDevicePixelRatio(ratio);
        m_picture.fill(Qt::transparent);
        QPainter text_painter(&m_picture);
        text_painter.setFont(m_font);
        text_painter.setPen(Qt::black);  // on the face whatever the colour scheme
        text_painter.drawText(QRect(QPoint(0, 0), m_geometry.size()),
                              Qt::AlignLeft | Qt::AlignVCenter, m_text);
        m_drawn_text = m_text;
    }
    return m_picture;
}

}  // namespace sorane
