// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "settings/NumberText.h"

#include <gtest/gtest.h>

namespace sorane {
namespace {

struct NumberCase {
    const char* text;
    std::optional<std::int64_t> expected;
};

TEST(NumberTextTest, ByteRangeRoundsHalfToEvenAndRefusesTheRest) {
    const NumberCase cases[] = {
        {"7", 7},
        {"  7 ", 7},
        {"\t7\t", 7},
        {"+7", 7},
        {"007", 7},
        {"2.5", 2},
        {"3.5", 4},
        {"0.5", 0},
        {"1.5", 2},
        {"2.51", 3},
        {"2.4999", 2},
        {"254.5", 254},
        {"255.4", 255},
        {"255.5", std::nullopt},
        {"-0.4", 0},
        {"-0.5", 0},
        {".5", 0},
        {"5.", 5},
        {"0", 0},
        {"255", 255},
        {"256", std::nullopt},
        {"-1", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"7a", std::nullopt},
        {"1e2", std::nullopt},
        {"1,000", std::nullopt},
        {"&H10", std::nullopt},
        {"- 7", std::nullopt},
        {".", std::nullopt},
        {"1.2.3", std::nullopt},
        {"９", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(ParseWholeNumber(c.text, 0, 255), c.expected) << '"' << c.text << '"';
    }
}

TEST(NumberTextTest, PositionRangeIsSigned32Bit) {
    EXPECT_EQ(ParseWholeNumber("-450", INT32_MIN, INT32_MAX), -450);
    EXPECT_EQ(ParseWholeNumber("1234.5", INT32_MIN, INT32_MAX), 1234);
    EXPECT_EQ(ParseWholeNumber("-1234.5", INT32_MIN, INT32_MAX), -1234);
    EXPECT_EQ(ParseWholeNumber("-1235.5", INT32_MIN, INT32_MAX), -1236);
    EXPECT_EQ(ParseWholeNumber("2147483647", INT32_MIN, INT32_MAX), INT32_MAX);
    EXPECT_EQ(ParseWholeNumber("-2147483648", INT32_MIN, INT32_MAX), INT32_MIN);
    EXPECT_EQ(ParseWholeNumber("2147483647.5", INT32_MIN, INT32_MAX), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("2147483648", INT32_MIN, INT32_MAX), std::nullopt);
}

}  // namespace
}  // namespace sorane
