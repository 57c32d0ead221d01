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
    Q_OBJECT

public:
    explicit QuitSignals(std::function<void()> on_signal, QObject* parent = nullptr);
    ~QuitSignals() override;

private:
    std::function<void()> m_on_signal;
};

}  // namespace sorane
