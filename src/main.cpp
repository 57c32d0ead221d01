// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// The shipped program: the clock on the desktop's own time.

#include "ClockMain.h"

int main(int argc, char** argv) {
    return sorane::Main(argc, argv, [] { return std::make_unique<sorane::QtDesktop>(); });
}
