// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/KeyRules.h"

namespace sorane {

ClockCommand CommandForKey(int virtual_key, bool repeated, bool shift) {
    if (repeated) {
        return ClockCommand::None;
    }
    switch (virtual_key) {
        case 27:
            return ClockCommand::Exit;
        case 65:
            return ClockCommand::About;
        case 72:
            return ClockCommand::Help;
        case 93:
            return ClockCommand::Menu;
        case 121:
            return shift ? ClockCommand::Menu : ClockCommand::None;
        default:
            return ClockCommand::None;
    }
}

}  // namespace sorane
