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

/// Where the clock's window is and is to be: the place the user chose (from
/// Clock.ini or by a drag of the clock's own), what the display server was
/// seen to do with it, and what is saved. Decided by what the window manager
/// does, observed, not by its name:
/// - a border or a frame (a title bar) it adds shifts the dial from where
///   the clock asked by an offset, learned from the server's answer and taken
///   off every later request, so that the dial goes where it was put and a
///   drag moves it by exactly the pointer's travel;
/// - a window shown elsewhere than put (i3 shifts it once, awesome places a
///   new window where it overlaps others least) is asked back, a few times at
///   most, until it is seen where it was put or the user presses on it; a
///   move the clock did not ask for after that (the user's, through the
///   manager, or another program's) stands;
/// - a manager that ignores the clock's moves, or a compositor that sizes the
///   window itself (a kiosk), never has its own place saved as the user's.
class WindowPlacement {
public:
    /// The place the user chose; the clock is asked for there, as is.
    explicit WindowPlacement(ScreenPoint place = {}) : m_place(place), m_asked(place) {}

    /// The dial is to go to place: returns where to ask the server to put
    /// the window, the place less the offset its border or frame adds.
    ScreenPoint PutAt(ScreenPoint place);
    /// What the server shows, once the window is on the screen and after each
    /// move: the dial's rectangle. Returns where to ask for the window again,
    /// if the dial is not where it was put and the manager may follow.
    std::optional<ScreenPoint> Seen(const ScreenRect& dial);
    /// The manager moves each new window once it is shown, to a place of its
    /// own choosing (awesome): that first move is asked back too.
    void ManagerMovesNewWindows() { m_manager_move_expected = true; }
    /// The user pressed on the clock: a later move by the manager is theirs.
    void Pressed() { m_asks_left = 0; }
    /// The user dragged the clock through the compositor's own move, which
    /// knows where the user put it.
    void DraggedByCompositor() { m_dragged_by_compositor = true; }

    /// Where the user put the dial.
    ScreenPoint Place() const { return m_place; }
    /// Whether the window has been seen on the screen.
    bool Shown() const { return m_shown; }
    /// Whether the window has the size the clock asked for.
    bool SizeHonoured() const { return m_size_honoured; }
    /// Whether the window was shown where the clock put it, or followed when
    /// asked again; false where the manager places windows itself.
    bool ShownWherePut() const { return m_shown_where_put; }
    /// Whether pop-ups (the menu) are shown: not by a compositor that sizes
    /// the clock's window itself, a kiosk that shows windows only as it lays
    /// them out.
    bool PopUpsShown() const { return m_size_honoured; }
    /// Whether the window goes where the clock asks: false where the manager
    /// was seen to keep it where it placed it itself.
    bool FollowsMoves() const { return !m_shown || m_shown_where_put; }
    /// The offset the manager's border or frame adds to a requested place.
    ScreenPoint FrameOffset() const { return m_offset; }

    /// Where the clock is saved as being: where the server has the dial
    /// (also after a move by the window manager or another program), unless
    /// the manager placed it itself and the user has not dragged it through
    /// the compositor since, or the compositor sized the window: then the
    /// place the user chose. on_screen: the dial's rectangle as the server
    /// has it, nullopt where it cannot tell.
    ScreenPoint ToSave(std::optional<ScreenRect> on_screen) const;

private:
    ScreenPoint m_place;
    ScreenPoint m_asked;
    ScreenPoint m_offset{};
    bool m_shown = false;
    bool m_shown_where_put = true;
    bool m_size_honoured = true;
    bool m_dragged_by_compositor = false;
    // Whether the next place the server shows answers the clock's own
    // request: the place it was made at, or one asked for again.
    bool m_awaiting_answer = true;
    bool m_manager_move_expected = false;
    int m_asks_left = 4;
};

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
/// Wayland, where a window cannot place itself; under the XWayland of Weston
/// and of sway (wlroots), whose window managers ignore a window's own moves
/// once it is shown; and wherever the window was seen not to go where the
/// clock put it.
bool DragThroughCompositor(const Compositing& compositing, const WindowPlacement& placement);

}  // namespace sorane
