// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Systems whose notifications the clock reaches only through its tray icon.

#include "platform/DesktopNotice.h"

#include "common/StandardError.h"

namespace sorane {

void SendDesktopNotice(const Message& message) {
    ReportOnStandardError(message.text);
}

}  // namespace sorane
