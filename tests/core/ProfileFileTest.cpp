// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "settings/ProfileFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "TempFolder.h"
#include "settings/AtomicFile.h"

#if defined(_WIN32)
#include <windows.h>
// windows.h names its own GetProfileString (a macro for the system's INI
// reader); the engine's is meant here.
#undef GetProfileString

#include <thread>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <vector>
#endif

namespace sorane {
namespace {

// How many files and folders the folder holds.
int EntriesIn(const TempFolder& folder) {
    const auto entries = std::filesystem::directory_iterator(folder.Path());
    return int(std::distance(begin(entries), end(entries)));
}

// Text as Notepad saves it as "Unicode": UTF-16 with its byte-order mark.
std::string Utf16File(std::u16string_view text, bool big_endian = false) {
    std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = char(unit >> 8);
        const char low = char(unit & 0xFF);
        bytes += big_endian ? high : low;
        bytes += big_endian ? low : high;
    }
    return bytes;
}

std::optional<std::string> Read(const std::string& bytes, const char* section, const char* key) {
    return ProfileFile(bytes).Get(section, key);
}

struct ReadCase {
    const char* name;
    std::string bytes;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class ProfileFileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileFileReadTest, ReadsAsTheWindowsProfileFunctionsDo) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(Read(c.bytes, c.section, c.key), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileFileReadTest,
    ::testing::Values(
        ReadCase{"plain", "[Color]\r\nhour=7\r\n", "Color", "hour", "7"},
        ReadCase{"names ignore letter case", "[COLOR]\r\nHour=7\r\n", "Color", "hour", "7"},
        ReadCase{"key only in its own section", "[Color]\r\nhour=7\r\n[Time]\r\nmin=3\r\n", "Time",
                 "hour", std::nullopt},
        ReadCase{"same key in two sections", "[Color]\r\nhour=7\r\n[Time]\r\nhour=9\r\n", "Time",
                 "hour", "9"},
        ReadCase{"missing section", "[Pos]\r\nTop=1\r\n", "Color", "hour", std::nullopt},
        ReadCase{"empty value is empty, not missing", "[Color]\r\nhour=\r\n", "Color", "hour", ""},
        ReadCase{"blanks and tabs around names and value", "  [ Pos ]  \r\n\t Top \t=  -450 \t\r\n",
                 "Pos", "Top", "-450"},
        ReadCase{"text after the bracket is ignored", "[Pos] trailing\r\nTop=1\r\n", "Pos", "Top",
                 "1"},
        ReadCase{"first of a duplicated key wins", "[Pos]\r\nTop=1\r\nTop=2\r\n", "Pos", "Top",
                 "1"},
        ReadCase{"a later copy of a section is not merged",
                 "[Pos]\r\nTop=1\r\n[Mode]\r\nView=0\r\n[Pos]\r\nLeft=5\r\n", "Pos", "Left",
                 std::nullopt},
        ReadCase{"double quotes removed", "[Time]\r\nWave=\" a.wav \"\r\n", "Time", "Wave",
                 " a.wav "},
        ReadCase{"single quotes removed", "[Time]\r\nWave='a.wav'\r\n", "Time", "Wave", "a.wav"},
        ReadCase{"unmatched quotes kept", "[Time]\r\nWave=\"a.wav'\r\n", "Time", "Wave",
                 "\"a.wav'"},
        ReadCase{"no inline comments", "[Time]\r\nWave=a;b #c\r\n", "Time", "Wave", "a;b #c"},
        ReadCase{"comment lines skipped", "[Pos]\r\n;Top=1\r\n#Top=2\r\nTop=3\r\n", "Pos", "Top",
                 "3"},
        ReadCase{"value starts after the first equals sign", "[Time]\r\nWave=a=b\r\n", "Time",
                 "Wave", "a=b"},
        ReadCase{"line without equals is no key", "[Pos]\r\nTop\r\n", "Pos", "Top", std::nullopt},
        ReadCase{"LF line ends", "[Pos]\nTop=4\nLeft=5\n", "Pos", "Left", "5"},
        ReadCase{"lone CR line ends", "[Pos]\rTop=4\rLeft=5", "Pos", "Left", "5"},
        ReadCase{"UTF-8 byte-order mark skipped", "\xEF\xBB\xBF[Pos]\r\nTop=4\r\n", "Pos", "Top",
                 "4"},
        ReadCase{"keys before any section belong to none", "Top=1\r\n[Pos]\r\n", "Pos", "Top",
                 std::nullopt},
        ReadCase{"CP932 text from Windows",
                 "[Time]\r\nWave=C:\\\x83\x5C\x83\x89\x83\x6C\\\x89\xB9.wav\r\n", "Time", "Wave",
                 "C:\\ソラネ\\音.wav"},
        ReadCase{"UTF-8 text", "[Time]\r\nWave=/home/u/ソラネ/音.wav\r\n", "Time", "Wave",
                 "/home/u/ソラネ/音.wav"},
        ReadCase{"section name runs to the last bracket", "[Color]]\r\nhour=7\r\n", "Color]",
                 "hour", "7"},
        ReadCase{"a header without its bracket starts no section",
                 "[Pos]\r\nTop=1\r\n[Mode\r\nLeft=5\r\n", "Pos", "Left", "5"},
        ReadCase{"UTF-16 (little-endian, with its mark) as Notepad saves it",
                 Utf16File(u"[Time]\r\nWave=C:\\ソラネ\\音.wav\r\n"), "Time", "Wave",
                 "C:\\ソラネ\\音.wav"},
        ReadCase{"UTF-16 big-endian", Utf16File(u"[Pos]\r\nTop=-450\r\n", true), "Pos", "Top",
                 "-450"},
        // Surrogate pairs at the edges of their range: U+10000, U+1F3FF, U+10FFFF.
        ReadCase{"UTF-16 surrogate pairs",
                 Utf16File(u"[Time]\r\nWave=\U00010000\U0001F3FF\U0010FFFF\r\n"), "Time", "Wave",
                 "\xF0\x90\x80\x80\xF0\x9F\x8F\xBF\xF4\x8F\xBF\xBF"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) {
                c = '_';
            }
        }
        return name;
    });

TEST(ProfileFileTest, LongValueIsCutTo1022BytesOnACharacterBoundary) {
    const std::string ascii(1500, 'a');
    EXPECT_EQ(Read("[Time]\r\nWave=" + ascii + "\r\n", "Time", "Wave"), std::string(1022, 'a'));

    // 341 three-byte characters are 1023 bytes: the last one does not fit.
    std::string kana;
    for (int i = 0; i < 341; ++i) {
        kana += "あ";
    }
    const std::string cut = *Read("[Time]\r\nWave=" + kana + "\r\n", "Time", "Wave");
    EXPECT_EQ(cut.size(), 1020u);
    EXPECT_EQ(cut, kana.substr(0, 1020));

    // In CP932 a two-byte character starting at byte 1022 is dropped whole.
    std::string pairs = "a";
    for (int i = 0; i < 511; ++i) {
        pairs += "\x82\xA0";  // あ
    }
    const std::string decoded = *Read("[Time]\r\nWave=" + pairs + "\r\n", "Time", "Wave");
    EXPECT_EQ(decoded.size(), 1u + 510u * 3u);
}

struct WriteCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
};

class ProfileFileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileFileWriteTest, ChangesOnlyWhatItMust) {
    const WriteCase& c = GetParam();
    ProfileFile file(c.before);
    ASSERT_TRUE(file.Set(c.section, c.key, c.value).Ok()) << c.name;
    EXPECT_EQ(file.Bytes(), c.after) << c.name;
    EXPECT_EQ(file.Get(c.section, c.key), std::string(c.value)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileFileWriteTest,
    ::testing::Values(
        WriteCase{"new file", "", "Pos", "Top", "3000", "[Pos]\r\nTop=3000\r\n"},
        WriteCase{"new section at the end", "[Color]\r\nhour=1\r\n", "Pos", "Top", "15",
                  "[Color]\r\nhour=1\r\n[Pos]\r\nTop=15\r\n"},
        WriteCase{"new section after a last line without line end", "[Color]\nhour=1", "Pos", "Top",
                  "15", "[Color]\nhour=1\n[Pos]\nTop=15\n"},
        WriteCase{"new key after the last key of its section, not after blank lines",
                  "[Pos]\r\nTop=1\r\n\r\n; note\r\n[Mode]\r\nView=1\r\n", "Pos", "Left", "2",
                  "[Pos]\r\nTop=1\r\nLeft=2\r\n\r\n; note\r\n[Mode]\r\nView=1\r\n"},
        WriteCase{"new key in an empty section", "[Pos]\r\n[Mode]\r\n", "Pos", "Left", "2",
                  "[Pos]\r\nLeft=2\r\n[Mode]\r\n"},
        WriteCase{"replaced value keeps the file's spelling and spacing",
                  "; my clock\r\n[ pos ]\r\n  TOP = 12 \r\nLeft=3\r\n", "Pos", "Top", "-450",
                  "; my clock\r\n[ pos ]\r\n  TOP = -450\r\nLeft=3\r\n"},
        WriteCase{"file's own LF line ends kept", "[Pos]\nTop=1\n", "Pos", "Left", "2",
                  "[Pos]\nTop=1\nLeft=2\n"},
        WriteCase{"only the first of a duplicated section changes",
                  "[Pos]\r\nTop=1\r\n[Pos]\r\nTop=2\r\n", "Pos", "Top", "9",
                  "[Pos]\r\nTop=9\r\n[Pos]\r\nTop=2\r\n"},
        WriteCase{"value with blanks at its edges is quoted", "", "Time", "Wave", " a.wav ",
                  "[Time]\r\nWave=\" a.wav \"\r\n"},
        WriteCase{"value that looks quoted is quoted again", "", "Time", "Wave", "'a.wav'",
                  "[Time]\r\nWave=\"'a.wav'\"\r\n"},
        WriteCase{"empty value", "[Time]\r\nWave=x\r\n", "Time", "Wave", "", "[Time]\r\nWave=\r\n"},
        WriteCase{"byte-order mark kept", "\xEF\xBB\xBF", "Pos", "Top", "1",
                  "\xEF\xBB\xBF[Pos]\r\nTop=1\r\n"},
        WriteCase{"new key after a last line without line end",
                  "[Color]\r\nhour=1\r\n[Pos]\r\nTop=1", "Pos", "Left", "2",
                  "[Color]\r\nhour=1\r\n[Pos]\r\nTop=1\r\nLeft=2\r\n"},
        WriteCase{"new key takes its section's line end, not the first line's",
                  "; hand-made\n[Pos]\r\nTop=1\r\n", "Pos", "Left", "2",
                  "; hand-made\n[Pos]\r\nTop=1\r\nLeft=2\r\n"},
        WriteCase{"new key in a CRLF section of a file of LF lines keeps CRLF",
                  "[Color]\nhour=1\nminute=2\n[Pos]\r\nTop=1\r\n[Mode]\nView=1\n", "Pos", "Left",
                  "2", "[Color]\nhour=1\nminute=2\n[Pos]\r\nTop=1\r\nLeft=2\r\n[Mode]\nView=1\n"},
        WriteCase{"new section in that file takes the file's LF",
                  "[Color]\nhour=1\nminute=2\n[Pos]\r\nTop=1\r\n", "Time", "Wave", "a.wav",
                  "[Color]\nhour=1\nminute=2\n[Pos]\r\nTop=1\r\n[Time]\nWave=a.wav\n"},
        WriteCase{"UTF-16 stays UTF-16", Utf16File(u"; メモ\r\n[Pos]\r\nTop=1\r\n"), "Pos", "Left",
                  "2", Utf16File(u"; メモ\r\n[Pos]\r\nTop=1\r\nLeft=2\r\n")},
        WriteCase{"UTF-16 keeps pairs at the range's edges and a lone low surrogate",
                  Utf16File(u"; \U00010000\U0010FFFF\xDC00\r\n[Time]\r\nWave=x\r\n"), "Time",
                  "Wave", "\xF0\x9F\x8F\xBF.wav",
                  Utf16File(u"; \U00010000\U0010FFFF\xDC00\r\n[Time]\r\nWave=\U0001F3FF.wav\r\n")},
        WriteCase{"UTF-16 big-endian keeps a lone surrogate and an odd last byte",
                  Utf16File(u"[Pos]\r\n;\xD800x\r\nTop=1\r\n", true) + "!", "Pos", "Top", "-450",
                  Utf16File(u"[Pos]\r\n;\xD800x\r\nTop=-450\r\n", true) + "!"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ProfileFileTest, RefusesValuesAndNamesThatWouldNotReadBack) {
    ProfileFile file("[Time]\r\nWave=a\r\n");
    EXPECT_FALSE(file.Set("Time", "Wave", "two\nlines").Ok());
    EXPECT_FALSE(file.Set("Time", "Wave", "cr\rhere").Ok());
    EXPECT_FALSE(file.Set("Ti]me", "Wave", "x").Ok());
    EXPECT_FALSE(file.Set("Time", "Wa=ve", "x").Ok());
    EXPECT_FALSE(file.Set("Time", "", "x").Ok());
    EXPECT_EQ(file.Bytes(), "[Time]\r\nWave=a\r\n");
}

TEST(ProfileFileTest, MissingFileReadsTheDefaultAndIsNotCreated) {
    TempFolder folder;
    const auto ini = folder.Path() / "Clock.ini";
    EXPECT_EQ(GetProfileString(ini, "Color", "hour", "1"), "1");
    EXPECT_FALSE(std::filesystem::exists(ini));
}

TEST(ProfileFileTest, SaveKeepsCommentsSpacingAndUnknownKeysByteForByte) {
    TempFolder folder;
    const auto ini = folder.Path() / "Clock.ini";
    const std::string before =
        "; ソラネ settings, edited by hand\n"
        "[Color]\n"
        "hour = 4   \n"
        "Extra=keep me\n"
        "\n"
        "[Pos]\r\n"
        "Top=1\r\n";
    folder.Write("Clock.ini", before);
    ASSERT_TRUE(WriteProfileStrings(ini, {{"Color", "hour", "12"}, {"Pos", "Left", "30"}}).Ok());
    EXPECT_EQ(folder.Read("Clock.ini"),
              "; ソラネ settings, edited by hand\n"
              "[Color]\n"
              "hour = 12\n"
              "Extra=keep me\n"
              "\n"
              "[Pos]\r\n"
              "Top=1\r\n"
              "Left=30\r\n");
}

TEST(ProfileFileTest, FailedWriteReportsTheReasonAndLeavesNoTrace) {
    TempFolder folder;
    folder.Write("not-a-folder", "x");
    const auto ini = folder.Path() / "not-a-folder" / "Clock.ini";
    const WriteOutcome outcome = WriteProfileStrings(ini, {{"Pos", "Top", "1"}});
    EXPECT_FALSE(outcome.Ok());
    EXPECT_NE(outcome.error.find("not-a-folder"), std::string::npos) << outcome.error;
    EXPECT_EQ(folder.Read("not-a-folder"), "x");
}

TEST(ProfileFileTest, ReadOnlyFileIsLeftAlone) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Pos]\r\nTop=1\r\n");
    const auto ini = folder.Path() / "Clock.ini";
    std::filesystem::permissions(ini, std::filesystem::perms::owner_read |
                                          std::filesystem::perms::group_read |
                                          std::filesystem::perms::others_read);
    const WriteOutcome outcome = WriteProfileStrings(ini, {{"Pos", "Top", "2"}});
    EXPECT_FALSE(outcome.Ok());
    EXPECT_NE(outcome.error.find("read-only"), std::string::npos) << outcome.error;
    EXPECT_NE(outcome.reason.find("読み取り専用です"), std::string::npos) << outcome.reason;
    EXPECT_EQ(folder.Read("Clock.ini"), "[Pos]\r\nTop=1\r\n");
}

TEST(ProfileFileTest, FileThisUserMayNotWriteIsRefusedWhateverItsMode) {
#if defined(_WIN32)
    GTEST_SKIP() << "Windows decides with access lists when the file is replaced (reported then)";
#else
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root, to save as another user over root's file";
    }
    TempFolder folder;
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::all);
    folder.Write("Clock.ini", "[Pos]\r\nTop=1\r\n");
    const auto ini = folder.Path() / "Clock.ini";
    std::filesystem::permissions(ini, std::filesystem::perms(0644));
    const pid_t child = ::fork();
    if (child == 0) {
        // In a writable folder, a 0644 file of root's, saved by nobody.
        const bool refused =
            ::setuid(65534) == 0 &&
            WriteProfileStrings(ini, {{"Pos", "Top", "2"}}).reason.find("読み取り専用です") !=
                std::string::npos;
        ::_exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save was not refused";
    EXPECT_EQ(folder.Read("Clock.ini"), "[Pos]\r\nTop=1\r\n");
#endif
}

TEST(ProfileFileTest, SaveOverAFolderIsReportedInJapaneseAndLeavesNoTemporaryFile) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "Clock.ini");
    const WriteOutcome outcome = ReplaceFileAtomically(folder.Path() / "Clock.ini", "x");
    EXPECT_FALSE(outcome.Ok());
    EXPECT_NE(outcome.reason.find("フォルダー"), std::string::npos) << outcome.reason;
    EXPECT_EQ(EntriesIn(folder), 1) << "a temporary file was left";
}

// What is no plain file is never read as settings nor replaced by a save:
// a FIFO must not hold the reader up, a device must stay a device.
TEST(ProfileFileTest, OnlyARegularFileIsReadOrReplaced) {
#if defined(_WIN32)
    GTEST_SKIP() << "FIFOs, sockets, device nodes and link loops are POSIX files";
#else
    namespace fs = std::filesystem;
    TempFolder folder;
    const fs::path dir = folder.Path();
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    const int socket_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, (dir / "socket").c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(socket_fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const bool root = ::getuid() == 0;
    if (root) {
        ASSERT_EQ(::mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    fs::create_symlink("fifo", dir / "link to a fifo");
    fs::create_symlink("loop b", dir / "loop a");
    fs::create_symlink("loop a", dir / "loop b");
    { std::ofstream large(dir / "large", std::ios::binary); }
    fs::resize_file(dir / "large", SETTINGS_FILE_MAX_BYTES + 1);

    struct Case {
        const char* name;
        const char* reason;
    };
    std::vector<Case> cases{{"fifo", "名前付きパイプ"},
                            {"socket", "ソケット"},
                            {"link to a fifo", "名前付きパイプ"},
                            {"loop a", "循環"},
                            {"large", "大きすぎます"}};
    if (root) {
        cases.push_back({"null", "デバイス"});
    }
    for (const Case& c : cases) {
        const fs::path path = dir / c.name;
        const fs::file_type before = fs::symlink_status(path).type();
        const FileRead read = ReadWholeFile(path);
        EXPECT_EQ(read.status, FileRead::Status::Refused) << c.name;
        EXPECT_NE(read.problem.reason.find(c.reason), std::string::npos) << read.problem.reason;
        const WriteOutcome saved = WriteProfileStrings(path, {{"Pos", "Top", "1"}});
        EXPECT_FALSE(saved.Ok()) << c.name;
        EXPECT_NE(saved.reason.find(c.reason), std::string::npos) << saved.reason;
        EXPECT_EQ(fs::symlink_status(path).type(), before) << c.name << " was replaced";
        if (before != fs::file_type::regular) {
            EXPECT_FALSE(ReplaceFileAtomically(path, "[Pos]\r\n").Ok()) << c.name;
            EXPECT_EQ(fs::symlink_status(path).type(), before) << c.name << " was replaced";
        }
    }
    EXPECT_EQ(fs::status(dir / "fifo").type(), fs::file_type::fifo);
    ::close(socket_fd);
#endif
}

TEST(ProfileFileTest, TemporaryFilesOfKilledSavesAreRemovedAndLiveOnesKept) {
#if defined(_WIN32)
    GTEST_SKIP() << "the clean-up of killed saves is done on POSIX systems only";
#else
    TempFolder folder;
    const pid_t dead = ::fork();
    if (dead == 0) {
        ::_exit(0);
    }
    ::waitpid(dead, nullptr, 0);
    const std::string orphan = ".Clock.ini.tmp-" + std::to_string(dead) + "-0";
    const std::string live = ".Clock.ini.tmp-" + std::to_string(::getppid()) + "-3";
    folder.Write(orphan, "half");
    folder.Write(live, "busy");
    folder.Write(".Other.ini.tmp-" + std::to_string(dead) + "-0", "not ours");
    // A saver of another user: the system will not say whether it lives
    // (EPERM), so its file stays. As root the save is made as nobody.
    const std::string other_user = ".Clock.ini.tmp-1-0";
    folder.Write(other_user, "theirs");
    const auto save = [&] {
        return WriteProfileStrings(folder.Path() / "Clock.ini", {{"Pos", "Top", "1"}}).Ok();
    };
    if (::geteuid() == 0) {
        std::filesystem::permissions(folder.Path(), std::filesystem::perms::all);
        const pid_t saver = ::fork();
        if (saver == 0) {
            ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && save() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(saver, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    } else {
        ASSERT_TRUE(save());
    }
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / other_user));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / orphan));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / live));
    EXPECT_TRUE(
        std::filesystem::exists(folder.Path() / (".Other.ini.tmp-" + std::to_string(dead) + "-0")));
#endif
}

TEST(ProfileFileTest, NewFileIsNeverReadableByOthersBeforeItIsComplete) {
#if defined(_WIN32)
    GTEST_SKIP() << "Windows files have no POSIX modes; the temporary file is opened unshared";
#else
    // The temporary file is made 0600 and given the umask's mode at the end.
    TempFolder folder;
    const mode_t old_mask = ::umask(022);
    ASSERT_TRUE(WriteProfileStrings(folder.Path() / "Clock.ini", {{"Pos", "Top", "1"}}).Ok());
    ::umask(old_mask);
    EXPECT_EQ(std::filesystem::status(folder.Path() / "Clock.ini").permissions() &
                  std::filesystem::perms::all,
              std::filesystem::perms(0644));
#endif
}

TEST(ProfileFileTest, WriteLeavesNoTemporaryFileAndKeepsPermissions) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Pos]\r\nTop=1\r\n");
    const auto ini = folder.Path() / "Clock.ini";
    const auto perms = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    std::filesystem::permissions(ini, perms);
    ASSERT_TRUE(WriteProfileStrings(ini, {{"Pos", "Top", "2"}}).Ok());
#if !defined(_WIN32)  // Windows keeps attributes, not modes (tested below)
    EXPECT_EQ(std::filesystem::status(ini).permissions() & std::filesystem::perms::all, perms);
#endif
    EXPECT_EQ(EntriesIn(folder), 1) << "a temporary file was left";
}

// The next start refuses a file past the bound: a save never makes one.
TEST(ProfileFileTest, SaveThatWouldPassTheSizeBoundIsRefusedAndTheFileKept) {
    TempFolder folder;
    const std::string near_bound =
        "[Pos]\r\n;" + std::string(SETTINGS_FILE_MAX_BYTES - 10, 'x') + "\r\n";
    folder.Write("Clock.ini", near_bound);
    const WriteOutcome saved =
        WriteProfileStrings(folder.Path() / "Clock.ini", {{"Pos", "Left", "123456"}});
    EXPECT_FALSE(saved.Ok());
    EXPECT_NE(saved.reason.find("大きすぎます"), std::string::npos) << saved.reason;
    EXPECT_EQ(folder.Read("Clock.ini"), near_bound);
    EXPECT_EQ(EntriesIn(folder), 1) << "a temporary file was left";
}

// Any file reads, its last line too: a million blank lines are read
// through, not listed (what that costs is measured in bench/).
TEST(ProfileFileTest, FileOfAMillionBlankLinesReadsItsLastKey) {
    const std::string blank_lines(1'000'000, '\n');
    ProfileFile profile("[Pos]\r\n" + blank_lines + "Top=7\r\n");
    EXPECT_EQ(profile.Get("Pos", "Top"), "7");
    EXPECT_EQ(profile.Get("Pos", "Left"), std::nullopt);
    ASSERT_TRUE(profile.Set("Pos", "Left", "8").Ok());
    EXPECT_EQ(profile.Get("Pos", "Left"), "8");
    EXPECT_EQ(profile.Bytes().substr(profile.Bytes().size() - 15), "Top=7\r\nLeft=8\r\n");
}

TEST(ProfileFileTest, WriteThroughAChainOfSymbolicLinksReplacesTheFinalTarget) {
#if defined(_WIN32)
    GTEST_SKIP() << "MinGW's standard library makes no symbolic links";
#else
    TempFolder folder;
    folder.Write("real.ini", "[Pos]\r\nTop=1\r\n");
    std::filesystem::create_symlink("real.ini", folder.Path() / "mid.ini");
    std::filesystem::create_symlink("mid.ini", folder.Path() / "Clock.ini");
    ASSERT_TRUE(WriteProfileStrings(folder.Path() / "Clock.ini", {{"Pos", "Top", "2"}}).Ok());
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / "Clock.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / "mid.ini"));
    EXPECT_EQ(folder.Read("real.ini"), "[Pos]\r\nTop=2\r\n");
#endif
}

#if defined(_WIN32)

// Opens the file as another program may: reading, sharing neither writing
// nor deleting, so that it cannot be replaced while the handle is open.
HANDLE HoldOpen(const std::filesystem::path& file) {
    return ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(ProfileFileWindowsTest, FileHeldOpenForAMomentIsReplacedOnceItIsLetGo) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Pos]\r\nTop=1\r\n");
    const auto ini = folder.Path() / "Clock.ini";
    HANDLE held = HoldOpen(ini);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread letting_go([held] {
        ::Sleep(200);
        ::CloseHandle(held);
    });
    const WriteOutcome outcome = WriteProfileStrings(ini, {{"Pos", "Top", "2"}});
    letting_go.join();
    EXPECT_TRUE(outcome.Ok()) << outcome.error;
    EXPECT_EQ(folder.Read("Clock.ini"), "[Pos]\r\nTop=2\r\n");
}

TEST(ProfileFileWindowsTest, FileHeldOpenThroughoutKeepsItsContentAndSaysWhy) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Pos]\r\nTop=1\r\n");
    const auto ini = folder.Path() / "Clock.ini";
    HANDLE held = HoldOpen(ini);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const WriteOutcome outcome = WriteProfileStrings(ini, {{"Pos", "Top", "2"}});
    ::CloseHandle(held);
    EXPECT_FALSE(outcome.Ok());
    EXPECT_NE(outcome.error.find("Clock.ini: cannot write the file: "), std::string::npos)
        << outcome.error;
    EXPECT_EQ(outcome.error.find("Success"), std::string::npos) << outcome.error;
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_EQ(folder.Read("Clock.ini"), "[Pos]\r\nTop=1\r\n");
    EXPECT_EQ(EntriesIn(folder), 1) << "a temporary file was left";
}

TEST(ProfileFileWindowsTest, ReplacementKeepsTheFilesAttributes) {
    TempFolder folder;
    folder.Write("Clock.ini", "[Pos]\r\nTop=1\r\n");
    const auto ini = folder.Path() / "Clock.ini";
    ASSERT_TRUE(::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteProfileStrings(ini, {{"Pos", "Top", "2"}}).Ok());
    EXPECT_TRUE(::GetFileAttributesW(ini.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(folder.Read("Clock.ini"), "[Pos]\r\nTop=2\r\n");
}

TEST(ProfileFileWindowsTest, TwoSaversNeverShareATemporaryFile) {
    TempFolder folder;
    // A temporary file of this process's first choice is already there.
    folder.Write(".Clock.ini.tmp-" + std::to_string(::GetCurrentProcessId()) + "-0", "other");
    ASSERT_TRUE(WriteProfileStrings(folder.Path() / "Clock.ini", {{"Pos", "Top", "2"}}).Ok());
    EXPECT_EQ(folder.Read(".Clock.ini.tmp-" + std::to_string(::GetCurrentProcessId()) + "-0"),
              "other");
    EXPECT_EQ(folder.Read("Clock.ini"), "[Pos]\r\nTop=2\r\n");
}

#endif

}  // namespace
}  // namespace sorane
