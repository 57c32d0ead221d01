// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/clsMousePos.h"

namespace sorane {

std::int16_t clsMousePos::x() const {
    return static_cast<std::int16_t>(m_desktop.WatchedCursorPos().x);
}

std::int16_t clsMousePos::y() const {
    return static_cast<std::int16_t>(m_desktop.WatchedCursorPos().y);
}

void clsMousePos::Move(std::int16_t x, std::int16_t y) {
    m_desktop.SetCursorPos({x, y});
}

}  // namespace sorane
