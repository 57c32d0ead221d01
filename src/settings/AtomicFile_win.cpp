// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "settings/FileSystemCalls.h"
#include "settings/Utf8Path.h"

namespace sorane::file_system {
namespace fs = std::filesystem;

namespace {

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

// What the user is told of a system error code.
Reason ReasonFor(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
            return Reason::NoPermission;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_UNABLE_TO_REMOVE_REPLACED:
            return Reason::HeldByAnotherProgram;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return Reason::DiskFull;
        case ERROR_WRITE_PROTECT:
            return Reason::ReadOnlyDisk;
        case ERROR_PATH_NOT_FOUND:
            return Reason::NoFolder;
        default:
            return Reason::Other;
    }
}

WriteOutcome Win32Failure(const fs::path& file, const std::string& what, DWORD error) {
    return SystemFailure(file, what, SystemText(error), ReasonFor(error), long(error));
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

}  // namespace

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
        return Win32Failure(folder, "cannot create a file in the folder", error);
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
        return Win32Failure(target, "cannot write the file", error);
    }
    return {};
}

// Whether this user may write the file itself: Windows answers that when the
// file is replaced, with the reason.
bool MayWrite(const fs::path&) {
    return true;
}

FileRead ReadPlainFile(const fs::path& file) {
    const WriteOutcome unreadable =
        Failure(file, "cannot read the file", "ファイルを読み込めません。");
    std::string bytes;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return {FileRead::Status::Unreadable, {}, unreadable};
    }
    // On the heap: the clock may run on a small stack.
    std::vector<char> buffer(64 * 1024);
    while (in.read(buffer.data(), std::streamsize(buffer.size())) || in.gcount() > 0) {
        bytes.append(buffer.data(), std::size_t(in.gcount()));
        if (bytes.size() > SETTINGS_FILE_MAX_BYTES) {
            return {FileRead::Status::Refused, {}, TooLarge(file)};
        }
    }
    if (in.bad()) {
        return {FileRead::Status::Unreadable, {}, unreadable};
    }
    return {FileRead::Status::Read, std::move(bytes), {}};
}

}  // namespace sorane::file_system
