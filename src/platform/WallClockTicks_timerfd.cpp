// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/WallClockTicks.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace sorane {

struct WallClockTicks::Source {
    int fd = -1;     ///< the wall clock's boundaries
    int guard = -1;  ///< goes off only when a boundary's tick does not come
    std::unique_ptr<QSocketNotifier> readable;
    std::unique_ptr<QSocketNotifier> guard_readable;
    bool active = false;
    int every_seconds = 1;
    std::function<void()> on_tick;
    std::function<void()> on_clock_set;

    // Every boundary of the wall clock from the next one on. A clock set
    // forward makes the next boundary come at once. A clock set back would
    // leave it far off: the guard, a little longer than the period on the
    // steady clock, goes off then and the boundaries are taken anew. (A
    // timer cancelled at each setting of the clock would wake the program
    // each time, and some virtual machines set theirs ten times a second.)
    void Arm() {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const time_t next = (now.tv_sec / every_seconds + 1) * every_seconds;
        const itimerspec every{{every_seconds, 0}, {next, 0}};
        timerfd_settime(fd, TFD_TIMER_ABSTIME, &every, nullptr);
        ArmGuard();
    }

    void ArmGuard() {
        const itimerspec once{{0, 0}, {every_seconds + 1, 0}};
        timerfd_settime(guard, 0, &once, nullptr);
    }

    void Read() {
        std::uint64_t expirations = 0;
        if (read(fd, &expirations, sizeof expirations) == sizeof expirations) {
            ArmGuard();
            on_tick();
        }
    }

    void GuardRead() {
        std::uint64_t expirations = 0;
        if (read(guard, &expirations, sizeof expirations) == sizeof expirations) {
            Arm();
            on_clock_set();
        }
    }
};

WallClockTicks::WallClockTicks(QObject* parent, std::function<void()> on_tick,
                               std::function<void()> on_clock_set)
    : QObject(parent), m_source(std::make_unique<Source>()) {
    m_source->on_tick = std::move(on_tick);
    m_source->on_clock_set = std::move(on_clock_set);
    m_source->fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    m_source->guard = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_source->fd >= 0 && m_source->guard < 0) {
        close(m_source->fd);
        m_source->fd = -1;
    }
    if (m_source->fd >= 0) {
        m_source->readable =
            std::make_unique<QSocketNotifier>(m_source->fd, QSocketNotifier::Read, this);
        m_source->readable->setEnabled(false);
        connect(m_source->readable.get(), &QSocketNotifier::activated, this,
                [this] { m_source->Read(); });
        m_source->guard_readable =
            std::make_unique<QSocketNotifier>(m_source->guard, QSocketNotifier::Read, this);
        m_source->guard_readable->setEnabled(false);
        connect(m_source->guard_readable.get(), &QSocketNotifier::activated, this,
                [this] { m_source->GuardRead(); });
    }
}

WallClockTicks::~WallClockTicks() {
    m_source->readable.reset();
    m_source->guard_readable.reset();
    for (const int fd : {m_source->fd, m_source->guard}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

void WallClockTicks::Start(int every_seconds) {
    if (m_source->fd < 0) {
        return;
    }
    m_source->every_seconds = std::max(1, every_seconds);
    m_source->Arm();
    m_source->readable->setEnabled(true);
    m_source->guard_readable->setEnabled(true);
    m_source->active = true;
}

void WallClockTicks::Stop() {
    if (m_source->fd < 0) {
        return;
    }
    const itimerspec disarmed{};
    timerfd_settime(m_source->fd, 0, &disarmed, nullptr);
    timerfd_settime(m_source->guard, 0, &disarmed, nullptr);
    m_source->readable->setEnabled(false);
    m_source->guard_readable->setEnabled(false);
    m_source->active = false;
}

bool WallClockTicks::IsActive() const {
    return m_source->active;
}

}  // namespace sorane
