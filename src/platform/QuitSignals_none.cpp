// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// Systems without these signals: a close comes as a window message.

#include "platform/QuitSignals.h"

namespace sorane {

void QuitSignals::CatchEarly() {}

QuitSignals::QuitSignals(std::function<void()> on_signal, QObject* parent)
    : QObject(parent), m_on_signal(std::move(on_signal)) {}

QuitSignals::~QuitSignals() = default;

}  // namespace sorane
