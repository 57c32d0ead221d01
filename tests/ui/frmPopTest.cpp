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

}  // namespace
}  // namespace sorane
