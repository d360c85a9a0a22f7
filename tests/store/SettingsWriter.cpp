// Writes the values PREFIX_0 = 0, PREFIX_1 = 1, ... up to COUNT - 1 into a settings file, one
// write each, as the client's setters do; the process tests kill it midway or starve it of disk.
#include "store/RegFile.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: settings_writer FILE PREFIX COUNT\n", stderr);
        return 2;
    }
    orv::RegFile key(argv[1]);
    for (int i = 0; i < std::stoi(argv[3]); ++i) {
        if (const auto error =
                key.WriteDword(argv[2] + ("_" + std::to_string(i)), static_cast<std::uint32_t>(i))) {
            std::fprintf(stderr, "settings_writer: %s\n", error.message().c_str());
            return 1;
        }
    }
    return 0;
}
