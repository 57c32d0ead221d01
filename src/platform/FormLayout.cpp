// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/FormLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "common/Twips.h"

namespace sorane {
namespace {

QFont FontAt(const QString& family, double points) {
    QFont font(family);
    // Sizes in pixels, so the text fits the twips layout whatever dpi the
    // display reports.
    font.setPixelSize(int(std::lround(points * 96 / 72)));
    return font;
}

}  // namespace

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(PixelsOf(left), PixelsOf(top), PixelsOf(width), PixelsOf(height));
}

QFont RoundGothic(double points) {
    return FontAt(QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"), points);
}

QFont MsGothic(double points) {
    return FontAt(QStringLiteral("ＭＳ ゴシック"), points);
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

}  // namespace sorane
