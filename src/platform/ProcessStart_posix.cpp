// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/ProcessStart.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

#include "platform/CLibrary.h"

namespace sorane {
namespace {

// The soft limit raised to at least want, as far as the hard limit allows;
// returns the soft limit then in force, 0 for none.
std::uint64_t RaiseSoftLimit(int resource, rlim_t want) {
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0) {
        return 0;
    }
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < want) {
        const rlim_t raised =
            limit.rlim_max == RLIM_INFINITY ? want : std::min(want, limit.rlim_max);
        if (raised > limit.rlim_cur) {
            rlimit wanted = limit;
            wanted.rlim_cur = raised;
            if (::setrlimit(resource, &wanted) == 0) {
                limit.rlim_cur = raised;
            }
        }
    }
    return limit.rlim_cur == RLIM_INFINITY ? 0 : std::uint64_t(limit.rlim_cur);
}

// A write into a pipe nobody reads returns EPIPE. Caught rather than
// ignored: an ignored signal would stay ignored in the programs the clock
// starts (the desktop's opener), a caught one is reset for them.
void OnBrokenPipe(int) {}

}  // namespace

ProcessLimits PrepareProcess() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free number is this one.
            const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (opened > 2) {
                ::close(opened);
            }
        }
    }
    struct sigaction action {};
    action.sa_handler = OnBrokenPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGPIPE, &action, nullptr);

    // The usual limits: 1024 descriptors and 8 MiB of stack.
    ProcessLimits limits;
    limits.open_files = RaiseSoftLimit(RLIMIT_NOFILE, 1024);
    limits.stack_bytes = RaiseSoftLimit(RLIMIT_STACK, 8 * 1024 * 1024);
    if (limits.stack_bytes != 0) {
        RaiseThreadStacks(limits.stack_bytes);
    }
    return limits;
}

}  // namespace sorane
