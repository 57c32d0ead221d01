// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "timer/FileDialogRules.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FakeDesktop.h"
#include "settings/Utf8Path.h"
#include "TempFolder.h"

namespace sorane {
namespace {

using namespace std::string_literals;

struct Call {
    std::int16_t kind = 1;
    std::string filter = "Waveファイル(*.wav)|*.wav";
    std::string init_dir = "/opt/sorane";
    std::string title = "お知らせ音の選択";
    std::int32_t kind_option = 3;
    std::int32_t common_option = 1;
    std::int16_t style = 1;

    std::string Run(Desktop& desktop) {
        return ShowFileDlg(desktop, kind, 42, filter, init_dir, title, kind_option, common_option,
                           style);
    }
};

TEST(FileDialogRulesTest, FlagsOfTheOptionTables) {
    EXPECT_EQ(FileDialogFlags(1, 3, 1, 1), 0x80104u);  // the timer dialog's call
    EXPECT_EQ(FileDialogFlags(1, 1, 2, 2), 0xA00u);    // old style, no Explorer flag
    EXPECT_EQ(FileDialogFlags(1, 0, 3, 1), 0x80000u);  // no kind option: no common one either
    EXPECT_EQ(FileDialogFlags(2, 0, 2, 1), 0x80000u);
    EXPECT_EQ(FileDialogFlags(1, 0, -5, 2), 0u);
    EXPECT_EQ(FileDialogFlags(2, 1, 3, 1), 0x80012u);
    EXPECT_EQ(FileDialogFlags(2, 4, 2, 1), 0x90800u);
    EXPECT_EQ(FileDialogFlags(1, 6, 1, 1), 0x80101u);
    EXPECT_EQ(FileDialogFlags(1, 4, 1, 2), 0x100100u);
    EXPECT_EQ(FileDialogFlags(1, -1, 1, 1), std::nullopt);
    EXPECT_EQ(FileDialogFlags(1, 1, 0, 1), std::nullopt);
    EXPECT_EQ(FileDialogFlags(2, 5, 1, 1), std::nullopt);
}

TEST(FileDialogRulesTest, TimerCallOpensAWaveDialogWithoutNameValidation) {
    FakeDesktop desktop;
    desktop.file_answer = {FileDialogAnswer::Status::Chosen, {"/home/u/音.wav"}};
    // The timer dialog's own call.
    EXPECT_EQ(ShowSoundFileDlg(desktop, 42, "/opt/sorane"), "/home/u/音.wav");
    // Its filter text is given back converted, as the routine always did.
    FakeDesktop same_call;
    Call call;
    call.Run(same_call);
    EXPECT_EQ(call.filter, "Waveファイル(*.wav)\0*.wav\0"s);
    ASSERT_EQ(desktop.file_dialogs.size(), 1u);
    const FileDialogRequest& request = desktop.file_dialogs[0];
    EXPECT_EQ(request.owner, 42u);
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.filters, (std::vector<std::string>{"Waveファイル(*.wav)"}));
    EXPECT_EQ(request.directory, "/opt/sorane");
    EXPECT_EQ(request.title, "お知らせ音の選択");
    EXPECT_FALSE(request.validate_name);
    EXPECT_TRUE(request.native_dialog);
    EXPECT_FALSE(request.multi_select);
    EXPECT_FALSE(request.file_must_exist);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST(FileDialogRulesTest, SeveralFilterPairsAreAllOffered) {
    FakeDesktop desktop;
    Call call;
    call.filter = "テキスト(*.txt)|*.txt|Wave|*.wav;*.wave|すべて|*.*";
    call.Run(desktop);
    EXPECT_EQ(desktop.file_dialogs.at(0).filters,
              (std::vector<std::string>{"テキスト(*.txt)", "Wave (*.wav *.wave)", "すべて (*.*)"}));
    EXPECT_EQ(call.filter, "テキスト(*.txt)\0*.txt\0Wave\0*.wav;*.wave\0すべて\0*.*\0"s);
}

TEST(FileDialogRulesTest, CancelKeepsTheDefaultsItStored) {
    FakeDesktop desktop;
    Call call;
    call.init_dir.clear();
    call.title.clear();
    EXPECT_EQ(call.Run(desktop), "CANCEL");
    EXPECT_EQ(call.init_dir, std::filesystem::current_path().string());
    EXPECT_EQ(call.title, "ファイルを開く");
    Call save;
    save.kind = 2;
    save.title.clear();
    save.kind_option = 1;
    EXPECT_EQ(save.Run(desktop), "CANCEL");
    EXPECT_EQ(save.title, "ファイルの保存");
    EXPECT_TRUE(desktop.file_dialogs.at(1).save);
    EXPECT_TRUE(desktop.file_dialogs.at(1).overwrite_prompt);
}

TEST(FileDialogRulesTest, EveryFailureIsReportedThenAnsweredWithError) {
    const Message kind_message{"ダイアログ種別が不正です。", "ShowFileDlg Ver.1.0",
                               MessageIcon::Warning};
    const Message filter_message{"フィルタを指定して下さい。", "ShowFileDlg Ver.1.0",
                                 MessageIcon::Warning};
    const Message empty_message{"", "ソラネ", MessageIcon::None};
    const Message index_message{"エラーNo:9内容インデックスが有効範囲にありません。",
                                "ShowFileDlg Ver.1.0", MessageIcon::Warning};
    struct Case {
        Call call;
        Message message;
    };
    std::vector<Case> cases;
    for (std::int16_t kind : {0, 3}) {
        Call call;
        call.kind = kind;
        cases.push_back({call, kind_message});
    }
    Call no_filter;
    no_filter.filter.clear();
    cases.push_back({no_filter, filter_message});
    Call common_too_high;
    common_too_high.kind_option = 0;
    common_too_high.common_option = 4;
    cases.push_back({common_too_high, empty_message});
    Call open_too_high;
    open_too_high.kind_option = 7;
    cases.push_back({open_too_high, empty_message});
    Call save_too_high;
    save_too_high.kind = 2;
    save_too_high.kind_option = 5;
    cases.push_back({save_too_high, empty_message});
    Call negative;
    negative.kind_option = -1;
    cases.push_back({negative, index_message});
    Call common_zero;
    common_zero.common_option = 0;
    cases.push_back({common_zero, index_message});

    for (Case& c : cases) {
        FakeDesktop desktop;
        EXPECT_EQ(c.call.Run(desktop), "ERROR") << c.message.text;
        EXPECT_EQ(desktop.messages, std::vector<Message>{c.message});
        EXPECT_TRUE(desktop.file_dialogs.empty());
    }

    FakeDesktop kind_first;
    Call bad_kind;
    bad_kind.kind = 0;
    bad_kind.Run(kind_first);
    EXPECT_EQ(bad_kind.filter, "Waveファイル(*.wav)|*.wav") << "refused before converting";

    FakeDesktop failing;
    failing.file_answer = {FileDialogAnswer::Status::Failed, {}};
    Call call;
    EXPECT_EQ(call.Run(failing), "ERROR");
    EXPECT_EQ(
        failing.messages,
        (std::vector<Message>{{"エラーNo:0内容", "ShowFileDlg Ver.1.0", MessageIcon::Warning}}));
}

TEST(FileDialogRulesTest, MultiSelectionAnswersAsTheFileListDoes) {
    const std::uint32_t explorer = ofn::ALLOWMULTISELECT | ofn::EXPLORER;
    EXPECT_EQ(ChosenFilesText({"/m/a.wav"}, explorer), "/m/a.wav");
    EXPECT_EQ(ChosenFilesText({"/m/a.wav", "/m/b.wav"}, explorer), "/m\0a.wav\0b.wav"s);
    EXPECT_EQ(ChosenFilesText({"/m/a.wav", "/m/b.wav"}, ofn::ALLOWMULTISELECT), "/m a.wav b.wav");
    EXPECT_EQ(ChosenFilesText({"/m/a.wav", "/m/b.wav"}, ofn::EXPLORER), "/m/a.wav");
}

TEST(FileDialogRulesTest, AChoiceIsCheckedOverTheDialogAsItsFlagsAsk) {
    const TempFolder folder;
    folder.Write("there.wav", "RIFF");
    const std::string there = folder.AppPath() + "there.wav";
    const std::string missing = folder.AppPath() + "missing.wav";
    const std::string nowhere = folder.AppPath() + "gone/x.wav";
    using Verdict = FileChoiceCheck::Verdict;
    const auto check = [](std::int16_t kind, std::uint32_t flags, const std::string& path) {
        const FileDialogRequest request = FileDialogRequestFor(kind, 0, "", "", "", flags);
        return request.check ? request.check(path) : FileChoiceCheck{};
    };
    const struct {
        std::int16_t kind;
        std::uint32_t flags;
        const std::string& path;
        Verdict verdict;
        std::string text;
    } cases[] = {
        {1, ofn::PATHMUSTEXIST, there, Verdict::Accept, ""},
        {1, ofn::PATHMUSTEXIST, nowhere, Verdict::Refuse,
         "パスが存在しません。\n" + Utf8FromPath(PathFromUtf8(nowhere).parent_path())},
        {2, ofn::PATHMUSTEXIST, nowhere, Verdict::Refuse,
         "パスが存在しません。\n" + Utf8FromPath(PathFromUtf8(nowhere).parent_path())},
        {1, ofn::CREATEPROMPT, missing, Verdict::AskFirst,
         "missing.wav は存在しません。\n作成しますか?"},
        {1, ofn::CREATEPROMPT, there, Verdict::Accept, ""},
        {2, ofn::CREATEPROMPT, missing, Verdict::Accept, ""},  // a save dialog creates it anyway
        {1, ofn::NOVALIDATE, nowhere, Verdict::Accept, ""},
    };
    for (const auto& c : cases) {
        const FileChoiceCheck got = check(c.kind, c.flags, c.path);
        EXPECT_EQ(got.verdict, c.verdict) << c.path << " flags " << c.flags;
        EXPECT_EQ(got.text, c.text) << c.path << " flags " << c.flags;
    }
}

}  // namespace
}  // namespace sorane
