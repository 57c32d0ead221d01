// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "settings/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <fstream>
#include <system_error>

#include "settings/Utf8Path.h"

#if defined(_WIN32)
#include <windows.h>
#endif

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

// The file a path finally names: every link of a chain of symbolic links is
// followed (at most 40, as the system does), so that a save replaces the
// real file and leaves the links as they are; nullopt for a loop.
std::optional<fs::path> FollowSymlinks(fs::path file) {
    constexpr int MAX_HOPS = 40;
    std::error_code ec;
    for (int hop = 0; hop <= MAX_HOPS; ++hop) {
        if (!fs::is_symlink(fs::symlink_status(file, ec))) {
            return file;
        }
        const fs::path target = fs::read_symlink(file, ec);
        if (ec) {
            return file;
        }
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return std::nullopt;
}

WriteOutcome LinkLoop(const fs::path& file) {
    return Failure(file, "is a loop of symbolic links", "シンボリックリンクが循環しています。");
}

// Why something that exists is no file to read or replace; nullopt for a
// regular file.
std::optional<WriteOutcome> NotAPlainFile(const fs::path& file, fs::file_type type) {
    switch (type) {
        case fs::file_type::regular:
            return std::nullopt;
        case fs::file_type::directory:
            return Failure(file, "is a folder, not a file", "同じ名前のフォルダーがあります。");
        case fs::file_type::block:
        case fs::file_type::character:
            return Failure(file, "is a device, not a regular file",
                           "通常のファイルではありません（デバイスです）。");
        case fs::file_type::fifo:
            return Failure(file, "is a FIFO (named pipe), not a regular file",
                           "通常のファイルではありません（名前付きパイプです）。");
        case fs::file_type::socket:
            return Failure(file, "is a socket, not a regular file",
                           "通常のファイルではありません（ソケットです）。");
        default:
            return Failure(file, "is not a regular file", "通常のファイルではありません。");
    }
}

WriteOutcome TooLarge(const fs::path& file) {
    return Failure(file, "is larger than " + std::to_string(SETTINGS_FILE_MAX_BYTES >> 20) + " MiB",
                   "ファイルが大きすぎます（" + std::to_string(SETTINGS_FILE_MAX_BYTES >> 20) +
                       " MiB を超えています）。");
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
        case EBUSY:
            return "使用中のため置き換えられません（マウントポイントなど）。";
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
// A read-only mount (of the file itself, say) counts as read-only too.
bool MayWrite(const fs::path& file) {
    return ::access(file.c_str(), W_OK) == 0 || (errno != EACCES && errno != EROFS);
}

#elif defined(_WIN32)

// The system's text for an error, in UTF-8.
std::string SystemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide(text != nullptr ? text : L"", length);
    ::LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' ')) {
        wide.pop_back();
    }
    std::string utf8 = Utf8FromPath(fs::path(wide));
    return utf8.empty() ? "error " + std::to_string(error) : utf8;
}

// The system's reason for a failed call, in Japanese; the common ones by
// name, any other with its number.
std::string JapaneseReason(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
            return "書き込む権限がありません。";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_UNABLE_TO_REMOVE_REPLACED:
            return "ほかのプログラムがファイルを使っています。";
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return "ディスクの空き容量がありません。";
        case ERROR_WRITE_PROTECT:
            return "読み取り専用のディスクです。";
        case ERROR_PATH_NOT_FOUND:
            return "フォルダーがありません。";
        default:
            return "書き込めませんでした（エラー番号 " + std::to_string(error) + "）。";
    }
}

WriteOutcome SystemFailure(const fs::path& file, const std::string& what, DWORD error) {
    return Failure(file, what + ": " + SystemText(error), JapaneseReason(error));
}

// Whether a failure may pass once another program lets go of the file.
bool HeldByAnotherProgram(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED ||
           error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
}

// Whether another program has the file open without letting it be replaced
// (no FILE_SHARE_DELETE): asked before replacing, so that a replacement that
// cannot succeed is not begun.
bool HeldOpen(const fs::path& file) {
    const HANDLE handle =
        ::CreateFileW(file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_SHARING_VIOLATION;
    }
    ::CloseHandle(handle);
    return false;
}

// Swaps the complete temporary file in with ReplaceFileW, which keeps the
// target's access rights (its attributes are set again after it, as not
// every implementation keeps them), or moves it to a target that does not
// exist yet. Another program holding the file (a virus scanner, an editor)
// is given a second to let go.
DWORD SwapIn(const fs::path& temp, const fs::path& target) {
    constexpr int ATTEMPTS = 20;
    constexpr DWORD PAUSE_MS = 50;
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        const DWORD attributes = ::GetFileAttributesW(target.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            if (::MoveFileExW(temp.c_str(), target.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
                return ERROR_SUCCESS;
            }
            error = ::GetLastError();
        } else if (HeldOpen(target)) {
            error = ERROR_SHARING_VIOLATION;
        } else if (::ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                  REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0) {
            ::SetFileAttributesW(target.c_str(), attributes);
            return ERROR_SUCCESS;
        } else {
            error = ::GetLastError();
        }
        if (!HeldByAnotherProgram(error)) {
            break;
        }
        ::Sleep(PAUSE_MS);
    }
    return error;
}

WriteOutcome WriteAndRename(const fs::path& target, std::string_view content,
                            std::optional<fs::perms>) {
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    fs::path temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp =
            folder / (L"." + target.filename().wstring() + L".tmp-" +
                      std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(attempt));
        file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        error = file == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        if (error != ERROR_SUCCESS && error != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        return SystemFailure(folder, "cannot create a file in the folder", error);
    }
    while (!content.empty() && error == ERROR_SUCCESS) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<std::size_t>(content.size(), 1 << 20));
        if (::WriteFile(file, content.data(), chunk, &written, nullptr) == 0) {
            error = ::GetLastError();
        }
        content.remove_prefix(written);
    }
    if (error == ERROR_SUCCESS && ::FlushFileBuffers(file) == 0) {
        error = ::GetLastError();
    }
    ::CloseHandle(file);
    if (error == ERROR_SUCCESS) {
        error = SwapIn(temp, target);
    }
    if (error != ERROR_SUCCESS) {
        ::DeleteFileW(temp.c_str());
        return SystemFailure(target, "cannot write the file", error);
    }
    return {};
}

// Whether this user may write the file itself: Windows answers that when the
// file is replaced, with the reason.
bool MayWrite(const fs::path&) {
    return true;
}

#endif

}  // namespace

FileRead ReadWholeFile(const fs::path& file) {
    FileRead read;
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (ec == std::errc::too_many_symbolic_link_levels) {
        return {FileRead::Status::Refused, {}, LinkLoop(file)};
    }
    if (!fs::exists(status)) {
        if (ec && ec != std::errc::no_such_file_or_directory) {
            return {FileRead::Status::Unreadable,
                    {},
                    Failure(file, "cannot read the file: " + ec.message(),
                            "ファイルを読み込めません。")};
        }
        return read;
    }
    if (std::optional<WriteOutcome> refusal = NotAPlainFile(file, status.type())) {
        return {FileRead::Status::Refused, {}, *refusal};
    }
    if (fs::file_size(file, ec) > SETTINGS_FILE_MAX_BYTES && !ec) {
        return {FileRead::Status::Refused, {}, TooLarge(file)};
    }
    const WriteOutcome unreadable =
        Failure(file, "cannot read the file", "ファイルを読み込めません。");
    std::string bytes;
#ifdef SORANE_POSIX_FILES
    // Opened without waiting, and looked at again once open: a FIFO swapped
    // in meanwhile must not hold the clock up.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {FileRead::Status::Unreadable, {}, unreadable};
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return {FileRead::Status::Refused,
                {},
                Failure(file, "is not a regular file", "通常のファイルではありません。")};
    }
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
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
        bytes.append(buffer, std::size_t(got));
        if (bytes.size() > SETTINGS_FILE_MAX_BYTES) {
            ::close(fd);
            return {FileRead::Status::Refused, {}, TooLarge(file)};
        }
    }
    ::close(fd);
#else
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return {FileRead::Status::Unreadable, {}, unreadable};
    }
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, std::size_t(in.gcount()));
        if (bytes.size() > SETTINGS_FILE_MAX_BYTES) {
            return {FileRead::Status::Refused, {}, TooLarge(file)};
        }
    }
    if (in.bad()) {
        return {FileRead::Status::Unreadable, {}, unreadable};
    }
#endif
    return {FileRead::Status::Read, std::move(bytes), {}};
}

WriteOutcome ReplaceFileAtomically(const fs::path& file, std::string_view content) {
    const std::optional<fs::path> followed = FollowSymlinks(file);
    if (!followed) {
        return LinkLoop(file);
    }
    const fs::path& target = *followed;
    std::error_code ec;
    // The user's settings folder may not exist before the first save.
    if (!target.parent_path().empty() && !fs::exists(target.parent_path(), ec)) {
        fs::create_directories(target.parent_path(), ec);
    }
    const fs::file_status status = fs::status(target, ec);
    if (ec == std::errc::too_many_symbolic_link_levels) {
        return LinkLoop(file);
    }
    std::optional<fs::perms> keep_perms;
    if (fs::exists(status)) {
        // Only a regular file is replaced: a device, FIFO or socket that a
        // link leads to stays what it is (a link to /dev/null must not turn
        // the system's /dev/null into a file).
        if (std::optional<WriteOutcome> refusal = NotAPlainFile(target, status.type())) {
            return *refusal;
        }
        if (IsReadOnly(status.permissions()) || !MayWrite(target)) {
            return ReadOnlyFailure(target);
        }
        keep_perms = status.permissions();
    }
    return WriteAndRename(target, content, keep_perms);
}

}  // namespace sorane
