// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/SingleInstance.h"

#include "common/ProcessRules.h"
#include "platform/ProcessName.h"

#include <QDir>
#include <cerrno>
#include <cstdlib>
#include <vector>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sorane {

struct SingleInstance::Held {
    std::unique_ptr<QObject> name;  // holds the process name, where the system has one
    int shared_lock = -1;           // a file locked with flock, or -1

    ~Held() {
        if (shared_lock >= 0) {
            ::close(shared_lock);
        }
    }
};

namespace {

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
    NameClaim claim = ClaimProcessName(name);
    if (claim.outcome == NameClaim::Outcome::HeldByThisUser) {
        return Claim::AlreadyRunning;
    }
    m_problem = claim.problem;
    const bool name_claimed = claim.outcome == NameClaim::Outcome::Claimed;
    const SharedLock lock = LockFileInUsersFolders(name);
    if (lock.held_by_another) {
        return Claim::AlreadyRunning;
    }
    held->name = std::move(claim.holder);
    held->shared_lock = lock.fd;
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
