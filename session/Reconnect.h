#pragma once

#include <cstdint>
#include <string>

namespace orv {

// When to log on again after the link to the game drops: only once a log-on succeeded, after
// waits of 2, 4, 8, 16, 32 and then 60 seconds, at most MaxTries times. The player's own connect
// or log-off, a refused log-on and a new-account dialogue end it for good.
class Reconnect {
  public:
    static constexpr int MaxTries = 10;
    // The option, which counts when the link drops. Switched off, a wait under way is dropped.
    void SetEnabled(bool enabled);
    // Logged on: a later drop is tried again if the option is on by then. A try that logs on starts
    // the count afresh.
    void LoggedOn();
    // The player connected or logged off, the log-on was refused, or a new account is being made.
    void Cancel();

    enum class Next { Nothing, Wait, GiveUp };
    // The link dropped, or a try failed before it logged on, at nowMs: Wait when a try is now
    // due at DueMs(), GiveUp once MaxTries have failed.
    Next Dropped(std::int64_t nowMs);
    // True once the wait is over: the try starts now and counts as under way.
    bool TryDue(std::int64_t nowMs);

    bool Waiting() const { return state_ == State::Waiting; }
    bool Trying() const { return state_ == State::Trying; }
    int Attempt() const { return attempt_; }
    std::int64_t DueMs() const { return dueMs_; }
    // "Reconnecting in 8 s (try 3 of 10)", the seconds rounded up.
    std::string Countdown(std::int64_t nowMs) const;
    // What, and the try it is about: "Reconnected (try 3 of 10)".
    std::string Label(const std::string& what) const;

  private:
    enum class State { Idle, Armed, Waiting, Trying };
    State state_ = State::Idle;
    bool enabled_ = false;
    int attempt_ = 0;
    std::int64_t dueMs_ = 0;
};

} // namespace orv
