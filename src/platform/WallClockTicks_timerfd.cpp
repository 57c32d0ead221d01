// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/WallClockTicks.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace sorane {

struct WallClockTicks::Source {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> readable;
    bool active = false;
    int every_seconds = 1;
    std::function<void()> on_tick;
    std::function<void()> on_clock_set;

    // Every boundary of the wall clock from the next one on; the timer is
    // cancelled (its read fails with ECANCELED) when the clock is set.
    void Arm() {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const time_t next = (now.tv_sec / every_seconds + 1) * every_seconds;
        const itimerspec every{{every_seconds, 0}, {next, 0}};
        timerfd_settime(fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &every, nullptr);
    }

    void Read() {
        std::uint64_t expirations = 0;
        const ssize_t got = read(fd, &expirations, sizeof expirations);
        if (got < 0 && errno == ECANCELED) {
            Arm();
            on_clock_set();
            return;
        }
        if (got == sizeof expirations) {
            on_tick();
        }
    }
};

WallClockTicks::WallClockTicks(QObject* parent, std::function<void()> on_tick,
                               std::function<void()> on_clock_set)
    : QObject(parent), m_source(std::make_unique<Source>()) {
    m_source->on_tick = std::move(on_tick);
    m_source->on_clock_set = std::move(on_clock_set);
    m_source->fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_source->fd >= 0) {
        m_source->readable =
            std::make_unique<QSocketNotifier>(m_source->fd, QSocketNotifier::Read, this);
        m_source->readable->setEnabled(false);
        connect(m_source->readable.get(), &QSocketNotifier::activated, this,
                [this] { m_source->Read(); });
    }
}

WallClockTicks::~WallClockTicks() {
    m_source->readable.reset();
    if (m_source->fd >= 0) {
        close(m_source->fd);
    }
}

void WallClockTicks::Start(int every_seconds) {
    if (m_source->fd < 0) {
        return;
    }
    m_source->every_seconds = std::max(1, every_seconds);
    m_source->Arm();
    m_source->readable->setEnabled(true);
    m_source->active = true;
}

void WallClockTicks::Stop() {
    if (m_source->fd < 0) {
        return;
    }
    const itimerspec disarmed{};
    timerfd_settime(m_source->fd, 0, &disarmed, nullptr);
    m_source->readable->setEnabled(false);
    m_source->active = false;
}

bool WallClockTicks::IsActive() const {
    return m_source->active;
}

}  // namespace sorane
