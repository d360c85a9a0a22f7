#pragma once

#include "session/LinkState.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// Virtual-key codes the input pane acts on, as the game's keyboard layer numbers them.
namespace vk {
inline constexpr int Return = 13, Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37,
                     Up = 38, Right = 39, Down = 40, F1 = 112, F12 = 123;
}

// The direction command a navigation key sends with Keypad Travel on ("n\n", "ne\n", ...), or
// nothing for any other key.
std::optional<std::string_view> TravelCommand(int virtualKey);

// Typed keys are acted on only while playing or logging on.
bool AcceptsKeys(LinkState state);

// content followed by word and one space ("%s%s "), cut to limit bytes.
std::string AppendWord(std::string_view content, std::string_view word, std::size_t limit);

// The one-click commands on a listed player. Their formats are the game's: hug, kiss and the
// SpyNet report carry a space before the line end, examine does not.
enum class PlayerAction { BuyRound, Examine, Hug, Kiss, SpyNetReport };
std::string PlayerCommand(PlayerAction action, std::string_view name);
// The start of a tell to the player, ready for the message to be typed after it.
std::string TellText(std::string_view name);

} // namespace orv
