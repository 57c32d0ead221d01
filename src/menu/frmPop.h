// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <functional>

#include "menu/MenuCommands.h"
#include "menu/frmAbout.h"
#include "setup/frmSetup.h"
#include "timer/frmTimer.h"
#include "platform/Desktop.h"
#include "settings/ClockSettings.h"

namespace sorane {

/// What the menu's windows ask of the clock.
struct ClockHooks {
    std::function<void()> apply_display;  ///< the display settings changed
    std::function<void()> close_by_user;  ///< the user ends the program
};

/// Holds the clock's pop-up menu and the windows it opens, one object each.
class frmPop : public QObject {
    Q_OBJECT

public:
    /// clock is the window the menu's windows open above.
    frmPop(Desktop& desktop, ClockSettings& settings, ClockState& state, QWidget& clock,
           ClockHooks hooks);
    ~frmPop() override;

    /// The About window, loaded (hidden) if it is not yet.
    frmAbout& About();
    /// The timer dialog while it is open, else nullptr.
    frmTimer* Timer() const { return m_timer; }
    /// The setup dialog while it is open, else nullptr.
    frmSetup* Setup() const { return m_setup; }

    /// Pops up the menu at a screen position and returns when it closes,
    /// after the chosen item's handler has run. as_window: the menu comes as
    /// a window of its own, belonging to the clock, for a compositor that lays
    /// every window out itself and shows no pop-up (a kiosk).
    void PopUp(const QPoint& position, bool as_window = false);

    /// The menu; its actions are the items, top to bottom.
    QMenu menu;

    void m01_Click();  ///< Timer
    void m02_Click();  ///< Settings
    void m07_Click();  ///< Help: the read-me text
    void m08_Click();  ///< About
    void m09_Click();  ///< Exit

    /// Carries out a command of the menu or of a key on the clock.
    void Run(ClockCommand command, CommandFrom from);

private:
    void CreateMenu();

    Desktop& m_desktop;
    ClockSettings& m_settings;
    ClockState& m_state;
    QWidget& m_clock;
    ClockHooks m_hooks;
    QPointer<frmAbout> m_about;
    QPointer<frmTimer> m_timer;
    QPointer<frmSetup> m_setup;
};

}  // namespace sorane
