// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/MouseRules.h"

#include <cmath>

#include "clock/TickRules.h"

namespace sorane {

MouseDownAction ActionForMouseDown(MouseButton button, const ClockSettings& settings) {
    if (button == MouseButton::Right) {
        return MouseDownAction::PopUpMenu;
    }
    return settings.Sterus == 1 ? MouseDownAction::Nothing : MouseDownAction::StartDrag;
}

bool MovementMeansInside(float x_twips, float y_twips) {
    return x_twips != 0 && y_twips != 0;
}

ScreenPoint DraggedWindowPosition(ScreenPoint cursor, float drag_x_twips, float drag_y_twips) {
    // Left + X - DragX, with Left + X read as the cursor's own position, so
    // that a window manager slow to report the window's last move cannot
    // make the window jump.
    return {int(std::lround(cursor.x - PixelsOf(drag_x_twips))),
            int(std::lround(cursor.y - PixelsOf(drag_y_twips)))};
}

bool TrayEventOpensMenu(TrayMouseEvent event) {
    return event == TrayMouseEvent::RightPress;
}

}  // namespace sorane
