#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orv::bench {

// Realistic game text as the server sends it: 73-byte lines, blank lines, prompts, SpyNet
// reports and now and then a telnet command, all with CR LF line ends.
inline std::string MakeGameText(std::size_t bytes) {
    static const char* const lines[] = {
        "You are in the main concourse of Earth Spaceport. Traders hurry past you.",
        "",
        ">look",
        "SPYNET REPORT: Captain Zed has entered Orvanta DataSpace.               ",
        "The exchange board lists alloys at 412 credits and textiles at 88 credit.",
        "Nova says, \"Anyone hauling spice to Mars this shift? I pay well, friend.\"",
        "",
        "SPYNET REPORT: Duchess Avalon has left Orvanta DataSpace.               ",
        "Your ship's computer reports: fuel 78%, hull 100%, cargo bays 12 of 24. ",
    };
    const std::string iac = {char(255), char(251), char(3), char(255), char(253), char(31)};
    std::string text;
    text.reserve(bytes + 128);
    std::size_t i = 0;
    while (text.size() < bytes) {
        text += lines[i % std::size(lines)];
        text += "\r\n";
        if (++i % 97 == 0) text += iac;
    }
    return text;
}

// The text cut into reads of at most 4,095 bytes, as the window hands them on.
inline std::vector<std::string> Chunks(const std::string& text) {
    std::vector<std::string> chunks;
    for (std::size_t at = 0; at < text.size(); at += 4095)
        chunks.push_back(text.substr(at, 4095));
    return chunks;
}

} // namespace orv::bench
