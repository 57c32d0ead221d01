// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include "common/ValueTypes.h"

namespace sorane {

/// Tells the user something through the desktop's notifications, without a
/// box and without sound, and returns at once. Where the desktop has no
/// notifications, or they fail, the text goes to standard error.
void SendDesktopNotice(const Message& message);

}  // namespace sorane
