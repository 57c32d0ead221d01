#include "settings/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

#include "settings/Utf8Path.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#define SORANE_POSIX_FILES 1
#endif

namespace sorane {
namespace fs = std::filesystem;

namespace {

// A failure, worded twice: in English for standard error and in Japanese for
// the user.
WriteOutcome Failure(const fs::path& file, const std::string& english,
                     const std::string& japanese) {
    const std::string name = Utf8FromPath(file);
    return {name + ": " + english, name + ": " + japanese};
}

std::string Describe(const fs::path& file, const std::string& what) {
    return Utf8FromPath(file) + ": " + what;
}

// The file a path finally names: every link of a chain of symbolic links is
// followed (at most 40, as the system does), so that a save replaces the
// real file and leaves the links as they are.
fs::path FollowSymlinks(fs::path file) {
    std::error_code ec;
    for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(file, ec)); ++hop) {
        const fs::path target = fs::read_symlink(file, ec);
        if (ec) {
            break;
        }
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

bool IsReadOnly(fs::perms perms) {
    constexpr fs::perms any_write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (perms & any_write) == fs::perms::none;
}

WriteOutcome ReadOnlyFailure(const fs::path& file) {
    return Failure(file, "the file is read-only", "読み取り専用です。");
}

#ifdef SORANE_POSIX_FILES

// The system's reason for a failed call, in Japanese; the common ones by
// name, any other with its number.
std::string JapaneseReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "書き込む権限がありません。";
        case ENOSPC:
            return "ディスクの空き容量がありません。";
        case EDQUOT:
            return "ディスクの使用量の上限を超えています。";
        case EROFS:
            return "読み取り専用のディスクです。";
        case EIO:
            return "ディスクの読み書きに失敗しました。";
        case ENOENT:
        case ENOTDIR:
            return "フォルダーがありません。";
        case EISDIR:
            return "同じ名前のフォルダーがあります。";
        case ENAMETOOLONG:
            return "パス名が長すぎます。";
        default:
            return "書き込めませんでした（エラー番号 " + std::to_string(error) + "）。";
    }
}

WriteOutcome ErrnoFailure(const fs::path& file, const std::string& what, int error) {
    return Failure(file, what + ": " + std::error_code(error, std::generic_category()).message(),
                   JapaneseReason(error));
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
bool MayWrite(const fs::path& file) {
    return ::access(file.c_str(), W_OK) == 0 || errno != EACCES;
}

#else

WriteOutcome WriteAndRename(const fs::path& target, std::string_view content,
                            std::optional<fs::perms> keep_perms) {
    fs::path temp = target;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            fs::remove(temp, ignored);
            return Failure(target, "cannot write the file", "書き込めませんでした。");
        }
    }
    std::error_code ec;
    if (keep_perms) {
        fs::permissions(temp, *keep_perms, ec);
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return Failure(target, "cannot replace the file: " + ec.message(),
                       "ファイルを置き換えられませんでした。");
    }
    return {};
}

bool MayWrite(const fs::path&) {
    return true;
}

#endif

}  // namespace

std::optional<std::string> ReadWholeFile(const fs::path& file, std::string& error) {
    error.clear();
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status)) {
        return std::nullopt;
    }
    if (fs::is_directory(status)) {
        error = Describe(file, "is a folder, not a file");
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = Describe(file, "cannot read the file");
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        error = Describe(file, "cannot read the file");
        return std::nullopt;
    }
    return std::move(content).str();
}

WriteOutcome ReplaceFileAtomically(const fs::path& file, std::string_view content) {
    const fs::path target = FollowSymlinks(file);
    std::error_code ec;
    // The user's settings folder may not exist before the first save.
    if (!target.parent_path().empty() && !fs::exists(target.parent_path(), ec)) {
        fs::create_directories(target.parent_path(), ec);
    }
    const fs::file_status status = fs::status(target, ec);
    std::optional<fs::perms> keep_perms;
    if (fs::exists(status)) {
        if (IsReadOnly(status.permissions()) || !MayWrite(target)) {
            return ReadOnlyFailure(target);
        }
        keep_perms = status.permissions();
    }
    return WriteAndRename(target, content, keep_perms);
}

}  // namespace sorane
