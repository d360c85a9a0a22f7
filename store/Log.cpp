#include "store/Log.h"

#include "store/Reg.h"

#include <ctime>

#ifdef _WIN32
#include <direct.h>
#else
#include <sys/stat.h>
#endif

namespace orv {

namespace {

constexpr std::string_view DayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::string_view MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string_view DayName(int weekday) {
    return DayNames[(weekday % 7 + 7) % 7];
}
std::string_view MonthName(int month) {
    return MonthNames[((month - 1) % 12 + 12) % 12];
}

void AppendNumber(std::string& out, int value, std::size_t width) {
    const std::string digits = std::to_string(value);
    if (digits.size() < width) out.append(width - digits.size(), '0');
    out += digits;
}

// Writes text with every '\n' as the platform's line end.
void Put(std::FILE* file, std::string_view text) {
    if constexpr (LineEnd != "\n") {
        for (auto nl = text.find('\n'); nl != std::string_view::npos; nl = text.find('\n')) {
            std::fwrite(text.data(), 1, nl, file);
            std::fwrite(LineEnd.data(), 1, LineEnd.size(), file);
            text.remove_prefix(nl + 1);
        }
    }
    std::fwrite(text.data(), 1, text.size(), file);
}

std::string Join(std::string folder, std::string_view name) {
    if (!folder.empty() && folder.back() != PathSeparator && folder.back() != '/') folder += PathSeparator;
    folder += name;
    return folder;
}

// A folder that cannot be made shows up as a log that cannot be opened.
void MakeFolder(const std::string& path) {
#ifdef _WIN32
    _mkdir(path.c_str());
#else
    ::mkdir(path.c_str(), 0777);
#endif
}

} // namespace

LocalTime SystemClock::Now() const {
    const std::time_t now = std::time(nullptr);
    std::tm fields{};
#ifdef _WIN32
    localtime_s(&fields, &now);
#else
    localtime_r(&now, &fields);
#endif
    return LocalTime{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                     fields.tm_min,         fields.tm_sec,     fields.tm_wday};
}

std::string FormatStamp(const LocalTime& time) {
    std::string stamp;
    stamp += DayName(time.Weekday);
    stamp += ' ';
    stamp += MonthName(time.Month);
    stamp += ' ';
    AppendNumber(stamp, time.Day, 2);
    stamp += ' ';
    AppendNumber(stamp, time.Hour, 2);
    stamp += ':';
    AppendNumber(stamp, time.Minute, 2);
    stamp += ':';
    AppendNumber(stamp, time.Second, 2);
    stamp += ' ';
    AppendNumber(stamp, time.Year, 4);
    stamp += '\n';
    return stamp;
}

std::string DayLogName(const LocalTime& time) {
    std::string name;
    AppendNumber(name, time.Day, 2);
    name += MonthName(time.Month);
    AppendNumber(name, time.Year, 4);
    name += ".log";
    return name;
}

SessionLog::SessionLog(LogHost& host, const Clock& clock, std::string startDir)
    : host_(host), clock_(clock), startDir_(std::move(startDir)) {}

SessionLog::~SessionLog() {
    if (IsOpen()) WriteStopLine();
}

void SessionLog::Flush() {
    if (IsOpen()) std::fflush(file_);
}

void SessionLog::WriteLine(std::string_view line) {
    if (file_ == nullptr) return;
    Put(file_, line);
    std::fwrite(LineEnd.data(), 1, LineEnd.size(), file_);
}

void SessionLog::MakeDayLogPath() {
    const std::string folder = Join(startDir_, "logs");
    MakeFolder(folder);
    LogPath = Join(folder, DayLogName(clock_.Now()));
}

bool SessionLog::OpenLog() {
    if (IsOpen()) return false; // an open log is never replaced
    file_ = std::fopen(LogPath.c_str(), "ab");
    if (file_ == nullptr) {
        host_.ShowLine("--- Sorry - unable to open log file ---");
        return false;
    }
    Put(file_, "\n*** Logging started - " + FormatStamp(clock_.Now()));
    host_.ShowLine("*** Saving to log file ***");
    host_.LoggingChanged(true);
    return true;
}

bool SessionLog::OpenChosenLog(std::string path) {
    LogPath = std::move(path);
    return OpenLog();
}

void SessionLog::WriteStopLine() {
    Put(file_, "\n*** Logging stopped - " + FormatStamp(clock_.Now()));
    std::fclose(file_);
    file_ = nullptr;
}

void SessionLog::CloseLog() {
    if (!IsOpen()) return;
    WriteStopLine();
    host_.ShowLine("*** Stopped saving to log file ***");
    host_.LoggingChanged(false);
}

void SessionLog::LogAllToggled(bool checked, SettingsStore& store) {
    store.SetAutoLog(checked);
    if (checked && !IsOpen()) StartDayLog();
}

void SessionLog::StartDayLog() {
    MakeDayLogPath();
    OpenLog();
}

void SessionLog::SaveBuffer(const std::string& path, std::string_view text) {
    // Saving into the open log itself appends after what the log already holds.
    if (IsOpen()) std::fflush(file_);
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) {
        host_.ShowLine("--- Sorry - unable to open file ---");
        return;
    }
    Put(file, "\n*** Save started - " + FormatStamp(clock_.Now()));
    Put(file, text);
    if (!text.empty() && text.back() != '\n') Put(file, "\n"); // the stamp starts a line of its own
    Put(file, "*** Save completed - " + FormatStamp(clock_.Now()) + "\n");
    std::fclose(file);
    host_.ShowLine("*** Buffer saved ***");
}

} // namespace orv
