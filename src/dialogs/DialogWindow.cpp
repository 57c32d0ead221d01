// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "dialogs/DialogWindow.h"

#include <QWindow>

#include "common/Twips.h"
#include "platform/Desktop.h"
#include "platform/FormLayout.h"
#include "platform/QtDesktop.h"
#include "platform/WindowKinds.h"
#include "platform/X11Window.h"

namespace sorane {

DialogWindow::DialogWindow(int width_twips, int height_twips)
    : QWidget(nullptr, DIALOG_WINDOW_KIND | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(APP_TITLE);
    setFont(MsGothic(9));
    setFixedSize(PixelsOf(width_twips), PixelsOf(height_twips));
    CentreOnScreen(this);
}

void DialogWindow::ShowAbove(QWidget& clock) {
    LoadJapaneseQtTexts();
    // Two means, because window managers differ: the stay-on-top layer the
    // clock is in (icewm and fluxbox then stack by the last raised), and a
    // transient relation to the clock (openbox keeps a transient above its
    // window, also when the clock is clicked). The window still has no Qt
    // parent: it is not owned by the clock and is not hidden with it.
    createWinId();
    if (QWindow* own = windowHandle(); own != nullptr && clock.windowHandle() != nullptr) {
        own->setTransientParent(clock.windowHandle());
    }
    show();
    raise();
    activateWindow();
}

void DialogWindow::showEvent(QShowEvent* event) {
    KeepOffTaskbar(this);
    QWidget::showEvent(event);
}

}  // namespace sorane
