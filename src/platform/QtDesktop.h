#pragma once

#include <QElapsedTimer>
#include <QLockFile>
#include <memory>

#include "platform/Desktop.h"

namespace sorane {

/// The desktop as Qt sees it.
class QtDesktop : public Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;

    LocalDateTime Now() override;
    double SteadySeconds() override;
    void ShowMessage(const Message& message) override;
    ScreenPoint CursorPos() override;
    void SetCursorPos(ScreenPoint point) override;
    std::vector<ScreenRect> Screens() override;
    std::optional<ScreenPoint> WindowPlace(WindowHandle window) override;
    std::string ProgramDirectory() override;
    bool CanWriteIn(const std::string& folder) override;
    std::string UserSettingsFolder() override;
    bool ClaimSingleInstance() override;
    void OpenDocument(const std::string& path) override;
    LaunchResult StartUrlOpener(const std::string& url) override;
    bool OpenUrlWithToolkit(const std::string& url) override;
    FileDialogAnswer RunFileDialog(const FileDialogRequest& request) override;
    void Quit(int status) override;

private:
    std::unique_ptr<QLockFile> m_instance_lock;
    // Test-only control of time (see the constructor).
    double m_time_scale = 1;
    bool m_shifted = false;
    QElapsedTimer m_since_start;
    qint64 m_start_wall_ms = 0;
    double m_start_steady = 0;
};

/// Loads Qt's own Japanese texts (the file dialog's, say), so that every
/// window speaks Japanese whatever the desktop's language.
void LoadJapaneseQtTexts();

/// Registers the Japanese fonts that stand in for the Windows fonts the
/// windows were laid out with ("HG丸ｺﾞｼｯｸM-PRO", "ＭＳ ゴシック").
void RegisterFontSubstitutes();

}  // namespace sorane
