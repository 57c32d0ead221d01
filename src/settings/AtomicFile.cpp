#include "settings/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

#include "settings/Utf8Path.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define SORANE_POSIX_FILES 1
#endif

namespace sorane {
namespace fs = std::filesystem;

namespace {

std::string Describe(const fs::path& file, const std::string& what) {
    return Utf8FromPath(file) + ": " + what;
}

fs::path FollowSymlink(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(file, ec))) {
        return file;
    }
    fs::path target = fs::read_symlink(file, ec);
    if (ec) {
        return file;
    }
    return target.is_absolute() ? target : file.parent_path() / target;
}

bool IsReadOnly(fs::perms perms) {
    constexpr fs::perms any_write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (perms & any_write) == fs::perms::none;
}

#ifdef SORANE_POSIX_FILES

std::string ErrnoText() {
    return std::error_code(errno, std::generic_category()).message();
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

WriteOutcome WriteAndRename(const fs::path& target, std::string_view content,
                            std::optional<fs::perms> keep_perms) {
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name(1, '.');
        name.append(target.filename().string())
            .append(".tmp-")
            .append(std::to_string(::getpid()))
            .append("-")
            .append(std::to_string(attempt));
        temp = folder / name;
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return {Describe(folder, "cannot create a file in the folder: " + ErrnoText())};
    }
    bool ok = WriteAll(fd, content);
    std::string reason = ok ? "" : ErrnoText();
    if (ok && keep_perms) {
        ::fchmod(fd, static_cast<mode_t>(*keep_perms));
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        reason = ErrnoText();
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = ErrnoText();
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        reason = ErrnoText();
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return {Describe(target, "cannot write the file: " + reason)};
    }
    // Make the rename itself durable.
    const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_fd >= 0) {
        ::fsync(folder_fd);
        ::close(folder_fd);
    }
    return {};
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
            return {Describe(target, "cannot write the file")};
        }
    }
    std::error_code ec;
    if (keep_perms) {
        fs::permissions(temp, *keep_perms, ec);
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return {Describe(target, "cannot replace the file: " + ec.message())};
    }
    return {};
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
    const fs::path target = FollowSymlink(file);
    std::error_code ec;
    // The user's settings folder may not exist before the first save.
    if (!target.parent_path().empty() && !fs::exists(target.parent_path(), ec)) {
        fs::create_directories(target.parent_path(), ec);
    }
    const fs::file_status status = fs::status(target, ec);
    std::optional<fs::perms> keep_perms;
    if (fs::exists(status)) {
        if (IsReadOnly(status.permissions())) {
            return {Describe(target, "the file is read-only")};
        }
        keep_perms = status.permissions();
    }
    return WriteAndRename(target, content, keep_perms);
}

}  // namespace sorane
