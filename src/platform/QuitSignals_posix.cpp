// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/QuitSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace sorane {
namespace {

// The handler may do almost nothing: it writes one byte, which wakes the
// event loop through the other end of the pair.
int g_signal_pipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signal_pipe[0], &byte, 1);
}

}  // namespace

void QuitSignals::CatchEarly() {
    if (g_signal_pipe[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signal_pipe) != 0) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

QuitSignals::QuitSignals(std::function<void()> on_signal, QObject* parent)
    : QObject(parent), m_on_signal(std::move(on_signal)) {
    CatchEarly();
    if (g_signal_pipe[1] < 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(g_signal_pipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(g_signal_pipe[1], &byte, 1);
        m_on_signal();
    });
}

QuitSignals::~QuitSignals() {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(signal, SIG_DFL);
    }
    for (int& fd : g_signal_pipe) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

}  // namespace sorane
