// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

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
#include "dialogs/SettingsDialog.h"
#include "settings/ClockSettings.h"

namespace sorane {

/// A list of the 16 colours: the open list shows a swatch before each name;
/// the closed box shows the name alone, set a little smaller when it is too
/// long for the box ("明るいマゼンダ"), so that no name is ever cut.
class ColourList : public QComboBox {
    Q_OBJECT

public:
    explicit ColourList(QWidget* parent);

    /// The font the closed box shows the current name in.
    QFont LabelFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect LabelRect() const;
};

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
    std::array<ColourList*, 3> cboCOLOR{};
    QComboBox* cboBunrui = nullptr;
    QCheckBox* chkSterus = nullptr;

private:
    void CreateControls();
    ColourList* AddColourList(int left, int top, int width, int height);

    std::function<void()> m_apply_display;
};

}  // namespace sorane
