// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <memory>

#include "platform/QtDesktop.h"

namespace sorane {

/// The program: checks for a display, starts Qt, loads the clock, its menu
/// and tray icon, and runs until the clock closes. make_desktop is called
/// once Qt runs; the test build hands in a desktop whose time it controls.
/// Returns the program's exit status.
int Main(int argc, char** argv, const std::function<std::unique_ptr<QtDesktop>()>& make_desktop);

}  // namespace sorane
