// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/ScreenBlankWatch.h"

namespace sorane {

ScreenBlankWatch::ScreenBlankWatch(QWidget&, std::function<void(bool)> changed)
    : m_changed(std::move(changed)) {}

ScreenBlankWatch::~ScreenBlankWatch() = default;

bool ScreenBlankWatch::nativeEventFilter(const QByteArray&, void*, qintptr*) {
    return false;
}

}  // namespace sorane
