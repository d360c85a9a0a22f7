#include "store/Reg.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace orv::test {
namespace {

using Names = std::vector<std::string>;

// The values of an in-memory registry key, kept apart from the key so that they outlive the store
// that owns it; notes the order of writes and fails those to the names in failing.
struct FakeRegistry {
    std::map<std::string, RegValue, std::less<>> values;
    std::vector<std::string> written;
    std::set<std::string, std::less<>> failing;
    std::optional<SettingsReadError> unreadable;
};

struct FakeKey : RegistryKey {
    explicit FakeKey(FakeRegistry& registry) : registry_(registry) {}
    RegValue Read(std::string_view name) const override {
        const auto it = registry_.values.find(name);
        return it == registry_.values.end() ? RegValue{} : it->second;
    }
    std::error_code WriteDword(std::string_view name, std::uint32_t value) override {
        return Write(name, {ValueType::Dword, value, {}});
    }
    std::error_code WriteText(std::string_view name, std::string_view text) override {
        return Write(name, {ValueType::Text, 0, std::string(text)});
    }
    std::error_code Write(std::string_view name, RegValue value) {
        if (registry_.failing.count(name) != 0) return std::make_error_code(std::errc::read_only_file_system);
        registry_.written.emplace_back(name);
        registry_.values[std::string(name)] = std::move(value);
        return {};
    }
    std::optional<SettingsReadError> ReadFailure() const override { return registry_.unreadable; }
    FakeRegistry& registry_;
};

// Records what the start-up batch does to the window, in order.
struct FakeWindow : WindowPlacement {
    void SetTop(std::int32_t v) override { calls.push_back("Top " + std::to_string(v)); }
    void SetLeft(std::int32_t v) override { calls.push_back("Left " + std::to_string(v)); }
    void SetWidth(std::int32_t v) override { calls.push_back("Width " + std::to_string(v)); }
    void SetHeight(std::int32_t v) override { calls.push_back("Height " + std::to_string(v)); }
    void SetWindowState(std::int32_t v) override { calls.push_back("State " + std::to_string(v)); }
    std::vector<std::string> calls;
};

struct StoreFixture : ::testing::Test {
    std::unique_ptr<SettingsStore> Open() {
        window.calls.clear();
        registry.written.clear();
        return std::make_unique<SettingsStore>(std::make_unique<FakeKey>(registry), window);
    }
    FakeRegistry registry;
    FakeKey stored{registry}; // what an earlier run left
    FakeWindow window;
};

TEST_F(StoreFixture, ExitBatchComesBackAtTheNextStartWhichStopsAtTheFirstAbsentOrMistypedValue) {
    auto store = Open();
    store->BkgColour = 0x00030201;
    store->SpynetReport = true;
    store->Font = StoredFont{"Chosen", 20, 700, 14, 0x0000FF00};
    store->SaveOnExit({std::string(40, 'R'), 19, 400}, {WindowState::Maximised, -8, -8, 1936, 1056});
    EXPECT_EQ(stored.Read("Font Name").Text, std::string(31, 'R')) << "written as it reads back";
    EXPECT_EQ(registry.written, (Names{"BkgColour", "Font Name", "Font Height", "Font Weight", "Font Size",
                                       "Font Colour", "Spynet Report", "Window State", "Window Top",
                                       "Window Left", "Window Width", "Window Height"}));
    store = Open();
    EXPECT_EQ(window.calls, (Names{"Top -8", "Left -8", "Width 1936", "Height 1056", "State 2"}));
    EXPECT_EQ(store->BkgColour, 0x00030201u);
    EXPECT_TRUE(store->SpynetReport);
    EXPECT_EQ(store->Font, (StoredFont{std::string(31, 'R'), 19, 400, 14, 0x0000FF00}));

    stored.WriteText("Window Height", "1056");
    store = Open();
    EXPECT_EQ(window.calls, (Names{"Top -8", "Left -8", "Width 1936"}));
    EXPECT_FALSE(store->SpynetReport);
    registry.values.erase("BkgColour");
    store = Open();
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(store->BkgColour, SystemWindowColour);
}

TEST_F(StoreFixture, FontOnlyWithAllFourIntegersGettersDefaultForMistypedValuesAndTextsAreCut) {
    stored.WriteText("Font Name", std::string(40, 'x'));
    stored.WriteDword("Font Height", 0xFFFFFFF0); // a negative height, as fonts store a character height
    stored.WriteDword("Font Weight", 700);
    stored.WriteDword("Font Size", 12);
    stored.WriteDword("Font Colour", 0x80000008);
    EXPECT_EQ(Open()->Font, (StoredFont{std::string(31, 'x'), -16, 700, 12, 0x80000008}));
    registry.values.erase("Font Name"); // the toolkit chooses the face
    EXPECT_EQ(Open()->Font, (StoredFont{"", -16, 700, 12, 0x80000008}));
    stored.WriteDword("Font Name", 3);
    EXPECT_FALSE(Open()->Font);
    registry.values.erase("Font Name");
    stored.WriteText("Font Size", "12");
    EXPECT_FALSE(Open()->Font);

    // Getters give their default for mistyped values, and texts are cut.
    auto store = Open();
    stored.WriteText("list width", "200");
    registry.values["ToolBar"] = {ValueType::Other, 0, {}};
    stored.WriteDword("blank status", 7);
    stored.WriteDword("ScrollBack", 0xFFFFFFFF);
    EXPECT_EQ(store->GetListWidth(), 140);
    EXPECT_TRUE(store->GetToolBar());
    EXPECT_TRUE(store->GetBlankStatus());
    EXPECT_EQ(store->GetScrollBack(), -1);

    stored.WriteDword("F5", 5);
    EXPECT_EQ(store->GetFKeyText("F5"), "");
    stored.WriteText("F5", std::string(300, 'm'));
    EXPECT_EQ(store->GetFKeyText("F5"), std::string(255, 'm'));
    EXPECT_EQ(store->GetStoredText("F5", 3), "mmm");
    stored.WriteText("F6", std::string("say\0hidden", 10)); // a zero byte ends a text
    EXPECT_EQ(store->GetFKeyText("F6"), "say");
}

TEST_F(StoreFixture, FirstRunWritesNothingItsExitHasNoFontSizeOrColourAndAFailedWriteEndsIt) {
    auto store = Open();
    EXPECT_TRUE(window.calls.empty() && registry.written.empty());
    EXPECT_FALSE(store->Font);
    EXPECT_EQ(store->BkgColour, SystemWindowColour);
    EXPECT_TRUE(store->GetPlayerList() && store->GetStatusBar() && !store->GetAutoLog());
    store->SaveOnExit({"Courier New", 18, 400}, {WindowState::Normal, 5, 6, 700, 500});
    EXPECT_EQ(registry.written,
              (Names{"BkgColour", "Font Name", "Font Height", "Font Weight", "Spynet Report", "Window State",
                     "Window Top", "Window Left", "Window Width", "Window Height"}));
    // A failed write ends the batch.
    registry.failing = {"Font Weight"};
    EXPECT_THROW(Open()->SaveOnExit({"X", 1, 2}, {}), SettingsWriteError);
    EXPECT_EQ(registry.written, (Names{"BkgColour", "Font Name", "Font Height"}));
}

TEST_F(StoreFixture, AKeyThatCouldNotBeReadIsLeftAsItIsForTheWholeRun) {
    registry.unreadable.emplace("ot32.reg", std::make_error_code(std::errc::permission_denied));
    auto store = Open();
    ASSERT_TRUE(store->ReadFailure());
    registry.unreadable.reset(); // readable again later in the run: still nothing is written
    store->SetListWidth(1);
    store->SetFKeyText("F1", "x");
    store->SaveOnExit({"X", 1, 2}, {});
    EXPECT_TRUE(registry.written.empty());
}

} // namespace
} // namespace orv::test
