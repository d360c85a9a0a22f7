#pragma once

#include "store/Files.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace orv {

class SettingsStore;

// Local time, broken down as the stamps need it.
struct LocalTime {
    int Year = 1970;
    int Month = 1; // 1 to 12
    int Day = 1;   // 1 to 31
    int Hour = 0, Minute = 0, Second = 0;
    int Weekday = 4; // 0 Sunday to 6 Saturday
};

class Clock {
  public:
    virtual LocalTime Now() const = 0;

  protected:
    ~Clock() = default;
};

class SystemClock final : public Clock {
  public:
    LocalTime Now() const override;
};

// "Sat Dec 05 14:03:09 2026\n": English names whatever the locale, day with a leading zero.
std::string FormatStamp(const LocalTime& time);
// "05Dec2026.log"
std::string DayLogName(const LocalTime& time);

// What the session log needs from the main window: its messages go to the output pane (and from
// there into an open log, as every shown line does), and the Open and Close commands and status
// panel 1 follow whether a log is open.
class LogHost {
  public:
    virtual void ShowLine(std::string_view line) = 0;
    // Open: Open Log File disabled, Close Log File enabled, panel 1 "Logging"; closed: the reverse.
    virtual void LoggingChanged(bool open) = 0;

  protected:
    ~LogHost() = default;
};

// The session log: at most one log file open at a time, the day logs under StartDir's "logs"
// folder, and Save Screen Buffer. Every shown line is handed to WriteLine for the whole run; it
// is written only while a log is open. Write errors are not reported. Paths are byte strings in the system's
// narrow encoding.
class SessionLog final {
  public:
    SessionLog(LogHost& host, const Clock& clock, std::string startDir);
    // A log still open gets its stop line; nothing is shown.
    ~SessionLog();
    SessionLog(const SessionLog&) = delete;
    SessionLog& operator=(const SessionLog&) = delete;

    // A shown line, unchanged, with a line end.
    void WriteLine(std::string_view line);

    bool IsOpen() const { return file_ != nullptr; }
    // Hands what was written to the system; the window calls it once a frame, so a crash loses
    // at most a frame's lines without a system call per line.
    void Flush();

    // The log to open next.
    std::string LogPath;

    // LogPath := StartDir/logs/<day>.log, creating the logs folder when it is missing.
    void MakeDayLogPath();
    // Opens LogPath for appending, writes the start line and shows the confirmation; on failure
    // shows "--- Sorry - unable to open log file ---". Run only while no log is open.
    bool OpenLog();

    // The window's handlers, one call each:
    // OpenItemClick, once the player has chosen a file.
    bool OpenChosenLog(std::string path);
    // CloseItemClick, and the main window's destroy handler while a log is open.
    void CloseLog();
    // LogAllItemClick, after the check mark has been inverted: stores it and opens the day log
    // when it is now checked and no log is open. Unchecking closes nothing.
    void LogAllToggled(bool checked, SettingsStore& store);
    // ApplySettings with AutoLog set.
    void StartDayLog();
    // SaveItemClick, once the player has chosen a file: appends the output pane's text (lines
    // separated by '\n') between a start and a completion stamp.
    void SaveBuffer(const std::string& path, std::string_view text);

  private:
    void WriteStopLine();

    LogHost& host_;
    const Clock& clock_;
    std::string startDir_;
    std::FILE* file_ = nullptr;
};

} // namespace orv
