// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/WallClockTicks.h"

#include <QDateTime>
#include <QTimer>
#include <algorithm>

#include "common/LocalDateTime.h"

namespace sorane {

struct WallClockTicks::Source {
    QTimer timer;
    std::function<void()> on_tick;
    int every_seconds = 1;

    // Started afresh for each next boundary, so that a late tick does not
    // make every later one late.
    void ArmForNextBoundary() {
        timer.start(MillisecondsToNextBoundary(QDateTime::currentMSecsSinceEpoch(), every_seconds));
    }
};

WallClockTicks::WallClockTicks(QObject* parent, std::function<void()> on_tick,
                               std::function<void()> /*on_clock_set*/)
    : QObject(parent), m_source(std::make_unique<Source>()) {
    m_source->on_tick = std::move(on_tick);
    m_source->timer.setSingleShot(true);
    m_source->timer.setTimerType(Qt::PreciseTimer);
    connect(&m_source->timer, &QTimer::timeout, this, [this] {
        // Started again before the tick, whose message boxes run event loops
        // of their own: the clock ticks on under them.
        m_source->ArmForNextBoundary();
        m_source->on_tick();
    });
}

WallClockTicks::~WallClockTicks() = default;

void WallClockTicks::Start(int every_seconds) {
    m_source->every_seconds = std::max(1, every_seconds);
    m_source->ArmForNextBoundary();
}

void WallClockTicks::Stop() {
    m_source->timer.stop();
}

bool WallClockTicks::IsActive() const {
    return m_source->timer.isActive();
}

}  // namespace sorane
