#include "session/Reconnect.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(Reconnect, WaitsDoubleFrom2To32SecondsThenAMinuteForTenTries) {
    Reconnect plan;
    plan.SetEnabled(true);
    plan.LoggedOn();
    std::int64_t now = 0;
    std::vector<std::int64_t> waits;
    while (plan.Dropped(now) == Reconnect::Next::Wait) {
        waits.push_back(plan.DueMs() - now);
        EXPECT_FALSE(plan.TryDue(plan.DueMs() - 1));
        EXPECT_EQ(plan.Countdown(plan.DueMs() - 7'500),
                  "Reconnecting in 8 s (try " + std::to_string(plan.Attempt()) + " of 10)");
        now = plan.DueMs();
        ASSERT_TRUE(plan.TryDue(now));
    }
    EXPECT_EQ(waits, (std::vector<std::int64_t>{2'000, 4'000, 8'000, 16'000, 32'000, 60'000, 60'000, 60'000,
                                                60'000, 60'000}));
    EXPECT_FALSE(plan.Waiting() || plan.Trying()) << "given up after ten tries";

    // A try that logs on starts the count afresh.
    plan.LoggedOn();
    ASSERT_EQ(plan.Dropped(now), Reconnect::Next::Wait);
    ASSERT_TRUE(plan.TryDue(plan.DueMs()));
    plan.LoggedOn();
    ASSERT_EQ(plan.Dropped(now), Reconnect::Next::Wait);
    EXPECT_EQ(plan.Attempt(), 1);
}

TEST(Reconnect, NeverRetriesWithoutTheOptionALogOnOrAfterACancel) {
    Reconnect plan;
    plan.LoggedOn();
    EXPECT_EQ(plan.Dropped(0), Reconnect::Next::Nothing) << "option off";
    plan.SetEnabled(true);
    EXPECT_EQ(plan.Dropped(0), Reconnect::Next::Nothing) << "never logged on";
    // The player's connect or log-off, a refusal, a new account: each cancels, waiting or armed.
    for (bool waiting : {false, true}) {
        plan.LoggedOn();
        if (waiting) {
            ASSERT_EQ(plan.Dropped(0), Reconnect::Next::Wait);
        }
        plan.Cancel();
        EXPECT_FALSE(plan.TryDue(60'000));
        EXPECT_EQ(plan.Dropped(0), Reconnect::Next::Nothing);
    }
    // Switching the option off drops a wait under way.
    plan.LoggedOn();
    ASSERT_EQ(plan.Dropped(0), Reconnect::Next::Wait);
    plan.SetEnabled(false);
    EXPECT_FALSE(plan.TryDue(60'000));
}

} // namespace
} // namespace orv
