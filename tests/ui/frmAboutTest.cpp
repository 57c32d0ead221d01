// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "menu/frmAbout.h"

#include <QTest>
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "LoadedClock.h"
#include "clock/frmClock.h"
#include "menu/MenuCommands.h"
#include "menu/frmPop.h"

namespace sorane {
namespace {

QColor TextColour(const QLabel& label) {
    return label.palette().color(QPalette::WindowText);
}

TEST(frmAboutTest, LaidOutAsDesigned) {
    FakeDesktop desktop;
    frmAbout about(desktop);
    EXPECT_EQ(about.windowTitle(), "ソラネ Ver.1.1");
    EXPECT_EQ(about.size(), QSize(195, 202));
    EXPECT_EQ(about.cmdAbout->geometry(), QRect(60, 172, 73, 25));
    EXPECT_EQ(about.cmdAbout->text(), "OK");
    EXPECT_EQ(about.lblAbout->text(), "ソラネ Ver.1.1");
    EXPECT_TRUE(about.lblAbout->font().bold());
    EXPECT_TRUE(about.Label2->text().startsWith("ＣＧ担当："));
    EXPECT_TRUE(about.Label1->text().startsWith("プログラム担当："));
    EXPECT_TRUE(about.Label6->font().underline());
    EXPECT_EQ(TextColour(*about.Label6), QColor(0, 0, 255));
    EXPECT_EQ(TextColour(*about.Label8), QColor(0, 0, 255));
    EXPECT_FALSE(about.windowIcon().isNull());
}

TEST(frmAboutTest, LinkTurnsRedWhileAnyButtonIsHeldAndALeftClickOpensIt) {
    FakeDesktop desktop;
    frmAbout about(desktop);
    about.show();
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(about.Label8, button, {}, QPoint(5, 5));
        EXPECT_EQ(TextColour(*about.Label8), QColor(255, 0, 0));
        QTest::mouseRelease(about.Label8, button, {}, QPoint(5, 5));
        EXPECT_EQ(TextColour(*about.Label8), QColor(0, 0, 255));
    }
    EXPECT_EQ(desktop.openers_started, (std::vector<std::string>{PROGRAM_HOME_PAGE}));
    QTest::mouseClick(about.Label6, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(desktop.openers_started.back(), ART_HOME_PAGE);
}

TEST(frmAboutTest, OkEnterAndEscHideTheWindow) {
    FakeDesktop desktop;
    frmAbout about(desktop);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        about.show();
        QTest::keyClick(&about, key);
        EXPECT_TRUE(about.isHidden()) << key;
    }
    about.show();
    QTest::mouseClick(about.cmdAbout, Qt::LeftButton);
    EXPECT_TRUE(about.isHidden());
}

TEST(frmAboutTest, AboutAgainAfterOkShowsTheSameWindowButTheCloseBoxMakesANewOne) {
    LoadedClock loaded;
    frmPop& menu = *loaded.menu;
    QPointer<frmAbout> first = &menu.About();
    EXPECT_TRUE(first->isHidden()) << "loaded hidden";
    menu.m08_Click();
    EXPECT_TRUE(first->isVisible());
    first->move(first->pos() + QPoint(7, 9));
    const QPoint moved = first->pos();
    first->cmdAbout_Click();
    menu.m08_Click();
    EXPECT_EQ(&menu.About(), first.data());
    EXPECT_EQ(first->pos(), moved);

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    menu.m08_Click();
    EXPECT_TRUE(menu.About().isVisible());
}

}  // namespace
}  // namespace sorane
