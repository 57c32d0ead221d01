// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "setup/frmSetup.h"

#include <QAbstractItemView>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include "AccessibleText.h"
#include "FakeDesktop.h"
#include "FocusOrder.h"
#include "TempFolder.h"
#include "LoadedClock.h"
#include "clock/frmClock.h"
#include "menu/frmPop.h"

namespace sorane {
namespace {

// A loaded clock and its menu, so that the setup dialog is opened as a
// person opens it.
struct ClockWithMenu : LoadedClock {
    explicit ClockWithMenu(const std::string& ini) : LoadedClock(ini) {
        EXPECT_EQ(result, frmClock::LoadResult::Loaded);
        menu->m02_Click();
        dialog = menu->Setup();
    }

    QPointer<frmSetup> dialog;
};

TEST(frmSetupTest, NoColourNameIsCutInTheClosedListOrTheOpenOne) {
    ClockWithMenu c("");
    ColourList& list = *c.dialog->cboCOLOR[0];
    c.dialog->show();
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.rect = list.rect();
    option.frame = true;
    const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, &list);
    list.showPopup();
    const int open_width = list.view()->viewport()->width();
    list.hidePopup();
    for (int i = 0; i < list.count(); ++i) {
        list.setCurrentIndex(i);
        const QString name = list.itemText(i);
        // The closed box shows the name alone; the open list its swatch too.
        EXPECT_LE(QFontMetrics(list.LabelFont()).horizontalAdvance(name) + 2, field.width())
            << name.toStdString();
        EXPECT_GE(list.LabelFont().pixelSize(), 9) << name.toStdString();
        EXPECT_LE(list.fontMetrics().horizontalAdvance(name) + list.iconSize().width() + 8,
                  open_width)
            << name.toStdString();
    }
}

TEST(frmSetupTest, LaidOutAsDesigned) {
    ClockWithMenu c("");
    frmSetup& d = *c.dialog;
    EXPECT_EQ(d.size(), QSize(189, 191));
    EXPECT_EQ(d.windowTitle(), "ソラネ Ver.1.1");
    EXPECT_EQ(d.Label1.at(14)->text(), "短針の色");
    EXPECT_EQ(d.Label1.at(0)->text(), "長針の色");
    EXPECT_EQ(d.Label1.at(1)->text(), "秒針の色");
    EXPECT_EQ(d.Label1.at(2)->text(), "表示種別");
    EXPECT_EQ(d.Label1.at(3)->text(), "ステルス");
    for (QComboBox* list : d.cboCOLOR) {
        ASSERT_EQ(list->count(), 16);
        EXPECT_EQ(list->itemText(5), "マゼンダ");
        EXPECT_FALSE(list->itemIcon(5).isNull());
        EXPECT_FALSE(list->isEditable());
    }
    EXPECT_EQ(d.cboBunrui->itemText(0), "時刻(数字)");
    EXPECT_FALSE(d.cboBunrui->isEditable());
    EXPECT_EQ(d.cboCOLOR[1]->geometry(), QRect(80, 36, 97, 20));
    EXPECT_EQ(d.cmdCancel->geometry(), QRect(100, 148, 77, 29));
    // What a screen reader hears: each control by the label beside it (a
    // list is named by what it shows, and labelled by its label), a colour
    // list by the colour's name.
    d.cboCOLOR[0]->setCurrentIndex(5);
    EXPECT_EQ(AccessibleText(d.cboCOLOR[0], QAccessible::Name), "マゼンダ");
    const std::pair<QWidget*, const char*> labelled[] = {{d.cboCOLOR[0], "短針の色"},
                                                         {d.cboCOLOR[1], "長針の色"},
                                                         {d.cboCOLOR[2], "秒針の色"},
                                                         {d.cboBunrui, "表示種別"},
                                                         {d.chkSterus, "ステルス"}};
    for (const auto& [control, label] : labelled) {
        EXPECT_EQ(AccessibleLabel(control), label);
    }
    EXPECT_EQ(AccessibleText(d.chkSterus, QAccessible::Name), "ステルス");
    EXPECT_EQ(AccessibleText(d.cmdOK, QAccessible::Name), "OK");
    QWidget* expected[] = {d.cboCOLOR[0], d.cboCOLOR[1], d.cboCOLOR[2], d.cboBunrui,
                           d.cmdCancel,   d.cmdOK,       d.chkSterus};
    EXPECT_EQ(FocusOrder(d.cboCOLOR[0], std::size(expected)),
              std::vector<QWidget*>(std::begin(expected), std::end(expected)));
}

TEST(frmSetupTest, OkSavesAllFiveKeysAndTheClockChangesAtOnce) {
    ClockWithMenu c("[Color]\r\nhour=1\r\nmin=9\r\nsec=0\r\n[Mode]\r\nView=1\r\nSterus=0\r\n");
    frmSetup& d = *c.dialog;
    EXPECT_TRUE(c.state.DialogOpen);
    EXPECT_EQ(d.cboCOLOR[0]->currentText(), "青");
    d.cboCOLOR[0]->setCurrentIndex(12);
    d.cboCOLOR[1]->setCurrentIndex(7);
    d.cboCOLOR[2]->setCurrentIndex(15);
    d.cboBunrui->setCurrentIndex(0);
    QTest::mouseClick(d.chkSterus, Qt::LeftButton);
    HandColours colours_when_confirmed;
    QString line_when_confirmed;
    c.desktop.on_message = [&](const Message&) {
        colours_when_confirmed = c.clock->CurrentHandColours();
        line_when_confirmed = c.clock->lblTimDat.text();
    };
    QTest::mouseClick(d.cmdOK, Qt::LeftButton);

    EXPECT_EQ(c.folder.Read("Clock.ini"),
              "[Color]\r\nhour=12\r\nmin=7\r\nsec=15\r\n[Mode]\r\nView=0\r\nSterus=1\r\n");
    EXPECT_EQ(c.desktop.messages.back().text, "環境設定情報を保存しました。");
    EXPECT_EQ(colours_when_confirmed.hour, 0xFF0000u);
    EXPECT_EQ(colours_when_confirmed.minute, 0xC0C0C0u);
    EXPECT_EQ(colours_when_confirmed.second, 0xFFFFFFu);
    EXPECT_EQ(line_when_confirmed, "PM 01:30:00");
    EXPECT_EQ(c.settings.Sterus, 1);
    EXPECT_FALSE(c.state.DialogOpen);
}

TEST(frmSetupTest, NoLineChosenHidesItAtOnce) {
    ClockWithMenu c("");
    c.dialog->cboBunrui->setCurrentIndex(2);
    QTest::mouseClick(c.dialog->cmdOK, Qt::LeftButton);
    EXPECT_TRUE(c.clock->lblTimDat.isHidden());
}

TEST(frmSetupTest, CancelAfterChangesLeavesFileAndClockUntouched) {
    for (bool close_box : {false, true}) {
        ClockWithMenu c("[Color]\r\nhour=3\r\n");
        frmSetup& d = *c.dialog;
        for (QComboBox* list : d.cboCOLOR) {
            list->setCurrentIndex(14);
        }
        d.cboBunrui->setCurrentIndex(2);
        QTest::mouseClick(d.chkSterus, Qt::LeftButton);
        if (close_box) {
            d.close();
        } else {
            QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        }
        EXPECT_EQ(c.folder.Read("Clock.ini"), "[Color]\r\nhour=3\r\n");
        EXPECT_EQ(c.clock->CurrentHandColours().hour, 0x008080u);
        EXPECT_FALSE(c.clock->lblTimDat.isHidden());
        EXPECT_EQ(c.settings.Sterus, 0);
        EXPECT_FALSE(c.state.DialogOpen);
        EXPECT_TRUE(c.desktop.messages.empty());
    }
}

TEST(frmSetupTest, ChoosingSettingsTwiceBringsTheSameDialogForward) {
    ClockWithMenu c("");
    c.dialog->cboCOLOR[0]->setCurrentIndex(5);
    c.menu->m02_Click();
    EXPECT_EQ(c.menu->Setup(), c.dialog.data());
    EXPECT_EQ(c.dialog->cboCOLOR[0]->currentIndex(), 5) << "not loaded again";
}

}  // namespace
}  // namespace sorane
