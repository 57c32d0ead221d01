// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "menu/frmPop.h"

#include <QTest>
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "TempFolder.h"
#include "LoadedClock.h"
#include "clock/frmClock.h"

namespace sorane {
namespace {

// Closes the menu as soon as it is shown (its exec() would wait for a
// person); shown tells whether it was. The close is queued from the menu's
// own aboutToShow, so that it runs inside the menu's event loop however
// slowly the machine gets there.
class MenuCloser {
public:
    explicit MenuCloser(QMenu& menu) {
        m_connection = QObject::connect(&menu, &QMenu::aboutToShow, &menu, [this, &menu] {
            shown = true;
            QMetaObject::invokeMethod(&menu, &QMenu::close, Qt::QueuedConnection);
        });
    }
    ~MenuCloser() { QObject::disconnect(m_connection); }
    bool shown = false;

private:
    QMetaObject::Connection m_connection;
};

struct RunningClock : LoadedClock {
    explicit RunningClock(const std::string& ini = "") : LoadedClock(ini) {
        EXPECT_EQ(result, frmClock::LoadResult::Loaded);
        folder.Write("ReadMeT.txt", "ソラネ");
        clock->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(clock.get()));
    }

    QAction* Item(const char* name) { return menu->menu.findChild<QAction*>(name); }

    // Whether a right press at a point of the clock pops the menu up.
    bool MenuPopsUpOnPress(Qt::MouseButton button) {
        MenuCloser closer(menu->menu);
        QTest::mousePress(clock.get(), button, {}, QPoint(75, 75));
        QTest::mouseRelease(clock.get(), button, {}, QPoint(75, 75));
        QCoreApplication::processEvents();
        return closer.shown;
    }
};

TEST(frmPopTest, SixEntriesInOrderWithoutShortcutsOrChecks) {
    RunningClock c;
    const QList<QAction*> actions = c.menu->menu.actions();
    ASSERT_EQ(actions.size(), 6);
    const QStringList captions = {"タイマー", "環境設定", "", "ヘルプ", "アバウト", "終　了"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(actions[i]->text(), captions[i]);
        EXPECT_TRUE(actions[i]->shortcut().isEmpty());
        EXPECT_FALSE(actions[i]->isCheckable());
    }
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[0]->objectName(), "m01");
    EXPECT_EQ(actions[5]->objectName(), "m09");
}

TEST(frmPopTest, TimerChosenTwiceLeavesOneDialogLoadedOnce) {
    RunningClock c;
    c.Item("m01")->trigger();
    QPointer<frmTimer> first = c.menu->Timer();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(c.state.DialogOpen);
    first->txtJi->setText("edited");
    c.Item("m01")->trigger();
    EXPECT_EQ(c.menu->Timer(), first.data());
    EXPECT_EQ(first->txtJi->text(), "edited") << "the opening step ran once";
    int timers = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        timers += qobject_cast<frmTimer*>(window) != nullptr && window->isVisible();
    }
    EXPECT_EQ(timers, 1);
}

TEST(frmPopTest, HelpAndAboutItemsDoWhatTheKeysDo) {
    RunningClock c;
    c.Item("m07")->trigger();
    EXPECT_EQ(c.desktop.openers_started,
              (std::vector<std::string>{(c.folder.Path() / "ReadMeT.txt").string()}));
    c.Item("m08")->trigger();
    frmAbout* about = &c.menu->About();
    EXPECT_TRUE(about->isVisible());
    about->cmdAbout_Click();
    c.Item("m08")->trigger();
    EXPECT_EQ(&c.menu->About(), about);
    EXPECT_TRUE(about->isVisible());
    c.Item("m02")->trigger();
    ASSERT_TRUE(c.menu->Setup());
    EXPECT_TRUE(c.menu->Setup()->isVisible());
}

TEST(frmPopTest, ExitSaysGoodbyeThenClosesTheClockWithoutSavingOpenDialogs) {
    RunningClock c("[Time]\r\nhour=7\r\nmin=0\r\n");
    c.Item("m01")->trigger();
    c.menu->Timer()->txtJi->setText("9");
    c.desktop.window_place = ScreenPoint{30, 60};
    bool quitting_when_shown = false;
    c.desktop.on_message = [&](const Message&) { quitting_when_shown = c.state.Quitting; };
    c.Item("m09")->trigger();
    EXPECT_EQ(c.desktop.messages,
              (std::vector<Message>{{"終了します。", "ソラネ Ver.1.1", MessageIcon::None}}));
    EXPECT_TRUE(quitting_when_shown);
    EXPECT_EQ(c.desktop.quit_status, 0);
    EXPECT_EQ(c.folder.Read("Clock.ini"),
              "[Time]\r\nhour=7\r\nmin=0\r\n[Pos]\r\nTop=900\r\nLeft=450\r\n");
}

TEST(frmPopTest, RightPressPopsUpTheMenuAndNeverDrags) {
    RunningClock c;
    EXPECT_TRUE(c.MenuPopsUpOnPress(Qt::RightButton));
    EXPECT_FALSE(c.clock->IsDragging());
    EXPECT_FALSE(c.MenuPopsUpOnPress(Qt::LeftButton));
}

TEST(frmPopTest, LeftAndMiddleDragMoveTheWindowByExactlyTheTravel) {
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

TEST(frmPopTest, ReleasingAnyButtonEndsADrag) {
    RunningClock c;
    c.clock->Form_MouseDown(MouseButton::Left, 300, 300);
    EXPECT_TRUE(c.clock->IsDragging());
    QTest::mouseRelease(c.clock.get(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_FALSE(c.clock->IsDragging());
}

TEST(frmPopTest, StealthModeNeverDrags) {
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

TEST(frmPopTest, MovementOnTheTopRowOrLeftColumnIsNotInside) {
    RunningClock c;
    c.clock->Form_MouseMove(0, 600);
    c.clock->Form_MouseMove(600, 0);
    EXPECT_FALSE(c.state.MouseInside);
    c.clock->Form_MouseMove(15, 15);
    EXPECT_TRUE(c.state.MouseInside);
}

TEST(frmPopTest, OnlyATrayRightPressOpensTheMenuAndNoneCountsAsInside) {
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
