#include "store/Log.h"
#include "Fakes.h"
#include "store/Reg.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

class FixedClock : public Clock {
  public:
    LocalTime Now() const override { return time; }
    LocalTime time{2026, 12, 5, 14, 3, 9, 6}; // Sat Dec 05 14:03:09 2026
};

// Shows lines the way the main window does: into the output model, whose sink is the log.
class FakeLogHost : public LogHost {
  public:
    void ShowLine(std::string_view line) override {
        shown.emplace_back(line);
        if (log != nullptr) log->WriteLine(line);
    }
    void LoggingChanged(bool open) override { changes.push_back(open); }
    SessionLog* log = nullptr;
    std::vector<std::string> shown;
    std::vector<bool> changes;
};

struct LogFixture : ::testing::Test {
    std::unique_ptr<SessionLog> MakeLog() {
        auto log = std::make_unique<SessionLog>(host, clock, dir.Path().string());
        host.log = log.get();
        return log;
    }
    std::string DayLog() const { return (dir.Path() / "logs" / "05Dec2026.log").string(); }

    TempDir dir;
    FixedClock clock;
    FakeLogHost host;
};

// The text as the platform writes text files.
std::string Native(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out += LineEnd;
        else
            out += c;
    }
    return out;
}

TEST(LogStamp, EnglishNamesAndTwoDigitFields) {
    EXPECT_EQ(FormatStamp({2026, 12, 5, 14, 3, 9, 6}), "Sat Dec 05 14:03:09 2026\n");
    EXPECT_EQ(FormatStamp({2027, 1, 31, 0, 0, 0, 0}), "Sun Jan 31 00:00:00 2027\n");
    EXPECT_EQ(FormatStamp({999, 7, 14, 23, 59, 59, 3}), "Wed Jul 14 23:59:59 0999\n");
    EXPECT_EQ(DayLogName({2026, 12, 5, 14, 3, 9, 6}), "05Dec2026.log");
    EXPECT_EQ(DayLogName({2027, 1, 31, 0, 0, 0, 0}), "31Jan2027.log");
}

TEST_F(LogFixture, TwoRunsOnOneDayAppendToOneDayFile) {
    auto log = MakeLog();
    log->StartDayLog(); // the logs folder does not exist yet
    ASSERT_TRUE(log->IsOpen());
    EXPECT_EQ(log->LogPath, DayLog());
    host.ShowLine("hello");
    host.ShowLine(""); // blank lines reach the log even when the pane suppresses them
    log->CloseLog();
    EXPECT_FALSE(log->IsOpen());
    EXPECT_EQ(host.shown, (std::vector<std::string>{"*** Saving to log file ***", "hello", "",
                                                    "*** Stopped saving to log file ***"}));
    EXPECT_EQ(host.changes, (std::vector<bool>{true, false}));

    clock.time.Hour = 23;
    log = MakeLog();
    log->StartDayLog();
    host.ShowLine("second run");
    log.reset(); // the end of the program closes the log with its stop line
    EXPECT_EQ(Slurp(DayLog()), Native("\n*** Logging started - Sat Dec 05 14:03:09 2026\n"
                                      "*** Saving to log file ***\n"
                                      "hello\n"
                                      "\n"
                                      "\n*** Logging stopped - Sat Dec 05 14:03:09 2026\n"
                                      "\n*** Logging started - Sat Dec 05 23:03:09 2026\n"
                                      "*** Saving to log file ***\n"
                                      "second run\n"
                                      "\n*** Logging stopped - Sat Dec 05 23:03:09 2026\n"));
}

TEST_F(LogFixture, LinesAreWrittenOnlyWhileALogIsOpen) {
    auto log = MakeLog();
    host.ShowLine("before");
    ASSERT_TRUE(log->OpenChosenLog(dir / "chosen.log"));
    EXPECT_FALSE(log->OpenChosenLog(dir / "other.log")); // an open log is never replaced
    EXPECT_EQ(log->LogPath, dir / "other.log");
    host.ShowLine("two\nlines");
    log->CloseLog();
    host.ShowLine("after");
    const std::string file = Slurp(dir / "chosen.log");
    EXPECT_EQ(file.find("before"), std::string::npos);
    EXPECT_EQ(file.find("after"), std::string::npos);
    EXPECT_NE(file.find(Native("*** Saving to log file ***\ntwo\nlines\n\n*** Logging stopped")),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "other.log"));
}

TEST_F(LogFixture, SavedBuffersAppendBetweenStamps) {
    auto log = MakeLog();
    const std::string path = dir / "buffer.log";
    log->SaveBuffer(path, "  \nfirst\nlast");
    clock.time.Second = 10;
    log->SaveBuffer(path, "again\n");
    EXPECT_EQ(Slurp(path), Native("\n*** Save started - Sat Dec 05 14:03:09 2026\n"
                                  "  \nfirst\nlast\n"
                                  "*** Save completed - Sat Dec 05 14:03:09 2026\n\n"
                                  "\n*** Save started - Sat Dec 05 14:03:10 2026\n"
                                  "again\n"
                                  "*** Save completed - Sat Dec 05 14:03:10 2026\n\n"));
    EXPECT_EQ(host.shown, (std::vector<std::string>{"*** Buffer saved ***", "*** Buffer saved ***"}));

    // Saved into the open log, the block follows what the log holds and the message follows it.
    ASSERT_TRUE(log->OpenChosenLog(path));
    host.ShowLine("shown");
    log->SaveBuffer(path, "pane");
    log->CloseLog();
    EXPECT_NE(Slurp(path).find(Native("shown\n\n*** Save started - Sat Dec 05 14:03:10 2026\npane\n"
                                      "*** Save completed - Sat Dec 05 14:03:10 2026\n\n"
                                      "*** Buffer saved ***\n\n*** Logging stopped")),
              std::string::npos);
}

TEST_F(LogFixture, FilesThatCannotBeOpenedAreReportedInThePane) {
    std::ofstream(dir / "plain") << "a file where the start folder belongs";
    SessionLog log(host, clock, dir / "plain");
    log.StartDayLog(); // neither the logs folder nor the log can be made
    EXPECT_FALSE(log.IsOpen());
    log.SaveBuffer(dir / "missing/buffer.log", "text");
    EXPECT_EQ(host.shown, (std::vector<std::string>{"--- Sorry - unable to open log file ---",
                                                    "--- Sorry - unable to open file ---"}));
    EXPECT_TRUE(host.changes.empty());
}

TEST_F(LogFixture, LogAllSessionsStoresTheSwitchAndOpensTheDayLogOnlyWhenNoneIsOpen) {
    FakeRegistry registry;
    FakeWindow window;
    SettingsStore store(std::make_unique<FakeKey>(registry), window);
    auto log = MakeLog();

    ASSERT_TRUE(log->OpenChosenLog(dir / "chosen.log"));
    log->LogAllToggled(true, store);
    EXPECT_TRUE(store.GetAutoLog());
    EXPECT_EQ(log->LogPath, dir / "chosen.log");
    log->LogAllToggled(false, store);
    EXPECT_FALSE(store.GetAutoLog());
    EXPECT_TRUE(log->IsOpen());
    log->CloseLog();

    log->LogAllToggled(true, store);
    EXPECT_TRUE(log->IsOpen());
    EXPECT_EQ(log->LogPath, DayLog());

    // A switch that cannot be stored opens nothing.
    log->CloseLog();
    registry.failing.insert("AutoLog");
    EXPECT_THROW(log->LogAllToggled(true, store), SettingsWriteError);
    EXPECT_FALSE(log->IsOpen());
}

} // namespace
} // namespace orv::test
