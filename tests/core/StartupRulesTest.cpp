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

TEST(StartupRulesTest, SavedPositionIsUsedUnlessTheClockIsWhollyOffEveryScreen) {
    const std::vector<ScreenRect> one = {{0, 0, 1024, 768}};
    EXPECT_EQ(ClockPlacement(50, 50, one), (ScreenPoint{3, 3}));
    EXPECT_EQ(ClockPlacement(1500, 3000, one), (ScreenPoint{100, 200}));
    EXPECT_EQ(ClockPlacement(1234, -450, one), (ScreenPoint{82, -30}));  // partly off: kept
    EXPECT_EQ(ClockPlacement(12000, -2250, one), (ScreenPoint{3, 3}));   // just above the top
    EXPECT_EQ(ClockPlacement(15360, 0, one), (ScreenPoint{3, 3}));       // just right of it
    EXPECT_EQ(ClockPlacement(15345, 0, one), (ScreenPoint{1023, 0}));    // one pixel on

    // A clock on a second monitor stays there while it is connected.
    const std::vector<ScreenRect> two = {{0, 0, 1024, 768}, {1024, 0, 1920, 1080}};
    EXPECT_EQ(ClockPlacement(30000, 15000, two), (ScreenPoint{2000, 1000}));
    EXPECT_EQ(ClockPlacement(30000, 15000, one), (ScreenPoint{3, 3}));

    // No active output: the screen reported has no size, and no place can
    // be judged off it.
    EXPECT_EQ(ClockPlacement(6000, 3000, {{0, 0, 0, 0}}), (ScreenPoint{400, 200}));
    EXPECT_EQ(ClockPlacement(6000, 3000, {}), (ScreenPoint{400, 200}));
    EXPECT_EQ(ClockPlacement(30000, 15000, {{0, 0, 0, 0}, {0, 0, 1024, 768}}), (ScreenPoint{3, 3}));
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

TEST(StartupRulesTest, CornersAreClearWhereverSomethingCompositesTheWindow) {
    EXPECT_FALSE(ClearCornersFor({}));  // plain X11: the shape cuts opaque corners away
    EXPECT_TRUE(ClearCornersFor({.native_wayland = true}));
    EXPECT_TRUE(ClearCornersFor({.xwayland = true}));  // Weston ignores the shape
    EXPECT_TRUE(ClearCornersFor({.compositing_manager = true}));
}

TEST(StartupRulesTest, APlaceTheCompositorChoseIsNeverSavedOverTheUsers) {
    const ScreenPoint put{300, 100};
    const ScreenPoint elsewhere{410, 120};
    // Where the server cannot tell, or before the window was on screen.
    EXPECT_EQ(PlaceToSave(put, std::nullopt, true, false), put);
    // Shown where put, then moved by the window manager or a program.
    EXPECT_EQ(PlaceToSave(put, elsewhere, true, false), elsewhere);
    // Shown where the compositor chose (sway centres it): the place put at
    // stands, from Clock.ini or from the user's last drag of its own...
    EXPECT_EQ(PlaceToSave(put, elsewhere, false, false), put);
    // ...until the user drags it through the compositor, which then knows.
    EXPECT_EQ(PlaceToSave(put, elsewhere, false, true), elsewhere);
    EXPECT_EQ(PlaceToSave(put, std::nullopt, false, true), put);
}

TEST(StartupRulesTest, EachWindowManagerIsMetInItsOwnWay) {
    EXPECT_TRUE(WaysOf("herbstluftwm").unmanaged);
    EXPECT_EQ(WaysOf("herbstluftwm").first_type, WindowType::Notification);
    EXPECT_EQ(WaysOf("awesome").first_type, WindowType::Utility);  // no title bar
    EXPECT_TRUE(WaysOf("awesome").border_taken_away);
    EXPECT_TRUE(WaysOf("awesome").moves_new_windows);
    EXPECT_TRUE(WaysOf("i3").dialogs_raised_again_on_click);
    EXPECT_FALSE(WaysOf("i3").unmanaged);  // floats a window of fixed size
    // An ordinary window elsewhere: openbox would stack a dialog over the
    // clock's own message boxes, Weston gives a utility window no keyboard.
    for (const char* manager : {"Openbox", "Weston WM", "Mutter", ""}) {
        const WindowManagerWays ways = WaysOf(manager);
        EXPECT_EQ(ways.first_type, WindowType::Normal) << manager;
        EXPECT_FALSE(ways.unmanaged || ways.dialogs_raised_again_on_click ||
                     ways.border_taken_away || ways.moves_new_windows)
            << manager;
    }
}

TEST(StartupRulesTest, DragsAreLeftToTheCompositorOnlyUnderWayland) {
    EXPECT_FALSE(DragThroughCompositor({}));
    EXPECT_FALSE(DragThroughCompositor({.compositing_manager = true}));  // picom moves nothing
    EXPECT_TRUE(DragThroughCompositor({.native_wayland = true}));
    EXPECT_TRUE(DragThroughCompositor({.xwayland = true, .window_manager = "Weston WM"}));
    EXPECT_TRUE(DragThroughCompositor({.xwayland = true, .window_manager = "wlroots wm"}));  // sway
    // mutter and KWin follow the window's own moves.
    EXPECT_FALSE(DragThroughCompositor({.xwayland = true, .window_manager = "Mutter"}));
    EXPECT_FALSE(DragThroughCompositor({.xwayland = true}));
}

}  // namespace
}  // namespace sorane
