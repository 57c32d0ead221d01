// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "settings/AtomicFile.h"

#include <optional>
#include <string>
#include <system_error>

#include "settings/FileSystemCalls.h"
#include "settings/Utf8Path.h"

namespace sorane {
namespace fs = std::filesystem;

namespace file_system {

WriteOutcome Failure(const fs::path& file, const std::string& english,
                     const std::string& japanese) {
    const std::string name = Utf8FromPath(file);
    return {name + ": " + english, name + ": " + japanese};
}

namespace {

// The reason for a failed call, in Japanese: the common ones by name, any
// other with the system's number.
std::string JapaneseReason(Reason reason, long error_number) {
    switch (reason) {
        case Reason::NoPermission:
            return "書き込む権限がありません。";
        case Reason::DiskFull:
            return "ディスクの空き容量がありません。";
        case Reason::QuotaExceeded:
            return "ディスクの使用量の上限を超えています。";
        case Reason::ReadOnlyDisk:
            return "読み取り専用のディスクです。";
        case Reason::DiskError:
            return "ディスクの読み書きに失敗しました。";
        case Reason::NoFolder:
            return "フォルダーがありません。";
        case Reason::FolderOfThatName:
            return "同じ名前のフォルダーがあります。";
        case Reason::MountPoint:
            return "使用中のため置き換えられません（マウントポイントなど）。";
        case Reason::HeldByAnotherProgram:
            return "ほかのプログラムがファイルを使っています。";
        case Reason::NameTooLong:
            return "パス名が長すぎます。";
        case Reason::Other:
            break;
    }
    return "書き込めませんでした（エラー番号 " + std::to_string(error_number) + "）。";
}

}  // namespace

WriteOutcome SystemFailure(const fs::path& file, const std::string& what,
                           const std::string& system_text, Reason reason, long error_number) {
    return Failure(file, what + ": " + system_text, JapaneseReason(reason, error_number));
}

WriteOutcome TooLarge(const fs::path& file) {
    return Failure(file, "is larger than " + std::to_string(SETTINGS_FILE_MAX_BYTES >> 20) + " MiB",
                   "ファイルが大きすぎます（" + std::to_string(SETTINGS_FILE_MAX_BYTES >> 20) +
                       " MiB を超えています）。");
}

WriteOutcome NotRegular(const fs::path& file) {
    return Failure(file, "is not a regular file", "通常のファイルではありません。");
}

}  // namespace file_system

namespace {

using file_system::Failure;

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
            return file_system::NotRegular(file);
    }
}

bool IsReadOnly(fs::perms perms) {
    constexpr fs::perms any_write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (perms & any_write) == fs::perms::none;
}

WriteOutcome ReadOnlyFailure(const fs::path& file) {
    return Failure(file, "the file is read-only", "読み取り専用です。");
}

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
        return {FileRead::Status::Refused, {}, file_system::TooLarge(file)};
    }
    return file_system::ReadPlainFile(file);
}

WriteOutcome ReplaceFileAtomically(const fs::path& file, std::string_view content) {
    const std::optional<fs::path> followed = FollowSymlinks(file);
    if (!followed) {
        return LinkLoop(file);
    }
    const fs::path& target = *followed;
    std::error_code ec;
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
        if (IsReadOnly(status.permissions()) || !file_system::MayWrite(target)) {
            return ReadOnlyFailure(target);
        }
        keep_perms = status.permissions();
    }
    return file_system::WriteAndRename(target, content, keep_perms);
}

}  // namespace sorane
