// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/AppIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <iterator>

#include "clock/ReadPng.h"

namespace sorane {
namespace {

// The sizes the desktop's icon files come in, rendered from the vector icon
// by render_art.
constexpr int ICON_SIZES[] = {16, 24, 32, 48, 64, 128};

// Reads the size asked for when it is asked for, and keeps nothing: the
// window manager takes every size once at start-up, a tray one size when it
// paints, and a clock that runs for months need not hold six decoded
// pictures for that.
class BakedIconEngine final : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        // The smallest baked size that covers the request, else the largest.
        int chosen = ICON_SIZES[std::size(ICON_SIZES) - 1];
        for (int baked : ICON_SIZES) {
            if (baked >= size.width() && baked >= size.height()) {
                chosen = baked;
                break;
            }
        }
        QImage image = ReadPng(QString(":/icons/sorane-%1.png").arg(chosen));
        if (image.size() != size && !size.isEmpty()) {
            image = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        return QPixmap::fromImage(std::move(image));
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side =
            std::min({size.width(), size.height(), ICON_SIZES[std::size(ICON_SIZES) - 1]});
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int baked : ICON_SIZES) {
            sizes.append(QSize(baked, baked));
        }
        return sizes;
    }

    QIconEngine* clone() const override { return new BakedIconEngine; }

    QString key() const override { return QStringLiteral("sorane-baked"); }
};

}  // namespace

QIcon ApplicationIcon() {
    return QIcon(new BakedIconEngine);
}

}  // namespace sorane
