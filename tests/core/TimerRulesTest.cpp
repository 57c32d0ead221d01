// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "timer/TimerRules.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "clock/TickRules.h"

namespace sorane {
namespace {

LocalDateTime At(int hour, int minute, int second) {
    return {2026, 12, 7, hour, minute, second, 0};
}

TickInput InputAt(const LocalDateTime& now, double steady_now) {
    TickInput input;
    input.now = now;
    input.steady_now = steady_now;
    return input;
}

struct Dialog {
    Dialog() { state.AppPath = folder.AppPath(); }

    TimerDialogInput Input() const {
        TimerDialogInput input;
        input.folder_text = "/snd/chime.Wav";
        return input;
    }

    TempFolder folder;
    ClockSettings settings;
    ClockState state;
};

TEST(TimerRulesTest, OpensWithNoCountdownAndNoAlarm) {
    Dialog d;
    const TimerDialogView view = OpenTimerDialog(d.settings, d.state, At(13, 45, 10));
    EXPECT_FALSE(view.countdown_checked);
    EXPECT_FALSE(view.list_enabled);
    EXPECT_EQ(view.list_index, 0);
    EXPECT_FALSE(view.alarm_checked);
    EXPECT_FALSE(view.alarm_fields_enabled);
    EXPECT_EQ(view.hour_text, "13");
    EXPECT_EQ(view.minute_text, "45");
}

TEST(TimerRulesTest, SetAlarmOpensExactlyAsStored) {
    for (const auto& [hour, minute] : {std::pair{7, 0}, std::pair{0, 30}, std::pair{23, 59}}) {
        Dialog d;
        d.settings.TimeHour = std::uint8_t(hour);
        d.settings.TimeMin = std::uint8_t(minute);
        const TimerDialogView view = OpenTimerDialog(d.settings, d.state, At(13, 45, 0));
        EXPECT_TRUE(view.alarm_checked);
        EXPECT_TRUE(view.alarm_fields_enabled);
        EXPECT_EQ(view.hour_text, std::to_string(hour));
        EXPECT_EQ(view.minute_text, std::to_string(minute));

        // OK without changes keeps it.
        TimerDialogInput input = d.Input();
        input.alarm_checked = view.alarm_checked;
        input.hour_text = view.hour_text;
        input.minute_text = view.minute_text;
        ASSERT_TRUE(TimerDialogOk(d.settings, d.state, input, At(13, 45, 0), 0).close);
        EXPECT_EQ(d.settings.TimeHour, hour);
        EXPECT_EQ(d.settings.TimeMin, minute);
    }
}

TEST(TimerRulesTest, RunningCountdownOpensCheckedWithNoEntryAndOkKeepsIt) {
    Dialog d;
    ArmCountdown(d.state, 300, At(12, 0, 0), 100);
    const TimerDialogView view = OpenTimerDialog(d.settings, d.state, At(12, 1, 0));
    EXPECT_TRUE(view.countdown_checked);
    EXPECT_TRUE(view.list_enabled);
    EXPECT_EQ(view.list_index, -1);
    TimerDialogInput input = d.Input();
    input.countdown_checked = true;
    input.list_index = -1;
    const TimerOkOutcome outcome = TimerDialogOk(d.settings, d.state, input, At(12, 1, 0), 160);
    EXPECT_EQ(outcome.message.text, "タイマーの設定情報を保存しました。");
    EXPECT_EQ(d.state.TimerArmed, 1);
    EXPECT_EQ(d.state.TimerSeconds, 300);
    EXPECT_EQ(d.state.TimerEndsAt, 400);
}

TEST(TimerRulesTest, ClearingTheCountdownBoxStopsARunningCountdown) {
    Dialog d;
    ArmCountdown(d.state, 600, At(12, 0, 0), 100);
    TimerDialogInput input = d.Input();
    input.countdown_checked = false;
    input.list_index = 2;
    TimerDialogOk(d.settings, d.state, input, At(12, 1, 0), 160);
    EXPECT_EQ(d.state.TimerArmed, 0);
    const TickOutcome later = Tick(d.settings, d.state, InputAt(At(12, 20, 0), 2000));
    EXPECT_TRUE(later.announcements.empty());
    EXPECT_FALSE(later.sound);
}

TEST(TimerRulesTest, TenMinutesArmedAt2355EndTenMinutesLater) {
    Dialog d;
    TimerDialogInput input = d.Input();
    input.countdown_checked = true;
    input.list_index = 2;
    TimerDialogOk(d.settings, d.state, input, At(23, 55, 0), 5000);
    EXPECT_FLOAT_EQ(d.state.TimerDeadline, 86700);
    EXPECT_EQ(d.state.TimerSeconds, 600);
    EXPECT_TRUE(
        Tick(d.settings, d.state, InputAt({2026, 12, 8, 0, 4, 59, 0}, 5599)).announcements.empty());
    EXPECT_EQ(
        Tick(d.settings, d.state, InputAt({2026, 12, 8, 0, 5, 1, 0}, 5601)).announcements.size(),
        1u);
}

TEST(TimerRulesTest, SoundPathNotChosenYetBecomesTheDefaultChime) {
    for (const char* wave : {"0", "0abc.wav"}) {
        Dialog d;
        d.settings.Wave = wave;
        EXPECT_EQ(OpenTimerDialog(d.settings, d.state, At(1, 2, 3)).folder_text,
                  d.folder.AppPath() + "chimes.wav");
        EXPECT_EQ(d.settings.Wave, d.folder.AppPath() + "chimes.wav");
        EXPECT_FALSE(d.folder.Exists("Clock.ini")) << "memory only";
    }
    Dialog kept;
    kept.settings.Wave = "/snd/a.wav";
    EXPECT_EQ(OpenTimerDialog(kept.settings, kept.state, At(1, 2, 3)).folder_text, "/snd/a.wav");
}

TEST(TimerRulesTest, OkRefusesWhatIsNotAWavOrNotATimeAndStoresNothing) {
    struct Case {
        const char* folder;
        const char* hour;
        const char* minute;
        bool wav_message;
    };
    const Case cases[] = {
        {"/snd/a.mp3", "7", "30", true}, {"", "7", "30", true},
        {"/snd/wa", "7", "30", true},    {"/a.wav", "24", "0", false},
        {"/a.wav", "7", "60", false},    {"/a.wav", "abc", "0", false},
        {"/a.wav", "", "0", false},      {"/a.wav", "-1", "0", false},
        {"/a.wav", "23.5", "0", false},  {"/a.wav", "7.4", "0", false},
        {"/a.wav", "7", ".5", false},    {"/a.wav", "+.9", "5", false},
        {"/a.wav", "0", "0", false},     {"/a.wav", " 0 ", "00", false},
    };
    for (const Case& c : cases) {
        Dialog d;
        d.settings.Wave = "/old.wav";
        d.settings.TimeHour = 6;
        TimerDialogInput input;
        input.folder_text = c.folder;
        input.alarm_checked = true;
        input.hour_text = c.hour;
        input.minute_text = c.minute;
        input.countdown_checked = true;
        input.list_index = 0;
        const TimerOkOutcome outcome = TimerDialogOk(d.settings, d.state, input, At(9, 0, 0), 0);
        EXPECT_FALSE(outcome.close) << c.folder << " " << c.hour << ":" << c.minute;
        EXPECT_EQ(outcome.message.title, "ソラネ Ver.1.1");
        if (c.wav_message) {
            EXPECT_EQ(outcome.message.text, "wavファイルを指定してください。");
        } else {
            EXPECT_NE(outcome.message.text.find("目覚まし"), std::string::npos);
        }
        EXPECT_EQ(d.settings.Wave, "/old.wav");
        EXPECT_EQ(d.settings.TimeHour, 6);
        EXPECT_EQ(d.state.TimerArmed, 0);
        EXPECT_FALSE(d.folder.Exists("Clock.ini"));
    }
}

TEST(TimerRulesTest, OkWritesWaveHourMinInOrderAndClearedAlarmAsZeros) {
    Dialog d;
    TimerDialogInput input = d.Input();
    input.alarm_checked = true;
    input.hour_text = " 7 ";
    input.minute_text = "05";
    EXPECT_TRUE(TimerDialogOk(d.settings, d.state, input, At(9, 0, 0), 0).close);
    EXPECT_EQ(d.folder.Read("Clock.ini"), "[Time]\r\nWave=/snd/chime.Wav\r\nhour=7\r\nmin=5\r\n");

    input.alarm_checked = false;
    const TimerOkOutcome outcome = TimerDialogOk(d.settings, d.state, input, At(9, 0, 0), 0);
    EXPECT_EQ(outcome.message,
              (Message{"タイマーの設定情報を保存しました。", "ソラネ Ver.1.1", MessageIcon::None}));
    EXPECT_EQ(d.folder.Read("Clock.ini"), "[Time]\r\nWave=/snd/chime.Wav\r\nhour=0\r\nmin=0\r\n");
}

TEST(TimerRulesTest, FailedSaveSaysWhyButTheNewValuesApply) {
    Dialog d;
    d.folder.Write("Clock.ini", "[Time]\r\nhour=1\r\n");
    std::filesystem::permissions(d.folder.Path() / "Clock.ini", std::filesystem::perms::owner_read);
    TimerDialogInput input = d.Input();
    input.alarm_checked = true;
    input.hour_text = "8";
    input.minute_text = "15";
    input.countdown_checked = true;
    input.list_index = 1;
    const TimerOkOutcome outcome = TimerDialogOk(d.settings, d.state, input, At(9, 0, 0), 0);
    EXPECT_TRUE(outcome.close);
    EXPECT_EQ(outcome.message.text.rfind("タイマーの設定情報を保存できませんでした。", 0), 0u);
    EXPECT_NE(outcome.message.text.find("Clock.ini: 読み取り専用です。"), std::string::npos)
        << "the reason in Japanese: " << outcome.message.text;
    EXPECT_EQ(d.settings.TimeHour, 8);
    EXPECT_EQ(d.state.TimerSeconds, 300);
    EXPECT_EQ(d.folder.Read("Clock.ini"), "[Time]\r\nhour=1\r\n");
}

TEST(TimerRulesTest, SoundFileButtonTakesWavsRestoresOnCancelRefusesTheRest) {
    ClockSettings settings;
    settings.Wave = "/old.wav";
    EXPECT_EQ(ChooseSoundFile(settings, "CANCEL").folder_text, "/old.wav");
    const FolderChoice chosen = ChooseSoundFile(settings, "/new/A.WAV");
    EXPECT_EQ(chosen.folder_text, "/new/A.WAV");
    EXPECT_EQ(settings.Wave, "/new/A.WAV");
    for (const char* answer : {"/new/a.mp3", "ERROR"}) {
        const FolderChoice refused = ChooseSoundFile(settings, answer);
        EXPECT_FALSE(refused.folder_text);
        EXPECT_EQ(refused.message,
                  (Message{"wavファイルを指定してください。", "ソラネ", MessageIcon::None}));
        EXPECT_EQ(settings.Wave, "/new/A.WAV");
    }
}

TEST(TimerRulesTest, AlarmChangedAfterItRangRingsAtTheNewTimeTheSameDay) {
    Dialog d;
    d.settings.TimeHour = 7;
    ASSERT_EQ(Tick(d.settings, d.state, InputAt(At(7, 0, 0), 0)).announcements.size(), 1u);

    // OK with the alarm unchanged, still in its minute: it does not ring again.
    TimerDialogInput input = d.Input();
    input.alarm_checked = true;
    input.hour_text = "7";
    input.minute_text = "0";
    TimerDialogOk(d.settings, d.state, input, At(7, 0, 20), 0);
    EXPECT_TRUE(Tick(d.settings, d.state, InputAt(At(7, 0, 30), 0)).announcements.empty());

    input.minute_text = "30";
    TimerDialogOk(d.settings, d.state, input, At(7, 5, 0), 0);
    EXPECT_EQ(Tick(d.settings, d.state, InputAt(At(7, 30, 0), 0)).announcements.size(), 1u);

    // Cleared, then set again to the time that has rung: it rings again.
    input.alarm_checked = false;
    TimerDialogOk(d.settings, d.state, input, At(7, 30, 10), 0);
    input.alarm_checked = true;
    TimerDialogOk(d.settings, d.state, input, At(7, 30, 20), 0);
    EXPECT_EQ(Tick(d.settings, d.state, InputAt(At(7, 30, 30), 0)).announcements.size(), 1u);
}

}  // namespace
}  // namespace sorane
