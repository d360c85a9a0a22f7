#include "store/Log.h"
#include "Fakes.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using Lines = std::vector<std::string>;

// A fixed clock, and shows lines the way the main window does: into the output model, whose sink
// is the log.
struct FakeLogHost : Clock, LogHost {
    LocalTime Now() const override { return time; }
    void ShowLine(std::string_view line) override {
        shown.emplace_back(line);
        if (log != nullptr) log->WriteLine(line);
    }
    void LoggingChanged(bool open) override { changes.push_back(open); }
    LocalTime time{2026, 12, 5, 14, 3, 9, 6}; // Sat Dec 05 14:03:09 2026
    SessionLog* log = nullptr;
    Lines shown;
    std::vector<bool> changes;
};

struct LogFixture : ::testing::Test {
    std::unique_ptr<SessionLog> MakeLog(const std::string& start = "") {
        auto log = std::make_unique<SessionLog>(host, host, start.empty() ? dir.Path().string() : start);
        host.log = log.get();
        return log;
    }
    std::string DayLog() const { return (dir.Path() / "logs" / "05Dec2026.log").string(); }

    TempDir dir;
    FakeLogHost host;
};

// The text as the platform writes text files.
std::string Native(std::string_view text) {
    std::string out;
    for (const char c : text)
        c == '\n' ? out += LineEnd : out += c;
    return out;
}

TEST_F(LogFixture, TwoRunsOnOneDayAppendToOneDayFileAndAnOpenLogIsNeverReplaced) {
    auto log = MakeLog();
    log->StartDayLog(); // the logs folder does not exist yet
    EXPECT_EQ(log->LogPath, DayLog());
    EXPECT_FALSE(log->OpenChosenLog(dir / "other.log"));
    host.ShowLine("two\nlines");
    host.ShowLine(""); // blank lines reach the log even when the pane suppresses them
    log->CloseLog();
    host.ShowLine("after");
    EXPECT_EQ(host.changes, (std::vector<bool>{true, false}));

    host.time.Hour = 23;
    log = MakeLog();
    log->StartDayLog();
    log.reset(); // the end of the program closes the log with its stop line
    EXPECT_EQ(Slurp(DayLog()), Native("\n*** Logging started - Sat Dec 05 14:03:09 2026\n"
                                      "*** Saving to log file ***\ntwo\nlines\n\n"
                                      "\n*** Logging stopped - Sat Dec 05 14:03:09 2026\n"
                                      "\n*** Logging started - Sat Dec 05 23:03:09 2026\n"
                                      "*** Saving to log file ***\n"
                                      "\n*** Logging stopped - Sat Dec 05 23:03:09 2026\n"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "other.log"));
}

TEST_F(LogFixture, SavedBuffersAppendBetweenStampsEvenToTheOpenLogAndFailuresToOpenAreReported) {
    auto log = MakeLog();
    const std::string path = dir / "buffer.log";
    ASSERT_TRUE(log->OpenChosenLog(path));
    host.ShowLine("shown");
    log->SaveBuffer(path, "  \nlast"); // the stamp after it starts a line of its own
    log->CloseLog();
    EXPECT_EQ(Slurp(path),
              Native("\n*** Logging started - Sat Dec 05 14:03:09 2026\n*** Saving to log file ***\n"
                     "shown\n\n*** Save started - Sat Dec 05 14:03:09 2026\n  \nlast\n"
                     "*** Save completed - Sat Dec 05 14:03:09 2026\n\n*** Buffer saved ***\n"
                     "\n*** Logging stopped - Sat Dec 05 14:03:09 2026\n"));
    log->SaveBuffer(dir / "missing/buffer.log", "text");
    EXPECT_EQ(host.shown.back(), "--- Sorry - unable to open file ---");

    // A logs folder that cannot be made is reported and nothing opens.
    host.shown.clear();
    Spit(dir / "plain", "a file where the start folder belongs");
    log = MakeLog(dir / "plain");
    log->StartDayLog();
    EXPECT_FALSE(log->IsOpen());
    EXPECT_EQ(host.shown, Lines{"--- Sorry - unable to open log file ---"});
    EXPECT_EQ(host.changes, (std::vector<bool>{true, false}));
}

} // namespace
} // namespace orv::test
