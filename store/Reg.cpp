#include "store/Reg.h"

#include <algorithm>

#ifdef _WIN32
#include "store/RegWin32.h"
#else
#include "store/RegFile.h"
#endif

namespace orv {

namespace {

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

SettingsWriteError::SettingsWriteError(std::string_view valueName, const std::error_code& error)
    : SettingsError("Unable to save the setting \"" + std::string(valueName) + "\": " + error.message()) {}

SettingsReadError::SettingsReadError(std::string_view where, const std::error_code& error)
    : SettingsError("Unable to read the settings in \"" + std::string(where) + "\": " + error.message() +
                    ".\nThey are left as they are; this run starts from the defaults and saves no setting.") {
}

SettingsStore::SettingsStore(std::unique_ptr<RegistryKey> key, WindowPlacement& window)
    : key_(std::move(key)), readFailure_(key_->ReadFailure()) {
    ReadStartupBatch(window);
    ReadFontGroup();
}

std::optional<std::int32_t> SettingsStore::ReadNumber(Value value) const {
    const RegValue read = key_->Read(Row(value).Name);
    if (read.Type != ValueType::Dword) return std::nullopt;
    return static_cast<std::int32_t>(read.Number);
}

void SettingsStore::PutNumber(Value value, std::int32_t number) {
    if (readFailure_) return;
    const std::string_view name = Row(value).Name;
    if (const auto error = key_->WriteDword(name, static_cast<std::uint32_t>(number)))
        throw SettingsWriteError(name, error);
}

void SettingsStore::PutText(std::string_view name, std::string_view text) {
    if (readFailure_) return;
    if (const auto error = key_->WriteText(name, text)) throw SettingsWriteError(name, error);
}

void SettingsStore::ReadStartupBatch(WindowPlacement& window) {
    // Each value is applied as soon as it is read; the first absent or mistyped one ends the
    // batch and everything after it keeps its initial value.
    const auto colour = ReadNumber(Value::BkgColour);
    if (!colour) return;
    BkgColour = static_cast<std::uint32_t>(*colour);
    const auto top = ReadNumber(Value::WindowTop);
    if (!top) return;
    window.SetTop(*top);
    const auto left = ReadNumber(Value::WindowLeft);
    if (!left) return;
    window.SetLeft(*left);
    const auto width = ReadNumber(Value::WindowWidth);
    if (!width) return;
    window.SetWidth(*width);
    const auto height = ReadNumber(Value::WindowHeight);
    if (!height) return;
    window.SetHeight(*height);
    const auto state = ReadNumber(Value::WindowState);
    if (!state) return;
    window.SetWindowState(*state);
    const auto spynet = ReadNumber(Value::SpynetReport);
    if (!spynet) return;
    SpynetReport = *spynet != 0;
}

void SettingsStore::ReadFontGroup() {
    StoredFont font;
    const RegValue name = key_->Read(Row(Value::FontName).Name);
    if (name.Type == ValueType::Text)
        font.FaceName = Cut(name.Text, Row(Value::FontName).Limit);
    else if (name.Type == ValueType::Absent)
        font.FaceName.clear();
    else
        return;
    const auto height = ReadNumber(Value::FontHeight);
    const auto weight = ReadNumber(Value::FontWeight);
    const auto size = ReadNumber(Value::FontSize);
    const auto colour = ReadNumber(Value::FontColour);
    if (!height || !weight || !size || !colour) return;
    font.Height = *height;
    font.Weight = *weight;
    font.PointSize = *size;
    font.Colour = static_cast<std::uint32_t>(*colour);
    Font = std::move(font);
}

void SettingsStore::SaveOnExit(const ReportedFont& current, const WindowBounds& bounds) {
    Put<Value::BkgColour>(static_cast<std::int32_t>(BkgColour));
    // Written as it will be read back; a longer name would come back cut.
    PutText(Row(Value::FontName).Name, Cut(current.FaceName, Row(Value::FontName).Limit));
    Put<Value::FontHeight>(current.Height);
    Put<Value::FontWeight>(current.Weight);
    if (Font) {
        Put<Value::FontSize>(Font->PointSize);
        Put<Value::FontColour>(static_cast<std::int32_t>(Font->Colour));
    }
    Put<Value::SpynetReport>(SpynetReport);
    Put<Value::WindowState>(bounds.State);
    Put<Value::WindowTop>(bounds.Top);
    Put<Value::WindowLeft>(bounds.Left);
    Put<Value::WindowWidth>(bounds.Width);
    Put<Value::WindowHeight>(bounds.Height);
}

std::string SettingsStore::GetStoredText(std::string_view name, std::size_t maxLength) const {
    RegValue value = key_->Read(name);
    if (value.Type != ValueType::Text) return {};
    return Cut(std::move(value.Text), maxLength);
}

} // namespace orv
