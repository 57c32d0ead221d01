// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace sorane {

/// Calls back once a second (or once every so many seconds), just after
/// each such boundary of the system's wall clock. On Linux a timerfd on the
/// wall clock, absolute and periodic, wakes the program a fraction of a
/// millisecond after each boundary, at once when the clock is set forward,
/// and (through a guard on the steady clock) within a period and a second
/// when it is set back, which is reported as the clock set; elsewhere a
/// precise one-shot timer is started for each next boundary.
class WallClockTicks : public QObject {
public:
    WallClockTicks(QObject* parent, std::function<void()> on_tick,
                   std::function<void()> on_clock_set);
    ~WallClockTicks() override;

    /// Ticks from the next boundary of every_seconds seconds on (a minute's
    /// start for 60); started again, from the next.
    void Start(int every_seconds = 1);
    void Stop();
    bool IsActive() const;

private:
    struct Source;
    std::unique_ptr<Source> m_source;
};

}  // namespace sorane
