#include "session/Commands.h"

namespace orv {

std::optional<std::string_view> TravelCommand(int virtualKey) {
    switch (virtualKey) {
    case vk::Up:
        return "n\n";
    case vk::PageUp:
        return "ne\n";
    case vk::Right:
        return "e\n";
    case vk::PageDown:
        return "se\n";
    case vk::Down:
        return "s\n";
    case vk::End:
        return "sw\n";
    case vk::Left:
        return "w\n";
    case vk::Home:
        return "nw\n";
    default:
        return std::nullopt;
    }
}

bool AcceptsKeys(LinkState state) {
    return state == LinkState::Normal || state == LinkState::Logon;
}

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
    case PlayerAction::BuyRound:
        return "buy round\n";
    case PlayerAction::Examine:
        return "ex " + n + "\n";
    case PlayerAction::Hug:
        return "Hug " + n + " \n";
    case PlayerAction::Kiss:
        return "Kiss " + n + " \n";
    case PlayerAction::SpyNetReport:
        return "Spynet Report " + n + " \n";
    }
    return {};
}

std::string TellText(std::string_view name) {
    return "Tell " + std::string(name) + " ";
}

} // namespace orv
