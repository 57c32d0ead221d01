// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "settings/TextEncoding.h"

#include <gtest/gtest.h>

namespace sorane {
namespace {

TEST(TextEncodingTest, RecognisesWellFormedUtf8Only) {
    EXPECT_TRUE(IsValidUtf8("plain ascii"));
    EXPECT_TRUE(IsValidUtf8("ソラネ 時間です！ 😀"));
    EXPECT_FALSE(IsValidUtf8("\x83\x5C"));          // CP932 ソ
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xE3\x81"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
}

TEST(TextEncodingTest, DecodesCp932AsAJapaneseWindowsSystemWroteIt) {
    EXPECT_EQ(Cp932ToUtf8("\x83\x5C\x83\x89\x83\x6C"), "ソラネ");
    EXPECT_EQ(Cp932ToUtf8("\xB1\xDD"), "ｱﾝ");                    // half-width katakana
    EXPECT_EQ(Cp932ToUtf8("C:\\\x8E\x9E\x8C\x76"), "C:\\時計");  // backslash stays
    EXPECT_EQ(Cp932ToUtf8("\x81\x40"), "\u3000");                // ideographic space
    EXPECT_EQ(Cp932ToUtf8("\x87\x40"), "①");                     // NEC special row
    EXPECT_EQ(Cp932ToUtf8("\x82"), "\uFFFD");                    // lead byte at the end
    EXPECT_EQ(Cp932ToUtf8("\xA0"), "\uFFFD");
}

TEST(TextEncodingTest, DecodeChoosesUtf8WhenTheBytesAreUtf8) {
    EXPECT_EQ(DecodeFileText("時計"), "時計");
    EXPECT_EQ(DecodeFileText("\x8E\x9E\x8C\x76"), "時計");
}

TEST(TextEncodingTest, CutNeverSplitsACharacter) {
    EXPECT_EQ(CutOnCharacterBoundary("abc", 5), "abc");
    EXPECT_EQ(CutOnCharacterBoundary("aあい", 3), "a");
    EXPECT_EQ(CutOnCharacterBoundary("aあい", 4), "aあ");
    EXPECT_EQ(CutOnCharacterBoundary("a\x82\xA0\x82\xA2", 2), "a");
    EXPECT_EQ(CutOnCharacterBoundary("a\x82\xA0\x82\xA2", 3), "a\x82\xA0");
}

}  // namespace
}  // namespace sorane
