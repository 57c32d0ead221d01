// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "settings/FileSystemCalls.h"

namespace sorane::file_system {
namespace fs = std::filesystem;

namespace {

// What the user is told of an error number.
Reason ReasonFor(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return Reason::NoPermission;
        case ENOSPC:
            return Reason::DiskFull;
        case EDQUOT:
            return Reason::QuotaExceeded;
        case EROFS:
            return Reason::ReadOnlyDisk;
        case EIO:
            return Reason::DiskError;
        case ENOENT:
        case ENOTDIR:
            return Reason::NoFolder;
        case EISDIR:
            return Reason::FolderOfThatName;
        case EBUSY:
            return Reason::MountPoint;
        case ENAMETOOLONG:
            return Reason::NameTooLong;
        default:
            return Reason::Other;
    }
}

WriteOutcome ErrnoFailure(const fs::path& file, const std::string& what, int error) {
    return SystemFailure(file, what, std::error_code(error, std::generic_category()).message(),
                         ReasonFor(error), error);
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The temporary files of a save are ".<name>.tmp-<pid>-<n>"; one left by a
// process that was killed mid-save is removed by the next save. Files of a
// process still running are never touched.
std::string TempPrefix(const fs::path& target) {
    return "." + target.filename().string() + ".tmp-";
}

void RemoveOrphanedTempFiles(const fs::path& folder, const fs::path& target) {
    const std::string prefix = TempPrefix(target);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const std::string rest = name.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos ||
            rest.find_first_not_of("0123456789") != dash) {
            continue;
        }
        const long pid = std::strtol(rest.c_str(), nullptr, 10);
        if (pid > 0 && pid != long(::getpid()) && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

// The replacement belongs to whom the file belonged, where this user may
// give it (root may; another user only a group of their own). A new file
// that root makes in another user's folder (a clock run once with sudo) is
// that user's, so that their own clock can still save it.
void KeepOwner(int fd, const fs::path& target, const fs::path& folder) {
    struct stat old_file {};
    struct stat old_folder {};
    if (::stat(target.c_str(), &old_file) == 0) {
        if (::fchown(fd, old_file.st_uid, old_file.st_gid) != 0) {
            [[maybe_unused]] const int only_group = ::fchown(fd, uid_t(-1), old_file.st_gid);
        }
        // Setting the owner may clear the set-ID bits: the mode is set again.
        ::fchmod(fd, old_file.st_mode & 07777);
    } else if (::geteuid() == 0 && ::stat(folder.c_str(), &old_folder) == 0 &&
               old_folder.st_uid != 0) {
        ::fchown(fd, old_folder.st_uid, old_folder.st_gid);
    }
}

}  // namespace

WriteOutcome WriteAndRename(const fs::path& target, std::string_view content,
                            std::optional<fs::perms> keep_perms) {
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    RemoveOrphanedTempFiles(folder, target);
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder /
               (TempPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(attempt));
        // Private until the content is complete and its mode is set.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return ErrnoFailure(folder, "cannot create a file in the folder", errno);
    }
    mode_t mode = 0;
    if (keep_perms) {
        mode = static_cast<mode_t>(*keep_perms);
    } else {
        // A new file gets what any new file of this user gets.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int error = 0;
    if (!WriteAll(fd, content) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
        error = errno;
    }
    if (error == 0) {
        KeepOwner(fd, target, folder);
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        return ErrnoFailure(target, "cannot write the file", error);
    }
    // Make the rename itself durable.
    const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_fd >= 0) {
        ::fsync(folder_fd);
        ::close(folder_fd);
    }
    return {};
}

// Whether this user may write the file itself: the mode bits alone do not
// tell (a 0644 file of another user in a shared folder).
// A read-only mount (of the file itself, say) counts as read-only too.
bool MayWrite(const fs::path& file) {
    return ::access(file.c_str(), W_OK) == 0 || (errno != EACCES && errno != EROFS);
}

FileRead ReadPlainFile(const fs::path& file) {
    const WriteOutcome unreadable =
        Failure(file, "cannot read the file", "ファイルを読み込めません。");
    std::string bytes;
    // Opened without waiting, and looked at again once open: a FIFO swapped
    // in meanwhile must not hold the clock up.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {FileRead::Status::Unreadable, {}, unreadable};
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return {FileRead::Status::Refused, {}, NotRegular(file)};
    }
    // On the heap: the clock may run on a small stack.
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ::close(fd);
            return {FileRead::Status::Unreadable, {}, unreadable};
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer.data(), std::size_t(got));
        if (bytes.size() > SETTINGS_FILE_MAX_BYTES) {
            ::close(fd);
            return {FileRead::Status::Refused, {}, TooLarge(file)};
        }
    }
    ::close(fd);
    return {FileRead::Status::Read, std::move(bytes), {}};
}

}  // namespace sorane::file_system
