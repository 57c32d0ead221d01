// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/QtDesktop.h"
#include "platform/SingleInstance.h"
#include "platform/WallClockTicks.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <cstring>
#include <memory>
#include <set>
#include <ctime>
#include <filesystem>
#include <string>
#include <tuple>

#include <csignal>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sorane {
namespace {

int UtcHour() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    return utc.tm_hour;
}

// A zone file as the system has it: written long before the clock started.
void PutZoneFile(const std::filesystem::path& zone, const std::filesystem::path& at) {
    namespace fs = std::filesystem;
    fs::copy_file("/usr/share/zoneinfo/" / zone, at, fs::copy_options::overwrite_existing);
    fs::last_write_time(at, fs::file_time_type::clock::now() - std::chrono::hours(1));
}

// Needs a private /etc whose localtime it may replace: tests/ui/zone_test.sh
// runs it so, in a mount namespace of its own.
TEST(QtDesktopTest, LocalTimeFollowsAChangeOfTheSystemTimeZone) {
    namespace fs = std::filesystem;
    if (std::getenv("SORANE_TEST_PRIVATE_ETC") == nullptr || std::getenv("TZ") != nullptr) {
        GTEST_SKIP() << "needs a private /etc and TZ unset (run by zone_test.sh)";
    }
    // Zones without summer time, so that the hours are known: Etc/GMT+5 is
    // five hours behind UTC.
    fs::create_directories("/etc/zones");
    PutZoneFile("Etc/GMT+5", "/etc/zones/Here");
    fs::remove("/etc/localtime");
    fs::create_symlink("/etc/zones/Here", "/etc/localtime");
    QtDesktop desktop;
    const auto shows = [&](int hours_from_utc) {
        return QTest::qWaitFor(
            [&] { return desktop.Now().hour == (UtcHour() + hours_from_utc + 24) % 24; }, 5000);
    };
    EXPECT_TRUE(shows(-5)) << "at start, " << desktop.Now().hour << " at UTC " << UtcHour();

    // A tzdata update: the file the link leads to is replaced.
    PutZoneFile("Etc/GMT-9", "/etc/zones/Here.new");
    fs::rename("/etc/zones/Here.new", "/etc/zones/Here");
    EXPECT_TRUE(shows(9)) << "after the zone file was replaced, " << desktop.Now().hour;

    // As timedatectl does it: a new link, renamed over the old one.
    fs::create_symlink("/usr/share/zoneinfo/UTC", "/etc/localtime.new");
    fs::rename("/etc/localtime.new", "/etc/localtime");
    EXPECT_TRUE(shows(0)) << "after a new link, " << desktop.Now().hour;

    // A plain /etc/localtime, then rewritten in place.
    PutZoneFile("Etc/GMT-3", "/etc/localtime.new");
    fs::rename("/etc/localtime.new", "/etc/localtime");
    EXPECT_TRUE(shows(3)) << "after a plain file, " << desktop.Now().hour;
    {
        std::ifstream zone("/usr/share/zoneinfo/Etc/GMT+2", std::ios::binary);
        std::ofstream("/etc/localtime", std::ios::binary | std::ios::trunc) << zone.rdbuf();
    }
    EXPECT_TRUE(shows(-2)) << "after a rewrite in place, " << desktop.Now().hour;
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
    // Readings until every tenth of a second has had one.
    std::set<int> tenths;
    const bool spread = QTest::qWaitFor([&] {
        const std::time_t before = seconds_now();
        const LocalDateTime now = desktop.Now();
        if (seconds_now() == before) {
            std::tm expected{};
            ::localtime_r(&before, &expected);
            EXPECT_EQ(
                (std::tuple{now.day, now.hour, now.minute, now.second}),
                (std::tuple{expected.tm_mday, expected.tm_hour, expected.tm_min, expected.tm_sec}));
            tenths.insert(now.millisecond / 100);
        }
        return tenths.size() == 10;
    });
    EXPECT_TRUE(spread) << "readings in " << tenths.size() << " tenths of a second only";
    if (zone != nullptr) {
        ::setenv("TZ", was.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();
}

// An installed clock's settings never depend on the folder it was started
// from: a relative XDG_CONFIG_HOME is ignored.
TEST(QtDesktopTest, UsersSettingsFolderIgnoresARelativeXdgConfigHome) {
    const char* const was = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = was != nullptr ? was : "";
    const std::string app = QCoreApplication::applicationName().toStdString();
    QtDesktop desktop("sorane-unit-xdg-" + std::to_string(::getpid()));
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(desktop.UserSettingsFolder(), QDir::homePath().toStdString() + "/.config/" + app);
    ::setenv("XDG_CONFIG_HOME", "/elsewhere/config", 1);
    EXPECT_EQ(desktop.UserSettingsFolder(), "/elsewhere/config/" + app);
    if (was != nullptr) {
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(WallClockTicksTest, EachSecondOfTheWallClockIsTickedOnceAfterItsBoundary) {
    std::vector<qint64> ticked_at;  // wall-clock milliseconds
    WallClockTicks ticks(
        nullptr, [&] { ticked_at.push_back(QDateTime::currentMSecsSinceEpoch()); }, [] {});
    EXPECT_FALSE(ticks.IsActive());
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    ticks.Start();
    EXPECT_TRUE(ticks.IsActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticked_at.size() >= 3; }, 10000));
    // None before the first boundary after the start, and no second twice.
    EXPECT_GE(ticked_at[0] / 1000, started / 1000 + 1);
    for (std::size_t i = 1; i < ticked_at.size(); ++i) {
        EXPECT_GT(ticked_at[i] / 1000, ticked_at[i - 1] / 1000);
    }
    ticks.Stop();
    EXPECT_FALSE(ticks.IsActive());
    const std::size_t stopped_at = ticked_at.size();
    // Stopped, none comes: a second and a half passes with the events handled.
    QTest::qWait(1500);
    EXPECT_EQ(ticked_at.size(), stopped_at);
}

TEST(SingleInstanceTest, OneClockPerUserUntilItEnds) {
    const std::string name = "sorane-unit-" + std::to_string(::getpid());
    auto first = std::make_unique<SingleInstance>(name);
    ASSERT_EQ(first->TryClaim(), SingleInstance::Claim::Claimed);
    SingleInstance second(name);
    EXPECT_EQ(second.TryClaim(), SingleInstance::Claim::AlreadyRunning);
    first.reset();
    SingleInstance third(name);
    EXPECT_EQ(third.TryClaim(), SingleInstance::Claim::Claimed) << third.Problem();
}

// A name bound by a socket that does not listen (connection refused) is no
// clock: a clock listens.
TEST(SingleInstanceTest, ANameBoundWithoutListeningIsNoRunningClock) {
    const std::string name = "sorane-unit-deaf-" + std::to_string(::getpid());
    const std::string taken = name + "-" + std::to_string(::getuid());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, taken.data(), taken.size());
    const int deaf = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(deaf, reinterpret_cast<sockaddr*>(&address),
                     socklen_t(offsetof(sockaddr_un, sun_path) + 1 + taken.size())),
              0);
    SingleInstance clock(name);
    EXPECT_EQ(clock.TryClaim(), SingleInstance::Claim::Claimed) << clock.Problem();
    ::close(deaf);
}

// Anyone may bind a name in the abstract namespace: another user's squatter
// must not pass for this user's clock.
TEST(SingleInstanceTest, AnotherUsersHolderOfTheNameIsNoRunningClock) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "needs root, to hold the name as another user";
    }
    const std::string name = "sorane-unit-squat-" + std::to_string(::getpid());
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t squatter = ::fork();
    if (squatter == 0) {
        if (::setuid(65534) == 0) {
            const std::string taken = name + "-0";
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::memcpy(address.sun_path + 1, taken.data(), taken.size());
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            ::bind(fd, reinterpret_cast<sockaddr*>(&address),
                   socklen_t(offsetof(sockaddr_un, sun_path) + 1 + taken.size()));
            ::listen(fd, 4);
        }
        [[maybe_unused]] const ssize_t written = ::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    SingleInstance clock(name);
    const SingleInstance::Claim claim = clock.TryClaim();
    ::kill(squatter, SIGKILL);
    ::waitpid(squatter, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(claim, SingleInstance::Claim::Claimed);
    EXPECT_NE(clock.Problem().find("another user"), std::string::npos) << clock.Problem();
}

}  // namespace
}  // namespace sorane
