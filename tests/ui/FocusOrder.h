// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>
#include <vector>

namespace sorane {

/// The widgets that take the keyboard, in Tab order, starting at first.
inline std::vector<QWidget*> FocusOrder(QWidget* first, std::size_t count) {
    std::vector<QWidget*> order;
    for (QWidget* widget = first; order.size() < count; widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() != Qt::NoFocus) {
            order.push_back(widget);
        }
    }
    return order;
}

}  // namespace sorane
