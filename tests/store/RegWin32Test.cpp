#include "store/RegWin32.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace orv::test {
namespace {

// Works in a scratch key of its own and deletes it afterwards.
class RegWin32Test : public ::testing::Test {
  protected:
    RegWin32Test() {
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                        nullptr);
    }
    ~RegWin32Test() override {
        RegCloseKey(raw);
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    }
    void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
        EXPECT_EQ(RegSetValueExA(raw, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }

    const std::string path = "SOFTWARE\\talmaro\\ot32-test-" + std::to_string(GetCurrentProcessId());
    HKEY raw = nullptr;
};

TEST_F(RegWin32Test, ValuesRoundTripWithTheirRegistryTypesAndForeignTypesReadAsOther) {
    RegWin32 key(path);
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    ASSERT_FALSE(key.WriteText("all", bytes));
    ASSERT_FALSE(key.WriteText("empty", ""));
    ASSERT_FALSE(key.WriteDword("list width", 0xFFFFFFFF));
    EXPECT_EQ(key.Read("all").Type, ValueType::Text);
    EXPECT_EQ(key.Read("all").Text, bytes);
    EXPECT_EQ(key.Read("empty").Type, ValueType::Text);
    EXPECT_EQ(key.Read("LIST WIDTH").Number, 0xFFFFFFFFu);
    EXPECT_EQ(key.Read("missing").Type, ValueType::Absent);
    // A text is stored as REG_SZ with its terminating zero.
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(raw, "all", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, bytes.size() + 1);

    SetRaw("F1", REG_EXPAND_SZ, "%HOME%", 7);
    SetRaw("F2", REG_SZ, "no zero", 7); // written by someone else without its terminating zero
    const BYTE blob[] = {1, 2, 3};
    SetRaw("BkgColour", REG_BINARY, blob, sizeof blob);
    EXPECT_EQ(key.Read("F1").Type, ValueType::Text);
    EXPECT_EQ(key.Read("F1").Text, "%HOME%");
    EXPECT_EQ(key.Read("F2").Text, "no zero");
    EXPECT_EQ(key.Read("BkgColour").Type, ValueType::Other);
}

} // namespace
} // namespace orv::test
