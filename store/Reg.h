#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace orv {

// What a registry value is, as far as the store tells values apart.
enum class ValueType { Absent, Dword, Text, Other };

struct RegValue {
    ValueType Type = ValueType::Absent;
    std::uint32_t Number = 0; // a REG_DWORD's number
    std::string Text;         // a REG_SZ's or REG_EXPAND_SZ's bytes, without the terminating zero
};

// A failure of the settings that the window shows in a standard error box, with what(), and goes on.
class SettingsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A setting that could not be written. Setters and SaveOnExit throw it and change nothing else;
// what() names the value.
class SettingsWriteError : public SettingsError {
  public:
    SettingsWriteError(std::string_view valueName, const std::error_code& error);
};

// Stored settings that are there but cannot be read; what() says where they are kept and why.
class SettingsReadError : public SettingsError {
  public:
    SettingsReadError(std::string_view where, const std::error_code& error);
};

// One registry key of named, typed values: the user's registry on Windows, the settings file
// elsewhere. Value names compare as the registry compares them, ASCII letters without regard to
// case. Reading never fails: a key that could not be opened reads as empty. A write answers an
// error code, empty when the value was stored.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
    // REG_EXPAND_SZ reads as Text, unexpanded; any type but REG_DWORD, REG_SZ and REG_EXPAND_SZ
    // reads as Other.
    virtual RegValue Read(std::string_view name) const = 0;
    virtual std::error_code WriteDword(std::string_view name, std::uint32_t value) = 0;
    // Stored as REG_SZ.
    virtual std::error_code WriteText(std::string_view name, std::string_view text) = 0;
    // Set when the key holds values that cannot be read now, so that it reads as empty; a key not
    // there yet is no failure.
    virtual std::optional<SettingsReadError> ReadFailure() const { return std::nullopt; }
};

// The key of the current user that holds the client's settings: HKEY_CURRENT_USER\SOFTWARE\talmaro\ot32
// on Windows, the settings file at its default path elsewhere.
std::unique_ptr<RegistryKey> OpenSettingsKey();

// Colour values as stored: 0x00BBGGRR, or with the top bit set a system colour whose index is
// the low byte. The window keeps the stored value itself and converts only to paint, so a
// system colour stays a system colour across runs.
inline constexpr std::uint32_t SystemWindowColour = 0x80000005; // the system's window background
inline constexpr int SystemWindowTextIndex = 8;

struct Rgb {
    std::uint8_t Red = 0, Green = 0, Blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr bool IsSystemColour(std::uint32_t colour) {
    return (colour & 0x80000000u) != 0;
}
// systemColour gives the colour of a system colour index (5 the window background, 8 the
// window text); it is asked only for a system colour.
Rgb ColourToRgb(std::uint32_t colour, const std::function<Rgb(int index)>& systemColour);
constexpr std::uint32_t RgbToColour(Rgb rgb) {
    return std::uint32_t{rgb.Red} | std::uint32_t{rgb.Green} << 8 | std::uint32_t{rgb.Blue} << 16;
}

// The main window as the start-up batch places it; each call takes effect at once.
class WindowPlacement {
  public:
    virtual void SetTop(std::int32_t top) = 0;
    virtual void SetLeft(std::int32_t left) = 0;
    virtual void SetWidth(std::int32_t width) = 0;
    virtual void SetHeight(std::int32_t height) = 0;
    virtual void SetWindowState(std::int32_t state) = 0; // one of the WindowState values, as stored

  protected:
    ~WindowPlacement() = default;
};

namespace WindowState {
inline constexpr std::int32_t Normal = 0, Minimised = 1, Maximised = 2;
}

// The main window as it is at exit; a maximised window gives its maximised bounds.
struct WindowBounds {
    std::int32_t State = WindowState::Normal;
    std::int32_t Top = 0, Left = 0, Width = 0, Height = 0;
};

// The window's current text font as its drawing surface reports it at exit.
struct ReportedFont {
    std::string FaceName;
    std::int32_t Height = 0; // character cell height in pixels
    std::int32_t Weight = 400;
};

// The font the store holds: a fixed-pitch ANSI font. When the window makes it, PointSize
// overrides Height. FaceName may be empty when "Font Name" was absent; the window then lets its
// toolkit choose the face.
struct StoredFont {
    std::string FaceName = "Courier New";
    std::int32_t Height = 17; // character cell height in pixels
    std::int32_t Weight = 400;
    std::int32_t PointSize = 0;
    std::uint32_t Colour = 0; // stored colour value of the text
    friend bool operator==(const StoredFont&, const StoredFont&) = default;
};

// Everything the client remembers between runs, as named values of one registry key. Created
// while the main window is created: it reads the start-up batch (colour, placement, SpyNet switch)
// and the font at once. The main window reads and replaces BkgColour, SpynetReport and Font
// directly and hands them back to SaveOnExit at exit; every other value is read and written
// through its getter and setter, each touching the key at once. A getter gives its default when
// the value is absent or of another type; a setter throws SettingsWriteError when it cannot write.
class SettingsStore {
  public:
    // Longest F-key text kept when read; longer stored texts are cut (the client never writes them).
    static constexpr std::size_t FKeyTextLimit = 255;

    // Reads the start-up batch, applying each value as soon as it is read and stopping at the
    // first one absent or not an integer, then builds the font from the font group.
    SettingsStore(std::unique_ptr<RegistryKey> key, WindowPlacement& window);

    // The exit batch: background colour, the font group, the SpyNet switch and the placement, in
    // that order. "Font Size" and "Font Colour" are written only while the store holds a font.
    // Stops at the first value it cannot write and throws for it.
    void SaveOnExit(const ReportedFont& current, const WindowBounds& bounds);

    // Set when the key held settings that could not be read at creation: the store then starts from
    // the defaults and writes nothing for the rest of the run, so that a later run finds the
    // settings as they were. The window reports it once.
    const std::optional<SettingsReadError>& ReadFailure() const { return readFailure_; }

    std::uint32_t BkgColour = SystemWindowColour;
    bool SpynetReport = false;
    std::optional<StoredFont> Font; // none: the window keeps its designed font

    // Texts end at their first zero byte and are cut to their limit.
    std::string GetFKeyText(std::string_view name) const { return GetStoredText(name, FKeyTextLimit); }
    void SetFKeyText(std::string_view name, std::string_view text) { PutText(name, text); }
    std::string GetStoredText(std::string_view name, std::size_t maxLength) const;
    void SetStoredText(std::string_view name, std::string_view text) { PutText(name, text); }

    std::int32_t GetCurrentAccount() const { return Integer<Value::CurrentAccount>(); }
    void SetCurrentAccount(std::int32_t index) { Put<Value::CurrentAccount>(index); }
    std::int32_t GetListWidth() const { return Integer<Value::ListWidth>(); }
    void SetListWidth(std::int32_t width) { Put<Value::ListWidth>(width); }
    std::int32_t GetInputHeight() const { return Integer<Value::InputHeight>(); }
    void SetInputHeight(std::int32_t height) { Put<Value::InputHeight>(height); }
    bool GetPlayerList() const { return Switch<Value::PlayerList>(); }
    void SetPlayerList(bool shown) { Put<Value::PlayerList>(shown); }
    bool GetBlankStatus() const { return Switch<Value::BlankStatus>(); }
    void SetBlankStatus(bool supress) { Put<Value::BlankStatus>(supress); }
    std::int32_t GetBufferSize() const { return Integer<Value::BufferSize>(); }
    void SetBufferSize(std::int32_t lines) { Put<Value::BufferSize>(lines); }
    bool GetAutoLog() const { return Switch<Value::AutoLog>(); }
    void SetAutoLog(bool on) { Put<Value::AutoLog>(on); }
    std::int32_t GetRanksAlert() const { return Integer<Value::RanksAlert>(); }
    void SetRanksAlert(std::int32_t mask) { Put<Value::RanksAlert>(mask); }
    bool GetStatusBar() const { return Switch<Value::StatusBar>(); }
    void SetStatusBar(bool shown) { Put<Value::StatusBar>(shown); }
    bool GetToolBar() const { return Switch<Value::ToolBar>(); }
    void SetToolBar(bool shown) { Put<Value::ToolBar>(shown); }
    std::int32_t GetScrollBack() const { return Integer<Value::ScrollBack>(); }
    void SetScrollBack(std::int32_t height) { Put<Value::ScrollBack>(height); }
    bool GetReconnect() const { return Switch<Value::Reconnect>(); }
    void SetReconnect(bool on) { Put<Value::Reconnect>(on); }

  private:
    // A switch is stored as an integer, 1 for on; any other integer but 0 reads as on.
    enum class Kind { Integer, Switch, Text };
    // clang-format off
    enum class Value {
        BkgColour, WindowTop, WindowLeft, WindowWidth, WindowHeight, WindowState, SpynetReport,
        FontName, FontHeight, FontWeight, FontSize, FontColour,
        ListWidth, InputHeight, PlayerList, BlankStatus, BufferSize, AutoLog, RanksAlert, StatusBar, ToolBar,
        ScrollBack, CurrentAccount, Reconnect, Count
    };
    // A value under its fixed name. Default is what its getter gives when the value is absent or
    // of another type; Limit is the longest text kept when read. The rows: the start-up batch,
    // the font group, then the values with a getter and a setter.
    struct Setting {
        Value Id;
        std::string_view Name;
        Kind Type;
        std::int32_t Default;
        std::size_t Limit;
    };
    static constexpr std::array<Setting, static_cast<std::size_t>(Value::Count)> Settings{{
        {Value::BkgColour,      "BkgColour",       Kind::Integer, 0,   0},
        {Value::WindowTop,      "Window Top",      Kind::Integer, 0,   0},
        {Value::WindowLeft,     "Window Left",     Kind::Integer, 0,   0},
        {Value::WindowWidth,    "Window Width",    Kind::Integer, 0,   0},
        {Value::WindowHeight,   "Window Height",   Kind::Integer, 0,   0},
        {Value::WindowState,    "Window State",    Kind::Integer, 0,   0},
        {Value::SpynetReport,   "Spynet Report",   Kind::Switch,  0,   0},
        {Value::FontName,       "Font Name",       Kind::Text,    0,   31},
        {Value::FontHeight,     "Font Height",     Kind::Integer, 0,   0},
        {Value::FontWeight,     "Font Weight",     Kind::Integer, 0,   0},
        {Value::FontSize,       "Font Size",       Kind::Integer, 0,   0},
        {Value::FontColour,     "Font Colour",     Kind::Integer, 0,   0},
        {Value::ListWidth,      "list width",      Kind::Integer, 140, 0},
        {Value::InputHeight,    "input height",    Kind::Integer, 56,  0},
        {Value::PlayerList,     "player list",     Kind::Switch,  1,   0},
        {Value::BlankStatus,    "blank status",    Kind::Switch,  0,   0},
        {Value::BufferSize,     "buffer size",     Kind::Integer, 200, 0},
        {Value::AutoLog,        "AutoLog",         Kind::Switch,  0,   0},
        {Value::RanksAlert,     "Ranks Alert",     Kind::Integer, 0,   0},
        {Value::StatusBar,      "StatusBar",       Kind::Switch,  1,   0},
        {Value::ToolBar,        "ToolBar",         Kind::Switch,  1,   0},
        {Value::ScrollBack,     "ScrollBack",      Kind::Integer, 190, 0},
        {Value::CurrentAccount, "Current Account", Kind::Integer, 0,   0},
        {Value::Reconnect,      "Reconnect When Dropped", Kind::Switch, 0, 0},
    }};
    // clang-format on
    static_assert(
        [] {
            for (std::size_t i = 0; i < Settings.size(); ++i)
                if (Settings[i].Id != static_cast<Value>(i)) return false;
            return true;
        }(),
        "one row per value, in the order of Value");
    static constexpr const Setting& Row(Value value) { return Settings[static_cast<std::size_t>(value)]; }

    template <Value V> std::int32_t Integer() const {
        static_assert(Row(V).Type == Kind::Integer);
        return ReadNumber(V).value_or(Row(V).Default);
    }
    template <Value V> bool Switch() const {
        static_assert(Row(V).Type == Kind::Switch);
        return ReadNumber(V).value_or(Row(V).Default) != 0;
    }
    template <Value V> void Put(std::int32_t number) {
        static_assert(Row(V).Type != Kind::Text);
        PutNumber(V, number);
    }

    std::optional<std::int32_t> ReadNumber(Value value) const;
    void PutNumber(Value value, std::int32_t number);
    void PutText(std::string_view name, std::string_view text);
    void ReadStartupBatch(WindowPlacement& window);
    void ReadFontGroup();

    std::unique_ptr<RegistryKey> key_;
    std::optional<SettingsReadError> readFailure_;
};

} // namespace orv
