// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QCoreApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ClockMain.h"
#include "FakeDesktop.h"
#include "TempFolder.h"
#include "clock/frmClock.h"
#include "menu/frmPop.h"

namespace sorane {

/// A clock loaded from a portable program folder holding the given
/// Clock.ini (none when ini is empty) and the chime, over a fake desktop,
/// with its menu joined to it as the program joins them.
struct LoadedClock {
    explicit LoadedClock(const std::string& ini = "") {
        if (!ini.empty()) {
            folder.Write("Clock.ini", ini);
        }
        folder.Write("chimes.wav", "");  // a portable copy: everything beside the program
        desktop.program_directory = folder.Path().string();
        clock = std::make_unique<frmClock>(desktop, settings, state);
        result = clock->Form_Load();
        menu = MakeMenuFor(*clock, desktop, settings, state);
    }

    TempFolder folder;
    FakeDesktop desktop;
    ClockSettings settings;
    ClockState state;
    std::unique_ptr<frmClock> clock;
    frmClock::LoadResult result;
    std::unique_ptr<frmPop> menu;
};

// Closes the menu as soon as it is shown (its exec() would wait for a
// person); shown tells whether it was. The close is queued from the menu's
// own aboutToShow, so that it runs inside the menu's event loop however
// slowly the machine gets there.
class MenuCloser {
public:
    explicit MenuCloser(QMenu& menu) {
        m_connection = QObject::connect(&menu, &QMenu::aboutToShow, &menu, [this, &menu] {
            shown = true;
            QMetaObject::invokeMethod(
                &menu,
                [this, &menu] {
                    at = menu.geometry().topLeft();
                    menu.close();
                },
                Qt::QueuedConnection);
        });
    }
    ~MenuCloser() { QObject::disconnect(m_connection); }
    bool shown = false;
    QPoint at;  ///< where the menu was shown

private:
    QMetaObject::Connection m_connection;
};

/// A loaded clock, shown, with its read-me beside it.
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
}  // namespace sorane
