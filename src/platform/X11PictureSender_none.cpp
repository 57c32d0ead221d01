// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Builds without X11: pictures reach the screen through Qt.

#include "platform/X11PictureSender.h"

namespace sorane {

X11PictureSender::~X11PictureSender() = default;

bool X11PictureSender::CanSend(QWidget*) {
    return false;
}

void X11PictureSender::Send(const QImage&, std::span<const QRect>) {}

void X11PictureSender::ShowBeforeFirstPaint(QWidget*, const QImage&) {}

void X11PictureSender::ClearBackground() {}

}  // namespace sorane
