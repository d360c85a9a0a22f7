// Any ff.dat reads as at most one entry per line, each the start of its line and no longer than
// the limit, given by the first byte; the rest is the file.
#include "store/FriendsFile.h"
#include "tests/store/Fakes.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const orv::test::TempDir dir; // one folder for the run: making one per input is slow
    const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);
    orv::test::Spit(dir / orv::FriendsFileName, file);
    const auto names = orv::LoadFriends(dir.Path(), data[0]);

    for (std::size_t at = 0; const std::string& name : names) { // at: where the entry's line starts
        if (at > file.size()) std::abort();                     // more entries than lines
        const std::string_view line = file.substr(at, file.find('\n', at) - at);
        if (name.size() > data[0] || !line.starts_with(name)) std::abort();
        at += line.size() + 1;
    }
    return 0;
}
