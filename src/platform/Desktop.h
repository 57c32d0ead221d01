// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/LocalDateTime.h"
#include "common/ValueTypes.h"

namespace sorane {

/// What starting the desktop's opener (xdg-open) came to, as a fact; the
/// rules decide what the user is told.
struct LaunchResult {
    enum class Status {
        Started,
        NotInstalled,   ///< no opener on the PATH
        NotExecutable,  ///< one on the PATH, but this user may not run it
        FailedToStart,  ///< it could not be started for another reason
    };
    Status status = Status::Started;
    std::string program;  ///< the opener's path, when one was found
};

/// A window of the desktop, as the toolkit identifies it; 0 for none.
using WindowHandle = std::uintptr_t;

/// What becomes of a file chosen in a file dialog before the dialog closes.
struct FileChoiceCheck {
    enum class Verdict {
        Accept,    ///< the dialog closes with the choice
        Refuse,    ///< text is shown over the dialog as a warning; it stays open
        AskFirst,  ///< text is asked over the dialog; it closes on yes, else stays open
    };
    Verdict verdict = Verdict::Accept;
    std::string text;
};

/// What a file dialog is asked to be.
struct FileDialogRequest {
    WindowHandle owner = 0;            ///< the window the dialog belongs to
    bool save = false;                 ///< a save dialog, else an open dialog
    std::vector<std::string> filters;  ///< Qt-style name filters: "Wave (*.wav)"
    std::string directory;
    std::string title;
    bool multi_select = false;
    bool file_must_exist = false;
    bool path_must_exist = false;
    bool overwrite_prompt = false;
    bool create_prompt = false;
    /// Whether the name typed is checked for characters a file name cannot
    /// hold: as the dialog was defined. Qt's dialogs always check, and have
    /// no option to leave it, so QtDesktop does not read it.
    bool validate_name = true;
    bool resolve_symlinks = true;
    bool native_dialog = true;  ///< the desktop's own dialog where it has one
    /// Asked of the first file chosen (its full path) each time the user
    /// accepts; none accepts every choice.
    std::function<FileChoiceCheck(const std::string& path)> check;
};

/// What a file dialog came to.
struct FileDialogAnswer {
    enum class Status { Chosen, Cancelled, Failed };
    Status status = Status::Cancelled;
    std::vector<std::string> paths;  ///< with Chosen: the full paths chosen
};

/// Everything the clock needs from the desktop it runs on. The windows are
/// given one; the tests give them a fake that records what they asked for.
class Desktop {
public:
    virtual ~Desktop() = default;

    /// The local wall-clock time.
    virtual LocalDateTime Now() = 0;
    /// A steady clock in seconds, unaffected by changes of the wall clock.
    virtual double SteadySeconds() = 0;

    /// Shows a modal message box and returns when it is closed.
    virtual void ShowMessage(const Message& message) = 0;
    /// Tells the user something without a box and without sound, through
    /// the desktop's notifications (standard error where it has none), and
    /// returns at once.
    virtual void ShowNotice(const Message& message) = 0;

    virtual ScreenPoint CursorPos() = 0;
    /// The cursor's position for one who looks at it again and again: read
    /// from the display only when the pointer has moved since the last such
    /// reading, where the display tells of moves.
    virtual ScreenPoint WatchedCursorPos() { return CursorPos(); }
    /// Puts the cursor there; only clsMousePos::Move asks for it.
    virtual void SetCursorPos(ScreenPoint point) = 0;
    /// The screens' geometries, in logical pixels.
    virtual std::vector<ScreenRect> Screens() = 0;
    /// Where a window is on the screen and how large, as the display server
    /// knows it; nullopt where the desktop cannot tell.
    virtual std::optional<ScreenRect> WindowOnScreen(WindowHandle window) = 0;

    /// The folder of the executable, as the system reports it (UTF-8).
    virtual std::string ProgramDirectory() = 0;
    /// Whether this user may create and replace files in the folder.
    virtual bool CanWriteIn(const std::string& folder) = 0;
    /// The user's own folder for the clock's settings (UTF-8), used when the
    /// program's folder cannot be written.
    virtual std::string UserSettingsFolder() = 0;
    /// Claims this user's single instance of the clock; false when another
    /// running instance holds it.
    virtual bool ClaimSingleInstance() = 0;

    /// Starts the desktop's opener (xdg-open on Linux) for a web address or a
    /// file's full path, with an argument list, never through a shell.
    virtual LaunchResult StartOpener(const std::string& target) = 0;
    /// Opens a web address or a file's full path with the toolkit's own
    /// means; false when that failed.
    virtual bool OpenWithToolkit(const std::string& target) = 0;

    /// Starts playing a sound file once and returns at once; a file or a
    /// sound system that fails is reported on standard error, never waited for.
    virtual void PlaySound(const std::string& path) = 0;
    /// Stops every sound still playing.
    virtual void StopSound() = 0;

    /// Shows a modal file dialog.
    virtual FileDialogAnswer RunFileDialog(const FileDialogRequest& request) = 0;

    /// Ends the program with the status once the current event returns.
    virtual void Quit(int status) = 0;
};

}  // namespace sorane
