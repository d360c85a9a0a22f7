#include "store/Reg.h"

#include <algorithm>

#ifdef _WIN32
#include "store/RegWin32.h"
#else
#include "store/RegFile.h"
#endif

namespace orv {

namespace {

// Integers the store reads and writes on demand, with their defaults.
struct IntegerSetting {
    std::string_view Name;
    std::int32_t Default;
};
constexpr IntegerSetting ListWidth{"list width", 140};
constexpr IntegerSetting InputHeight{"input height", 56};
constexpr IntegerSetting BufferSize{"buffer size", 200};
constexpr IntegerSetting RanksAlert{"Ranks Alert", 0};
constexpr IntegerSetting ScrollBack{"ScrollBack", 190};
constexpr IntegerSetting CurrentAccount{"Current Account", 0};

struct SwitchSetting {
    std::string_view Name;
    bool Default;
};
constexpr SwitchSetting PlayerList{"player list", true};
constexpr SwitchSetting BlankStatus{"blank status", false};
constexpr SwitchSetting AutoLog{"AutoLog", false};
constexpr SwitchSetting StatusBar{"StatusBar", true};
constexpr SwitchSetting ToolBar{"ToolBar", true};

std::string Cut(std::string text, std::size_t maxLength) {
    // Texts were zero-terminated where they came from; a zero byte ends one.
    const auto zero = text.find('\0');
    text.resize(std::min({text.size(), zero, maxLength}));
    return text;
}

} // namespace

std::unique_ptr<RegistryKey> OpenSettingsKey() {
#ifdef _WIN32
    return std::make_unique<RegWin32>();
#else
    return std::make_unique<RegFile>(DefaultSettingsPath());
#endif
}

Rgb ColourToRgb(std::uint32_t colour, const std::function<Rgb(int index)>& systemColour) {
    if (IsSystemColour(colour)) return systemColour(static_cast<int>(colour & 0xFF));
    return Rgb{static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
               static_cast<std::uint8_t>(colour >> 16)};
}

SettingsWriteError::SettingsWriteError(std::string valueName, const std::error_code& error)
    : std::runtime_error("Unable to save the setting \"" + valueName + "\": " + error.message()),
      valueName_(std::move(valueName)) {}

SettingsStore::SettingsStore(std::unique_ptr<RegistryKey> key, WindowPlacement& window)
    : key_(std::move(key)) {
    ReadStartupBatch(window);
    ReadFontGroup();
}

std::optional<std::int32_t> SettingsStore::ReadInteger(std::string_view name) const {
    const RegValue value = key_->Read(name);
    if (value.Type != ValueType::Dword) return std::nullopt;
    return static_cast<std::int32_t>(value.Number);
}

std::int32_t SettingsStore::GetInteger(std::string_view name, std::int32_t fallback) const {
    return ReadInteger(name).value_or(fallback);
}

bool SettingsStore::GetSwitch(std::string_view name, bool fallback) const {
    const auto value = ReadInteger(name);
    return value ? *value != 0 : fallback;
}

void SettingsStore::PutInteger(std::string_view name, std::int32_t value) {
    if (const auto error = key_->WriteDword(name, static_cast<std::uint32_t>(value)))
        throw SettingsWriteError(std::string(name), error);
}

void SettingsStore::PutText(std::string_view name, std::string_view text) {
    if (const auto error = key_->WriteText(name, text)) throw SettingsWriteError(std::string(name), error);
}

void SettingsStore::ReadStartupBatch(WindowPlacement& window) {
    // Each value is applied as soon as it is read; the first absent or mistyped one ends the
    // batch and everything after it keeps its initial value.
    const auto colour = ReadInteger("BkgColour");
    if (!colour) return;
    BkgColour = static_cast<std::uint32_t>(*colour);
    const auto top = ReadInteger("Window Top");
    if (!top) return;
    window.SetTop(*top);
    const auto left = ReadInteger("Window Left");
    if (!left) return;
    window.SetLeft(*left);
    const auto width = ReadInteger("Window Width");
    if (!width) return;
    window.SetWidth(*width);
    const auto height = ReadInteger("Window Height");
    if (!height) return;
    window.SetHeight(*height);
    const auto state = ReadInteger("Window State");
    if (!state) return;
    window.SetWindowState(*state);
    const auto spynet = ReadInteger("Spynet Report");
    if (!spynet) return;
    SpynetReport = *spynet != 0;
}

void SettingsStore::ReadFontGroup() {
    StoredFont font;
    const RegValue name = key_->Read("Font Name");
    if (name.Type == ValueType::Text)
        font.FaceName = Cut(name.Text, FontNameLimit);
    else if (name.Type == ValueType::Absent)
        font.FaceName.clear();
    else
        return;
    const auto height = ReadInteger("Font Height");
    const auto weight = ReadInteger("Font Weight");
    const auto size = ReadInteger("Font Size");
    const auto colour = ReadInteger("Font Colour");
    if (!height || !weight || !size || !colour) return;
    font.Height = *height;
    font.Weight = *weight;
    font.PointSize = *size;
    font.Colour = static_cast<std::uint32_t>(*colour);
    Font = std::move(font);
}

void SettingsStore::SaveOnExit(const ReportedFont& current, const WindowBounds& bounds) {
    PutInteger("BkgColour", static_cast<std::int32_t>(BkgColour));
    PutText("Font Name", current.FaceName);
    PutInteger("Font Height", current.Height);
    PutInteger("Font Weight", current.Weight);
    if (Font) {
        PutInteger("Font Size", Font->PointSize);
        PutInteger("Font Colour", static_cast<std::int32_t>(Font->Colour));
    }
    PutSwitch("Spynet Report", SpynetReport);
    PutInteger("Window State", bounds.State);
    PutInteger("Window Top", bounds.Top);
    PutInteger("Window Left", bounds.Left);
    PutInteger("Window Width", bounds.Width);
    PutInteger("Window Height", bounds.Height);
}

std::string SettingsStore::GetFKeyText(std::string_view name) const {
    return GetStoredText(name, FKeyTextLimit);
}

void SettingsStore::SetFKeyText(std::string_view name, std::string_view text) {
    PutText(name, text);
}

std::string SettingsStore::GetStoredText(std::string_view name, std::size_t maxLength) const {
    RegValue value = key_->Read(name);
    if (value.Type != ValueType::Text) return {};
    return Cut(std::move(value.Text), maxLength);
}

void SettingsStore::SetStoredText(std::string_view name, std::string_view text) {
    PutText(name, text);
}

std::int32_t SettingsStore::GetCurrentAccount() const {
    return GetInteger(CurrentAccount.Name, CurrentAccount.Default);
}
void SettingsStore::SetCurrentAccount(std::int32_t index) {
    PutInteger(CurrentAccount.Name, index);
}

std::int32_t SettingsStore::GetListWidth() const {
    return GetInteger(ListWidth.Name, ListWidth.Default);
}
void SettingsStore::SetListWidth(std::int32_t width) {
    PutInteger(ListWidth.Name, width);
}
std::int32_t SettingsStore::GetInputHeight() const {
    return GetInteger(InputHeight.Name, InputHeight.Default);
}
void SettingsStore::SetInputHeight(std::int32_t height) {
    PutInteger(InputHeight.Name, height);
}
bool SettingsStore::GetPlayerList() const {
    return GetSwitch(PlayerList.Name, PlayerList.Default);
}
void SettingsStore::SetPlayerList(bool shown) {
    PutSwitch(PlayerList.Name, shown);
}
bool SettingsStore::GetBlankStatus() const {
    return GetSwitch(BlankStatus.Name, BlankStatus.Default);
}
void SettingsStore::SetBlankStatus(bool supress) {
    PutSwitch(BlankStatus.Name, supress);
}
std::int32_t SettingsStore::GetBufferSize() const {
    return GetInteger(BufferSize.Name, BufferSize.Default);
}
void SettingsStore::SetBufferSize(std::int32_t lines) {
    PutInteger(BufferSize.Name, lines);
}
bool SettingsStore::GetAutoLog() const {
    return GetSwitch(AutoLog.Name, AutoLog.Default);
}
void SettingsStore::SetAutoLog(bool on) {
    PutSwitch(AutoLog.Name, on);
}
std::int32_t SettingsStore::GetRanksAlert() const {
    return GetInteger(RanksAlert.Name, RanksAlert.Default);
}
void SettingsStore::SetRanksAlert(std::int32_t mask) {
    PutInteger(RanksAlert.Name, mask);
}
bool SettingsStore::GetStatusBar() const {
    return GetSwitch(StatusBar.Name, StatusBar.Default);
}
void SettingsStore::SetStatusBar(bool shown) {
    PutSwitch(StatusBar.Name, shown);
}
bool SettingsStore::GetToolBar() const {
    return GetSwitch(ToolBar.Name, ToolBar.Default);
}
void SettingsStore::SetToolBar(bool shown) {
    PutSwitch(ToolBar.Name, shown);
}
std::int32_t SettingsStore::GetScrollBack() const {
    return GetInteger(ScrollBack.Name, ScrollBack.Default);
}
void SettingsStore::SetScrollBack(std::int32_t height) {
    PutInteger(ScrollBack.Name, height);
}

} // namespace orv
