// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// The cost of one tick: the rules alone, and the clock window's whole tick
// with its repaint, offscreen.

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#if defined(__linux__)
#include <unistd.h>
#endif

#include "FakeDesktop.h"
#include "TempFolder.h"
#include "clock/HandPictures.h"
#include "clock/PixelBlend.h"
#include "settings/Palette16.h"
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

#if defined(__linux__)
// The voluntary context switches of this process's other threads so far,
// by thread.
std::map<std::string, long> OtherThreadsSwitches() {
    std::map<std::string, long> switches;
    const std::string self = std::to_string(gettid());
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        const std::string tid = task.path().filename().string();
        std::ifstream status(task.path() / "status");
        for (std::string line; tid != self && std::getline(status, line);) {
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0) {
                switches[tid] = std::stol(line.substr(line.find(':') + 1));
            }
        }
    }
    return switches;
}

// New hand pictures at every position of a minute (the turn of a minute
// makes new hour and minute pictures): the cost, and how often another
// thread was woken for them. They are stroked on the GUI thread in bands
// too small for Qt's raster engine to hand any fill to its thread pool, so
// other_thread_wakes should stay 0.
void BM_NewHandPictures(benchmark::State& bench) {
    QImage image(150, 150, QImage::Format_RGB32);
    long wakes = 0;
    for (auto _ : bench) {
        const std::map<std::string, long> before = OtherThreadsSwitches();
        for (int step = 0; step < 60; ++step) {
            HandPictures pictures;
            for (const HandPictures::Picture* hand : pictures.Layers(
                     HandsAt(step / 5, step, step), {Palette16[1], Palette16[9], 0}, 1)) {
                BlendHand(image, *hand, image.rect());
            }
        }
        // A thread that started meanwhile, or switched, was woken; one that
        // ended (an idle pool thread expiring) was not.
        for (const auto& [tid, switches] : OtherThreadsSwitches()) {
            const auto was = before.find(tid);
            wakes += was == before.end() ? 1 : switches - was->second;
        }
    }
    bench.counters["other_thread_wakes"] =
        benchmark::Counter(double(wakes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_NewHandPictures)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
