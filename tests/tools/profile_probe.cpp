// profile_probe: reads or writes one key of a profile (INI) file with the
// clock's own engine, for checking it against other implementations.
//
//   profile_probe get FILE SECTION KEY DEFAULT   prints the value, then a newline
//   profile_probe set FILE SECTION KEY VALUE     writes the key; exit 1 with the
//                                                reason on standard error

#include <iostream>
#include <string>

#include "settings/ProfileFile.h"
#include "settings/Utf8Path.h"

int main(int argc, char** argv) {
    using namespace sorane;
    const std::string usage =
        "usage: profile_probe get FILE SECTION KEY DEFAULT\n"
        "       profile_probe set FILE SECTION KEY VALUE\n";
    if (argc != 6) {
        std::cerr << usage;
        return 2;
    }
    const std::string command = argv[1];
    const auto file = PathFromUtf8(argv[2]);
    if (command == "get") {
        std::cout << GetProfileString(file, argv[3], argv[4], argv[5]) << '\n';
        return 0;
    }
    if (command == "set") {
        const WriteOutcome outcome = WriteProfileStrings(file, {{argv[3], argv[4], argv[5]}});
        if (!outcome.Ok()) {
            std::cerr << "profile_probe: " << outcome.error << '\n';
            return 1;
        }
        return 0;
    }
    std::cerr << usage;
    return 2;
}
