// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/ProcessName.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace sorane {
namespace {

// A name in Linux's abstract socket namespace: no file, nothing to clean up,
// gone when the process is, whatever XDG_RUNTIME_DIR says.
sockaddr_un AbstractAddress(const std::string& name, socklen_t& length) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t size = std::min(name.size(), sizeof(address.sun_path) - 1);
    std::memcpy(address.sun_path + 1, name.data(), size);
    length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + size);
    return address;
}

enum class Holder { Mine, Someone, Unknown };

// Who holds the name: asked by connecting, the kernel tells the listener's
// user. Anyone may bind an abstract name, so another user's squatter is not
// taken for this user's clock.
Holder HolderOf(const sockaddr_un& address, socklen_t length) {
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (probe < 0) {
        return Holder::Unknown;
    }
    Holder holder = Holder::Unknown;
    if (::connect(probe, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
        ucred credentials{};
        socklen_t size = sizeof credentials;
        if (::getsockopt(probe, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0) {
            holder = credentials.uid == ::getuid() ? Holder::Mine : Holder::Someone;
        }
    } else if (errno == ECONNREFUSED) {
        holder = Holder::Someone;  // bound, but by no clock: a clock listens
    }
    ::close(probe);
    return holder;
}

// The listening socket; a later start connects to ask who is here, and is
// let go at once.
class NameHolder final : public QObject {
public:
    explicit NameHolder(int listener)
        : m_listener(listener), m_askers(listener, QSocketNotifier::Read) {
        QObject::connect(&m_askers, &QSocketNotifier::activated, [listener] {
            for (int asker; (asker = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
                ::close(asker);
            }
        });
    }
    ~NameHolder() override {
        m_askers.setEnabled(false);
        ::close(m_listener);
    }

private:
    int m_listener;
    QSocketNotifier m_askers;
};

}  // namespace

NameClaim ClaimProcessName(const std::string& name) {
    NameClaim claim;
    socklen_t length = 0;
    const sockaddr_un address = AbstractAddress(name, length);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener >= 0 &&
        ::bind(listener, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
        ::listen(listener, SOMAXCONN) == 0) {
        claim.outcome = NameClaim::Outcome::Claimed;
        claim.holder = std::make_unique<NameHolder>(listener);
        return claim;
    }
    const int error = errno;
    if (listener >= 0) {
        ::close(listener);
    }
    if (error != EADDRINUSE) {
        claim.problem =
            std::string("cannot claim the clock's socket name: ") + std::strerror(error);
        return claim;
    }
    switch (HolderOf(address, length)) {
        case Holder::Mine:
            claim.outcome = NameClaim::Outcome::HeldByThisUser;
            break;
        case Holder::Someone:
            claim.problem = "another user's program holds the name the clock claims";
            break;
        case Holder::Unknown:
            claim.problem = "the program holding the clock's name does not answer";
            break;
    }
    return claim;
}

}  // namespace sorane
