// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// profile_probe: reads or writes one key of a profile (INI) file with the
// clock's own engine, for checking it against other implementations.
//
//   profile_probe get FILE SECTION KEY DEFAULT   prints the value, then a newline
//   profile_probe set FILE SECTION KEY VALUE     writes the key; exit 1 with the
//                                                reason on standard error
//
// Arguments are UTF-8; on Windows they are taken as UTF-16 (wmain) and turned
// into UTF-8, so that a Japanese file name arrives whole.

#include <iostream>
#include <string>
#include <vector>

#include "settings/ProfileFile.h"
#include "settings/Utf8Path.h"

namespace {

int Probe(const std::vector<std::string>& args) {
    using namespace sorane;
    const std::string usage =
        "usage: profile_probe get FILE SECTION KEY DEFAULT\n"
        "       profile_probe set FILE SECTION KEY VALUE\n";
    if (args.size() != 6) {
        std::cerr << usage;
        return 2;
    }
    const std::string& command = args[1];
    const auto file = PathFromUtf8(args[2]);
    if (command == "get") {
        std::cout << GetProfileString(file, args[3], args[4], args[5]) << '\n';
        return 0;
    }
    if (command == "set") {
        const WriteOutcome outcome = WriteProfileStrings(file, {{args[3], args[4], args[5]}});
        if (!outcome.Ok()) {
            std::cerr << "profile_probe: " << outcome.error << '\n';
            return 1;
        }
        return 0;
    }
    std::cerr << usage;
    return 2;
}

}  // namespace

#if defined(_WIN32)
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        args.push_back(sorane::Utf8FromPath(std::filesystem::path(argv[i])));
    }
    return Probe(args);
}
#else
int main(int argc, char** argv) {
    return Probe(std::vector<std::string>(argv, argv + argc));
}
#endif
