// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>

#include "menu/MenuCommands.h"
#include "menu/frmAbout.h"
#include "setup/frmSetup.h"
#include "timer/frmTimer.h"
#include "platform/Desktop.h"
#include "settings/ClockSettings.h"

namespace sorane {

class frmClock;

/// Holds the clock's pop-up menu and the windows it opens, one object each.
class frmPop : public QObject {
    Q_OBJECT

public:
    frmPop(Desktop& desktop, ClockSettings& settings, ClockState& state, frmClock& clock);
    ~frmPop() override;

    /// The About window, loaded (hidden) if it is not yet.
    frmAbout& About();
    /// The timer dialog while it is open, else nullptr.
    frmTimer* Timer() const { return m_timer; }
    /// The setup dialog while it is open, else nullptr.
    frmSetup* Setup() const { return m_setup; }

    /// Pops up the menu at a screen position and returns when it closes,
    /// after the chosen item's handler has run.
    void PopUp(const QPoint& position);

    /// The menu; its actions are the items, top to bottom.
    QMenu menu;

    void m01_Click();  ///< Timer
    void m02_Click();  ///< Settings
    void m07_Click();  ///< Help: the read-me text
    void m08_Click();  ///< About
    void m09_Click();  ///< Exit

private:
    void CreateMenu();
    void Run(ClockCommand command);

    Desktop& m_desktop;
    ClockSettings& m_settings;
    ClockState& m_state;
    frmClock& m_clock;
    QPointer<frmAbout> m_about;
    QPointer<frmTimer> m_timer;
    QPointer<frmSetup> m_setup;
};

}  // namespace sorane
