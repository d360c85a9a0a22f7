#include "session/Connection.h"

#include <charconv>

namespace orv {

std::string ComposeCaption(std::string_view host, std::string_view avatar, bool socketActive) {
    std::string caption = "Orv2Term - ";
    caption += VersionLabel;
    if (avatar.empty()) return caption;
    if (socketActive) {
        caption += " - ";
        caption += host;
    }
    caption += " - ";
    caption += avatar;
    return caption;
}

std::optional<unsigned short> ParsePort(std::string_view text) {
    // Surrounding blanks are forgiven, as a number box would; anything else is not a port.
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > 65535)
        return std::nullopt;
    return static_cast<unsigned short>(value);
}

std::optional<std::string_view> TravelCommand(int virtualKey) {
    switch (virtualKey) {
    case vk::Up: return "n\n";
    case vk::PageUp: return "ne\n";
    case vk::Right: return "e\n";
    case vk::PageDown: return "se\n";
    case vk::Down: return "s\n";
    case vk::End: return "sw\n";
    case vk::Left: return "w\n";
    case vk::Home: return "nw\n";
    default: return std::nullopt;
    }
}

bool AcceptsKeys(LinkState state) { return state == LinkState::Normal || state == LinkState::Logon; }

std::string AppendWord(std::string_view content, std::string_view word, std::size_t limit) {
    std::string joined;
    joined.reserve(content.size() + word.size() + 1);
    joined.append(content).append(word).push_back(' ');
    if (joined.size() > limit) joined.resize(limit);
    return joined;
}

std::string PlayerCommand(PlayerAction action, std::string_view name) {
    const std::string n(name);
    switch (action) {
    case PlayerAction::BuyRound: return "buy round\n";
    case PlayerAction::Examine: return "ex " + n + "\n";
    case PlayerAction::Hug: return "Hug " + n + " \n";
    case PlayerAction::Kiss: return "Kiss " + n + " \n";
    case PlayerAction::SpyNetReport: return "Spynet Report " + n + " \n";
    }
    return {};
}

std::string TellText(std::string_view name) { return "Tell " + std::string(name) + " "; }

} // namespace orv
