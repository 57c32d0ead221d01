// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <functional>

namespace sorane {

/// Turns SIGTERM, SIGINT and SIGHUP into a call on the event loop, so that
/// the clock closes the same way however it is asked to (Unix only; elsewhere
/// it does nothing).
class QuitSignals : public QObject {
public:
    /// Catches the signals from now on, before Qt runs: one that comes this
    /// early waits for the event loop instead of killing the process. Call it
    /// first thing; the constructor calls it too.
    static void CatchEarly();

    /// on_signal runs on the event loop for each signal, also for one caught
    /// before this object was made.
    explicit QuitSignals(std::function<void()> on_signal, QObject* parent = nullptr);
    ~QuitSignals() override;

    /// What a signal does from now on.
    void SetHandler(std::function<void()> on_signal) { m_on_signal = std::move(on_signal); }

private:
    std::function<void()> m_on_signal;
};

}  // namespace sorane
