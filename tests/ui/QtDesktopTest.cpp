// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/QtDesktop.h"

#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <tuple>

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

TEST(QtDesktopTest, LocalTimeAgreesWithTheCLibraryInAZoneWithSeconds) {
    // 59 seconds ahead of UTC, as a local mean time could be: the zone's
    // minutes turn a second after UTC's, so nearly every reading falls in a
    // zone minute other than the one its UTC minute began in.
    const char* const zone = std::getenv("TZ");
    const std::string was = zone != nullptr ? zone : "";
    ::setenv("TZ", "LMT-0:00:59", 1);
    ::tzset();
    QtDesktop desktop;
    // The clock the desktop reads, not time()'s coarser one.
    const auto seconds_now = [] {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        return now.tv_sec;
    };
    for (int reading = 0; reading < 30; ++reading) {
        const std::time_t before = seconds_now();
        const LocalDateTime now = desktop.Now();
        if (seconds_now() == before) {
            std::tm expected{};
            ::localtime_r(&before, &expected);
            EXPECT_EQ(
                (std::tuple{now.day, now.hour, now.minute, now.second}),
                (std::tuple{expected.tm_mday, expected.tm_hour, expected.tm_min, expected.tm_sec}));
        }
        QTest::qWait(70);
    }
    if (zone != nullptr) {
        ::setenv("TZ", was.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();
}

}  // namespace
}  // namespace sorane
