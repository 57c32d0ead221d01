// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "menu/frmAbout.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "menu/MenuCommands.h"
#include "platform/FormLayout.h"

namespace sorane {
namespace {

const QColor LINK_AT_REST(0, 0, 255);
const QColor LINK_PRESSED(255, 0, 0);

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont font = RoundGothic(9);
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    SetColour(LINK_AT_REST);
}

void LinkLabel::SetColour(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void LinkLabel::mousePressEvent(QMouseEvent*) {
    SetColour(LINK_PRESSED);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    SetColour(LINK_AT_REST);
    // Any button shows the press; only the left one clicks.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

frmAbout::frmAbout(Desktop& desktop) : DialogWindow(2925, 3030), m_desktop(desktop) {
    CreateControls();
    cmdAbout->setFocus();
}

void frmAbout::CreateControls() {
    auto* fraAbout = new QGroupBox(this);
    PlaceTwips(fraAbout, 0, -60, 2895, 2595);
    fraAbout->setFocusPolicy(Qt::NoFocus);

    lblAbout = new QLabel(APP_TITLE, fraAbout);
    PlaceTwips(lblAbout, 120, 360, 2595, 285);
    lblAbout->setAlignment(Qt::AlignCenter);
    QFont title_font = RoundGothic(11.25);
    title_font.setBold(true);
    lblAbout->setFont(title_font);

    Label2 = new QLabel("ＣＧ担当：ソラネ絵描き班", fraAbout);
    PlaceTwips(Label2, 180, 960, 2595, 195);
    Label2->setFont(RoundGothic(9));

    Label1 = new QLabel("プログラム担当：ソラネ開発班", fraAbout);
    PlaceTwips(Label1, 180, 1260, 2595, 195);
    Label1->setFont(RoundGothic(9));

    Label6 = new LinkLabel("ソラネの絵のページ", fraAbout);
    PlaceTwips(Label6, 120, 1800, 2955, 195);
    Label6->setToolTip(ART_HOME_PAGE);
    connect(Label6, &LinkLabel::clicked, this, &frmAbout::Label6_Click);

    Label8 = new LinkLabel("ソラネのホームページ", fraAbout);
    PlaceTwips(Label8, 120, 2160, 2715, 195);
    Label8->setToolTip(PROGRAM_HOME_PAGE);
    connect(Label8, &LinkLabel::clicked, this, &frmAbout::Label8_Click);

    cmdAbout = new QPushButton("OK", this);
    PlaceTwips(cmdAbout, 900, 2580, 1095, 375);
    cmdAbout->setDefault(true);
    QPalette palette = cmdAbout->palette();
    palette.setColor(QPalette::Button, QColor(0xC0, 0xC0, 0xC0));
    cmdAbout->setPalette(palette);
    connect(cmdAbout, &QPushButton::clicked, this, &frmAbout::cmdAbout_Click);
}

void frmAbout::cmdAbout_Click() {
    hide();
}

void frmAbout::Label6_Click() {
    OpenHomePage(m_desktop, ART_HOME_PAGE);
}

void frmAbout::Label8_Click() {
    OpenHomePage(m_desktop, PROGRAM_HOME_PAGE);
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    // OK is both the default and the cancel button.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            cmdAbout_Click();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace sorane
