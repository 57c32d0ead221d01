#include "clock/StartupRules.h"

#include <gtest/gtest.h>

namespace sorane {
namespace {

TEST(StartupRulesTest, AppPathEndsInExactlyOneSeparator) {
    EXPECT_EQ(AppPathFrom("/opt/sorane", '/'), "/opt/sorane/");
    EXPECT_EQ(AppPathFrom("/", '/'), "/");
    EXPECT_EQ(AppPathFrom("C:\\", '\\'), "C:\\");
    EXPECT_EQ(AppPathFrom("C:\\Tools\\Sorane", '\\'), "C:\\Tools\\Sorane\\");
}

TEST(StartupRulesTest, SettingsLiveBesideTheProgramUnlessItsFolderIsReadOnly) {
    EXPECT_EQ(SettingsFolderFor("/home/u/sorane/", true, "/home/u/.config/sorane", '/'),
              "/home/u/sorane/");
    EXPECT_EQ(SettingsFolderFor("/opt/sorane/", false, "/home/u/.config/sorane", '/'),
              "/home/u/.config/sorane/");
    EXPECT_EQ(SettingsFolderFor("/opt/sorane/", false, "", '/'), "/opt/sorane/");
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
}

TEST(StartupRulesTest, WaylandSessionsUseXWaylandUnlessThePlatformIsChosen) {
    EXPECT_EQ(PreferredQtPlatform("wayland-0", ":0", nullptr), "xcb");
    EXPECT_EQ(PreferredQtPlatform("wayland-0", ":0", ""), "xcb");
    EXPECT_EQ(PreferredQtPlatform("wayland-0", ":0", "wayland"), std::nullopt);
    EXPECT_EQ(PreferredQtPlatform("wayland-0", nullptr, nullptr), std::nullopt);
    EXPECT_EQ(PreferredQtPlatform(nullptr, ":0", nullptr), std::nullopt);
}

}  // namespace
}  // namespace sorane
