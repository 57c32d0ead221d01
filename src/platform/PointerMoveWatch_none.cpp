// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/PointerMoveWatch.h"

namespace sorane {

PointerMoveWatch::PointerMoveWatch() = default;
PointerMoveWatch::~PointerMoveWatch() = default;

void PointerMoveWatch::Start() {}

void PointerMoveWatch::Select(bool) {}

bool PointerMoveWatch::nativeEventFilter(const QByteArray&, void*, qintptr*) {
    return false;
}

}  // namespace sorane
