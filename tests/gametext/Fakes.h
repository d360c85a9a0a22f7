#pragma once

#include "gametext/Players.h"
#include "gametext/Recognisers.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace orv::test {

// The window's list box, caption and count as the roster drives them. Like the real list box it
// finds whole entries ignoring case; its own sort order is left out (Sorted() compares contents).
struct FakeListView : PlayerListView {
    void AddRow(std::string_view name) override { rows.emplace_back(name), ++changes; }
    int FindRow(std::string_view name) const override {
        const auto same = [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); };
        for (std::size_t row = 0; row < rows.size(); ++row)
            if (std::ranges::equal(rows[row], name, same)) return static_cast<int>(row);
        return -1;
    }
    void DeleteRow(int row) override { rows.erase(rows.begin() + row), ++changes; }
    void ClearRows() override { rows.clear(), ++changes; }
    void BeginUpdate() override { ++openUpdates; }
    void EndUpdate() override { --openUpdates; }
    void SetTotalCaption(std::string_view text) override { caption = text; }
    void SetCountText(std::string_view text) override { countText = text, ++changes; }
    void ShowPlayerPanel(bool shown) override { panelShown = shown; }

    std::vector<std::string> Sorted() const {
        auto sorted = rows;
        std::ranges::sort(sorted);
        return sorted;
    }

    std::vector<std::string> rows;
    std::string caption, countText;
    bool panelShown = true;
    int changes = 0, openUpdates = 0;
};

// The window as the recognisers see it; it writes the one TotalPanel caption the list view holds.
struct FakeGameHost : GameLineHost {
    explicit FakeGameHost(FakeListView& v) : view(v) {}
    void ShowLine(std::string_view line) override { shown.emplace_back(line); }
    void SendText(std::string_view bytes) override { sent.append(bytes); }
    bool SettingUp() const override { return phase == Phase::SettingUp; }
    void WhoListStarted() override { phase = Phase::WhoList; }
    bool PlayerListTicked() const override { return playerList; }
    bool SpyNetNoticesTicked() const override { return spyNet; }
    void UpdateCaption() override { ++captionUpdates; }
    void SetTotalCaption(std::string_view caption) override { view.SetTotalCaption(caption); }
    void FinishSetup() override { phase = Phase::Playing, ++setupsFinished; }
    void PlayAlert() override { ++alerts; }

    FakeListView& view;
    std::vector<std::string> shown;
    std::string sent;
    enum class Phase { Playing, SettingUp, WhoList } phase = Phase::Playing;
    bool playerList = true, spyNet = false;
    int captionUpdates = 0, setupsFinished = 0, alerts = 0;
};

} // namespace orv::test
