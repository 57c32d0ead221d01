// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "timer/frmTimer.h"

#include <QDir>

#include "platform/FormLayout.h"
#include "timer/FileDialogRules.h"
#include "timer/TimerRules.h"

namespace sorane {

frmTimer::frmTimer(Desktop& desktop, ClockSettings& settings, ClockState& state)
    : SettingsDialog(3510, 2445, desktop, settings, state) {
    CreateControls();
}

QLabel* frmTimer::AddLabel(int index, const char* caption, int left, int top, int width,
                           int height) {
    auto* label = new QLabel(caption, this);
    PlaceTwips(label, left, top, width, height);
    label->setFont(RoundGothic(9));
    Label1[index] = label;
    return label;
}

void frmTimer::CreateControls() {
    AddLabel(0, "簡易タイマー", 120, 180, 1215, 255);
    chkTime1 = new QCheckBox(this);
    PlaceTwips(chkTime1, 1440, 120, 255, 315);
    cboTime = new QComboBox(this);
    PlaceTwips(cboTime, 1860, 120, 1515, 300);
    for (const char* entry : COUNTDOWN_ENTRIES) {
        cboTime->addItem(entry);
    }

    AddLabel(1, "目覚まし", 120, 660, 1035, 255);
    chkTime2 = new QCheckBox(this);
    PlaceTwips(chkTime2, 1440, 600, 255, 315);
    txtJi = new QLineEdit(this);
    PlaceTwips(txtJi, 1860, 600, 495, 285);
    AddLabel(2, "時", 2400, 660, 255, 255);
    txtFun = new QLineEdit(this);
    PlaceTwips(txtFun, 2640, 600, 495, 285);
    AddLabel(3, "分", 3180, 660, 255, 255);

    AddLabel(15, "お知らせ音", 120, 1080, 1035, 255);
    txtFolder = new QLineEdit(this);
    PlaceTwips(txtFolder, 120, 1320, 2955, 330);
    cmdFolder = AddButton("...", 3060, 1320, 315, 315);
    AddOkCancel(120, 1215, 2100, 1275, 1860);

    // Tab order: "...", the path, the list, its box, Cancel, OK, the alarm's
    // box, hour, minute.
    // What a screen reader calls each control: the label beside it.
    NameControls({{chkTime1, Label1[0]},
                  {cboTime, Label1[0]},
                  {chkTime2, Label1[1]},
                  {txtJi, Label1[2]},
                  {txtFun, Label1[3]},
                  {txtFolder, Label1[15]}});
    cmdFolder->setAccessibleName(QStringLiteral("お知らせ音を選ぶ"));

    QWidget* order[] = {cmdFolder, txtFolder, cboTime, chkTime1, cmdCancel,
                        cmdOK,     chkTime2,  txtJi,   txtFun};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    connect(chkTime1, &QCheckBox::clicked, this, &frmTimer::chkTime1_Click);
    connect(chkTime2, &QCheckBox::clicked, this, &frmTimer::chkTime2_Click);
    connect(cmdFolder, &QPushButton::clicked, this, &frmTimer::cmdFolder_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmTimer::cmdOK_Click);
}

void frmTimer::Form_Load() {
    MarkOpen();
    const TimerDialogView view = OpenTimerDialog(m_settings, m_state, m_desktop.Now());
    chkTime1->setChecked(view.countdown_checked);
    cboTime->setEnabled(view.list_enabled);
    cboTime->setCurrentIndex(view.list_index);
    chkTime2->setChecked(view.alarm_checked);
    txtJi->setText(QString::fromStdString(view.hour_text));
    txtFun->setText(QString::fromStdString(view.minute_text));
    txtJi->setEnabled(view.alarm_fields_enabled);
    txtFun->setEnabled(view.alarm_fields_enabled);
    txtFolder->setText(QString::fromStdString(view.folder_text));
    cmdFolder->setFocus();
}

void frmTimer::chkTime1_Click() {
    cboTime->setEnabled(chkTime1->isChecked());
}

void frmTimer::chkTime2_Click() {
    txtJi->setEnabled(chkTime2->isChecked());
    txtFun->setEnabled(chkTime2->isChecked());
}

void frmTimer::cmdFolder_Click() {
    const std::string answer =
        ShowSoundFileDlg(m_desktop, WindowHandle(winId()), DataFolderOf(m_state));
    const FolderChoice choice = ChooseSoundFile(m_settings, answer);
    if (choice.folder_text) {
        txtFolder->setText(QString::fromStdString(*choice.folder_text));
    }
    if (choice.message) {
        m_desktop.ShowMessage(*choice.message);
    }
}

void frmTimer::cmdOK_Click() {
    TimerDialogInput input;
    input.countdown_checked = chkTime1->isChecked();
    input.list_index = cboTime->currentIndex();
    input.alarm_checked = chkTime2->isChecked();
    input.hour_text = txtJi->text().toStdString();
    input.minute_text = txtFun->text().toStdString();
    input.folder_text = txtFolder->text().toStdString();
    const TimerOkOutcome outcome =
        TimerDialogOk(m_settings, m_state, input, m_desktop.Now(), m_desktop.SteadySeconds());
    m_desktop.ShowMessage(outcome.message);
    if (outcome.close) {
        close();
    }
}

}  // namespace sorane
