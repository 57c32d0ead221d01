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
