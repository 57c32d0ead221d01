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
}

}  // namespace
}  // namespace sorane
