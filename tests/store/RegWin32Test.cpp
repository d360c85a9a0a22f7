#include "store/RegWin32.h"
#include "Fakes.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace orv::test {
namespace {

// Each test works in a scratch key of its own and deletes it afterwards.
class RegWin32Test : public ::testing::Test {
  protected:
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str()); }

    HKEY Raw() {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
        return key;
    }
    void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = Raw();
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }

    const std::string path = "SOFTWARE\\talmaro\\ot32-test-" + std::to_string(GetCurrentProcessId());
};

TEST_F(RegWin32Test, NumbersAndTextsRoundTripWithTheirRegistryTypes) {
    RegWin32 key(path);
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    ASSERT_FALSE(key.WriteText("all", bytes));
    ASSERT_FALSE(key.WriteText("empty", ""));
    ASSERT_FALSE(key.WriteDword("max", 0xFFFFFFFF));
    ASSERT_FALSE(key.WriteDword("list width", 140));

    const RegValue text = key.Read("all");
    EXPECT_EQ(text.Type, ValueType::Text);
    EXPECT_EQ(text.Text, bytes);
    EXPECT_EQ(key.Read("empty").Type, ValueType::Text);
    EXPECT_EQ(key.Read("empty").Text, "");
    EXPECT_EQ(key.Read("max").Number, 0xFFFFFFFFu);
    EXPECT_EQ(key.Read("LIST WIDTH").Number, 140u);
    EXPECT_EQ(key.Read("missing").Type, ValueType::Absent);

    // A text is stored as REG_SZ with its terminating zero.
    HKEY raw = Raw();
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(raw, "all", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    RegCloseKey(raw);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, bytes.size() + 1);
}

TEST_F(RegWin32Test, OtherTypesReadAsTheirDefaultsAndExpandableTextsAsText) {
    RegWin32 key(path);
    ASSERT_FALSE(key.WriteText("list width", "wide"));
    ASSERT_FALSE(key.WriteDword("F5", 5));
    SetRaw("F1", REG_EXPAND_SZ, "%HOME%", 7);
    SetRaw("F2", REG_SZ, "no zero", 7); // written by someone else without its terminating zero
    const BYTE blob[] = {1, 2, 3};
    SetRaw("BkgColour", REG_BINARY, blob, sizeof blob);

    EXPECT_EQ(key.Read("F1").Type, ValueType::Text);
    EXPECT_EQ(key.Read("F1").Text, "%HOME%");
    EXPECT_EQ(key.Read("F2").Text, "no zero");
    EXPECT_EQ(key.Read("BkgColour").Type, ValueType::Other);

    FakeWindow window;
    SettingsStore store(std::make_unique<RegWin32>(path), window);
    EXPECT_EQ(store.GetListWidth(), 140);
    EXPECT_EQ(store.GetFKeyText("F5"), "");
    EXPECT_EQ(store.GetFKeyText("F1"), "%HOME%");
    EXPECT_EQ(store.BkgColour, SystemWindowColour);
}

} // namespace
} // namespace orv::test
