// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "dialogs/SettingsDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "platform/FormLayout.h"

namespace sorane {

SettingsDialog::SettingsDialog(int width_twips, int height_twips, Desktop& desktop,
                               ClockSettings& settings, ClockState& state)
    : DialogWindow(width_twips, height_twips),
      m_desktop(desktop),
      m_settings(settings),
      m_state(state) {}

void SettingsDialog::MarkOpen() {
    m_state.DialogOpen = true;
}

QPushButton* SettingsDialog::AddButton(const char* caption, int left, int top, int width,
                                       int height) {
    auto* button = new QPushButton(caption, this);
    PlaceTwips(button, left, top, width, height);
    button->setAutoDefault(false);  // Enter in a text box presses nothing
    return button;
}

void SettingsDialog::NameControls(std::initializer_list<std::pair<QWidget*, QLabel*>> controls) {
    // A list's name is what it shows: screen readers say the label it is
    // labelled by (the label's buddy) with it.
    for (const auto& [control, label] : controls) {
        control->setAccessibleName(label->text());
        label->setBuddy(control);
    }
}

void SettingsDialog::AddOkCancel(int ok_left, int ok_width, int cancel_left, int cancel_width,
                                 int top) {
    cmdOK = AddButton("Ｏ　Ｋ", ok_left, top, ok_width, 435);
    cmdOK->setFont(RoundGothic(9));
    cmdOK->setAccessibleName(QStringLiteral("OK"));  // not the letters one by one
    cmdCancel = AddButton("キャンセル", cancel_left, top, cancel_width, 435);
    cmdCancel->setFont(RoundGothic(9));
    connect(cmdCancel, &QPushButton::clicked, this, &SettingsDialog::cmdCancel_Click);
}

void SettingsDialog::cmdCancel_Click() {
    close();
}

void SettingsDialog::keyPressEvent(QKeyEvent* event) {
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && button != nullptr && button->isEnabled()) {
        button->click();
        return;
    }
    DialogWindow::keyPressEvent(event);
}

void SettingsDialog::closeEvent(QCloseEvent* event) {
    m_state.DialogOpen = false;
    event->accept();
}

}  // namespace sorane
