// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// The cost of one tick: the rules alone, and the clock window's whole tick
// with its repaint, offscreen.

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include "FakeDesktop.h"
#include "TempFolder.h"
#include "clock/TickRules.h"
#include "clock/frmClock.h"
#include "platform/QtDesktop.h"

namespace {

using namespace sorane;

void BM_TickRules(benchmark::State& bench) {
    ClockSettings settings;
    settings.View = 1;
    settings.TimeHour = 7;
    settings.TimeMin = 30;
    ClockState state;
    TickInput input;
    input.now = {2026, 12, 7, 13, 30, 0, 0};
    for (auto _ : bench) {
        input.now.second = (input.now.second + 1) % 60;
        benchmark::DoNotOptimize(Tick(settings, state, input));
    }
}
BENCHMARK(BM_TickRules);

void BM_ClockTickWithRepaint(benchmark::State& bench) {
    TempFolder folder;
    FakeDesktop desktop;
    desktop.program_directory = folder.Path().string();
    ClockSettings settings;
    ClockState state;
    frmClock clock(desktop, settings, state);
    clock.Form_Load();
    clock.show();
    QImage frame(150, 150, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : bench) {
        desktop.now.second = (desktop.now.second + 1) % 60;
        clock.tmrClock_Timer();
        clock.render(&frame);
    }
}
BENCHMARK(BM_ClockTickWithRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
