// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "clock/frmClock.h"

#include <QBackingStore>
#include <QScreen>
#include <QApplication>
#include <QKeyEvent>
#include <QSystemTrayIcon>
#include <QWindow>

#include <QTest>
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "LoadedClock.h"
#include "PaintedClock.h"
#include "TempFolder.h"
#include "menu/frmPop.h"
#include "platform/QuitSignals.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

namespace sorane {
namespace {

// What the clock's window shows: offscreen, the screen shows the window's
// backing store, where the clock put it.
QImage Shown(frmClock& clock) {
    QPaintDevice* store = clock.backingStore()->paintDevice();
    if (store->devType() != QInternal::Image) {
        ADD_FAILURE() << "the backing store is not a picture";
        return {};
    }
    return static_cast<QImage*>(store)->convertToFormat(QImage::Format_RGB32);
}

// What the loaded clock should show now, painted from scratch.
QImage Painted(LoadedClock& loaded) {
    const frmClock& clock = *loaded.clock;
    const LocalDateTime& now = loaded.desktop.now;
    PaintedLine line;
    if (const std::optional<std::string> text = LineTextFor(loaded.settings.View, now);
        text && LineShownFor(loaded.settings.View)) {
        line = {QString::fromStdString(*text), clock.lblTimDat.font(), clock.lblTimDat.geometry()};
    }
    return PaintedClock(clock.devicePixelRatioF(), clock.CurrentFace(),
                        HandsAt(now.hour, now.minute, now.second), clock.CurrentHandColours(), line)
        .convertToFormat(QImage::Format_RGB32);
}

TEST(frmClockTest, LoadsAtTheSavedPositionAsARoundWindow) {
    LoadedClock loaded("[Pos]\r\nTop=3000\r\nLeft=1500\r\n");
    ASSERT_EQ(loaded.result, frmClock::LoadResult::Loaded);
    frmClock& clock = *loaded.clock;
    EXPECT_EQ(clock.pos(), QPoint(100, 200));
    EXPECT_EQ(clock.size(), QSize(150, 150));
    EXPECT_EQ(loaded.state.AppPath, loaded.folder.AppPath());
    const QRegion shape = clock.windowHandle()->mask();
    EXPECT_TRUE(shape.contains(QPoint(75, 75)));
    EXPECT_TRUE(shape.contains(QPoint(75, 1)));
    EXPECT_FALSE(shape.contains(QPoint(3, 3)));
    EXPECT_FALSE(shape.contains(QPoint(146, 146)));
    const Qt::WindowFlags flags = clock.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    EXPECT_EQ(clock.windowType(), Qt::Tool);  // off the taskbar
#else
    // A tool window would be one Weston gives no keyboard; the window state
    // keeps it off the taskbar (the desktop end-to-end case checks it).
    EXPECT_EQ(clock.windowType(), Qt::Window);
#endif
    EXPECT_EQ(clock.CurrentFace(), Face::Ordinary);
    // Hands from the first paint, not a second later: 13:30:00, the minute
    // hand pointing down.
    ASSERT_TRUE(clock.CurrentHands());
    EXPECT_GT(clock.CurrentHands()->minute.to.y, 75 * 15 + 60 * 15);
    EXPECT_TRUE(loaded.desktop.messages.empty());
    EXPECT_EQ(loaded.folder.Read("Clock.ini"), "[Pos]\r\nTop=3000\r\nLeft=1500\r\n");
}

TEST(frmClockTest, DefaultsPutTheClockNearTheTopLeftWithTheDate) {
    LoadedClock loaded;
    ASSERT_EQ(loaded.result, frmClock::LoadResult::Loaded);
    EXPECT_EQ(loaded.clock->pos(), QPoint(3, 3));
    EXPECT_EQ(loaded.clock->lblTimDat.text(), "R08/12/07");
    EXPECT_FALSE(loaded.clock->lblTimDat.isHidden());
    EXPECT_EQ(loaded.clock->CurrentHandColours().hour, 0x000080u);
    EXPECT_EQ(loaded.clock->CurrentHandColours().minute, 0x0000FFu);
    EXPECT_EQ(loaded.clock->CurrentHandColours().second, 0x000000u);
    EXPECT_FALSE(loaded.folder.Exists("Clock.ini"));
}

TEST(frmClockTest, ViewChoosesTheLineAndTicksKeepItCurrent) {
    LoadedClock time_view("[Mode]\nView=0\n");
    EXPECT_EQ(time_view.clock->lblTimDat.text(), "PM 01:30:00");
    time_view.desktop.now.second = 5;
    time_view.clock->tmrClock_Timer();
    EXPECT_EQ(time_view.clock->lblTimDat.text(), "PM 01:30:05");

    LoadedClock no_line("[Mode]\nView=2\n");
    EXPECT_TRUE(no_line.clock->lblTimDat.isHidden());
    no_line.clock->tmrClock_Timer();
    EXPECT_TRUE(no_line.clock->lblTimDat.isHidden());
    EXPECT_EQ(no_line.clock->lblTimDat.text(), "Label1");

    // A hand-edited View above 2 shows no placeholder either, and stays stored.
    LoadedClock odd_view("[Mode]\nView=7\n");
    EXPECT_TRUE(odd_view.clock->lblTimDat.isHidden());
    EXPECT_EQ(odd_view.settings.View, 7);
}

TEST(frmClockTest, TickMovesTheHandsAndWinks) {
    LoadedClock loaded;
    loaded.desktop.now = {2026, 12, 7, 15, 30, 4, 3};
    loaded.clock->tmrClock_Timer();
    ASSERT_TRUE(loaded.clock->CurrentHands());
    EXPECT_NEAR(loaded.clock->CurrentHands()->minute.to.y, 1125 + 1012.5, 0.01);
    EXPECT_EQ(loaded.clock->CurrentFace(), Face::Wink);
    loaded.desktop.now.second = 5;
    loaded.clock->tmrClock_Timer();
    EXPECT_EQ(loaded.clock->CurrentFace(), Face::Ordinary);
    // The wall clock's ticks run from the load on, whatever a tick reads.
    EXPECT_TRUE(loaded.clock->tmrClock->IsActive());
    loaded.desktop.now = {2026, 12, 7, 15, 30, 6, 400};
    loaded.clock->tmrClock_Timer();
    EXPECT_TRUE(loaded.clock->tmrClock->IsActive());
}

TEST(frmClockTest, CountdownShowsItsMessageWithTheSurprisedFaceOnce) {
    LoadedClock loaded;
    ArmCountdown(loaded.state, 300, loaded.desktop.now, loaded.desktop.steady);
    std::vector<Face> faces_while_open;
    std::vector<std::string> sound_while_open;
    int nested_ticks = 0;
    loaded.desktop.on_message = [&](const Message&) {
        faces_while_open.push_back(loaded.clock->CurrentFace());
        sound_while_open = loaded.desktop.sound_calls;
        // The clock goes on ticking while the box is open.
        if (nested_ticks++ == 0) {
            loaded.desktop.now.second += 1;
            loaded.desktop.steady += 1;
            loaded.clock->tmrClock_Timer();
            faces_while_open.push_back(loaded.clock->CurrentFace());
        }
    };
    loaded.desktop.steady += 301;
    loaded.clock->tmrClock_Timer();
    ASSERT_EQ(loaded.desktop.messages.size(), 1u);
    EXPECT_EQ(loaded.desktop.messages[0],
              (Message{"時間です！\n5分経ちました", "ソラネ Ver.1.1", MessageIcon::None, false}));
    EXPECT_EQ(faces_while_open, (std::vector<Face>{Face::Surprised, Face::Surprised}));
    // The sound starts with the box and stops when it is closed.
    const std::string play = "play " + loaded.folder.AppPath() + "chimes.wav";
    EXPECT_EQ(sound_while_open, (std::vector<std::string>{play}));
    EXPECT_EQ(loaded.desktop.sound_calls, (std::vector<std::string>{play, "stop"}));
    EXPECT_EQ(loaded.state.TimerArmed, 0);
    // Once the box is closed, the next tick shows the ordinary face again,
    // everywhere: not only around the eye.
    loaded.clock->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(loaded.clock.get()));
    loaded.desktop.now.second += 1;
    loaded.clock->tmrClock_Timer();
    QCoreApplication::processEvents();
    EXPECT_NE(loaded.clock->CurrentFace(), Face::Surprised);
    QPoint where;
    EXPECT_LE(LargestDifference(Shown(*loaded.clock), Painted(loaded), &where), 2)
        << "near " << where.x() << "," << where.y();
}

TEST(frmClockTest, WhileNobodyCanSeeItTheCountdownStillEndsAndTheTimeIsShownWhenSeenAgain) {
    LoadedClock loaded;
    loaded.clock->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(loaded.clock.get()));
    ArmCountdown(loaded.state, 300, loaded.desktop.now, loaded.desktop.steady);
    // Blanked a moment before the countdown's end: no tick each second, but
    // one of its own at the end.
    loaded.desktop.steady += 300 - 0.05;
    loaded.clock->ScreenBlanked(true);
    EXPECT_TRUE(loaded.clock->tmrClock->IsActive());
    loaded.desktop.now.second += 5;
    loaded.desktop.steady += 0.06;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loaded.desktop.messages.empty(); }));
    EXPECT_EQ(loaded.desktop.messages[0].text, "時間です！\n5分経ちました");
    EXPECT_EQ(loaded.state.TimerArmed, 0);
    // A minute's tick meanwhile draws nothing.
    loaded.desktop.now = {2026, 12, 7, 13, 31, 0, 1};
    loaded.clock->tmrClock_Timer();
    // Seen again minutes later: the hands of now at once, not at the next tick.
    loaded.desktop.now = {2026, 12, 7, 13, 47, 21, 500};
    loaded.clock->ScreenBlanked(false);
    ASSERT_TRUE(loaded.clock->CurrentHands());
    const Hands expected = HandsAt(13, 47, 21);
    EXPECT_FLOAT_EQ(loaded.clock->CurrentHands()->second.to.x, expected.second.to.x);
    EXPECT_FLOAT_EQ(loaded.clock->CurrentHands()->minute.to.y, expected.minute.to.y);
    EXPECT_TRUE(loaded.clock->tmrClock->IsActive());
    // Nothing was drawn meanwhile: the whole window is, now.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return LargestDifference(Shown(*loaded.clock), Painted(loaded)) <= 2; }));
}

TEST(frmClockTest, CountdownAndAlarmInOneTickShareOneSoundUntilTheLastBoxCloses) {
    LoadedClock loaded("[Time]\r\nHour=12\r\nMin=5\r\n");
    loaded.desktop.now = {2026, 12, 8, 12, 4, 59, 0};
    ArmCountdown(loaded.state, 1, loaded.desktop.now, loaded.desktop.steady);
    std::vector<std::vector<std::string>> sound_at_each_box;
    std::vector<Face> face_at_each_box;
    loaded.desktop.on_message = [&](const Message&) {
        sound_at_each_box.push_back(loaded.desktop.sound_calls);
        face_at_each_box.push_back(loaded.clock->CurrentFace());
    };
    loaded.desktop.now.second = 0;
    loaded.desktop.now.minute = 5;
    loaded.desktop.steady += 1.5;
    loaded.clock->tmrClock_Timer();
    ASSERT_EQ(loaded.desktop.messages.size(), 2u);
    const std::string play = "play " + loaded.folder.AppPath() + "chimes.wav";
    EXPECT_EQ(sound_at_each_box, (std::vector<std::vector<std::string>>{{play}, {play}}));
    EXPECT_EQ(face_at_each_box, (std::vector<Face>{Face::Surprised, Face::Surprised}));
    EXPECT_EQ(loaded.desktop.sound_calls, (std::vector<std::string>{play, "stop"}));
}

TEST(frmClockTest, AMissedAlarmIsToldQuietlyAndTheClockSpeaksItsMinute) {
    LoadedClock loaded("[Time]\r\nHour=7\r\nMin=30\r\n");
    loaded.desktop.now = {2026, 12, 8, 6, 50, 0, 0};
    loaded.clock->tmrClock_Timer();
    EXPECT_EQ(loaded.clock->accessibleName(), "ソラネ 午前6時50分");
    EXPECT_EQ(loaded.clock->accessibleDescription(), "令和8年12月8日、目覚まし 7時30分");
    // The machine slept from 6:50 to 9:10.
    loaded.desktop.now = {2026, 12, 8, 9, 10, 0, 0};
    loaded.desktop.steady += 8400;
    loaded.clock->tmrClock_Timer();
    EXPECT_TRUE(loaded.desktop.messages.empty()) << "no box";
    EXPECT_TRUE(loaded.desktop.sound_calls.empty()) << "no sound";
    ASSERT_EQ(loaded.desktop.notices.size(), 1u);
    EXPECT_EQ(
        loaded.desktop.notices[0].text,
        "目覚まし（7:30）は鳴りませんでした。\n6:50から9:10まで、時計が動いていませんでした。");
    EXPECT_EQ(loaded.clock->accessibleName(), "ソラネ 午前9時10分");
}

TEST(frmClockTest, StealthHidesTheClockUnderTheCursorAndBringsItBack) {
    LoadedClock loaded("[Mode]\nSterus=1\n");
    frmClock& clock = *loaded.clock;
    clock.show();
    QTest::mouseMove(&clock, QPoint(60, 60));
    EXPECT_TRUE(loaded.state.MouseInside);
    loaded.desktop.cursor = {60, 60};
    clock.tmrClock_Timer();
    EXPECT_TRUE(clock.isHidden());
    // Hidden, it draws nothing; back, it shows the time of then whole.
    loaded.desktop.now = {2026, 12, 7, 13, 42, 17, 1};
    clock.tmrClock_Timer();
    loaded.desktop.cursor = {500, 500};
    loaded.desktop.now = {2026, 12, 7, 13, 42, 18, 1};
    clock.tmrClock_Timer();
    EXPECT_FALSE(clock.isHidden());
    EXPECT_FALSE(loaded.state.MouseInside);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&clock));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return LargestDifference(Shown(clock), Painted(loaded)) <= 2; }));
}

TEST(frmClockTest, ReadOnlyProgramFolderKeepsSettingsInTheUsersFolder) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Pos]\r\nTop=3000\r\n");
    FakeDesktop desktop;
    desktop.program_directory = (folder.Path() / "opt").string();
    std::filesystem::create_directory(folder.Path() / "opt");
    desktop.program_folder_writable = false;
    desktop.user_settings_folder = (folder.Path() / "config" / "sorane").string();
    ClockSettings settings;
    ClockState state;
    frmClock clock(desktop, settings, state);
    ASSERT_EQ(clock.Form_Load(), frmClock::LoadResult::Loaded);
    EXPECT_EQ(state.IniPath, (folder.Path() / "config" / "sorane" / "Clock.ini").string());
    EXPECT_EQ(clock.pos(), QPoint(3, 3));
    clock.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&clock));
    desktop.window_place = ScreenPoint{20, 40};
    clock.close();
    EXPECT_EQ(folder.Read("config/sorane/Clock.ini"), "[Pos]\r\nTop=600\r\nLeft=300\r\n");
}

TEST(frmClockTest, CloseBeforeTheWindowWasOnScreenSavesThePlaceItWasPutAt) {
    // A signal in the first milliseconds: the server still has the window
    // at 0,0, where it has never been.
    LoadedClock loaded("[Pos]\r\nTop=3000\r\nLeft=1500\r\n");
    loaded.desktop.window_place = ScreenPoint{0, 0};
    loaded.clock->close();
    EXPECT_EQ(loaded.folder.Read("Clock.ini"), "[Pos]\r\nTop=3000\r\nLeft=1500\r\n");
}

TEST(frmClockTest, SecondInstanceSaysSoAndTouchesNothing) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Pos]\r\nTop=1\r\n");
    FakeDesktop desktop;
    desktop.program_directory = folder.Path().string();
    desktop.instance_free = false;
    ClockSettings settings;
    ClockState state;
    frmClock clock(desktop, settings, state);
    EXPECT_EQ(clock.Form_Load(), frmClock::LoadResult::AlreadyRunning);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0],
              (Message{"既にソラネは、起動しています。", "ソラネ Ver.1.1", MessageIcon::None}));
    EXPECT_TRUE(state.AppPath.empty());
    EXPECT_EQ(folder.Read("Clock.ini"), "[Pos]\r\nTop=1\r\n");
}

TEST(frmClockTest, BadValueEndsLoadingWithAClearMessage) {
    LoadedClock loaded("[Color]\r\nhour=abc\r\n");
    EXPECT_EQ(loaded.result, frmClock::LoadResult::BadSettings);
    ASSERT_EQ(loaded.desktop.messages.size(), 1u);
    const Message& message = loaded.desktop.messages[0];
    EXPECT_EQ(message.icon, MessageIcon::Warning);
    EXPECT_NE(message.text.find("Clock.ini"), std::string::npos);
    EXPECT_NE(message.text.find("[Color]"), std::string::npos);
    EXPECT_NE(message.text.find("abc"), std::string::npos);
    EXPECT_EQ(loaded.folder.Read("Clock.ini"), "[Color]\r\nhour=abc\r\n");
}

TEST(frmClockTest, EscSaysGoodbyeThenSavesTopBeforeLeftAndEndsTheProgram) {
    LoadedClock loaded("[Pos]\r\nLeft=1500\r\nTop=3000\r\n");
    QSystemTrayIcon tray;
    tray.show();
    loaded.clock->AttachTrayIcon(&tray);
    loaded.clock->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(loaded.clock.get()));
    loaded.desktop.window_place = ScreenPoint{120, 80};  // where the X server has it
    std::string file_when_message_shown;
    loaded.desktop.on_message = [&](const Message&) {
        file_when_message_shown = loaded.folder.Read("Clock.ini");
    };
    QTest::keyClick(loaded.clock.get(), Qt::Key_Escape);
    ASSERT_EQ(loaded.desktop.messages.size(), 1u);
    EXPECT_EQ(loaded.desktop.messages[0],
              (Message{"終了します。", "ソラネ Ver.1.1", MessageIcon::None}));
    EXPECT_EQ(file_when_message_shown, "[Pos]\r\nLeft=1500\r\nTop=3000\r\n");
    EXPECT_EQ(loaded.folder.Read("Clock.ini"), "[Pos]\r\nLeft=1800\r\nTop=1200\r\n");
    EXPECT_EQ(loaded.desktop.quit_status, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tray.isVisible(); }));
    EXPECT_FALSE(loaded.state.Quitting);

    // Closing again (the session ending, say) saves nothing more.
    loaded.folder.Write("Clock.ini", "");
    loaded.clock->Form_QueryUnload();
    EXPECT_EQ(loaded.folder.Read("Clock.ini"), "");
}

TEST(frmClockTest, AWindowTheCompositorSizedKeepsTheUsersPlaceAndGetsItsMenuAsAWindow) {
    LoadedClock loaded("[Pos]\r\nTop=3000\r\nLeft=6000\r\n");
    std::vector<bool> menus_as_window;
    loaded.clock->AttachMenu(
        [&](const QPoint&, bool as_window) { menus_as_window.push_back(as_window); },
        [](ClockCommand, CommandFrom) {});
    // A kiosk makes the window fill its output from its top left.
    loaded.desktop.window_place = ScreenPoint{0, 0};
    loaded.desktop.window_size = ScreenPoint{1024, 768};
    loaded.clock->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(loaded.clock.get()));
    QTest::mouseClick(loaded.clock.get(), Qt::RightButton, {}, QPoint(75, 75));
    EXPECT_EQ(menus_as_window, std::vector<bool>{true});
    loaded.clock->close();
    EXPECT_EQ(loaded.folder.Read("Clock.ini"), "[Pos]\r\nTop=3000\r\nLeft=6000\r\n");
}

TEST(frmClockTest, NewPositionKeysAreAddedTopThenLeft) {
    LoadedClock loaded;
    loaded.clock->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(loaded.clock.get()));
    loaded.desktop.window_place = ScreenPoint{100, 200};
    loaded.clock->close();
    EXPECT_EQ(loaded.folder.Read("Clock.ini"), "[Pos]\r\nTop=3000\r\nLeft=1500\r\n");
}

TEST(frmClockTest, CloseWhileHiddenByStealthStillSavesThePosition) {
    LoadedClock loaded("[Pos]\r\nTop=-450\r\nLeft=1500\r\n");
    loaded.clock->hide();
    loaded.clock->close();
    EXPECT_EQ(loaded.folder.Read("Clock.ini"), "[Pos]\r\nTop=-450\r\nLeft=1500\r\n");
    EXPECT_EQ(loaded.desktop.quit_status, 0);
}

TEST(frmClockTest, FailedPositionSaveStillEndsTheProgramAndTellsAUserWhoClosedIt) {
    for (bool by_user : {false, true}) {
        LoadedClock loaded("[Pos]\r\nTop=15\r\n");
        std::filesystem::permissions(loaded.folder.Path() / "Clock.ini",
                                     std::filesystem::perms::owner_read);
        if (by_user) {
            loaded.clock->Form_KeyDown(27);
        } else {
            loaded.clock->close();  // a signal, the window manager
        }
        EXPECT_EQ(loaded.folder.Read("Clock.ini"), "[Pos]\r\nTop=15\r\n");
        EXPECT_EQ(loaded.desktop.quit_status, 0);
        if (by_user) {
            ASSERT_EQ(loaded.desktop.messages.size(), 2u);
            EXPECT_EQ(
                loaded.desktop.messages[1].text.rfind("時計の位置を保存できませんでした。\n", 0),
                0u);
            EXPECT_NE(loaded.desktop.messages[1].text.find("読み取り専用です"), std::string::npos);
        } else {
            EXPECT_TRUE(loaded.desktop.messages.empty());
        }
    }
}

TEST(frmClockTest, LettersOpenAboutAndTheReadMeWithOrWithoutShift) {
    LoadedClock loaded;
    loaded.folder.Write("ReadMeT.txt", "ソラネ");
    frmPop& menu = *loaded.menu;
    QTest::keyClick(loaded.clock.get(), Qt::Key_A);
    EXPECT_TRUE(menu.About().isVisible());
    menu.About().hide();
    QTest::keyClick(loaded.clock.get(), Qt::Key_A, Qt::ShiftModifier);
    EXPECT_TRUE(menu.About().isVisible());

    QTest::keyClick(loaded.clock.get(), Qt::Key_H);
    QTest::keyClick(loaded.clock.get(), Qt::Key_H, Qt::ShiftModifier);
    const std::string readme = (loaded.folder.Path() / "ReadMeT.txt").string();
    EXPECT_EQ(loaded.desktop.openers_started, (std::vector<std::string>{readme, readme}));

    QTest::keyClick(loaded.clock.get(), Qt::Key_Q);
    QTest::keyClick(loaded.clock.get(), Qt::Key_Space);
    EXPECT_TRUE(loaded.desktop.messages.empty());
    EXPECT_EQ(loaded.desktop.openers_started.size(), 2u);

    // H held down: the repeats of the key start no further opener.
    for (int repeat = 0; repeat < 30; ++repeat) {
        QKeyEvent held(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier, "h", true);
        QApplication::sendEvent(loaded.clock.get(), &held);
    }
    EXPECT_EQ(loaded.desktop.openers_started.size(), 2u);
}

TEST(frmClockTest, SignalPipeIsNotInheritedByTheProgramsTheClockStarts) {
    QuitSignals quit_signals([] {});
    int sockets = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        const int fd = std::stoi(entry.path().filename().string());
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISSOCK(info.st_mode)) {
            ++sockets;
            EXPECT_TRUE(::fcntl(fd, F_GETFD) & FD_CLOEXEC) << "socket " << fd;
        }
    }
    EXPECT_GE(sockets, 2) << "the signal pipe's two ends";
}

// Each way to the screen Qt offers here (the X11 one is tried end to end).
class TicksOnScreenTest : public ::testing::TestWithParam<const char*> {};

TEST_P(TicksOnScreenTest, WhatTheTicksLeaveOnScreenIsWhatPaintersDraw) {
    LoadedClock loaded("[Mode]\r\nView=0\r\n[Color]\r\nhour=12\r\nmin=9\r\nsec=0\r\n");
    frmClock& clock = *loaded.clock;
    const std::optional<ScreenWay> way = ScreenWayNamed(GetParam());
    ASSERT_TRUE(way);
    clock.Route().Limit(*way);
    clock.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&clock));
    EXPECT_EQ(clock.Route().Chosen(), *way);
    // The second hand at every slant, a new minute (the minute and hour
    // hands move), the wink and its end, and a new text on the line each time.
    std::vector<LocalDateTime> ticks;
    for (int second = 1; second < 60; ++second) {
        ticks.push_back({2026, 12, 7, 13, 30, second, 3});
    }
    for (int second = 0; second < 6; ++second) {
        ticks.push_back({2026, 12, 7, 13, 31, second, 3});
    }
    for (const LocalDateTime& now : ticks) {
        loaded.desktop.now = now;
        clock.tmrClock_Timer();
        QCoreApplication::processEvents();
        QPoint where;
        EXPECT_LE(LargestDifference(Shown(clock), Painted(loaded), &where), 2)
            << now.minute << ":" << now.second << " at " << clock.devicePixelRatioF() << "x, near "
            << where.x() << "," << where.y();
    }
}

INSTANTIATE_TEST_SUITE_P(frmClockTest, TicksOnScreenTest, ::testing::Values("store", "repaint"));

TEST(frmClockTest, MovedToAScreenOfAnotherScaleTheClockIsDrawnAtThatScale) {
    if (QGuiApplication::screens().size() < 2) {
        GTEST_SKIP() << "needs screens of two scales (run with ui/two_screens.json)";
    }
    LoadedClock loaded("[Pos]\r\nTop=1500\r\nLeft=1500\r\n[Mode]\r\nView=0\r\n");
    frmClock& clock = *loaded.clock;
    clock.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&clock));
    // To the other screen and back: each time the whole window at the
    // screen's scale, after the move and after the next tick.
    for (const QPoint& place : {QPoint(1000, 100), QPoint(100, 100)}) {
        const QScreen* before = clock.screen();
        clock.move(place);
        ASSERT_TRUE(QTest::qWaitFor([&] { return clock.screen() != before; }));
        // Qt makes the backing store anew at its next paint.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return LargestDifference(Shown(clock), Painted(loaded)) <= 2;
        })) << "after the move";
        EXPECT_EQ(clock.devicePixelRatioF(), clock.screen()->devicePixelRatio());
        loaded.desktop.now.second += 1;
        clock.tmrClock_Timer();
        QCoreApplication::processEvents();
        EXPECT_LE(LargestDifference(Shown(clock), Painted(loaded)), 2) << "after a tick";
    }
}

// The mouse on the clock and on its tray icon.

TEST(frmClockTest, RightPressPopsUpTheMenuAndNeverDrags) {
    RunningClock c;
    EXPECT_TRUE(c.MenuPopsUpOnPress(Qt::RightButton));
    EXPECT_FALSE(c.clock->IsDragging());
    EXPECT_FALSE(c.MenuPopsUpOnPress(Qt::LeftButton));
}

TEST(frmClockTest, MenuKeyAndShiftF10PopUpTheMenuOverTheClock) {
    RunningClock c;
    c.desktop.cursor = {900, 700};  // far from the clock
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        MenuCloser closer(c.menu->menu);
        QTest::keyClick(c.clock.get(), key, modifiers);
        QCoreApplication::processEvents();
        EXPECT_TRUE(closer.shown) << key;
        EXPECT_TRUE(c.clock->frameGeometry().contains(closer.at)) << key << ": opened at the clock";
    }
    MenuCloser closer(c.menu->menu);
    QTest::keyClick(c.clock.get(), Qt::Key_F10);
    QCoreApplication::processEvents();
    EXPECT_FALSE(closer.shown) << "F10 alone";
}

TEST(frmClockTest, LeftAndMiddleDragMoveTheWindowByExactlyTheTravel) {
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
        RunningClock c("[Pos]\r\nTop=3000\r\nLeft=1500\r\n");
        frmClock& clock = *c.clock;
        ASSERT_EQ(clock.pos(), QPoint(100, 200));
        c.desktop.cursor = {140, 250};
        QTest::mousePress(&clock, button, {}, QPoint(40, 50));
        EXPECT_TRUE(clock.IsDragging());
        c.desktop.cursor = {165, 238};
        QTest::mouseMove(&clock, QPoint(65, 38));
        EXPECT_EQ(clock.pos(), QPoint(125, 188));
        c.desktop.cursor = {90, 400};
        QTest::mouseMove(&clock, QPoint(-10, 200));
        EXPECT_EQ(clock.pos(), QPoint(50, 350));
        QTest::mouseRelease(&clock, button, {}, QPoint(40, 50));
        EXPECT_FALSE(clock.IsDragging());
        c.desktop.cursor = {500, 500};
        QTest::mouseMove(&clock, QPoint(60, 60));
        EXPECT_EQ(clock.pos(), QPoint(50, 350)) << "released: no more moving";

        // A window manager that leaves Qt believing the window sits at 0,0
        // does not change the place that is saved.
        clock.move(0, 0);
        clock.close();
        EXPECT_NE(c.folder.Read("Clock.ini").find("Top=5250\r\nLeft=750\r\n"), std::string::npos)
            << c.folder.Read("Clock.ini");
    }
}

TEST(frmClockTest, ReleasingAnyButtonEndsADrag) {
    RunningClock c;
    c.clock->Form_MouseDown(MouseButton::Left, 300, 300);
    EXPECT_TRUE(c.clock->IsDragging());
    QTest::mouseRelease(c.clock.get(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_FALSE(c.clock->IsDragging());
}

TEST(frmClockTest, StealthModeNeverDrags) {
    RunningClock c("[Mode]\r\nSterus=1\r\n");
    const QPoint start = c.clock->pos();
    c.desktop.cursor = {43, 53};
    QTest::mousePress(c.clock.get(), Qt::LeftButton, {}, QPoint(40, 50));
    EXPECT_FALSE(c.clock->IsDragging());
    c.desktop.cursor = {143, 153};
    QTest::mouseMove(c.clock.get(), QPoint(140, 150));
    EXPECT_EQ(c.clock->pos(), start);
    EXPECT_TRUE(c.state.MouseInside);
}

TEST(frmClockTest, MovementOnTheTopRowOrLeftColumnIsNotInside) {
    RunningClock c;
    c.clock->Form_MouseMove(0, 600);
    c.clock->Form_MouseMove(600, 0);
    EXPECT_FALSE(c.state.MouseInside);
    c.clock->Form_MouseMove(15, 15);
    EXPECT_TRUE(c.state.MouseInside);
}

TEST(frmClockTest, OnlyATrayRightPressOpensTheMenuAndNoneCountsAsInside) {
    RunningClock c;
    MenuCloser closer(c.menu->menu);
    c.clock->TrayIcon_Activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(closer.shown);
    closer.shown = false;
    for (auto reason :
         {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::MiddleClick}) {
        c.clock->TrayIcon_Activated(reason);
        QCoreApplication::processEvents();
        EXPECT_FALSE(closer.shown);
    }
    EXPECT_FALSE(c.state.MouseInside);
}

}  // namespace
}  // namespace sorane
