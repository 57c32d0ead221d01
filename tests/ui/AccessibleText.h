// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QAccessible>
#include <QString>
#include <QWidget>

namespace sorane {

/// A text of a widget as assistive technology reads it (its name, its value).
inline QString AccessibleText(QWidget* widget, QAccessible::Text text) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(text) : QStringLiteral("(none)");
}

/// The text of the label a widget is labelled by, as assistive technology
/// finds it (a label whose buddy it is); empty for none.
inline QString AccessibleLabel(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (accessible == nullptr) {
        return {};
    }
    const auto labels = accessible->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

}  // namespace sorane
