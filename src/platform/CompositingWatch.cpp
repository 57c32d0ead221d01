// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/CompositingWatch.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace sorane {

bool CompositingWatch::MayComposite() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

CompositingWatch::CompositingWatch(std::function<void()> changed) : m_changed(std::move(changed)) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        m_now.native_wayland = true;
        return;
    }
    WatchX11Server();
}

CompositingWatch::~CompositingWatch() {
    if (m_xfixes_event != 0 && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

}  // namespace sorane
