// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Windows and macOS: one way to the screen, Qt's own.

#include "platform/DisplayProbe.h"

namespace sorane {

std::optional<DisplaySession> DisplayProbe::Look() {
    return std::nullopt;
}

void DisplayProbe::Release() {}

}  // namespace sorane
