// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "timer/FileDialogRules.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "settings/Utf8Path.h"

namespace sorane {
namespace {

constexpr std::array<std::uint32_t, 6> OPEN_OPTIONS = {
    ofn::ALLOWMULTISELECT,   ofn::CREATEPROMPT,     ofn::HIDEREADONLY,
    ofn::NODEREFERENCELINKS, ofn::NOREADONLYRETURN, ofn::READONLY};
constexpr std::array<std::uint32_t, 4> SAVE_OPTIONS = {
    ofn::OVERWRITEPROMPT, ofn::EXTENSIONDIFFERENT, ofn::FILEMUSTEXIST, ofn::NOTESTFILECREATE};
constexpr std::array<std::uint32_t, 3> COMMON_OPTIONS = {ofn::NOVALIDATE, ofn::PATHMUSTEXIST,
                                                         ofn::SHOWHELP};

// The number and text reported for an index that selects no table entry.
constexpr int SUBSCRIPT_OUT_OF_RANGE = 9;
constexpr const char* SUBSCRIPT_OUT_OF_RANGE_TEXT = "インデックスが有効範囲にありません。";

const std::string CANCEL_RESULT = "CANCEL";
const std::string ERROR_RESULT = "ERROR";

std::vector<std::string> SplitAtNul(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\0', start);
        if (end == std::string::npos) {
            parts.push_back(text.substr(start));
            break;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string ReplaceAll(std::string text, char from, char to) {
    for (char& c : text) {
        if (c == from) {
            c = to;
        }
    }
    return text;
}

Message Warning(const std::string& text) {
    return {text, FILE_DIALOG_TITLE, MessageIcon::Warning};
}

std::string Fail(Desktop& desktop, int number, const std::string& description) {
    desktop.ShowMessage(Warning("エラーNo:" + std::to_string(number) + "内容" + description));
    return ERROR_RESULT;
}

}  // namespace

std::optional<std::uint32_t> FileDialogFlags(std::int16_t kind, std::int32_t kind_option,
                                             std::int32_t common_option, std::int16_t style) {
    std::uint32_t flags = 0;
    if (kind_option != 0) {
        const auto pick = [](const auto& table,
                             std::int32_t index) -> std::optional<std::uint32_t> {
            if (index < 1 || index > std::int32_t(table.size())) {
                return std::nullopt;
            }
            return table[std::size_t(index - 1)];
        };
        const std::optional<std::uint32_t> kind_flag =
            kind == 1 ? pick(OPEN_OPTIONS, kind_option) : pick(SAVE_OPTIONS, kind_option);
        const std::optional<std::uint32_t> common_flag = pick(COMMON_OPTIONS, common_option);
        if (!kind_flag || !common_flag) {
            return std::nullopt;
        }
        flags = *kind_flag | *common_flag;
    }
    if (style != 2) {
        flags |= ofn::EXPLORER;
    }
    return flags;
}

std::string ConvertFilter(const std::string& filter) {
    return ReplaceAll(filter, '|', '\0') + std::string(1, '\0');
}

std::vector<std::string> NameFilters(const std::string& converted_filter) {
    const std::vector<std::string> parts = SplitAtNul(converted_filter);
    std::vector<std::string> filters;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        const std::string& description = parts[i];
        const std::string patterns =
            i + 1 < parts.size() ? ReplaceAll(parts[i + 1], ';', ' ') : "*";
        const std::string suffix = "(" + patterns + ")";
        const bool names_its_patterns =
            description.size() >= suffix.size() &&
            description.compare(description.size() - suffix.size(), suffix.size(), suffix) == 0;
        filters.push_back(names_its_patterns ? description : description + " " + suffix);
    }
    return filters;
}

FileDialogRequest FileDialogRequestFor(std::int16_t kind, WindowHandle owner,
                                       const std::string& converted_filter,
                                       const std::string& init_dir, const std::string& title,
                                       std::uint32_t flags) {
    FileDialogRequest request;
    request.owner = owner;
    request.save = kind == 2;
    request.filters = NameFilters(converted_filter);
    request.directory = init_dir;
    request.title = title;
    request.multi_select = (flags & ofn::ALLOWMULTISELECT) != 0;
    request.create_prompt = (flags & ofn::CREATEPROMPT) != 0;
    request.resolve_symlinks = (flags & ofn::NODEREFERENCELINKS) == 0;
    request.overwrite_prompt = (flags & ofn::OVERWRITEPROMPT) != 0;
    request.file_must_exist = (flags & ofn::FILEMUSTEXIST) != 0;
    request.validate_name = (flags & ofn::NOVALIDATE) == 0;
    request.path_must_exist = (flags & ofn::PATHMUSTEXIST) != 0;
    request.native_dialog = (flags & ofn::EXPLORER) != 0;
    if (request.path_must_exist || (request.create_prompt && !request.save)) {
        request.check = [request](const std::string& path) {
            return CheckFileChoice(request, path);
        };
    }
    return request;
}

FileChoiceCheck CheckFileChoice(const FileDialogRequest& request, const std::string& path) {
    const std::filesystem::path file = PathFromUtf8(path);
    std::error_code ec;
    if (request.path_must_exist && !std::filesystem::is_directory(file.parent_path(), ec)) {
        return {FileChoiceCheck::Verdict::Refuse,
                "パスが存在しません。\n" + Utf8FromPath(file.parent_path())};
    }
    if (request.create_prompt && !request.save && !std::filesystem::exists(file, ec)) {
        return {FileChoiceCheck::Verdict::AskFirst,
                Utf8FromPath(file.filename()) + " は存在しません。\n作成しますか?"};
    }
    return {};
}

std::string ChosenFilesText(const std::vector<std::string>& paths, std::uint32_t flags) {
    if (paths.empty()) {
        return {};
    }
    if ((flags & ofn::ALLOWMULTISELECT) == 0 || paths.size() == 1) {
        return paths.front();
    }
    const char separator = (flags & ofn::EXPLORER) != 0 ? '\0' : ' ';
    std::string text = Utf8FromPath(PathFromUtf8(paths.front()).parent_path());
    for (const std::string& path : paths) {
        text += separator;
        text += Utf8FromPath(PathFromUtf8(path).filename());
    }
    return text;
}

std::string ShowFileDlg(Desktop& desktop, std::int16_t Kind, WindowHandle Owner,
                        std::string& Filter, std::string& InitDir, std::string& Title,
                        std::int32_t KindOption, std::int32_t CommonOption, std::int16_t Style) {
    if (Kind != 1 && Kind != 2) {
        desktop.ShowMessage(Warning("ダイアログ種別が不正です。"));
        return ERROR_RESULT;
    }
    if (Filter.empty()) {
        desktop.ShowMessage(Warning("フィルタを指定して下さい。"));
        return ERROR_RESULT;
    }
    Filter = ConvertFilter(Filter);
    if (InitDir.empty()) {
        std::error_code ec;
        InitDir = Utf8FromPath(std::filesystem::current_path(ec));
    }
    if (Title.empty()) {
        Title = Kind == 1 ? "ファイルを開く" : "ファイルの保存";
    }
    const std::int32_t highest_kind_option = Kind == 1 ? 6 : 4;
    if (CommonOption > 3 || KindOption > highest_kind_option) {
        desktop.ShowMessage({"", "ソラネ", MessageIcon::None});
        return ERROR_RESULT;
    }
    const std::optional<std::uint32_t> flags =
        FileDialogFlags(Kind, KindOption, CommonOption, Style);
    if (!flags) {
        return Fail(desktop, SUBSCRIPT_OUT_OF_RANGE, SUBSCRIPT_OUT_OF_RANGE_TEXT);
    }

    const FileDialogAnswer answer =
        desktop.RunFileDialog(FileDialogRequestFor(Kind, Owner, Filter, InitDir, Title, *flags));
    switch (answer.status) {
        case FileDialogAnswer::Status::Cancelled:
            return CANCEL_RESULT;
        case FileDialogAnswer::Status::Chosen:
            if (!answer.paths.empty()) {
                return ChosenFilesText(answer.paths, *flags);
            }
            return CANCEL_RESULT;
        case FileDialogAnswer::Status::Failed:
            break;
    }
    return Fail(desktop, 0, "");
}

std::string ShowSoundFileDlg(Desktop& desktop, WindowHandle owner, const std::string& folder) {
    std::string filter = "Waveファイル(*.wav)|*.wav";
    std::string init_dir = folder;
    std::string title = "お知らせ音の選択";
    // An open dialog with the read-only box hidden and names not validated,
    // in Explorer style.
    return ShowFileDlg(desktop, 1, owner, filter, init_dir, title, 3, 1, 1);
}

}  // namespace sorane
