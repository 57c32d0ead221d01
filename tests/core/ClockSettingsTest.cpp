// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "settings/ClockSettings.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace sorane {
namespace {

struct Loaded {
    ClockSettings settings;
    std::optional<SettingsError> error;
};

Loaded LoadFrom(const TempFolder& folder) {
    ClockState state;
    state.AppPath = folder.AppPath();
    Loaded loaded;
    loaded.error = LoadSettings(state, loaded.settings);
    EXPECT_EQ(state.IniPath, folder.AppPath() + "Clock.ini");
    return loaded;
}

TEST(ClockSettingsTest, MissingFileGivesTheTenDefaultsAndCreatesNothing) {
    TempFolder folder;
    const Loaded loaded = LoadFrom(folder);
    ASSERT_FALSE(loaded.error);
    const ClockSettings& s = loaded.settings;
    EXPECT_EQ(s.ColorHour, 1);
    EXPECT_EQ(s.ColorMin, 9);
    EXPECT_EQ(s.ColorSec, 0);
    EXPECT_EQ(s.View, 1);
    EXPECT_EQ(s.Sterus, 0);
    EXPECT_EQ(s.TimeHour, 0);
    EXPECT_EQ(s.TimeMin, 0);
    EXPECT_EQ(s.Wave, "0");
    EXPECT_EQ(s.PosTop, 50);
    EXPECT_EQ(s.PosLeft, 50);
    EXPECT_FALSE(folder.Exists("Clock.ini"));
}

TEST(ClockSettingsTest, PartialFileKeepsDefaultsForEverythingElse) {
    TempFolder folder;
    folder.Write("Clock.ini",
                 "[Pos]\r\nTop=-450\r\nLeft=12000\r\n"
                 "[Color]\r\nhour= 7 \r\n"
                 "[Time]\r\nhour=7\r\n");
    const Loaded loaded = LoadFrom(folder);
    ASSERT_FALSE(loaded.error);
    EXPECT_EQ(loaded.settings.PosTop, -450);
    EXPECT_EQ(loaded.settings.PosLeft, 12000);
    EXPECT_EQ(loaded.settings.ColorHour, 7);
    EXPECT_EQ(loaded.settings.ColorMin, 9);
    EXPECT_EQ(loaded.settings.TimeHour, 7);  // not [Color] hour
    EXPECT_EQ(loaded.settings.TimeMin, 0);
    EXPECT_EQ(loaded.settings.View, 1);
}

TEST(ClockSettingsTest, FractionsRoundHalfToEven) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Color]\nhour=2.5\nmin=3.5\n[Pos]\nTop=1234.5\nLeft=-0.5\n");
    const Loaded loaded = LoadFrom(folder);
    ASSERT_FALSE(loaded.error);
    EXPECT_EQ(loaded.settings.ColorHour, 2);
    EXPECT_EQ(loaded.settings.ColorMin, 4);
    EXPECT_EQ(loaded.settings.PosTop, 1234);
    EXPECT_EQ(loaded.settings.PosLeft, 0);
}

TEST(ClockSettingsTest, BadValueNamesFileSectionKeyValueAndWhatIsExpected) {
    struct Case {
        const char* file;
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"[Color]\r\nhour=\r\n", "Color", "hour", ""},
        {"[Color]\r\nhour=abc\r\n", "Color", "hour", "abc"},
        {"[Color]\r\nhour=256\r\n", "Color", "hour", "256"},
        {"[Color]\r\nhour=-1\r\n", "Color", "hour", "-1"},
        {"[Color]\r\nsec=16\r\n", "Color", "sec", "16"},
        {"[Mode]\r\nView=300\r\n", "Mode", "View", "300"},
        {"[Time]\r\nmin=x\r\n", "Time", "min", "x"},
        // An alarm no clock reaches would never ring, silently.
        {"[Time]\r\nhour=24\r\nmin=0\r\n", "Time", "hour", "24"},
        {"[Time]\r\nhour=7\r\nmin=60\r\n", "Time", "min", "60"},
        {"[Pos]\r\nLeft=2147483648\r\n", "Pos", "Left", "2147483648"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.Write("Clock.ini", c.file);
        const Loaded loaded = LoadFrom(folder);
        ASSERT_TRUE(loaded.error) << c.file;
        EXPECT_EQ(loaded.error->file, folder.AppPath() + "Clock.ini");
        EXPECT_EQ(loaded.error->section, c.section);
        EXPECT_EQ(loaded.error->key, c.key);
        EXPECT_EQ(loaded.error->value, c.value);
        const std::string message = loaded.error->Message();
        EXPECT_NE(message.find(std::string("[") + c.section + "]"), std::string::npos);
        EXPECT_NE(message.find(loaded.error->expected), std::string::npos);
        EXPECT_EQ(folder.Read("Clock.ini"), c.file) << "the file must not be touched";
    }
}

TEST(ClockSettingsTest, SettingsFileThatIsNoPlainFileStopsStartUpSayingWhy) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "Clock.ini");
    const Loaded loaded = LoadFrom(folder);
    ASSERT_TRUE(loaded.error);
    EXPECT_EQ(loaded.error->problem, "同じ名前のフォルダーがあります。");
    const std::string message = loaded.error->Message();
    EXPECT_NE(message.find(folder.AppPath() + "Clock.ini"), std::string::npos) << message;
    EXPECT_NE(message.find("理由: 同じ名前のフォルダーがあります。"), std::string::npos) << message;
}

// A portable copy on a medium it cannot write: the user's folder takes over,
// from the settings that lie beside the program.
TEST(ClockSettingsTest, UsersFolderStartsFromTheFileBesideAReadOnlyCopy) {
    TempFolder program;
    TempFolder user;
    const std::string beside = "; mine\r\n[Color]\r\nhour=12\r\n[Time]\r\nhour=7\r\nmin=5\r\n";
    program.Write("Clock.ini", beside);
    ClockState state;
    state.AppPath = program.AppPath();
    state.SettingsFolder = user.AppPath();
    state.SeedFolder = program.AppPath();
    ClockSettings settings;
    ASSERT_FALSE(LoadSettings(state, settings));
    EXPECT_EQ(settings.ColorHour, 12);
    EXPECT_EQ(settings.TimeMin, 5);
    ASSERT_TRUE(SavePosition(state, 900, 450).Ok());
    EXPECT_EQ(user.Read("Clock.ini"), beside + "[Pos]\r\nTop=900\r\nLeft=450\r\n");
    EXPECT_EQ(program.Read("Clock.ini"), beside);
    // From now on the user's copy is the one read.
    user.Write("Clock.ini", "[Color]\r\nhour=3\r\n");
    ASSERT_FALSE(LoadSettings(state, settings));
    EXPECT_EQ(settings.ColorHour, 3);
}

// A portable copy on a read-only medium whose own Clock.ini cannot be read:
// the clock starts with the defaults, and its saves start a file of their
// own in the user's folder instead of failing on the file they cannot copy.
TEST(ClockSettingsTest, UsersFolderStartsAfreshWhenTheFileBesideTheCopyCannotBeRead) {
    TempFolder program;
    TempFolder user;
    // A folder stands for an unreadable file: root reads any file.
    std::filesystem::create_directory(program.Path() / "Clock.ini");
    ClockState state;
    state.AppPath = program.AppPath();
    state.SettingsFolder = user.AppPath();
    state.SeedFolder = program.AppPath();
    ASSERT_TRUE(SavePosition(state, 900, 450).Ok());
    ASSERT_TRUE(SavePosition(state, 30, 15).Ok());
    EXPECT_EQ(user.Read("Clock.ini"), "[Pos]\r\nTop=30\r\nLeft=15\r\n");
}

TEST(ClockSettingsTest, ColourAbove15IsRefusedButViewIsNotCheckedForMeaning) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Color]\nhour=15\n[Mode]\nView=7\n[Time]\nhour=23\nmin=59\n");
    const Loaded loaded = LoadFrom(folder);
    ASSERT_FALSE(loaded.error);
    EXPECT_EQ(loaded.settings.ColorHour, 15);
    EXPECT_EQ(loaded.settings.View, 7);
    EXPECT_EQ(loaded.settings.TimeHour, 23);
    EXPECT_EQ(loaded.settings.TimeMin, 59);
}

TEST(ClockSettingsTest, LongWaveArrivesAsItsFirst1022Bytes) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Time]\r\nWave=" + std::string(1500, 'w') + "\r\n");
    EXPECT_EQ(LoadFrom(folder).settings.Wave, std::string(1022, 'w'));
}

TEST(ClockSettingsTest, SaveSetsWriteTheirKeysInOrderAndReadBack) {
    TempFolder folder;
    ClockState state;
    state.AppPath = folder.AppPath();
    ClockSettings settings;
    settings.ColorHour = 7;
    settings.ColorMin = 15;
    settings.ColorSec = 0;
    settings.View = 2;
    settings.Sterus = 1;
    settings.TimeHour = 23;
    settings.TimeMin = 5;
    settings.Wave = "/home/u/音.wav";

    ASSERT_TRUE(SavePosition(state, -450, 1500).Ok());
    ASSERT_TRUE(SaveAlarm(state, settings).Ok());
    ASSERT_TRUE(SaveSetup(state, settings).Ok());
    EXPECT_EQ(state.IniPath, folder.AppPath() + "Clock.ini");
    EXPECT_EQ(folder.Read("Clock.ini"),
              "[Pos]\r\nTop=-450\r\nLeft=1500\r\n"
              "[Time]\r\nWave=/home/u/音.wav\r\nhour=23\r\nmin=5\r\n"
              "[Color]\r\nhour=7\r\nmin=15\r\nsec=0\r\n"
              "[Mode]\r\nView=2\r\nSterus=1\r\n");

    const Loaded loaded = LoadFrom(folder);
    ASSERT_FALSE(loaded.error);
    EXPECT_EQ(loaded.settings.PosTop, -450);
    EXPECT_EQ(loaded.settings.PosLeft, 1500);
    EXPECT_EQ(loaded.settings.Wave, settings.Wave);
    EXPECT_EQ(loaded.settings.TimeHour, 23);
    EXPECT_EQ(loaded.settings.ColorMin, 15);
    EXPECT_EQ(loaded.settings.Sterus, 1);
}

TEST(ClockSettingsTest, SetupSaveRewritesAllFiveKeysEvenWhenUnchanged) {
    TempFolder folder;
    const std::string before =
        "[Color]\nhour = 1\nmin=9\nsec=0\n[Mode]\nView=1\nSterus=0\n[Pos]\nTop=50\n";
    folder.Write("Clock.ini", before);
    ClockState state;
    state.AppPath = folder.AppPath();
    ClockSettings settings;
    ASSERT_FALSE(LoadSettings(state, settings));
    ASSERT_TRUE(SaveSetup(state, settings).Ok());
    EXPECT_EQ(folder.Read("Clock.ini"), before);
}

TEST(ClockSettingsTest, FailedSaveSaysWhyAndKeepsTheOldFile) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Pos]\r\nTop=1\r\n");
    std::filesystem::permissions(folder.Path() / "Clock.ini", std::filesystem::perms::owner_read);
    ClockState state;
    state.AppPath = folder.AppPath();
    const WriteOutcome outcome = SavePosition(state, 10, 20);
    EXPECT_FALSE(outcome.Ok());
    EXPECT_NE(outcome.error.find("Clock.ini"), std::string::npos) << outcome.error;
    EXPECT_EQ(folder.Read("Clock.ini"), "[Pos]\r\nTop=1\r\n");
}

TEST(ClockSettingsTest, SoundIsTheChosenFileOrTheDefaultChimeAlsoAfterAnUpgrade) {
    TempFolder data;
    data.Write("chimes.wav", "RIFF");
    ClockState state;
    state.AppPath = "/usr/bin/";
    state.DataFolder = data.AppPath();
    ClockSettings settings;
    const std::string chime = data.AppPath() + "chimes.wav";
    EXPECT_EQ(SoundFileFor(settings, state), chime) << "Wave is \"0\": none chosen";
    settings.Wave = "/home/u/鐘.wav";
    EXPECT_EQ(SoundFileFor(settings, state), "/home/u/鐘.wav") << "missing, but the user's";
    // The default stored by the 1.1 package, which lived in /opt/sorane.
    settings.Wave = "/opt/sorane/chimes.wav";
    EXPECT_EQ(SoundFileFor(settings, state), chime);
    settings.Wave = chime;
    EXPECT_EQ(SoundFileFor(settings, state), chime);
    // The default of a Windows copy, in a file carried over from there.
    settings.Wave = "C:\\Program Files\\sorane\\chimes.wav";
    EXPECT_EQ(SoundFileFor(settings, state), chime);
    settings.Wave = "C:\\Users\\u\\鐘.wav";
    EXPECT_EQ(SoundFileFor(settings, state), settings.Wave) << "the user's own, kept";
}

}  // namespace
}  // namespace sorane
