// One stream fed whole and cut into reads gives the same text, replies and trace: a sequence cut by a
// read is only held back. The first byte is the number of cuts (0 to 7), the next the lengths of the
// reads before them, the rest the stream. No command byte and no NUL padding may reach the text.
#include "tests/session/FakeHost.h"

#include <cstdlib>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto feed = [](const std::vector<std::string_view>& reads) {
        orv::test::FakeHost host;
        host.diagnostics = true;
        orv::Telnet telnet(host);
        std::string text, read;
        for (const std::string_view piece : reads) {
            telnet.StripTelnet(read.assign(piece));
            text += read;
        }
        return std::tuple(text, host.sent, host.shown); // the text, the replies and the trace
    };
    const std::size_t cuts = std::min<std::size_t>(data[0] % 8, size - 1);
    const std::string_view stream(reinterpret_cast<const char*>(data) + 1 + cuts, size - 1 - cuts);
    std::vector<std::string_view> reads;
    for (std::size_t i = 1, at = 0; i <= cuts + 1; ++i) {
        reads.push_back(stream.substr(at, i <= cuts ? data[i] : std::string_view::npos));
        at += reads.back().size();
    }
    const auto whole = feed({stream});
    if (feed(reads) != whole ||
        std::get<0>(whole).find_first_of(std::string_view("\0\xff", 2)) != std::string::npos)
        std::abort();
    return 0;
}
