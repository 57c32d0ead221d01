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

// What the server shows of the dial: at a place, 150 x 150 unless said.
ScreenRect DialAt(ScreenPoint at, int size = 150) {
    return {at.x, at.y, size, size};
}

ScreenPoint Plus(ScreenPoint a, ScreenPoint b) {
    return {a.x + b.x, a.y + b.y};
}

// A window manager as the clock meets it: it adds an offset to every place
// asked for (a border, a title bar), and may place a new window itself.
struct Manager {
    const char* name;
    ScreenPoint frame;                        // added to each request
    std::optional<ScreenPoint> places_first;  // where it shows a new window
    bool ignores_moves = false;
};

TEST(PlacementRulesTest, TheDialGoesWhereItIsPutAndDragsByTheTravelUnderEveryFrame) {
    const ScreenPoint user{400, 200};
    const Manager managers[] = {
        {"no frame", {0, 0}, std::nullopt},
        {"a 1-pixel border", {1, 1}, std::nullopt},
        {"a 2-pixel border", {2, 2}, std::nullopt},
        {"a title bar", {0, 27}, std::nullopt},
        {"a frame with a border and a title", {2, 29}, std::nullopt},
        {"shifts a new window once", {0, 0}, ScreenPoint{398, 198}},
        {"moves a new window far, then follows", {1, 1}, ScreenPoint{0, 500}},
    };
    for (const Manager& manager : managers) {
        WindowPlacement placement(user);
        ScreenPoint asked = placement.PutAt(user);
        ScreenPoint dial = manager.places_first.value_or(Plus(asked, manager.frame));
        // The server's answers, each to the last request, until none is made.
        int requests = 0;
        while (const std::optional<ScreenPoint> again = placement.Seen(DialAt(dial))) {
            asked = *again;
            dial = Plus(asked, manager.frame);
            ASSERT_LE(++requests, 4) << manager.name;
        }
        EXPECT_EQ(dial, user) << manager.name;
        EXPECT_TRUE(placement.ShownWherePut()) << manager.name;
        EXPECT_EQ(placement.ToSave(DialAt(dial)), user) << manager.name;

        // A drag by (+150, +100): the dial travels exactly that, and the
        // place saved is where it is.
        placement.Pressed();
        const ScreenPoint dragged{550, 300};
        dial = Plus(placement.PutAt(dragged), manager.frame);
        EXPECT_EQ(placement.Seen(DialAt(dial)), std::nullopt) << manager.name;
        EXPECT_EQ(dial, dragged) << manager.name;
        EXPECT_EQ(placement.ToSave(DialAt(dial)), dragged) << manager.name;
    }
}

TEST(PlacementRulesTest, APlaceTheManagerChoseIsNeverSavedOverTheUsers) {
    const ScreenPoint user{400, 200};
    const ScreenPoint centred{437, 309};
    {
        // Shown where the manager chose, and the clock's moves ignored: the
        // user's place is saved, and drags go through the manager.
        WindowPlacement placement(user);
        placement.PutAt(user);
        EXPECT_TRUE(placement.Seen(DialAt(centred)).has_value());
        EXPECT_FALSE(placement.ShownWherePut());
        EXPECT_FALSE(placement.FollowsMoves());
        EXPECT_EQ(placement.ToSave(DialAt(centred)), user);
        EXPECT_TRUE(DragThroughCompositor({}, placement));
        // Dragged through the manager, which then knows the user's place.
        placement.Pressed();
        placement.DraggedByCompositor();
        EXPECT_EQ(placement.ToSave(DialAt({600, 300})), (ScreenPoint{600, 300}));
        EXPECT_EQ(placement.ToSave(std::nullopt), user);  // the server cannot tell
    }
    {
        // A kiosk compositor makes the window fill the output at 0,0: neither
        // that place nor that size is the user's, and nothing is asked.
        WindowPlacement placement(user);
        placement.PutAt(user);
        EXPECT_EQ(placement.Seen({0, 0, 1024, 768}), std::nullopt);
        EXPECT_FALSE(placement.SizeHonoured());
        EXPECT_EQ(placement.ToSave(ScreenRect{0, 0, 1024, 768}), user);
        placement.DraggedByCompositor();
        EXPECT_EQ(placement.ToSave(ScreenRect{0, 0, 1024, 768}), user);
    }
    {
        // Shown where put, then moved by the manager at the user's word or
        // by another program, before or after the user touched the clock:
        // saved where it is, and not asked back.
        for (const bool pressed : {false, true}) {
            WindowPlacement placement(user);
            placement.PutAt(user);
            EXPECT_EQ(placement.Seen(DialAt(user)), std::nullopt);
            if (pressed) {
                placement.Pressed();
            }
            EXPECT_EQ(placement.Seen(DialAt({700, 50})), std::nullopt);
            EXPECT_EQ(placement.ToSave(DialAt({700, 50})), (ScreenPoint{700, 50}));
            EXPECT_FALSE(DragThroughCompositor({}, placement));
        }
    }
    {
        // A manager that moves each new window once shown (awesome) has that
        // move asked back, and that one only.
        WindowPlacement placement(user);
        placement.ManagerMovesNewWindows();
        placement.PutAt(user);
        EXPECT_EQ(placement.Seen(DialAt(user)), std::nullopt);
        EXPECT_EQ(placement.Seen(DialAt({610, 21})), user);
        EXPECT_EQ(placement.Seen(DialAt(user)), std::nullopt);
        EXPECT_EQ(placement.Seen(DialAt({700, 50})), std::nullopt);
        EXPECT_EQ(placement.ToSave(DialAt({700, 50})), (ScreenPoint{700, 50}));
    }
    {
        // A manager that keeps moving the window back is asked a few times,
        // not for ever.
        WindowPlacement placement(user);
        placement.PutAt(user);
        int requests = 0;
        while (placement.Seen(DialAt(centred))) {
            ASSERT_LE(++requests, 4);
        }
        EXPECT_EQ(placement.ToSave(DialAt(centred)), user);
    }
    // Where the server cannot tell, or before the window was on screen.
    EXPECT_EQ(WindowPlacement(user).ToSave(std::nullopt), user);
}

TEST(PlacementRulesTest, OnlyWhatMustBeSettledBeforeTheWindowIsShownGoesByName) {
    EXPECT_TRUE(WaysOf("herbstluftwm").unmanaged);
    EXPECT_EQ(WaysOf("herbstluftwm").first_type, WindowType::Notification);
    EXPECT_EQ(WaysOf("awesome").first_type, WindowType::Utility);  // no title bar
    EXPECT_FALSE(WaysOf("awesome").unmanaged);
    EXPECT_TRUE(WaysOf("awesome").moves_new_windows);
    // An ordinary window elsewhere: openbox would stack a dialog over the
    // clock's own message boxes, Weston gives a utility window no keyboard.
    for (const char* manager : {"i3", "Openbox", "Weston WM", "Mutter", "dwm", ""}) {
        const WindowManagerWays ways = WaysOf(manager);
        EXPECT_EQ(ways.first_type, WindowType::Normal) << manager;
        EXPECT_FALSE(ways.unmanaged || ways.moves_new_windows) << manager;
    }
}

TEST(PlacementRulesTest, DragsAreLeftToTheCompositorUnderWaylandOrWhereMovesAreIgnored) {
    const WindowPlacement placed({100, 100});
    EXPECT_FALSE(DragThroughCompositor({}, placed));
    EXPECT_FALSE(DragThroughCompositor({.compositing_manager = true}, placed));  // picom
    EXPECT_TRUE(DragThroughCompositor({.native_wayland = true}, placed));
    EXPECT_TRUE(DragThroughCompositor({.xwayland = true, .window_manager = "Weston WM"}, placed));
    EXPECT_TRUE(DragThroughCompositor({.xwayland = true, .window_manager = "wlroots wm"}, placed));
    // mutter and KWin follow the window's own moves.
    EXPECT_FALSE(DragThroughCompositor({.xwayland = true, .window_manager = "Mutter"}, placed));
    EXPECT_FALSE(DragThroughCompositor({.xwayland = true}, placed));
}

}  // namespace
}  // namespace sorane
