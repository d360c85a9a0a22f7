#include "store/RegFile.h"

#include "store/Files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

constexpr std::string_view Header = "REGEDIT4";
constexpr std::string_view DwordPrefix = "dword:";
constexpr std::string_view ExpandPrefix = "str(2):";

std::error_code LastError() {
    return {errno, std::generic_category()};
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool IsBlank(std::string_view line) {
    return TrimEnd(line).empty();
}

void Quote(std::string& out, std::string_view bytes) {
    static constexpr char Hex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c > 0x7E) {
                out += "\\x";
                out += Hex[c >> 4];
                out += Hex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

// The quoted text at the front of rest, rest then starting after its closing quote; nothing
// when rest does not start with a well-formed quoted text. Bytes a hand-edited file holds
// unescaped are taken as they stand.
std::optional<std::string> Unquote(std::string_view& rest) {
    if (rest.empty() || rest.front() != '"') return std::nullopt;
    std::string bytes;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '"') {
            rest.remove_prefix(i + 1);
            return bytes;
        }
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (++i == rest.size()) return std::nullopt;
        switch (rest[i]) {
        case '\\':
            bytes += '\\';
            break;
        case '"':
            bytes += '"';
            break;
        case 'n':
            bytes += '\n';
            break;
        case 'r':
            bytes += '\r';
            break;
        case 't':
            bytes += '\t';
            break;
        case 'x': {
            if (i + 2 >= rest.size()) return std::nullopt;
            const int high = HexDigit(rest[i + 1]);
            const int low = HexDigit(rest[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ParseDword(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        number = number << 4 | static_cast<std::uint32_t>(digit);
    }
    return number;
}

// One line of the file as it stands (or a value of another type with its continuation lines),
// and what it says when it is a readable value line.
struct Line {
    std::string Raw; // without the final line end
    bool InKey = false;
    std::optional<std::string> Name;
    RegValue Value;
};

bool IsSection(std::string_view body) {
    return !body.empty() && body.front() == '[';
}

bool IsOurSection(std::string_view body) {
    return body.size() == RegFile::KeyName.size() + 2 && body.front() == '[' && body.back() == ']' &&
           SameName(body.substr(1, RegFile::KeyName.size()), RegFile::KeyName);
}

void ParseValue(std::string_view body, Line& line) {
    auto name = Unquote(body);
    if (!name || body.empty() || body.front() != '=') return;
    body.remove_prefix(1);
    RegValue value;
    if (StartsWith(body, DwordPrefix)) {
        const auto number = ParseDword(body.substr(DwordPrefix.size()));
        if (!number) return;
        value.Type = ValueType::Dword;
        value.Number = *number;
    } else if (!body.empty() && body.front() == '"') {
        auto text = Unquote(body);
        if (!text || !body.empty()) return;
        value.Type = ValueType::Text;
        value.Text = std::move(*text);
    } else if (StartsWith(body, ExpandPrefix)) {
        body.remove_prefix(ExpandPrefix.size());
        auto text = Unquote(body);
        if (!text || !body.empty()) return;
        value.Type = ValueType::Text;
        value.Text = std::move(*text);
    } else {
        value.Type = ValueType::Other;
    }
    line.Name = std::move(*name);
    line.Value = std::move(value);
}

std::string_view TakeLine(std::string_view& text) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

std::vector<Line> Parse(std::string_view text) {
    std::vector<Line> lines;
    bool inKey = false;
    while (!text.empty()) {
        Line line;
        line.Raw = TakeLine(text);
        const std::string_view body = TrimEnd(line.Raw);
        if (IsSection(body)) inKey = IsOurSection(body);
        line.InKey = inKey;
        if (inKey && !body.empty() && body.front() == '"') ParseValue(body, line);
        // hex:... values go on over lines that end in a backslash; they move as one.
        if (line.Value.Type == ValueType::Other) {
            while (!text.empty() && !TrimEnd(line.Raw).empty() && TrimEnd(line.Raw).back() == '\\') {
                line.Raw += '\n';
                line.Raw += TakeLine(text);
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string ValueLine(std::string_view name, std::string_view data) {
    std::string raw;
    Quote(raw, name);
    raw += '=';
    raw += data;
    return raw;
}

void Set(std::vector<Line>& lines, std::string_view name, std::string_view data) {
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        if (it->InKey && it->Name && SameName(*it->Name, name)) {
            it->Raw = ValueLine(*it->Name, data); // the name keeps its spelling, as in the registry
            return;
        }
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsOurSection(TrimEnd(lines[i].Raw))) continue;
        std::size_t at = i + 1;
        for (std::size_t j = i + 1; j < lines.size() && !IsSection(TrimEnd(lines[j].Raw)); ++j)
            if (!IsBlank(lines[j].Raw)) at = j + 1;
        auto where = lines.begin() + static_cast<std::ptrdiff_t>(at);
        // A value left open by a last line ending in a backslash would take ours in; a blank
        // line ends it.
        const std::string_view before = TrimEnd(lines[at - 1].Raw);
        if (!before.empty() && before.back() == '\\') where = lines.insert(where, Line{"", true, {}, {}}) + 1;
        lines.insert(where, Line{ValueLine(name, data), true, {}, {}});
        return;
    }
    bool empty = true;
    for (const Line& line : lines)
        empty = empty && IsBlank(line.Raw);
    if (empty) {
        lines.clear();
        lines.push_back(Line{std::string(Header), false, {}, {}});
    }
    if (!IsBlank(lines.back().Raw)) lines.push_back(Line{});
    lines.push_back(Line{"[" + std::string(RegFile::KeyName) + "]", true, {}, {}});
    lines.push_back(Line{ValueLine(name, data), true, {}, {}});
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }

  private:
    int fd_;
};

// The whole file into text; a file that is not there reads as empty and is no failure.
std::error_code ReadAll(const std::string& path, std::string& text) {
    text.clear();
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) return errno == ENOENT || errno == ENOTDIR ? std::error_code() : LastError();
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0) {
            return {};
        } else if (errno != EINTR) {
            text.clear();
            return LastError();
        }
    }
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

RegFile::RegFile(std::string path) : path_(std::move(path)) {}

RegValue RegFile::Read(std::string_view name) const {
    std::string text;
    ReadAll(path_, text);
    std::vector<Line> lines = Parse(text);
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        if (it->InKey && it->Name && SameName(*it->Name, name)) return std::move(it->Value);
    return {};
}

std::optional<SettingsReadError> RegFile::ReadFailure() const {
    std::string text;
    if (const auto error = ReadAll(path_, text)) return SettingsReadError(path_, error);
    return std::nullopt;
}

std::error_code RegFile::WriteDword(std::string_view name, std::uint32_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value));
    return Write(name, std::string(DwordPrefix) + digits);
}

std::error_code RegFile::WriteText(std::string_view name, std::string_view text) {
    std::string data;
    Quote(data, text);
    return Write(name, data);
}

std::error_code RegFile::Write(std::string_view name, const std::string& data) {
    const std::string folder = FolderOf(path_);
    if (const auto error = MakePrivateFolders(folder)) return error;

    // The file itself is replaced on every write, so the lock lives in a file of its own.
    FileDescriptor lock(::open((path_ + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.Get() < 0) return LastError();
    while (::flock(lock.Get(), LOCK_EX) != 0)
        if (errno != EINTR) return LastError();

    // What could not be read would be lost: the file stays as it is.
    std::string old;
    if (const auto error = ReadAll(path_, old)) return error;
    RemoveLeftoverTemporaries(path_);
    std::vector<Line> lines = Parse(old);
    Set(lines, name, data);
    std::string text;
    for (const Line& line : lines) {
        text += line.Raw;
        text += '\n';
    }

    return ReplaceWholeFile(path_, text);
}

std::string DefaultSettingsPath() {
    return UserBaseFolder("XDG_CONFIG_HOME", ".config") + "/talmaro/ot32.reg";
}

} // namespace orv
