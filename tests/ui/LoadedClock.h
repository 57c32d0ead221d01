// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

#include "ClockMain.h"
#include "FakeDesktop.h"
#include "TempFolder.h"
#include "clock/frmClock.h"
#include "menu/frmPop.h"

namespace sorane {

/// A clock loaded from a portable program folder holding the given
/// Clock.ini (none when ini is empty) and the chime, over a fake desktop,
/// with its menu joined to it as the program joins them.
struct LoadedClock {
    explicit LoadedClock(const std::string& ini = "") {
        if (!ini.empty()) {
            folder.Write("Clock.ini", ini);
        }
        folder.Write("chimes.wav", "");  // a portable copy: everything beside the program
        desktop.program_directory = folder.Path().string();
        clock = std::make_unique<frmClock>(desktop, settings, state);
        result = clock->Form_Load();
        menu = MakeMenuFor(*clock, desktop, settings, state);
    }

    TempFolder folder;
    FakeDesktop desktop;
    ClockSettings settings;
    ClockState state;
    std::unique_ptr<frmClock> clock;
    frmClock::LoadResult result;
    std::unique_ptr<frmPop> menu;
};

}  // namespace sorane
