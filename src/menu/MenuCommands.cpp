// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "menu/MenuCommands.h"

#include "clock/StartupRules.h"

#include <filesystem>
#include <system_error>

#include "settings/AsciiText.h"
#include "settings/Utf8Path.h"

namespace sorane {

bool MarksQuitting(ClockCommand command, CommandFrom from) {
    return command == ClockCommand::Exit && from == CommandFrom::Menu;
}
Message ExitMessage() {
    return {"終了します。", APP_TITLE, MessageIcon::None};
}

std::optional<OpenFailure> OpenWithDesktop(Desktop& desktop, const std::string& target,
                                           const std::string& nothing_opens_it) {
    // The numbers are those the program has always shown for the same
    // failures: 53 file not found, 70 permission denied, 75 path/file access.
    const LaunchResult result = desktop.StartOpener(target);
    switch (result.status) {
        case LaunchResult::Status::Started:
            return std::nullopt;
        case LaunchResult::Status::NotInstalled:
            if (desktop.OpenWithToolkit(target)) {
                return std::nullopt;
            }
            return OpenFailure{53, nothing_opens_it};
        case LaunchResult::Status::NotExecutable:
            return OpenFailure{
                70, "書き込みできません。(" + result.program + " を実行する権限がありません)"};
        case LaunchResult::Status::FailedToStart:
            break;
    }
    return OpenFailure{75, "パス名が無効です。(" + result.program + " を起動できませんでした)"};
}

Message OpenFailureMessage(const std::string& place, const OpenFailure& failure) {
    return {"場所:" + place + "　ｴﾗｰNo:" + std::to_string(failure.number) + "\n" +
                "場所とｴﾗｰNoを控えメールをお願いします。\n" + "内容:" + failure.description,
            APP_TITLE, MessageIcon::None};
}

void OpenReadMe(Desktop& desktop, const std::string& folder) {
    const std::optional<std::string> path = FindReadMe(folder);
    if (!path) {
        desktop.ShowMessage(OpenFailureMessage(
            "Help", {53, "ファイルが見つかりません。(" + std::string(README_NAME) + ")"}));
        return;
    }
    if (const std::optional<OpenFailure> failure =
            OpenWithDesktop(desktop, *path, *path + " を開くプログラムが見つかりません。")) {
        desktop.ShowMessage(OpenFailureMessage("Help", *failure));
    }
}

void OpenHomePage(Desktop& desktop, const std::string& url) {
    if (const std::optional<OpenFailure> failure =
            OpenWithDesktop(desktop, url, "ブラウザを開けませんでした。")) {
        desktop.ShowMessage(OpenFailureMessage("About", *failure));
    }
}

}  // namespace sorane
