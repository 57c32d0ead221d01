// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// The shipped program with its ways to the screen limited to the one
// SORANE_SCREEN_WAY names ("x11", "store" or "repaint"), so that bench/run
// can measure what each way costs a tick.

#include <cstdio>
#include <cstdlib>

#include "ClockMain.h"

int main(int argc, char** argv) {
    const char* name = std::getenv("SORANE_SCREEN_WAY");
    const std::optional<sorane::ScreenWay> way = sorane::ScreenWayNamed(name ? name : "");
    if (!way) {
        std::fputs("SORANE_SCREEN_WAY must be x11, store or repaint\n", stderr);
        return 2;
    }
    return sorane::Main(
        argc, argv, [] { return std::make_unique<sorane::QtDesktop>(); }, *way);
}
