// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <map>

#include "platform/Desktop.h"
#include "dialogs/SettingsDialog.h"
#include "settings/ClockSettings.h"

namespace sorane {

/// The timer dialog: a countdown of 3, 5 or 10 minutes, the daily alarm
/// time, and the notification sound file.
class frmTimer : public SettingsDialog {
    Q_OBJECT

public:
    frmTimer(Desktop& desktop, ClockSettings& settings, ClockState& state);

    /// Fills the controls from the settings and marks a dialog as open.
    void Form_Load();

    void chkTime1_Click();
    void chkTime2_Click();
    void cmdFolder_Click();
    void cmdOK_Click();

    std::map<int, QLabel*> Label1;
    QCheckBox* chkTime1 = nullptr;
    QComboBox* cboTime = nullptr;
    QCheckBox* chkTime2 = nullptr;
    QLineEdit* txtJi = nullptr;
    QLineEdit* txtFun = nullptr;
    QLineEdit* txtFolder = nullptr;
    QPushButton* cmdFolder = nullptr;

private:
    void CreateControls();
    QLabel* AddLabel(int index, const char* caption, int left, int top, int width, int height);
};

}  // namespace sorane
