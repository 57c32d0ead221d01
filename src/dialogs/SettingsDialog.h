// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QLabel>
#include <QPushButton>
#include <initializer_list>
#include <utility>

#include "platform/Desktop.h"
#include "dialogs/DialogWindow.h"
#include "settings/ClockSettings.h"

namespace sorane {

/// What the timer and the setup dialog share: the settings they change, the
/// flag DialogOpen that is set while either is open (one flag for both, so
/// whichever closes first clears it), OK and Cancel buttons, and Cancel and
/// the close box, which close the dialog storing nothing. A focused button is
/// pressed by Enter as by Space; no button is the default, so Enter in a
/// text box presses nothing.
class SettingsDialog : public DialogWindow {
    Q_OBJECT

public:
    SettingsDialog(int width_twips, int height_twips, Desktop& desktop, ClockSettings& settings,
                   ClockState& state);

    void cmdCancel_Click();

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    /// Marks a dialog as open; each dialog's Form_Load calls it first.
    void MarkOpen();
    /// Adds a push button at Left, Top, Width, Height in twips.
    QPushButton* AddButton(const char* caption, int left, int top, int width, int height);
    /// Adds OK and Cancel in the rounded Gothic the dialogs use for them.
    void AddOkCancel(int ok_left, int ok_width, int cancel_left, int cancel_width, int top);
    /// Gives each control, for screen readers, the name of the label beside it.
    static void NameControls(std::initializer_list<std::pair<QWidget*, QLabel*>> controls);

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    Desktop& m_desktop;
    ClockSettings& m_settings;
    ClockState& m_state;
};

}  // namespace sorane
