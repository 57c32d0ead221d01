// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/KeyRules.h"

#include <gtest/gtest.h>

namespace sorane {
namespace {

TEST(KeyRulesTest, KeysActWithOrWithoutShiftAndOthersDoNothing) {
    EXPECT_EQ(CommandForKey(27), ClockCommand::Exit);
    EXPECT_EQ(CommandForKey(65), ClockCommand::About);
    EXPECT_EQ(CommandForKey(72), ClockCommand::Help);
    EXPECT_EQ(CommandForKey(72, true), ClockCommand::None) << "a held key acts once";
    for (int other : {0, 13, 32, 66, 97, 104, 112}) {
        EXPECT_EQ(CommandForKey(other), ClockCommand::None) << other;
    }
    // The menu from the keyboard: the Menu key, or Shift with F10; F10 alone
    // is the desktop's.
    EXPECT_EQ(CommandForKey(93), ClockCommand::Menu);
    EXPECT_EQ(CommandForKey(121, false, true), ClockCommand::Menu);
    EXPECT_EQ(CommandForKey(121), ClockCommand::None);
    EXPECT_EQ(CommandForKey(93, true), ClockCommand::None) << "a held key acts once";
}

}  // namespace
}  // namespace sorane
