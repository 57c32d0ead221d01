// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/PlacementRules.h"

#include "clock/DialRules.h"
#include "common/Twips.h"

#include <cstdlib>

namespace sorane {
namespace {

constexpr std::int32_t DEFAULT_POSITION_TWIPS = 50;

bool Overlaps(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

}  // namespace

ScreenPoint ClockPlacement(std::int32_t left_twips, std::int32_t top_twips,
                           const std::vector<ScreenRect>& screens) {
    const ScreenPoint saved{PixelsOf(left_twips), PixelsOf(top_twips)};
    const ScreenRect clock{saved.x, saved.y, CLOCK_SIZE, CLOCK_SIZE};
    // A screen of no size is no screen: with the only monitor switched off
    // the clock cannot tell where the screens are, and keeps its place.
    bool any_screen = false;
    for (const ScreenRect& screen : screens) {
        if (screen.width <= 0 || screen.height <= 0) {
            continue;
        }
        any_screen = true;
        if (Overlaps(clock, screen)) {
            return saved;
        }
    }
    if (!any_screen) {
        return saved;
    }
    return {PixelsOf(DEFAULT_POSITION_TWIPS), PixelsOf(DEFAULT_POSITION_TWIPS)};
}

namespace {

// A border and a title bar are smaller than this: a window shown further from
// where it was asked for was placed by the manager itself.
constexpr std::int32_t LARGEST_FRAME = 64;

}  // namespace

ScreenPoint WindowPlacement::PutAt(ScreenPoint place) {
    m_place = place;
    m_asked = {place.x - m_offset.x, place.y - m_offset.y};
    return m_asked;
}

std::optional<ScreenPoint> WindowPlacement::Seen(const ScreenRect& dial) {
    m_shown = true;
    m_size_honoured = dial.width == CLOCK_SIZE && dial.height == CLOCK_SIZE;
    if (!m_size_honoured) {
        // The compositor lays the window out: it goes nowhere it is asked.
        m_shown_where_put = false;
        return std::nullopt;
    }
    const ScreenPoint at{dial.left, dial.top};
    if (at == m_place) {
        m_shown_where_put = true;
        m_awaiting_answer = m_manager_move_expected;
        return std::nullopt;
    }
    // A move the clock did not ask for is the user's (through the manager)
    // or another program's, and stands.
    if (!m_awaiting_answer || m_asks_left == 0) {
        m_awaiting_answer = false;
        return std::nullopt;
    }
    --m_asks_left;
    m_manager_move_expected = false;
    m_shown_where_put = false;
    const ScreenPoint shift{at.x - m_asked.x, at.y - m_asked.y};
    if (std::abs(shift.x) <= LARGEST_FRAME && std::abs(shift.y) <= LARGEST_FRAME) {
        m_offset = shift;
    }
    return PutAt(m_place);
}

ScreenPoint WindowPlacement::ToSave(std::optional<ScreenRect> on_screen) const {
    if (on_screen && m_size_honoured && (m_shown_where_put || m_dragged_by_compositor)) {
        return {on_screen->left, on_screen->top};
    }
    return m_place;
}

bool ClearCornersFor(const Compositing& compositing) {
    return compositing.native_wayland || compositing.xwayland || compositing.compositing_manager;
}

WindowManagerWays WaysOf(const std::string& window_manager) {
    // Known by name, as a window's type must be given before it is first
    // shown: what the manager does with it can only be seen after.
    if (window_manager == "herbstluftwm") {
        return {.first_type = WindowType::Notification, .unmanaged = true};
    }
    if (window_manager == "awesome") {
        // Its default rules give ordinary windows and dialogs a title bar.
        return {.first_type = WindowType::Utility, .moves_new_windows = true};
    }
    return {};
}

bool DragThroughCompositor(const Compositing& compositing, const WindowPlacement& placement) {
    // Weston's and wlroots' X window managers show a window where it is made
    // but ignore its moves from then on: nothing the clock could see tells
    // before the user's first drag, so they are known by name.
    return compositing.native_wayland ||
           (compositing.xwayland && (compositing.window_manager == "Weston WM" ||
                                     compositing.window_manager == "wlroots wm")) ||
           !placement.FollowsMoves();
}

}  // namespace sorane
