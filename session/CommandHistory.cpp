#include "session/CommandHistory.h"

namespace orv {

void CommandHistory::Add(std::string_view command) {
    if (command.ends_with('\n')) command.remove_suffix(1);
    if (command.empty()) return; // a bare Enter is not recalled
    if (commands_.empty() || commands_.back() != command) commands_.emplace_back(command);
    if (commands_.size() > Limit) commands_.pop_front();
    shown_ = commands_.size();
    typing_.clear();
}

std::optional<std::string> CommandHistory::Older(std::string_view typing) {
    if (shown_ == 0) return std::nullopt;
    if (shown_ == commands_.size()) typing_ = typing;
    return commands_[--shown_];
}

std::optional<std::string> CommandHistory::Newer() {
    if (shown_ == commands_.size()) return std::nullopt;
    return ++shown_ == commands_.size() ? typing_ : commands_[shown_];
}

} // namespace orv
