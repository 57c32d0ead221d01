// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <optional>
#include <utility>

#include "platform/Desktop.h"

namespace sorane {

/// A desktop that records what the windows ask of it and answers as a test
/// has set it up to.
class FakeDesktop : public Desktop {
public:
    LocalDateTime now{2026, 12, 7, 13, 30, 0, 0};
    double steady = 1000;

    std::vector<Message> messages;
    std::vector<Message> notices;  ///< told quietly, through the desktop's notifications
    /// Runs while a message is "open" (the box is modal).
    std::function<void(const Message&)> on_message;

    ScreenPoint cursor;
    std::vector<ScreenPoint> cursor_moves;
    std::vector<ScreenRect> screens{{0, 0, 1024, 768}};
    /// Where the display server says the clock is; nullopt: it cannot tell.
    std::optional<ScreenPoint> window_place;
    /// The size the display server gives the clock's window.
    ScreenPoint window_size{150, 150};
    std::string program_directory;
    bool instance_free = true;
    bool program_folder_writable = true;
    std::string user_settings_folder = "/home/user/.config/sorane";

    std::vector<std::string> openers_started;  ///< the targets, in order
    LaunchResult launch_result;
    std::vector<std::string> toolkit_targets;
    bool toolkit_opens = true;

    /// "play <path>" and "stop", in the order asked for.
    std::vector<std::string> sound_calls;

    std::vector<FileDialogRequest> file_dialogs;
    FileDialogAnswer file_answer;

    std::optional<int> quit_status;

    LocalDateTime Now() override { return now; }
    double SteadySeconds() override { return steady; }
    void ShowMessage(const Message& message) override {
        messages.push_back(message);
        if (on_message) {
            on_message(message);
        }
    }
    void ShowNotice(const Message& message) override { notices.push_back(message); }
    ScreenPoint CursorPos() override { return cursor; }
    void SetCursorPos(ScreenPoint point) override { cursor_moves.push_back(point); }
    std::vector<ScreenRect> Screens() override { return screens; }
    std::optional<ScreenRect> WindowOnScreen(WindowHandle) override {
        if (!window_place) {
            return std::nullopt;
        }
        return ScreenRect{window_place->x, window_place->y, window_size.x, window_size.y};
    }
    std::string ProgramDirectory() override { return program_directory; }
    bool CanWriteIn(const std::string&) override { return program_folder_writable; }
    std::string UserSettingsFolder() override { return user_settings_folder; }
    bool ClaimSingleInstance() override { return instance_free; }
    LaunchResult StartOpener(const std::string& target) override {
        openers_started.push_back(target);
        return launch_result;
    }
    bool OpenWithToolkit(const std::string& target) override {
        toolkit_targets.push_back(target);
        return toolkit_opens;
    }
    void PlaySound(const std::string& path) override { sound_calls.push_back("play " + path); }
    void StopSound() override { sound_calls.push_back("stop"); }
    FileDialogAnswer RunFileDialog(const FileDialogRequest& request) override {
        file_dialogs.push_back(request);
        return file_answer;
    }
    void Quit(int status) override { quit_status = status; }
};

}  // namespace sorane
