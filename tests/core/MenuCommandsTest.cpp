// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "menu/MenuCommands.h"

#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "TempFolder.h"

namespace sorane {
namespace {

TEST(MenuCommandsTest, ReadMeThatCannotBeOpenedIsReportedWithItsName) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "ReadMeT.txt.d");
    FakeDesktop missing;
    missing.program_directory = folder.Path().string();
    OpenReadMe(missing, folder.Path().string());
    EXPECT_TRUE(missing.openers_started.empty());
    ASSERT_EQ(missing.messages.size(), 1u);
    EXPECT_NE(missing.messages[0].text.find("ｴﾗｰNo:53"), std::string::npos);
    EXPECT_NE(missing.messages[0].text.find("ReadMeT.txt"), std::string::npos);

    folder.Write("ReadMeT.txt", "x");
    const std::string readme = (folder.Path() / "ReadMeT.txt").string();
    FakeDesktop no_opener;
    no_opener.program_directory = folder.Path().string();
    no_opener.launch_result = {LaunchResult::Status::NotInstalled, {}};
    no_opener.toolkit_opens = false;
    OpenReadMe(no_opener, folder.Path().string());
    EXPECT_EQ(no_opener.toolkit_targets, (std::vector<std::string>{readme}));
    ASSERT_EQ(no_opener.messages.size(), 1u);
    EXPECT_EQ(no_opener.messages[0].text,
              "場所:Help　ｴﾗｰNo:53\n場所とｴﾗｰNoを控えメールをお願いします。\n内容:" + readme +
                  " を開くプログラムが見つかりません。");
}

TEST(MenuCommandsTest, OpenerFailuresGetTheirNumbersAndTheToolkitOnlyStandsInForAMissingOne) {
    // The opener's path as a plain pointer: GCC 12 at -O3 takes a table of
    // std::string members followed by more members for one whose clean-up
    // reads uninitialised memory (a false -Wmaybe-uninitialized).
    struct Case {
        LaunchResult::Status status;
        const char* program;
        bool toolkit_opens;
        std::optional<OpenFailure> expected;
        bool toolkit_asked;
    };
    const Case cases[] = {
        {LaunchResult::Status::Started, "/usr/bin/xdg-open", true, std::nullopt, false},
        {LaunchResult::Status::NotInstalled, "", true, std::nullopt, true},
        {LaunchResult::Status::NotInstalled, "", false, OpenFailure{53, "誰も開けません"}, true},
        {LaunchResult::Status::NotExecutable, "/bin/xdg-open", true,
         OpenFailure{70, "書き込みできません。(/bin/xdg-open を実行する権限がありません)"}, false},
        {LaunchResult::Status::FailedToStart, "/bin/xdg-open", true,
         OpenFailure{75, "パス名が無効です。(/bin/xdg-open を起動できませんでした)"}, false},
    };
    for (const Case& c : cases) {
        FakeDesktop desktop;
        desktop.launch_result = {c.status, c.program};
        desktop.toolkit_opens = c.toolkit_opens;
        EXPECT_EQ(OpenWithDesktop(desktop, ART_HOME_PAGE, "誰も開けません"), c.expected)
            << int(c.status);
        EXPECT_EQ(desktop.openers_started, (std::vector<std::string>{ART_HOME_PAGE}));
        EXPECT_EQ(desktop.toolkit_targets.size(), c.toolkit_asked ? 1u : 0u);
    }
}

TEST(MenuCommandsTest, HomePageFailureIsTheThreeLineAboutMessage) {
    FakeDesktop failed;
    failed.launch_result = {LaunchResult::Status::FailedToStart, "/x/xdg-open"};
    OpenHomePage(failed, ART_HOME_PAGE);
    ASSERT_EQ(failed.messages.size(), 1u);
    EXPECT_EQ(failed.messages[0],
              (Message{"場所:About　ｴﾗｰNo:75\n場所とｴﾗｰNoを控えメールをお願いします。\n"
                       "内容:パス名が無効です。(/x/xdg-open を起動できませんでした)",
                       "ソラネ Ver.1.1", MessageIcon::None}));

    FakeDesktop nothing_works;
    nothing_works.launch_result = {LaunchResult::Status::NotInstalled, {}};
    nothing_works.toolkit_opens = false;
    OpenHomePage(nothing_works, ART_HOME_PAGE);
    ASSERT_EQ(nothing_works.messages.size(), 1u);
    EXPECT_EQ(nothing_works.messages[0].text,
              "場所:About　ｴﾗｰNo:53\n場所とｴﾗｰNoを控えメールをお願いします。\n"
              "内容:ブラウザを開けませんでした。");
}

}  // namespace
}  // namespace sorane
