// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include "common/ValueTypes.h"
#include "settings/ClockSettings.h"

namespace sorane {

/// Mouse buttons as the clock's handlers number them.
enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

/// What a button pressed on the clock does.
enum class MouseDownAction { PopUpMenu, StartDrag, Nothing };

/// The right button pops up the menu; any other starts a drag, unless
/// stealth is on.
MouseDownAction ActionForMouseDown(MouseButton button, const ClockSettings& settings);

/// Whether a movement at (x, y) twips, window coordinates, tells stealth mode
/// that the cursor is over the clock: the top row and the left column (x or
/// y exactly 0) do not.
bool MovementMeansInside(float x_twips, float y_twips);

/// Where a dragged window goes: the point pressed (drag_x, drag_y twips,
/// window coordinates) stays under the cursor (screen pixels).
ScreenPoint DraggedWindowPosition(ScreenPoint cursor, float drag_x_twips, float drag_y_twips);

/// Mouse events on the tray icon.
enum class TrayMouseEvent { LeftClick, RightPress, MiddleClick, DoubleClick };

/// Only a right-button press on the tray icon opens the menu.
bool TrayEventOpensMenu(TrayMouseEvent event);

}  // namespace sorane
