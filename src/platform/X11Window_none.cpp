// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Builds without X11: the window manager's hints are Qt's alone.

#include "platform/X11Window.h"

namespace sorane {

void KeepOffTaskbar(QWidget*) {}

void MarkFirstType(QWidget*, WindowType) {}

void TakeAwayBorder(QWidget*) {}

void TakeKeyboardFocus(QWidget*) {}

bool StackedAbove(QWidget*, QWidget*) {
    return false;
}

void MapAnew(QWidget*) {}

StackBelowOwnDialogs::StackBelowOwnDialogs(QWidget* window) : m_window(window) {}
StackBelowOwnDialogs::~StackBelowOwnDialogs() = default;

bool StackBelowOwnDialogs::eventFilter(QObject* watched, QEvent* event) {
    return QObject::eventFilter(watched, event);
}

std::string WindowManagerName() {
    return {};
}

std::optional<QRect> RectOnRoot(QWidget*) {
    return std::nullopt;
}

bool MoveOnRoot(QWidget*, QPoint) {
    return false;
}

xcb_connection_t* X11Connection() {
    return nullptr;
}

XDisplayHold::XDisplayHold() = default;
XDisplayHold::~XDisplayHold() = default;

}  // namespace sorane
