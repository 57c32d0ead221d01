// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/PlacementRules.h"

#include "clock/DialRules.h"
#include "common/Twips.h"

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

ScreenPoint PlaceToSave(ScreenPoint put_at, std::optional<ScreenPoint> on_screen,
                        bool shown_where_put, bool dragged_by_compositor) {
    if (on_screen && (shown_where_put || dragged_by_compositor)) {
        return *on_screen;
    }
    return put_at;
}

bool ClearCornersFor(const Compositing& compositing) {
    return compositing.native_wayland || compositing.xwayland || compositing.compositing_manager;
}

WindowManagerWays WaysOf(const std::string& window_manager) {
    if (window_manager == "herbstluftwm") {
        return {.first_type = WindowType::Notification, .unmanaged = true};
    }
    if (window_manager == "awesome") {
        // Its default rules give ordinary windows and dialogs a title bar.
        return {.first_type = WindowType::Utility,
                .dialogs_raised_again_on_click = true,
                .border_taken_away = true,
                .moves_new_windows = true};
    }
    if (window_manager == "i3") {
        return {.dialogs_raised_again_on_click = true};
    }
    return {};
}

bool DragThroughCompositor(const Compositing& compositing) {
    return compositing.native_wayland ||
           (compositing.xwayland && (compositing.window_manager == "Weston WM" ||
                                     compositing.window_manager == "wlroots wm"));
}

}  // namespace sorane
