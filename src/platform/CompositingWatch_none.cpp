// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Builds without X11: nothing to watch but Wayland, which always composites.

#include "platform/CompositingWatch.h"

namespace sorane {

void CompositingWatch::WatchX11Server() {}

bool CompositingWatch::nativeEventFilter(const QByteArray&, void*, qintptr*) {
    return false;
}

}  // namespace sorane
