// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Systems without an abstract socket namespace.

#include "platform/ProcessName.h"

namespace sorane {

NameClaim ClaimProcessName(const std::string&) {
    return {};
}

}  // namespace sorane
