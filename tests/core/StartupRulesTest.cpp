// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/StartupRules.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace sorane {
namespace {

TEST(StartupRulesTest, AppPathEndsInExactlyOneSeparator) {
    EXPECT_EQ(AppPathFrom("/opt/sorane", '/'), "/opt/sorane/");
    EXPECT_EQ(AppPathFrom("/", '/'), "/");
    EXPECT_EQ(AppPathFrom("C:\\", '\\'), "C:\\");
    EXPECT_EQ(AppPathFrom("C:\\Tools\\Sorane", '\\'), "C:\\Tools\\Sorane\\");
}

TEST(StartupRulesTest, PortableCopiesKeepEverythingBesideInstalledOnesUseShareAndTheUsersFolder) {
    const std::string user = "/home/u/.config/sorane";
    EXPECT_EQ(FoldersFor("/home/u/sorane/", ProgramCopy::Portable, true, user, '/'),
              (ProgramFolders{"/home/u/sorane/", "/home/u/sorane/", ""}));
    EXPECT_EQ(FoldersFor("/mnt/cd/sorane/", ProgramCopy::Portable, false, user, '/'),
              (ProgramFolders{"/mnt/cd/sorane/", "/home/u/.config/sorane/", "/mnt/cd/sorane/"}));
    EXPECT_EQ(FoldersFor("/usr/bin/", ProgramCopy::Installed, false, user, '/'),
              (ProgramFolders{"/usr/share/sorane/", "/home/u/.config/sorane/", ""}));
    // Installed, even where root may write the program's folder.
    EXPECT_EQ(FoldersFor("/usr/local/bin/", ProgramCopy::Installed, true, user, '/'),
              (ProgramFolders{"/usr/local/share/sorane/", "/home/u/.config/sorane/", ""}));
    // A build installed with another layout (a data folder of its own).
    EXPECT_EQ(FoldersFor("/opt/sorane/bin/", ProgramCopy::Installed, false, user, '/', "../data"),
              (ProgramFolders{"/opt/sorane/data/", "/home/u/.config/sorane/", ""}));
    EXPECT_EQ(FoldersFor("C:\\Tools\\Sorane\\", ProgramCopy::Portable, true, "", '\\'),
              (ProgramFolders{"C:\\Tools\\Sorane\\", "C:\\Tools\\Sorane\\", ""}));
}

TEST(StartupRulesTest, AnInstalledFolderReadsBesideItselfAndKeepsClockIniInTheUsersFolder) {
    const std::string program = "C:\\Users\\u\\AppData\\Local\\Programs\\sorane\\";
    const std::string user = "C:\\Users\\u\\AppData\\Roaming\\sorane";
    const ProgramFolders installed{program, "C:\\Users\\u\\AppData\\Roaming\\sorane\\", ""};
    // The user may write the folder of a per-user install: Clock.ini stays out of it all the same.
    EXPECT_EQ(FoldersFor(program, ProgramCopy::InstalledFolder, true, user, '\\'), installed);
    EXPECT_EQ(FoldersFor(program, ProgramCopy::InstalledFolder, false, user, '\\'), installed);
}

TEST(StartupRulesTest, TheInstallMarkOutweighsTheFilesBesideTheProgram) {
    const TempFolder folder;
    EXPECT_EQ(ProgramCopyAt(folder.AppPath()), ProgramCopy::Installed);
    folder.Write("ReadMeT.txt", "read me");
    folder.Write("chimes.wav", "RIFF");
    EXPECT_EQ(ProgramCopyAt(folder.AppPath()), ProgramCopy::Portable);
    folder.Write(INSTALL_MARK, "installed by setup");
    EXPECT_EQ(ProgramCopyAt(folder.AppPath()), ProgramCopy::InstalledFolder);
}

TEST(StartupRulesTest, ReadMeIsFoundWhateverTheLetterCaseOfItsName) {
    TempFolder folder;
    EXPECT_EQ(FindReadMe(folder.Path().string()), std::nullopt);
    folder.Write("readmet.TXT", "x");
#if defined(_WIN32)  // letter case never matters there: the file is found by its own name
    EXPECT_TRUE(FindReadMe(folder.Path().string()).has_value());
    GTEST_SKIP() << "a file system that ignores letter case holds one read-me";
#endif
    EXPECT_EQ(FindReadMe(folder.Path().string()), (folder.Path() / "readmet.TXT").string());
    folder.Write("ReadMeT.txt", "x");
    EXPECT_EQ(FindReadMe(folder.Path().string()), (folder.Path() / "ReadMeT.txt").string());
}

TEST(StartupRulesTest, DisplayIsXWaylandWhenItAnswersAndAnErrorWhenNothingDoes) {
    const auto platform = [](const char* chosen, const char* wayland, bool x, bool plugin) {
        const DisplayChoice choice = ChooseDisplay({chosen, wayland, x, plugin});
        return choice.error ? "error" : choice.platform.value_or("qt's own");
    };
    EXPECT_EQ(platform(nullptr, "wayland-0", true, true), "xcb");
    EXPECT_EQ(platform("", "wayland-0", true, false), "xcb");
    EXPECT_EQ(platform("wayland", "wayland-0", true, true), "qt's own");
    EXPECT_EQ(platform("offscreen", nullptr, false, false), "qt's own");
    EXPECT_EQ(platform(nullptr, nullptr, true, false), "qt's own");
    EXPECT_EQ(platform(nullptr, "wayland-0", false, true), "wayland");
    EXPECT_EQ(platform(nullptr, "wayland-0", false, false), "error");
    EXPECT_EQ(platform(nullptr, nullptr, false, true), "error");
}

}  // namespace
}  // namespace sorane
