// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QIcon>

namespace sorane {

/// The application icon, in the sizes desktops ask for.
QIcon ApplicationIcon();

}  // namespace sorane
