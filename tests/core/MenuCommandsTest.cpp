#include "menu/MenuCommands.h"

#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "TempFolder.h"

namespace sorane {
namespace {

TEST(MenuCommandsTest, KeysActWithOrWithoutShiftAndOthersDoNothing) {
    EXPECT_EQ(CommandForKey(27), ClockCommand::Exit);
    EXPECT_EQ(CommandForKey(65), ClockCommand::About);
    EXPECT_EQ(CommandForKey(72), ClockCommand::Help);
    for (int other : {0, 13, 32, 66, 97, 104, 112}) {
        EXPECT_EQ(CommandForKey(other), ClockCommand::None) << other;
    }
}

TEST(MenuCommandsTest, ReadMeIsFoundWhateverTheLetterCaseOfItsName) {
    TempFolder folder;
    EXPECT_EQ(FindReadMe(folder.Path().string()), std::nullopt);
    folder.Write("readmet.TXT", "x");
    EXPECT_EQ(FindReadMe(folder.Path().string()), (folder.Path() / "readmet.TXT").string());
    folder.Write("ReadMeT.txt", "x");
    EXPECT_EQ(FindReadMe(folder.Path().string()), (folder.Path() / "ReadMeT.txt").string());
}

TEST(MenuCommandsTest, MissingReadMeOpensNothingAndSaysNothing) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "ReadMeT.txt.d");
    FakeDesktop desktop;
    desktop.program_directory = folder.Path().string();
    OpenReadMe(desktop);
    EXPECT_TRUE(desktop.opened_documents.empty());
    EXPECT_TRUE(desktop.messages.empty());
}

TEST(MenuCommandsTest, HomePageUsesTheOpenerThenTheToolkitThenSaysWhatFailed) {
    FakeDesktop started;
    OpenHomePage(started, PROGRAM_HOME_PAGE);
    EXPECT_EQ(started.url_openers_started, (std::vector<std::string>{PROGRAM_HOME_PAGE}));
    EXPECT_TRUE(started.toolkit_urls.empty());
    EXPECT_TRUE(started.messages.empty());

    FakeDesktop missing_opener;
    missing_opener.launch_result = {LaunchResult::Status::NotInstalled, 53, "x"};
    OpenHomePage(missing_opener, ART_HOME_PAGE);
    EXPECT_EQ(missing_opener.toolkit_urls, (std::vector<std::string>{ART_HOME_PAGE}));
    EXPECT_TRUE(missing_opener.messages.empty());

    FakeDesktop failed;
    failed.launch_result = {LaunchResult::Status::Failed, 75, "パス名が無効です。"};
    OpenHomePage(failed, ART_HOME_PAGE);
    EXPECT_TRUE(failed.toolkit_urls.empty());
    ASSERT_EQ(failed.messages.size(), 1u);
    EXPECT_EQ(failed.messages[0],
              (Message{"場所:About　ｴﾗｰNo:75\n場所とｴﾗｰNoを控えメールをお願いします。\n"
                       "内容:パス名が無効です。",
                       "ソラネ Ver.1.1", MessageIcon::None}));

    FakeDesktop nothing_works;
    nothing_works.launch_result = {LaunchResult::Status::NotInstalled, 53, "x"};
    nothing_works.toolkit_opens = false;
    OpenHomePage(nothing_works, ART_HOME_PAGE);
    ASSERT_EQ(nothing_works.messages.size(), 1u);
    EXPECT_EQ(nothing_works.messages[0].text.rfind("場所:About　ｴﾗｰNo:53\n", 0), 0u);
}

}  // namespace
}  // namespace sorane
