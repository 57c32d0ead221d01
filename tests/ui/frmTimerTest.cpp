// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "timer/frmTimer.h"

#include <QTest>
#include <gtest/gtest.h>

#include "AccessibleText.h"
#include "FakeDesktop.h"
#include "FocusOrder.h"
#include "TempFolder.h"

namespace sorane {
namespace {

struct OpenTimer {
    explicit OpenTimer(const std::string& ini = "") {
        if (!ini.empty()) {
            folder.Write("Clock.ini", ini);
        }
        state.AppPath = folder.AppPath();
        desktop.program_directory = folder.Path().string();
        desktop.now = {2026, 12, 7, 23, 55, 0, 0};
        EXPECT_FALSE(LoadSettings(state, settings));
        dialog = new frmTimer(desktop, settings, state);
        dialog->Form_Load();
        dialog->show();
    }
    ~OpenTimer() { delete dialog; }

    TempFolder folder;
    FakeDesktop desktop;
    ClockSettings settings;
    ClockState state;
    QPointer<frmTimer> dialog;
};

TEST(frmTimerTest, LaidOutAsDesigned) {
    OpenTimer t;
    frmTimer& d = *t.dialog;
    EXPECT_EQ(d.windowTitle(), "ソラネ Ver.1.1");
    EXPECT_EQ(d.size(), QSize(234, 163));
    EXPECT_EQ(d.minimumSize(), d.maximumSize());
    EXPECT_EQ(d.Label1.at(0)->text(), "簡易タイマー");
    EXPECT_EQ(d.Label1.at(1)->text(), "目覚まし");
    EXPECT_EQ(d.Label1.at(2)->text(), "時");
    EXPECT_EQ(d.Label1.at(3)->text(), "分");
    EXPECT_EQ(d.Label1.at(15)->text(), "お知らせ音");
    EXPECT_EQ(d.cmdOK->text(), "Ｏ　Ｋ");
    EXPECT_EQ(d.cmdCancel->text(), "キャンセル");
    EXPECT_EQ(d.cmdFolder->text(), "...");
    ASSERT_EQ(d.cboTime->count(), 3);
    EXPECT_EQ(d.cboTime->itemText(0), "　３分");
    EXPECT_EQ(d.cboTime->itemText(1), "　５分");
    EXPECT_EQ(d.cboTime->itemText(2), "１０分");
    EXPECT_FALSE(d.cboTime->isEditable());
    EXPECT_EQ(d.cboTime->geometry(), QRect(124, 8, 101, 20));
    EXPECT_EQ(d.txtFolder->geometry(), QRect(8, 88, 197, 22));
    EXPECT_EQ(d.cmdOK->geometry(), QRect(8, 124, 81, 29));
    // What a screen reader hears: each control by the label beside it (the
    // list is named by what it shows, and labelled by its label).
    const std::pair<QWidget*, const char*> labelled[] = {{d.chkTime1, "簡易タイマー"},
                                                         {d.cboTime, "簡易タイマー"},
                                                         {d.chkTime2, "目覚まし"},
                                                         {d.txtJi, "時"},
                                                         {d.txtFun, "分"},
                                                         {d.txtFolder, "お知らせ音"}};
    for (const auto& [control, label] : labelled) {
        if (control == d.cboTime) {
            EXPECT_EQ(AccessibleLabel(control), label);
        } else {
            EXPECT_EQ(AccessibleText(control, QAccessible::Name), label);
        }
    }
    EXPECT_EQ(AccessibleText(d.cmdFolder, QAccessible::Name), "お知らせ音を選ぶ");
    EXPECT_EQ(AccessibleText(d.cmdOK, QAccessible::Name), "OK");
    // Focus starts on "..." and moves on in the designed order.
    QWidget* expected[] = {d.cmdFolder, d.txtFolder, d.cboTime, d.chkTime1, d.cmdCancel,
                           d.cmdOK,     d.chkTime2,  d.txtJi,   d.txtFun};
    EXPECT_EQ(FocusOrder(d.cmdFolder, std::size(expected)),
              std::vector<QWidget*>(std::begin(expected), std::end(expected)));
}

TEST(frmTimerTest, ClickThroughStoresTheAlarmAndArmsTheCountdown) {
    OpenTimer t("[Time]\r\nWave=0\r\n");
    frmTimer& d = *t.dialog;
    EXPECT_TRUE(t.state.DialogOpen);
    EXPECT_EQ(d.txtFolder->text().toStdString(), t.folder.AppPath() + "chimes.wav");
    EXPECT_FALSE(d.cboTime->isEnabled());
    EXPECT_FALSE(d.txtJi->isEnabled());
    EXPECT_EQ(d.txtJi->text(), "23");
    EXPECT_EQ(d.txtFun->text(), "55");

    QTest::mouseClick(d.chkTime1, Qt::LeftButton);
    EXPECT_TRUE(d.cboTime->isEnabled());
    d.cboTime->setCurrentIndex(2);
    QTest::mouseClick(d.chkTime2, Qt::LeftButton);
    EXPECT_TRUE(d.txtJi->isEnabled());
    EXPECT_TRUE(d.txtFun->isEnabled());
    d.txtJi->clear();
    QTest::keyClicks(d.txtJi, "6");
    d.txtFun->clear();
    QTest::keyClicks(d.txtFun, "30");
    QTest::mouseClick(d.cmdOK, Qt::LeftButton);

    EXPECT_EQ(t.desktop.messages, (std::vector<Message>{{"タイマーの設定情報を保存しました。",
                                                         "ソラネ Ver.1.1", MessageIcon::None}}));
    EXPECT_EQ(t.folder.Read("Clock.ini"),
              "[Time]\r\nWave=" + t.folder.AppPath() + "chimes.wav\r\nhour=6\r\nmin=30\r\n");
    EXPECT_EQ(t.state.TimerArmed, 1);
    EXPECT_EQ(t.state.TimerSeconds, 600);
    EXPECT_FLOAT_EQ(t.state.TimerDeadline, 86700);
    EXPECT_FALSE(t.state.DialogOpen);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(t.dialog.isNull()) << "OK destroys the dialog";
}

TEST(frmTimerTest, RefusedOkKeepsTheDialogOpenAndTheFileUntouched) {
    OpenTimer t("[Time]\r\nhour=7\r\nmin=0\r\n");
    frmTimer& d = *t.dialog;
    EXPECT_TRUE(d.chkTime2->isChecked());
    EXPECT_EQ(d.txtJi->text(), "7");
    EXPECT_EQ(d.txtFun->text(), "0");
    d.txtJi->setText("25");
    QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    ASSERT_EQ(t.desktop.messages.size(), 1u);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(t.state.DialogOpen);
    EXPECT_EQ(t.folder.Read("Clock.ini"), "[Time]\r\nhour=7\r\nmin=0\r\n");
    EXPECT_EQ(t.settings.TimeHour, 7);
}

TEST(frmTimerTest, FileButtonAsksForAWaveAndCancelRestoresTheTypedPath) {
    OpenTimer t("[Time]\r\nWave=/snd/old.wav\r\n");
    frmTimer& d = *t.dialog;
    d.txtFolder->setText("/typed/by/hand");
    t.desktop.file_answer = {FileDialogAnswer::Status::Cancelled, {}};
    QTest::mouseClick(d.cmdFolder, Qt::LeftButton);
    EXPECT_EQ(d.txtFolder->text(), "/snd/old.wav");
    ASSERT_EQ(t.desktop.file_dialogs.size(), 1u);
    EXPECT_EQ(t.desktop.file_dialogs[0].title, "お知らせ音の選択");
    EXPECT_EQ(t.desktop.file_dialogs[0].directory, t.folder.AppPath())
        << "the default sound's folder";

    t.desktop.file_answer = {FileDialogAnswer::Status::Chosen, {"/snd/new.wav"}};
    QTest::mouseClick(d.cmdFolder, Qt::LeftButton);
    EXPECT_EQ(d.txtFolder->text(), "/snd/new.wav");
    EXPECT_EQ(t.settings.Wave, "/snd/new.wav") << "stored at once";
    EXPECT_FALSE(t.folder.Read("Clock.ini").find("new.wav") != std::string::npos);
}

TEST(frmTimerTest, CancelAndTheCloseBoxDiscardEverything) {
    for (bool close_box : {false, true}) {
        OpenTimer t("[Time]\r\nhour=7\r\nmin=15\r\n");
        frmTimer& d = *t.dialog;
        d.txtJi->setText("9");
        QTest::mouseClick(d.chkTime1, Qt::LeftButton);
        if (close_box) {
            d.close();
        } else {
            QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        }
        EXPECT_FALSE(t.state.DialogOpen);
        EXPECT_EQ(t.settings.TimeHour, 7);
        EXPECT_EQ(t.state.TimerArmed, 0);
        EXPECT_EQ(t.folder.Read("Clock.ini"), "[Time]\r\nhour=7\r\nmin=15\r\n");
        EXPECT_TRUE(t.desktop.messages.empty());
    }
}

TEST(frmTimerTest, EnterPressesTheFocusedButtonButNothingFromATextBox) {
    OpenTimer t;
    t.dialog->activateWindow();
    t.dialog->txtFolder->setFocus();
    QTest::keyClick(t.dialog->txtFolder, Qt::Key_Return);
    EXPECT_TRUE(t.dialog->isVisible()) << "no default button";
    EXPECT_TRUE(t.desktop.messages.empty());
    t.dialog->cmdOK->setFocus();
    QTest::keyClick(t.dialog->cmdOK, Qt::Key_Return);
    ASSERT_EQ(t.desktop.messages.size(), 1u);
    EXPECT_EQ(t.desktop.messages[0].text, "タイマーの設定情報を保存しました。");
}

}  // namespace
}  // namespace sorane
