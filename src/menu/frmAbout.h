// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "dialogs/DialogWindow.h"

#include "platform/Desktop.h"

namespace sorane {

/// A label that opens something when clicked: pure blue and underlined,
/// pure red while a mouse button is held on it.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& text, QWidget* parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetColour(const QColor& colour);
};

/// The About window: name and version, credits and two home-page links. OK
/// (or Enter, or Esc) hides it; its close box destroys it.
class frmAbout : public DialogWindow {
    Q_OBJECT

public:
    explicit frmAbout(Desktop& desktop);

    void cmdAbout_Click();
    void Label6_Click();
    void Label8_Click();

    QPushButton* cmdAbout = nullptr;
    QLabel* lblAbout = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    LinkLabel* Label6 = nullptr;
    LinkLabel* Label8 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();

    Desktop& m_desktop;
};

}  // namespace sorane
