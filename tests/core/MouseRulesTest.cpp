// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/MouseRules.h"

#include <gtest/gtest.h>

namespace sorane {
namespace {

TEST(MouseRulesTest, RightButtonMenusOthersDragUnlessStealthIsOn) {
    ClockSettings settings;
    EXPECT_EQ(ActionForMouseDown(MouseButton::Right, settings), MouseDownAction::PopUpMenu);
    EXPECT_EQ(ActionForMouseDown(MouseButton::Left, settings), MouseDownAction::StartDrag);
    EXPECT_EQ(ActionForMouseDown(MouseButton::Middle, settings), MouseDownAction::StartDrag);
    settings.Sterus = 1;
    EXPECT_EQ(ActionForMouseDown(MouseButton::Right, settings), MouseDownAction::PopUpMenu);
    EXPECT_EQ(ActionForMouseDown(MouseButton::Left, settings), MouseDownAction::Nothing);
    EXPECT_EQ(ActionForMouseDown(MouseButton::Middle, settings), MouseDownAction::Nothing);
    settings.Sterus = 2;  // only 1 is stealth
    EXPECT_EQ(ActionForMouseDown(MouseButton::Left, settings), MouseDownAction::StartDrag);
}

TEST(MouseRulesTest, TopRowAndLeftColumnDoNotCountAsInside) {
    EXPECT_TRUE(MovementMeansInside(15, 15));
    EXPECT_FALSE(MovementMeansInside(0, 750));
    EXPECT_FALSE(MovementMeansInside(750, 0));
}

TEST(MouseRulesTest, PressedPointStaysUnderTheCursor) {
    // Pressed at (40, 50) pixels into the window; the cursor now at (365, 260).
    EXPECT_EQ(DraggedWindowPosition({365, 260}, 600, 750), (ScreenPoint{325, 210}));
    EXPECT_EQ(DraggedWindowPosition({10, 5}, 600, 750), (ScreenPoint{-30, -45}));
}

TEST(MouseRulesTest, OnlyARightPressOnTheTrayIconOpensTheMenu) {
    EXPECT_TRUE(TrayEventOpensMenu(TrayMouseEvent::RightPress));
    EXPECT_FALSE(TrayEventOpensMenu(TrayMouseEvent::LeftClick));
    EXPECT_FALSE(TrayEventOpensMenu(TrayMouseEvent::DoubleClick));
    EXPECT_FALSE(TrayEventOpensMenu(TrayMouseEvent::MiddleClick));
}

}  // namespace
}  // namespace sorane
