// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

#include "platform/Desktop.h"

namespace sorane {

/// Reads and places the mouse cursor. A read asks the display only when the
/// pointer has moved since the last (where the display tells of moves).
class clsMousePos {
public:
    explicit clsMousePos(Desktop& desktop) : m_desktop(desktop) {}

    /// The cursor's x in screen pixels, cut to 16 bits.
    std::int16_t x() const;
    /// The cursor's y in screen pixels, cut to 16 bits.
    std::int16_t y() const;
    /// Puts the cursor at (x, y) screen pixels. Kept as the cursor class has
    /// always offered it; the clock itself does not move the cursor.
    void Move(std::int16_t x, std::int16_t y);

private:
    Desktop& m_desktop;
};

}  // namespace sorane
