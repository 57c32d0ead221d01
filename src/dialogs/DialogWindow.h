// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>

namespace sorane {

/// A small window of the program, as the About window and the dialogs are:
/// titled "ソラネ Ver.1.1" with the application's icon (set once by Main for
/// every window), a close box and no other button, a fixed size given in
/// twips, not in the taskbar, centred on the screen when made, and destroyed
/// when closed.
class DialogWindow : public QWidget {
    Q_OBJECT

public:
    DialogWindow(int width_twips, int height_twips);

    /// Shows the window, brought forward, above the clock: the clock stays
    /// above every other program's windows, and its own windows must not
    /// hide behind it.
    void ShowAbove(QWidget& clock);

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace sorane
