// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/PlacementRules.h"

#include <gtest/gtest.h>

namespace sorane {
namespace {

TEST(PlacementRulesTest, SavedPositionIsUsedUnlessTheClockIsWhollyOffEveryScreen) {
    const std::vector<ScreenRect> one = {{0, 0, 1024, 768}};
    EXPECT_EQ(ClockPlacement(50, 50, one), (ScreenPoint{3, 3}));
    EXPECT_EQ(ClockPlacement(1500, 3000, one), (ScreenPoint{100, 200}));
    EXPECT_EQ(ClockPlacement(1234, -450, one), (ScreenPoint{82, -30}));  // partly off: kept
    EXPECT_EQ(ClockPlacement(12000, -2250, one), (ScreenPoint{3, 3}));   // just above the top
    EXPECT_EQ(ClockPlacement(15360, 0, one), (ScreenPoint{3, 3}));       // just right of it
    EXPECT_EQ(ClockPlacement(15345, 0, one), (ScreenPoint{1023, 0}));    // one pixel on

    // A clock on a second monitor stays there while it is connected.
    const std::vector<ScreenRect> two = {{0, 0, 1024, 768}, {1024, 0, 1920, 1080}};
    EXPECT_EQ(ClockPlacement(30000, 15000, two), (ScreenPoint{2000, 1000}));
    EXPECT_EQ(ClockPlacement(30000, 15000, one), (ScreenPoint{3, 3}));

    // No active output: the screen reported has no size, and no place can
    // be judged off it.
    EXPECT_EQ(ClockPlacement(6000, 3000, {{0, 0, 0, 0}}), (ScreenPoint{400, 200}));
    EXPECT_EQ(ClockPlacement(6000, 3000, {}), (ScreenPoint{400, 200}));
    EXPECT_EQ(ClockPlacement(30000, 15000, {{0, 0, 0, 0}, {0, 0, 1024, 768}}), (ScreenPoint{3, 3}));
}

TEST(PlacementRulesTest, CornersAreClearWhereverSomethingCompositesTheWindow) {
    EXPECT_FALSE(ClearCornersFor({}));  // plain X11: the shape cuts opaque corners away
    EXPECT_TRUE(ClearCornersFor({.native_wayland = true}));
    EXPECT_TRUE(ClearCornersFor({.xwayland = true}));  // Weston ignores the shape
    EXPECT_TRUE(ClearCornersFor({.compositing_manager = true}));
}

TEST(PlacementRulesTest, APlaceTheCompositorChoseIsNeverSavedOverTheUsers) {
    const ScreenPoint put{300, 100};
    const ScreenPoint elsewhere{410, 120};
    // Where the server cannot tell, or before the window was on screen.
    EXPECT_EQ(PlaceToSave(put, std::nullopt, true, false), put);
    // Shown where put, then moved by the window manager or a program.
    EXPECT_EQ(PlaceToSave(put, elsewhere, true, false), elsewhere);
    // Shown where the compositor chose (sway centres it): the place put at
    // stands, from Clock.ini or from the user's last drag of its own...
    EXPECT_EQ(PlaceToSave(put, elsewhere, false, false), put);
    // ...until the user drags it through the compositor, which then knows.
    EXPECT_EQ(PlaceToSave(put, elsewhere, false, true), elsewhere);
    EXPECT_EQ(PlaceToSave(put, std::nullopt, false, true), put);
}

TEST(PlacementRulesTest, EachWindowManagerIsMetInItsOwnWay) {
    EXPECT_TRUE(WaysOf("herbstluftwm").unmanaged);
    EXPECT_EQ(WaysOf("herbstluftwm").first_type, WindowType::Notification);
    EXPECT_EQ(WaysOf("awesome").first_type, WindowType::Utility);  // no title bar
    EXPECT_TRUE(WaysOf("awesome").border_taken_away);
    EXPECT_TRUE(WaysOf("awesome").moves_new_windows);
    EXPECT_TRUE(WaysOf("i3").dialogs_raised_again_on_click);
    EXPECT_FALSE(WaysOf("i3").unmanaged);  // floats a window of fixed size
    // An ordinary window elsewhere: openbox would stack a dialog over the
    // clock's own message boxes, Weston gives a utility window no keyboard.
    for (const char* manager : {"Openbox", "Weston WM", "Mutter", ""}) {
        const WindowManagerWays ways = WaysOf(manager);
        EXPECT_EQ(ways.first_type, WindowType::Normal) << manager;
        EXPECT_FALSE(ways.unmanaged || ways.dialogs_raised_again_on_click ||
                     ways.border_taken_away || ways.moves_new_windows)
            << manager;
    }
}

TEST(PlacementRulesTest, DragsAreLeftToTheCompositorOnlyUnderWayland) {
    EXPECT_FALSE(DragThroughCompositor({}));
    EXPECT_FALSE(DragThroughCompositor({.compositing_manager = true}));  // picom moves nothing
    EXPECT_TRUE(DragThroughCompositor({.native_wayland = true}));
    EXPECT_TRUE(DragThroughCompositor({.xwayland = true, .window_manager = "Weston WM"}));
    EXPECT_TRUE(DragThroughCompositor({.xwayland = true, .window_manager = "wlroots wm"}));  // sway
    // mutter and KWin follow the window's own moves.
    EXPECT_FALSE(DragThroughCompositor({.xwayland = true, .window_manager = "Mutter"}));
    EXPECT_FALSE(DragThroughCompositor({.xwayland = true}));
}

}  // namespace
}  // namespace sorane
