// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace sorane {

/// The title of ShowFileDlg's own messages.
inline constexpr const char* FILE_DIALOG_TITLE = "ShowFileDlg Ver.1.0";

/// Flags of the open/save dialog, as the option tables name them.
namespace ofn {
inline constexpr std::uint32_t READONLY = 0x1;
inline constexpr std::uint32_t OVERWRITEPROMPT = 0x2;
inline constexpr std::uint32_t HIDEREADONLY = 0x4;
inline constexpr std::uint32_t SHOWHELP = 0x10;
inline constexpr std::uint32_t NOVALIDATE = 0x100;
inline constexpr std::uint32_t ALLOWMULTISELECT = 0x200;
inline constexpr std::uint32_t EXTENSIONDIFFERENT = 0x400;
inline constexpr std::uint32_t PATHMUSTEXIST = 0x800;
inline constexpr std::uint32_t FILEMUSTEXIST = 0x1000;
inline constexpr std::uint32_t CREATEPROMPT = 0x2000;
inline constexpr std::uint32_t NOREADONLYRETURN = 0x8000;
inline constexpr std::uint32_t NOTESTFILECREATE = 0x10000;
inline constexpr std::uint32_t EXPLORER = 0x80000;
inline constexpr std::uint32_t NODEREFERENCELINKS = 0x100000;
}  // namespace ofn

/// The flags for a dialog kind (1 open, 2 save), the kind's option index
/// (0 none, else 1-6 open / 1-4 save), the common option index (1-3) and the
/// style (2 old style, else Explorer style); nullopt when an index selects
/// no table entry. The common option counts only with a kind option.
std::optional<std::uint32_t> FileDialogFlags(std::int16_t kind, std::int32_t kind_option,
                                             std::int32_t common_option, std::int16_t style);

/// "|"-separated filter pairs as the dialog receives them: every "|" a NUL,
/// and one more NUL at the end.
std::string ConvertFilter(const std::string& filter);

/// Filter pairs (description, pattern) as name filters "Description (*.a *.b)".
std::vector<std::string> NameFilters(const std::string& converted_filter);

/// The dialog a set of flags asks for.
FileDialogRequest FileDialogRequestFor(std::int16_t kind, WindowHandle owner,
                                       const std::string& converted_filter,
                                       const std::string& init_dir, const std::string& title,
                                       std::uint32_t flags);

/// Whether a file chosen in the dialog of request may be taken: with "the
/// path must exist" its folder must exist; an open dialog with "prompt to
/// create" asks first about a file that does not exist.
FileChoiceCheck CheckFileChoice(const FileDialogRequest& request, const std::string& path);

/// The chosen files as the routine returns them: one full path; with
/// multi-selection of several files, the folder and then the file names,
/// NUL-separated (Explorer style) or blank-separated (old style).
std::string ChosenFilesText(const std::vector<std::string>& paths, std::uint32_t flags);

/// Shows the open (kind 1) or save (kind 2) dialog and returns the chosen
/// path, "CANCEL" when the user cancelled, or "ERROR" after reporting a
/// problem in a message box. Filter, InitDir and Title are given back
/// converted and defaulted, even when the routine fails later.
std::string ShowFileDlg(Desktop& desktop, std::int16_t Kind, WindowHandle Owner,
                        std::string& Filter, std::string& InitDir, std::string& Title,
                        std::int32_t KindOption, std::int32_t CommonOption, std::int16_t Style);

/// The timer dialog's choice of a sound: ShowFileDlg opening a wave file,
/// starting in folder; its answer as ShowFileDlg gives it.
std::string ShowSoundFileDlg(Desktop& desktop, WindowHandle owner, const std::string& folder);

}  // namespace sorane
