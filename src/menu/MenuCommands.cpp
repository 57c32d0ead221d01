#include "menu/MenuCommands.h"

#include <filesystem>
#include <system_error>

#include "settings/AsciiText.h"
#include "settings/Utf8Path.h"

namespace sorane {
namespace {

constexpr const char* README_NAME = "ReadMeT.txt";

}  // namespace

ClockCommand CommandForKey(int virtual_key) {
    switch (virtual_key) {
        case 27:
            return ClockCommand::Exit;
        case 65:
            return ClockCommand::About;
        case 72:
            return ClockCommand::Help;
        default:
            return ClockCommand::None;
    }
}

Message ExitMessage() {
    return {"終了します。", APP_TITLE, MessageIcon::None};
}

std::optional<std::string> FindReadMe(const std::string& program_directory) {
    namespace fs = std::filesystem;
    const fs::path folder = PathFromUtf8(program_directory);
    std::error_code ec;
    // The file has been spelt "ReadMeT.txt" and "ReadmeT.txt"; on a file
    // system that tells letter case apart, any spelling of it will do.
    if (fs::is_regular_file(folder / README_NAME, ec)) {
        return Utf8FromPath(folder / README_NAME);
    }
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualsIgnoringAsciiCase(Utf8FromPath(it->path().filename()), README_NAME) &&
            it->is_regular_file(ec)) {
            return Utf8FromPath(it->path());
        }
    }
    return std::nullopt;
}

void OpenReadMe(Desktop& desktop) {
    if (const std::optional<std::string> path = FindReadMe(desktop.ProgramDirectory())) {
        desktop.OpenDocument(*path);
    }
}

Message HomePageFailure(int error_number, const std::string& description) {
    return {"場所:About　ｴﾗｰNo:" + std::to_string(error_number) + "\n" +
                "場所とｴﾗｰNoを控えメールをお願いします。\n" + "内容:" + description,
            APP_TITLE, MessageIcon::None};
}

void OpenHomePage(Desktop& desktop, const std::string& url) {
    const LaunchResult result = desktop.StartUrlOpener(url);
    switch (result.status) {
        case LaunchResult::Status::Started:
            return;
        case LaunchResult::Status::NotInstalled:
            if (!desktop.OpenUrlWithToolkit(url)) {
                desktop.ShowMessage(
                    HomePageFailure(result.error_number, "ブラウザを開けませんでした。"));
            }
            return;
        case LaunchResult::Status::Failed:
            desktop.ShowMessage(HomePageFailure(result.error_number, result.description));
            return;
    }
}

}  // namespace sorane
