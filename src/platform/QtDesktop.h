// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <QDateTime>
#include <memory>

#include "platform/Desktop.h"
#include "platform/HostSystem.h"
#include "platform/PointerMoveWatch.h"
#include "platform/SingleInstance.h"
#include "platform/SoundPlayer.h"

namespace sorane {

/// The desktop as Qt sees it.
class QtDesktop : public Desktop {
public:
    /// instance_name keeps one program's clocks apart from another's: the
    /// shipped clock's, or the test build's.
    explicit QtDesktop(std::string instance_name = "sorane-clock");
    ~QtDesktop() override;

    LocalDateTime Now() override;
    double SteadySeconds() override;
    void ShowMessage(const Message& message) override;
    void ShowNotice(const Message& message) override;
    ScreenPoint CursorPos() override;
    ScreenPoint WatchedCursorPos() override;
    void SetCursorPos(ScreenPoint point) override;
    std::vector<ScreenRect> Screens() override;
    std::optional<ScreenRect> WindowOnScreen(WindowHandle window) override;
    std::string ProgramDirectory() override;
    bool CanWriteIn(const std::string& folder) override;
    std::string UserSettingsFolder() override;
    bool ClaimSingleInstance() override;
    LaunchResult StartOpener(const std::string& target) override;
    bool OpenWithToolkit(const std::string& target) override;
    void PlaySound(const std::string& path) override;
    void StopSound() override;
    FileDialogAnswer RunFileDialog(const FileDialogRequest& request) override;
    void Quit(int status) override;

private:
    SingleInstance m_instance;
    std::unique_ptr<SoundPlayer> m_sound;  // made when the first sound plays
    // Made at the first watched reading, with the reading it keeps current.
    std::unique_ptr<PointerMoveWatch> m_pointer_moves;
    ScreenPoint m_watched_cursor;
    ZoneWatch m_zone;  // the local time follows the system's zone
};

/// A Qt date and time as the rules take it.
LocalDateTime LocalFrom(const QDateTime& time);

/// Loads Qt's own Japanese texts (the file dialog's, the message boxes', the
/// text boxes' menus), so that every window speaks Japanese whatever the
/// desktop's language. Called before the first window that shows any; later
/// calls do nothing, and a clock that opens none never loads them.
void LoadJapaneseQtTexts();

/// Registers the Japanese fonts that stand in for the Windows fonts the
/// windows were laid out with ("HG丸ｺﾞｼｯｸM-PRO", "ＭＳ ゴシック").
void RegisterFontSubstitutes();

}  // namespace sorane
