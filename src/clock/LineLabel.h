// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

namespace sorane {

/// The line with the time or the date, a label without a window of its own:
/// the clock draws it over the face and under the hands. Its text is drawn
/// into a kept picture when it changes, so that drawing the line (or the
/// face beneath it) copies the picture instead of laying out the text again.
class LineLabel {
public:
    /// geometry in the clock's logical pixels; black text in font.
    LineLabel(const QString& text, const QRect& geometry, const QFont& font);

    const QString& text() const { return m_text; }
    /// Returns whether the text changed.
    bool setText(const QString& text);
    bool isHidden() const { return m_hidden; }
    void setVisible(bool visible) { m_hidden = !visible; }
    const QRect& geometry() const { return m_geometry; }

    const QFont& font() const { return m_font; }

    /// The picture of the text, premultiplied, at a device pixel ratio.
    const QImage& Picture(qreal device_pixel_ratio);

private:
    QString m_text;
    QRect m_geometry;
    QFont m_font;
    bool m_hidden = false;
    QString m_drawn_text;
    QImage m_picture;
};

}  // namespace sorane
