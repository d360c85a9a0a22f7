#include "session/Reconnect.h"

#include <algorithm>

namespace orv {

namespace {

// The wait before try (1 to MaxTries), in milliseconds: doubling from 2 s; from the sixth try on,
// once a minute.
std::int64_t WaitMs(int attempt) {
    return attempt >= 6 ? 60'000 : std::int64_t{1000} << std::clamp(attempt, 1, 5);
}

} // namespace

void Reconnect::SetEnabled(bool enabled) {
    enabled_ = enabled;
    // A link logged on stays armed, for the option switched on again before it drops.
    if (!enabled_ && state_ != State::Armed) Cancel();
}

void Reconnect::LoggedOn() {
    state_ = State::Armed;
    attempt_ = 0;
}

void Reconnect::Cancel() {
    state_ = State::Idle;
    attempt_ = 0;
}

Reconnect::Next Reconnect::Dropped(std::int64_t nowMs) {
    if (!enabled_ || (state_ != State::Armed && state_ != State::Trying)) {
        Cancel();
        return Next::Nothing;
    }
    if (attempt_ >= MaxTries) {
        Cancel();
        return Next::GiveUp;
    }
    ++attempt_;
    dueMs_ = nowMs + WaitMs(attempt_);
    state_ = State::Waiting;
    return Next::Wait;
}

bool Reconnect::TryDue(std::int64_t nowMs) {
    if (state_ != State::Waiting || nowMs < dueMs_) return false;
    state_ = State::Trying;
    return true;
}

std::string Reconnect::Countdown(std::int64_t nowMs) const {
    const std::int64_t seconds = (std::max<std::int64_t>(dueMs_ - nowMs, 0) + 999) / 1000;
    return Label("Reconnecting in " + std::to_string(seconds) + " s");
}

std::string Reconnect::Label(const std::string& what) const {
    return what + " (try " + std::to_string(attempt_) + " of " + std::to_string(MaxTries) + ")";
}

} // namespace orv
