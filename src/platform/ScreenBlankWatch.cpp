// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/ScreenBlankWatch.h"

namespace sorane {

void ScreenBlankWatch::Follow(bool blanked) {
    if (blanked != m_blanked) {
        m_blanked = blanked;
        m_changed(blanked);
    }
}

}  // namespace sorane
