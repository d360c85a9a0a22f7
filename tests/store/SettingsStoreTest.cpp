#include "Fakes.h"
#include "store/Accounts.h"
#include "store/Reg.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using Names = std::vector<std::string>;

struct StoreFixture : ::testing::Test {
    std::unique_ptr<SettingsStore> Open() {
        window.calls.clear();
        return std::make_unique<SettingsStore>(std::make_unique<FakeKey>(registry), window);
    }
    FakeRegistry registry;
    FakeWindow window;
};

void StoreFullBatch(FakeRegistry& r) {
    r.Dword("BkgColour", 0x00102030);
    r.Dword("Window Top", 10);
    r.Dword("Window Left", 20);
    r.Dword("Window Width", 800);
    r.Dword("Window Height", 600);
    r.Dword("Window State", 2);
    r.Dword("Spynet Report", 1);
}

TEST_F(StoreFixture, FirstRunKeepsEveryDefaultAndWritesNoFontSizeOrColourAtExit) {
    auto store = Open();
    EXPECT_TRUE(window.calls.empty());
    EXPECT_FALSE(store->Font);
    EXPECT_TRUE(registry.written.empty()); // reading writes nothing

    store->SaveOnExit({"Courier New", 18, 400}, {WindowState::Normal, 5, 6, 700, 500});
    EXPECT_EQ(registry.written,
              (Names{"BkgColour", "Font Name", "Font Height", "Font Weight", "Spynet Report", "Window State",
                     "Window Top", "Window Left", "Window Width", "Window Height"}));
    EXPECT_EQ(registry.values["BkgColour"].Number, 0x80000005u);
    EXPECT_EQ(registry.values["Font Name"].Text, "Courier New");
    EXPECT_EQ(registry.values["Font Height"].Number, 18u);

    // So the next run places the window but still has no font of its own.
    store = Open();
    EXPECT_EQ(window.calls, (Names{"Top 5", "Left 6", "Width 700", "Height 500", "State 0"}));
    EXPECT_FALSE(store->Font);
}

TEST_F(StoreFixture, StartupBatchAppliesInOrderAndStopsAtTheFirstAbsentOrMistypedValue) {
    StoreFullBatch(registry);
    auto store = Open();
    EXPECT_EQ(window.calls, (Names{"Top 10", "Left 20", "Width 800", "Height 600", "State 2"}));
    EXPECT_EQ(store->BkgColour, 0x00102030u);
    EXPECT_TRUE(store->SpynetReport);

    registry.values.erase("Window Left");
    store = Open();
    EXPECT_EQ(window.calls, (Names{"Top 10"}));
    EXPECT_FALSE(store->SpynetReport);

    StoreFullBatch(registry);
    registry.Text("Window Height", "600");
    store = Open();
    EXPECT_EQ(window.calls, (Names{"Top 10", "Left 20", "Width 800"}));
    EXPECT_FALSE(store->SpynetReport);

    StoreFullBatch(registry);
    registry.Other("BkgColour");
    store = Open();
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(store->BkgColour, SystemWindowColour);
    EXPECT_FALSE(store->SpynetReport);
}

TEST_F(StoreFixture, FontGroupGivesAFontOnlyWhenAllFourIntegersAreThere) {
    registry.Text("Font Name", "Lucida Console");
    registry.Dword("Font Height", 0xFFFFFFF0); // a negative height, as fonts store a character height
    registry.Dword("Font Weight", 700);
    registry.Dword("Font Size", 12);
    registry.Dword("Font Colour", 0x80000008);
    auto store = Open();
    ASSERT_TRUE(store->Font);
    EXPECT_EQ(*store->Font, (StoredFont{"Lucida Console", -16, 700, 12, 0x80000008}));

    registry.Text("Font Name", std::string(40, 'x')); // cut to 31; the window's font name limit
    store = Open();
    ASSERT_TRUE(store->Font);
    EXPECT_EQ(store->Font->FaceName, std::string(31, 'x'));

    registry.values.erase("Font Name");
    store = Open();
    ASSERT_TRUE(store->Font);
    EXPECT_EQ(store->Font->FaceName, "");

    registry.Dword("Font Name", 3);
    EXPECT_FALSE(Open()->Font);

    registry.Text("Font Name", "Lucida Console");
    registry.Text("Font Size", "12");
    EXPECT_FALSE(Open()->Font);
    registry.values.erase("Font Size");
    EXPECT_FALSE(Open()->Font);
}

TEST_F(StoreFixture, ExitWritesTheReportedFontAndTheStoredSizeAndColour) {
    auto store = Open();
    store->BkgColour = RgbToColour({1, 2, 3});
    store->SpynetReport = true;
    store->Font = StoredFont{"Chosen", 20, 700, 14, 0x0000FF00};
    store->SaveOnExit({"Reported", 19, 400}, {WindowState::Maximised, -8, -8, 1936, 1056});
    EXPECT_EQ(registry.written, (Names{"BkgColour", "Font Name", "Font Height", "Font Weight", "Font Size",
                                       "Font Colour", "Spynet Report", "Window State", "Window Top",
                                       "Window Left", "Window Width", "Window Height"}));
    EXPECT_EQ(registry.values["BkgColour"].Number, 0x00030201u);
    EXPECT_EQ(registry.values["Font Name"].Text, "Reported");
    EXPECT_EQ(registry.values["Font Height"].Number, 19u);
    EXPECT_EQ(registry.values["Font Size"].Number, 14u);
    EXPECT_EQ(registry.values["Font Colour"].Number, 0x0000FF00u);
    EXPECT_EQ(registry.values["Spynet Report"].Number, 1u);
    EXPECT_EQ(registry.values["Window Top"].Number, 0xFFFFFFF8u);

    store = Open();
    EXPECT_EQ(window.calls, (Names{"Top -8", "Left -8", "Width 1936", "Height 1056", "State 2"}));
    ASSERT_TRUE(store->Font);
    EXPECT_EQ(*store->Font, (StoredFont{"Reported", 19, 400, 14, 0x0000FF00}));
}

TEST_F(StoreFixture, GettersTakeTheirDefaultForMistypedValuesAndCutLongTexts) {
    auto store = Open();
    registry.Text("list width", "200");
    EXPECT_EQ(store->GetListWidth(), 140);
    registry.Dword("buffer size", 201);
    EXPECT_EQ(store->GetBufferSize(), 201);
    registry.Dword("blank status", 7);
    EXPECT_TRUE(store->GetBlankStatus());
    registry.Dword("player list", 0);
    EXPECT_FALSE(store->GetPlayerList());
    registry.Other("ToolBar");
    EXPECT_TRUE(store->GetToolBar());
    registry.Dword("ScrollBack", 0xFFFFFFFF);
    EXPECT_EQ(store->GetScrollBack(), -1);

    EXPECT_EQ(store->GetFKeyText("F5"), "");
    registry.Dword("F5", 5);
    EXPECT_EQ(store->GetFKeyText("F5"), "");
    registry.Text("F5", std::string(300, 'm'));
    EXPECT_EQ(store->GetFKeyText("F5"), std::string(255, 'm'));
    registry.Text("Ac1", std::string(200, 'a'));
    EXPECT_EQ(store->GetStoredText("Ac1", AccountRecord::ReadLimit), std::string(143, 'a'));
    registry.Text("F6", std::string("say\0hidden", 10)); // a zero byte ends a text
    EXPECT_EQ(store->GetFKeyText("F6"), "say");
}

TEST_F(StoreFixture, SettersWriteTheirTypeAtOnceAndAFailedWriteNamesTheValue) {
    auto store = Open();
    store->SetListWidth(-5);
    EXPECT_EQ(registry.values["list width"].Type, ValueType::Dword);
    store->SetFKeyText("F12", "");
    EXPECT_EQ(registry.values["F12"].Type, ValueType::Text);
    registry.failing.insert("input height");
    try {
        store->SetInputHeight(70);
        FAIL() << "no error";
    } catch (const SettingsWriteError& error) {
        EXPECT_NE(std::string(error.what()).find("\"input height\""), std::string::npos);
    }
    EXPECT_EQ(store->GetInputHeight(), 56);

    // At exit the first failure ends the batch.
    registry.written.clear();
    registry.failing.insert("Font Weight");
    EXPECT_THROW(store->SaveOnExit({"X", 1, 2}, {}), SettingsWriteError);
    EXPECT_EQ(registry.written, (Names{"BkgColour", "Font Name", "Font Height"}));
}

TEST(Colour, StoredValuesConvertToRgbAndBackExactly) {
    const auto system = [](int index) {
        return index == 5 ? Rgb{255, 255, 254} : index == 8 ? Rgb{0, 0, 1} : Rgb{};
    };
    EXPECT_EQ(ColourToRgb(0x00332211, system), (Rgb{0x11, 0x22, 0x33}));
    EXPECT_EQ(ColourToRgb(SystemWindowColour, system), (Rgb{255, 255, 254}));
    EXPECT_EQ(ColourToRgb(0x80000008, system), (Rgb{0, 0, 1}));
    EXPECT_EQ(RgbToColour({0x11, 0x22, 0x33}), 0x00332211u);
    EXPECT_FALSE(IsSystemColour(RgbToColour({255, 255, 255})));
}

} // namespace
} // namespace orv::test
