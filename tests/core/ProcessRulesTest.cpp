// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "common/ProcessRules.h"

#include <gtest/gtest.h>

namespace sorane {
namespace {

TEST(ProcessRulesTest, ARelativeOrEmptyXdgConfigHomeIsIgnored) {
    EXPECT_EQ(ConfigHomeFrom("/home/u/cfg", "/home/u"), "/home/u/cfg");
    EXPECT_EQ(ConfigHomeFrom("cfg", "/home/u"), "/home/u/.config");
    EXPECT_EQ(ConfigHomeFrom("./cfg", "/home/u"), "/home/u/.config");
    EXPECT_EQ(ConfigHomeFrom("", "/home/u"), "/home/u/.config");
    EXPECT_EQ(ConfigHomeFrom(nullptr, "/home/u"), "/home/u/.config");
}

TEST(ProcessRulesTest, LimitsTooLowAreNamedWithWhatTheClockNeeds) {
    EXPECT_EQ(ShortOfLimits({1024, 8 << 20}), std::nullopt);
    EXPECT_EQ(ShortOfLimits({0, 0}), std::nullopt) << "no limits at all";
    EXPECT_EQ(ShortOfLimits({MIN_OPEN_FILES, MIN_STACK_BYTES}), std::nullopt);
    const std::optional<std::string> files = ShortOfLimits({12, 8 << 20});
    ASSERT_TRUE(files);
    EXPECT_NE(files->find("too few file descriptors: the limit is 12, the clock needs at least 64"),
              std::string::npos)
        << *files;
    EXPECT_EQ(files->find("stack"), std::string::npos) << *files;
    const std::optional<std::string> both = ShortOfLimits({63, 96 * 1024});
    ASSERT_TRUE(both);
    EXPECT_NE(both->find("the limit is 63"), std::string::npos) << *both;
    EXPECT_NE(both->find("too small a stack: the limit is 96 KiB"), std::string::npos) << *both;
}

}  // namespace
}  // namespace sorane
