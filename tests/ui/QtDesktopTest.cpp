// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/QtDesktop.h"

#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace sorane {
namespace {

int UtcHour() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    return utc.tm_hour;
}

// Needs a private /etc whose localtime it may replace: tests/ui/zone_test.sh
// runs it so, in a mount namespace of its own.
TEST(QtDesktopTest, LocalTimeFollowsAChangeOfTheSystemTimeZone) {
    namespace fs = std::filesystem;
    if (std::getenv("SORANE_TEST_PRIVATE_ETC") == nullptr || std::getenv("TZ") != nullptr) {
        GTEST_SKIP() << "needs a private /etc and TZ unset (run by zone_test.sh)";
    }
    fs::remove("/etc/localtime");
    fs::create_symlink("/usr/share/zoneinfo/UTC", "/etc/localtime");
    QtDesktop desktop;
    EXPECT_EQ(desktop.Now().hour, UtcHour());
    // As timedatectl does it: a new link, renamed over the old one.
    fs::create_symlink("/usr/share/zoneinfo/Asia/Tokyo", "/etc/localtime.new");
    fs::rename("/etc/localtime.new", "/etc/localtime");
    EXPECT_TRUE(QTest::qWaitFor([&] { return desktop.Now().hour == (UtcHour() + 9) % 24; }, 5000))
        << "still " << desktop.Now().hour << " at UTC " << UtcHour();
}

}  // namespace
}  // namespace sorane
