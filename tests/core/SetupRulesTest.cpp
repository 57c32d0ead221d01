// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "setup/SetupRules.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "settings/Palette16.h"

namespace sorane {
namespace {

TEST(SetupRulesTest, DefaultsOpenAsBlueLightBlueBlackDateNoStealth) {
    TempFolder folder;
    ClockState state;
    state.AppPath = folder.AppPath();
    ClockSettings settings;
    ASSERT_FALSE(LoadSettings(state, settings));
    const SetupDialogView view = OpenSetupDialog(settings);
    EXPECT_STREQ(COLOUR_NAMES[std::size_t(view.hour_colour)], "青");
    EXPECT_STREQ(COLOUR_NAMES[std::size_t(view.minute_colour)], "明るい青");
    EXPECT_STREQ(COLOUR_NAMES[std::size_t(view.second_colour)], "黒");
    EXPECT_STREQ(VIEW_NAMES[std::size_t(view.view)], "日付");
    EXPECT_FALSE(view.stealth);
}

TEST(SetupRulesTest, OkWithoutChangesRewritesAllFiveKeys) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Pos]\r\nTop=45\r\n");
    ClockState state;
    state.AppPath = folder.AppPath();
    ClockSettings settings;
    ASSERT_FALSE(LoadSettings(state, settings));
    const SetupOkOutcome outcome = SetupDialogOk(settings, state, OpenSetupDialog(settings));
    EXPECT_TRUE(outcome.stored);
    EXPECT_EQ(outcome.message,
              (Message{"環境設定情報を保存しました。", "ソラネ Ver.1.1", MessageIcon::None}));
    EXPECT_EQ(folder.Read("Clock.ini"),
              "[Pos]\r\nTop=45\r\n[Color]\r\nhour=1\r\nmin=9\r\nsec=0\r\n"
              "[Mode]\r\nView=1\r\nSterus=0\r\n");
}

TEST(SetupRulesTest, WhiteIsLightGreyAndBrightWhiteIsPureWhite) {
    EXPECT_STREQ(COLOUR_NAMES[7], "白");
    EXPECT_EQ(Palette16[7], 0xC0C0C0u);
    EXPECT_STREQ(COLOUR_NAMES[15], "明るい白");
    EXPECT_EQ(Palette16[15], 0xFFFFFFu);
}

TEST(SetupRulesTest, ChoicesAreStoredAsTheirPositions) {
    TempFolder folder;
    ClockState state;
    state.AppPath = folder.AppPath();
    ClockSettings settings;
    const SetupOkOutcome outcome = SetupDialogOk(settings, state, {7, 15, 12, 2, true});
    ASSERT_TRUE(outcome.stored);
    EXPECT_EQ(settings.ColorHour, 7);
    EXPECT_EQ(settings.ColorMin, 15);
    EXPECT_EQ(settings.ColorSec, 12);
    EXPECT_EQ(settings.View, 2);
    EXPECT_EQ(settings.Sterus, 1);
    EXPECT_EQ(folder.Read("Clock.ini"),
              "[Color]\r\nhour=7\r\nmin=15\r\nsec=12\r\n[Mode]\r\nView=2\r\nSterus=1\r\n");
}

TEST(SetupRulesTest, ViewTheListDoesNotHaveMustBeChosenBeforeOk) {
    TempFolder folder;
    ClockState state;
    state.AppPath = folder.AppPath();
    ClockSettings settings;
    settings.View = 7;
    SetupDialogView view = OpenSetupDialog(settings);
    EXPECT_EQ(view.view, -1);
    const SetupOkOutcome refused = SetupDialogOk(settings, state, view);
    EXPECT_FALSE(refused.stored);
    EXPECT_EQ(refused.message.text, "表示種別を選んでください。");
    EXPECT_EQ(settings.View, 7);
    EXPECT_FALSE(folder.Exists("Clock.ini")) << "255 is never written";
    view.view = 0;
    EXPECT_TRUE(SetupDialogOk(settings, state, view).stored);
    EXPECT_EQ(settings.View, 0);
}

TEST(SetupRulesTest, FailedSaveSaysWhyButTheChoicesApply) {
    TempFolder folder;
    folder.Write("Clock.ini", "");
    std::filesystem::permissions(folder.Path() / "Clock.ini", std::filesystem::perms::owner_read);
    ClockState state;
    state.AppPath = folder.AppPath();
    ClockSettings settings;
    const SetupOkOutcome outcome = SetupDialogOk(settings, state, {4, 4, 4, 0, false});
    EXPECT_TRUE(outcome.stored);
    EXPECT_EQ(outcome.message.icon, MessageIcon::Warning);
    EXPECT_EQ(outcome.message.text.rfind("環境設定情報を保存できませんでした。", 0), 0u);
    EXPECT_EQ(settings.ColorHour, 4);
}

}  // namespace
}  // namespace sorane
