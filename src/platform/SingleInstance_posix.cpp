// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/SingleInstance.h"

#include "common/ProcessRules.h"

#include <QDir>
#include <QLockFile>
#include <QSocketNotifier>
#include <QStandardPaths>
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
    std::unique_ptr<QLockFile> lock_file;

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

// The abstract name belongs to the network namespace: a clock started in a
// sandbox without network does not see it. A lock on a file in the user's
// runtime folder (else the settings folder), which every namespace of the
// same file system shares, keeps those to one clock too. Returns the locked
// file, -1 where none can be made, or -2 when another clock holds it.
int LockSharedFile(const std::string& name) {
    std::vector<std::string> folders;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && *runtime == '/') {
        folders.emplace_back(runtime);
    }
    folders.push_back(
        ConfigHomeFrom(std::getenv("XDG_CONFIG_HOME"), QDir::homePath().toStdString()) + "/sorane");
    for (const std::string& folder : folders) {
        if (!QDir().mkpath(QString::fromStdString(folder))) {
            continue;
        }
        const std::string path = folder + "/" + name + ".lock";
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
        if (fd < 0) {
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return fd;
        }
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return -2;
        }
    }
    return -1;
}

#endif

}  // namespace

SingleInstance::SingleInstance(std::string name) : m_name(std::move(name)) {}
SingleInstance::~SingleInstance() = default;

void SingleInstance::Release() {
    m_held.reset();
}

SingleInstance::Claim SingleInstance::TryClaim() {
    auto held = std::make_unique<Held>();
    const std::string name = m_name + "-" + std::to_string(::getuid());
#if defined(__linux__)
    socklen_t length = 0;
    const sockaddr_un address = AbstractAddress(name, length);
    held->socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (held->socket >= 0 &&
        ::bind(held->socket, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
        ::listen(held->socket, SOMAXCONN) == 0) {
        held->shared_lock = LockSharedFile(name);
        if (held->shared_lock == -2) {
            return Claim::AlreadyRunning;  // in another network namespace
        }
        // A later start connects to ask who is here; it is let go at once.
        const int listener = held->socket;
        held->notifier = std::make_unique<QSocketNotifier>(listener, QSocketNotifier::Read);
        QObject::connect(held->notifier.get(), &QSocketNotifier::activated, [listener] {
            for (int asker; (asker = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
                ::close(asker);
            }
        });
        m_held = std::move(held);
        return Claim::Claimed;
    }
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
        m_problem = std::string("cannot claim the clock's socket name: ") + std::strerror(error);
    }
    if (held->socket >= 0) {
        ::close(held->socket);
        held->socket = -1;
    }
#endif
    // Where there is no such namespace, or it failed: a lock file, in the
    // first of the user's folders it can be made in. The lock of a clock
    // that was killed is stale at once, however long the clock ran.
    const QStringList folders{QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                              QDir::tempPath()};
    for (const QString& folder : folders) {
        if (folder.isEmpty() || !QDir().mkpath(folder)) {
            continue;
        }
        auto lock_file =
            std::make_unique<QLockFile>(folder + "/" + QString::fromStdString(name) + ".lock");
        lock_file->setStaleLockTime(0);
        if (lock_file->tryLock(0)) {
            if (!m_problem.empty()) {
                m_problem +=
                    "; " + lock_file->fileName().toStdString() + " keeps it to one clock instead";
            }
            held->lock_file = std::move(lock_file);
            m_held = std::move(held);
            return Claim::Claimed;
        }
        if (lock_file->error() == QLockFile::LockFailedError) {
            return Claim::AlreadyRunning;
        }
    }
    if (m_problem.empty()) {
        m_problem = "no folder of this user can hold the clock's lock file";
    }
    m_problem += "; another clock of this user may run beside this one";
    return Claim::Unguarded;
}

}  // namespace sorane
