// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <memory>

#include "clock/ScreenRoute.h"
#include "platform/QtDesktop.h"
#include "settings/ClockSettings.h"

namespace sorane {

class frmClock;
class frmPop;

/// Joins the clock and its menu: the clock's right button pops the menu up,
/// its keys run the menu's commands, and the menu's windows reach the clock.
/// Returns the menu.
std::unique_ptr<frmPop> MakeMenuFor(frmClock& clock, Desktop& desktop, ClockSettings& settings,
                                    ClockState& state);

/// The program: checks for a display, starts Qt, loads the clock, its menu
/// and tray icon, and runs until the clock closes. make_desktop is called
/// once Qt runs; the test build hands in a desktop whose time it controls.
/// fastest_way limits the ways to the screen (the benchmarks measure each).
/// Returns the program's exit status.
int Main(int argc, char** argv, const std::function<std::unique_ptr<QtDesktop>()>& make_desktop,
         ScreenWay fastest_way = ScreenWay::X11);

}  // namespace sorane
