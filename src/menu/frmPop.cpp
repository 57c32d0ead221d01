// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "menu/frmPop.h"

#include <QTimer>
#include <QWindow>

#include <utility>

namespace sorane {

frmPop::frmPop(Desktop& desktop, ClockSettings& settings, ClockState& state, QWidget& clock,
               ClockHooks hooks)
    : m_desktop(desktop),
      m_settings(settings),
      m_state(state),
      m_clock(clock),
      m_hooks(std::move(hooks)) {
    CreateMenu();
}

void frmPop::CreateMenu() {
    for (const MenuEntry& entry : MENU_ENTRIES) {
        if (entry.IsSeparator()) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromUtf8(entry.caption));
        action->setObjectName(entry.name);
        const ClockCommand command = entry.command;
        connect(action, &QAction::triggered, this,
                [this, command] { Run(command, CommandFrom::Menu); });
    }
}

void frmPop::PopUp(const QPoint& position, bool as_window) {
    const Qt::WindowFlags flags = as_window ? Qt::Tool | Qt::FramelessWindowHint : Qt::Popup;
    if (menu.windowFlags() != flags) {
        menu.setWindowFlags(flags);
    }
    if (as_window) {
        // A window that belongs to the clock: a dialog to the compositor.
        menu.winId();
        menu.windowHandle()->setTransientParent(m_clock.windowHandle());
        // A window, unlike a pop-up, is given the keyboard only when asked.
        QTimer::singleShot(0, &menu, [this] { menu.activateWindow(); });
    }
    menu.exec(position);
}

void frmPop::Run(ClockCommand command, CommandFrom from) {
    if (MarksQuitting(command, from)) {
        m_state.Quitting = true;
    }
    switch (command) {
        case ClockCommand::Timer:
            m01_Click();
            break;
        case ClockCommand::Setup:
            m02_Click();
            break;
        case ClockCommand::Help:
            m07_Click();
            break;
        case ClockCommand::About:
            m08_Click();
            break;
        case ClockCommand::Exit:
            m09_Click();
            break;
        case ClockCommand::Menu:  // the menu itself: the clock opens it
        case ClockCommand::None:
            break;
    }
}

frmPop::~frmPop() {
    delete m_about;
}

frmAbout& frmPop::About() {
    if (!m_about) {
        m_about = new frmAbout(m_desktop);
    }
    return *m_about;
}

void frmPop::m01_Click() {
    if (!m_timer) {
        m_timer = new frmTimer(m_desktop, m_settings, m_state);
        m_timer->Form_Load();
    }
    m_timer->ShowAbove(m_clock);
}

void frmPop::m02_Click() {
    if (!m_setup) {
        m_setup = new frmSetup(m_desktop, m_settings, m_state, m_hooks.apply_display);
        m_setup->Form_Load();
    }
    m_setup->ShowAbove(m_clock);
}

void frmPop::m07_Click() {
    OpenReadMe(m_desktop, DataFolderOf(m_state));
}

void frmPop::m08_Click() {
    About().ShowAbove(m_clock);
}

void frmPop::m09_Click() {
    m_desktop.ShowMessage(ExitMessage());
    if (m_hooks.close_by_user) {
        m_hooks.close_by_user();
    }
}

}  // namespace sorane
