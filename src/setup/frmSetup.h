#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>
#include <map>

#include "platform/Desktop.h"
#include "platform/SettingsDialog.h"
#include "settings/ClockSettings.h"

namespace sorane {

/// The setup dialog: the hands' colours, what the text line shows, stealth.
class frmSetup : public SettingsDialog {
    Q_OBJECT

public:
    /// apply_display applies changed settings to the clock.
    frmSetup(Desktop& desktop, ClockSettings& settings, ClockState& state,
             std::function<void()> apply_display);

    /// Selects the stored settings and marks a dialog as open.
    void Form_Load();

    void cmdOK_Click();

    std::map<int, QLabel*> Label1;
    std::array<QComboBox*, 3> cboCOLOR{};
    QComboBox* cboBunrui = nullptr;
    QCheckBox* chkSterus = nullptr;

private:
    void CreateControls();
    QComboBox* AddColourList(int left, int top, int width, int height);

    std::function<void()> m_apply_display;
};

}  // namespace sorane
