// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/X11Window.h"

#include <QWidget>

namespace sorane {

bool IsOwnDialog(const QObject* object, const QWidget* clock) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget != nullptr && widget != clock && widget->isWindow() &&
           (widget->windowType() == Qt::Dialog || widget->windowType() == Qt::Window);
}

}  // namespace sorane
