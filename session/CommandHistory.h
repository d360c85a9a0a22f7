#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// The commands the player sent with Enter in this run, to call back into the input pane. Kept in
// memory only: a server without automated log-on may have been sent a password this way.
class CommandHistory {
  public:
    static constexpr std::size_t Limit = 200;

    // A command as it went out, its line end dropped; one equal to the newest is kept once, an empty
    // one not at all. Ends any recall.
    void Add(std::string_view command);
    // The command before the one shown, or nothing at the oldest. The first step back keeps
    // typing, the text being typed, to give it back past the newest.
    std::optional<std::string> Older(std::string_view typing);
    // The command after the one shown; past the newest, what was being typed. Nothing while no
    // recall is under way.
    std::optional<std::string> Newer();

  private:
    std::deque<std::string> commands_;
    std::size_t shown_ = 0; // commands_.size() while nothing recalled
    std::string typing_;
};

} // namespace orv
