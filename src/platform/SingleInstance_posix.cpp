// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/SingleInstance.h"

#include "common/ProcessRules.h"

#include <QDir>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>
#include <vector>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace sorane {

struct SingleInstance::Held {
    int socket = -1;
    int shared_lock = -1;  // a file locked with flock, or -1
    std::unique_ptr<QSocketNotifier> notifier;

    ~Held() {
        notifier.reset();
        if (socket >= 0) {
            ::close(socket);
        }
        if (shared_lock >= 0) {
            ::close(shared_lock);
        }
    }
};

namespace {

#if defined(__linux__)

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

#endif

// A lock (flock) on a file in the first of the user's folders it can be
// made in: the runtime folder, the settings folder, the temporary one. It
// ends with the process, however the process ends. The abstract name
// belongs to its network namespace, and a clock started in a sandbox
// without network does not see it; the folders are shared, so the lock
// keeps those to one clock too, and stands alone where there is no name.
struct SharedLock {
    int fd = -1;                   // the locked file, -1 where none could be made
    bool held_by_another = false;  // another clock holds it
    std::string path;
};

SharedLock LockFileInUsersFolders(const std::string& name) {
    std::vector<std::string> folders;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && *runtime == '/') {
        folders.emplace_back(runtime);
    }
    folders.push_back(
        ConfigHomeFrom(std::getenv("XDG_CONFIG_HOME"), QDir::homePath().toStdString()) + "/sorane");
    folders.push_back(QDir::tempPath().toStdString());
    for (const std::string& folder : folders) {
        if (!QDir().mkpath(QString::fromStdString(folder))) {
            continue;
        }
        SharedLock lock;
        lock.path = folder + "/" + name + ".lock";
        lock.fd = ::open(lock.path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
        if (lock.fd < 0) {
            continue;
        }
        if (::flock(lock.fd, LOCK_EX | LOCK_NB) == 0) {
            return lock;
        }
        const int error = errno;
        ::close(lock.fd);
        lock.fd = -1;
        if (error == EWOULDBLOCK) {
            lock.held_by_another = true;
            return lock;
        }
    }
    return {};
}

}  // namespace

SingleInstance::SingleInstance(std::string name) : m_name(std::move(name)) {}
SingleInstance::~SingleInstance() = default;

void SingleInstance::Release() {
    m_held.reset();
}

SingleInstance::Claim SingleInstance::TryClaim() {
    auto held = std::make_unique<Held>();
    const std::string name = m_name + "-" + std::to_string(::getuid());
    bool name_claimed = false;
#if defined(__linux__)
    socklen_t length = 0;
    const sockaddr_un address = AbstractAddress(name, length);
    held->socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    name_claimed = held->socket >= 0 &&
                   ::bind(held->socket, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
                   ::listen(held->socket, SOMAXCONN) == 0;
    if (!name_claimed) {
        const int error = errno;
        if (error == EADDRINUSE) {
            switch (HolderOf(address, length)) {
                case Holder::Mine:
                    return Claim::AlreadyRunning;
                case Holder::Someone:
                    m_problem = "another user's program holds the name the clock claims";
                    break;
                case Holder::Unknown:
                    m_problem = "the program holding the clock's name does not answer";
                    break;
            }
        } else {
            m_problem =
                std::string("cannot claim the clock's socket name: ") + std::strerror(error);
        }
        if (held->socket >= 0) {
            ::close(held->socket);
            held->socket = -1;
        }
    }
#endif
    const SharedLock lock = LockFileInUsersFolders(name);
    if (lock.held_by_another) {
        return Claim::AlreadyRunning;
    }
    held->shared_lock = lock.fd;
#if defined(__linux__)
    if (name_claimed) {
        // A later start connects to ask who is here; it is let go at once.
        const int listener = held->socket;
        held->notifier = std::make_unique<QSocketNotifier>(listener, QSocketNotifier::Read);
        QObject::connect(held->notifier.get(), &QSocketNotifier::activated, [listener] {
            for (int asker; (asker = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
                ::close(asker);
            }
        });
    }
#endif
    if (name_claimed || lock.fd >= 0) {
        if (!name_claimed && !m_problem.empty()) {
            m_problem += "; " + lock.path + " keeps it to one clock instead";
        }
        m_held = std::move(held);
        return Claim::Claimed;
    }
    if (m_problem.empty()) {
        m_problem = "no folder of this user can hold the clock's lock file";
    }
    m_problem += "; another clock of this user may run beside this one";
    return Claim::Unguarded;
}

}  // namespace sorane
