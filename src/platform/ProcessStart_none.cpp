// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Systems whose processes start with what the clock needs.

#include "platform/ProcessStart.h"

namespace sorane {

ProcessLimits PrepareProcess() {
    return {};
}

}  // namespace sorane
