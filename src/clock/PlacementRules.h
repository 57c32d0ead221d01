// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

// Where the clock's window goes, what is saved as its place, and how it
// meets the compositor and the window manager.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/ValueTypes.h"
#include "common/WindowManagement.h"

namespace sorane {

/// Where the clock opens for a saved position in twips: that position in
/// pixels, or, when the clock would lie wholly off every screen (a monitor
/// was removed), the default position of 50, 50 twips. A clock partly on a
/// screen stays where it was, and so does one where no screen has a size
/// (no active output: the only monitor switched off).
ScreenPoint ClockPlacement(std::int32_t left_twips, std::int32_t top_twips,
                           const std::vector<ScreenRect>& screens);

/// Where the clock is to be saved as being: where the display server has it
/// (also after a move by the window manager or another program), unless the
/// server did not show it where it was put (a compositor that places windows
/// itself, as sway does) and the user has not dragged it through the
/// compositor since: then the place it was last put at, from Clock.ini or by
/// a drag of its own, so that a place the user never chose does not replace
/// theirs. on_screen: the server's place, nullopt where it cannot tell.
ScreenPoint PlaceToSave(ScreenPoint put_at, std::optional<ScreenPoint> on_screen,
                        bool shown_where_put, bool dragged_by_compositor);

/// Whether the clock draws the corners outside its dial clear, to be blended
/// over what lies behind it: wherever something composites the window (some
/// compositors ignore the window's shape, and a square would show). Where
/// nothing does, clear pixels would show black, so the corners are drawn
/// opaque and the window's shape cuts them away.
bool ClearCornersFor(const Compositing& compositing);

/// What the clock does about the X11 window manager of that name (see
/// WindowManagerWays).
WindowManagerWays WaysOf(const std::string& window_manager);

/// Whether a drag is left to the compositor (the window manager's move)
/// rather than done by moving the window to follow the pointer: under
/// Wayland, where a window cannot place itself, and under the XWayland of
/// Weston and of sway (wlroots), whose window managers ignore a window's own
/// moves once it is shown.
bool DragThroughCompositor(const Compositing& compositing);

}  // namespace sorane
