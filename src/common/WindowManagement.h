// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

// The display the clock is shown on, who puts its window on the screen,
// and what the clock does about the window manager: values the platform
// layer finds or carries out and the start-up rules decide on.

#include <string>

namespace sorane {

/// Who puts the clock's window on the screen.
struct Compositing {
    bool native_wayland = false;       ///< a Wayland compositor, without X
    bool xwayland = false;             ///< an X server inside a Wayland compositor
    bool compositing_manager = false;  ///< an X11 compositing manager runs
    std::string window_manager = {};   ///< the X window manager's own name, if it says
};

/// The first window type the clock gives itself on X11, the one most
/// window managers go by.
enum class WindowType { Normal, Notification, Utility };

/// What the clock does about the X11 window manager it runs under, known by
/// the name the manager gives itself: only what must be settled before the
/// window is first shown, where nothing the clock could observe would tell.
/// Everything else (a border, a frame, a place not honoured, dialogs raised
/// under the clock) is met by what the manager is seen to do. Elsewhere the
/// clock is an ordinary window: another type would harm it (Weston gives a
/// utility window no keyboard, openbox stacks a dialog over the clock's own
/// message boxes).
struct WindowManagerWays {
    WindowType first_type = WindowType::Normal;
    /// The manager leaves the clock alone (herbstluftwm's default rules tile
    /// an ordinary window, float a dialog in a frame with a title, and leave
    /// notifications unmanaged): the clock takes the keyboard itself when
    /// clicked, and keeps itself below its own dialogs.
    bool unmanaged = false;
    /// The manager moves a new window, once shown, to where it overlaps
    /// others least (awesome), whatever place it asked for: on the display
    /// that move looks like any other program's, so only the name tells. The
    /// clock asks for its place back the first time.
    bool moves_new_windows = false;
};

/// The display the clock is to be shown on, as start-up finds it.
struct DisplaySession {
    const char* qt_qpa_platform = nullptr;  ///< the user's choice of Qt platform, if any
    const char* wayland_display = nullptr;  ///< WAYLAND_DISPLAY
    bool x_reachable = false;               ///< an X display (or XWayland) answers
    bool wayland_plugin = false;            ///< Qt's Wayland platform is installed
};

}  // namespace sorane
