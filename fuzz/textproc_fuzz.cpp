// The text processor wired as the window wires it (both dialogues, the line recognisers, the roster
// and the friends list) or, when the first byte's top bit is set, as a plain terminal. The rest of
// that byte sets the switches and the error box's answer, the second the ranks alert mask; then each
// record is a state byte (below 6 a LinkState to force, Logon and NewAccount on a new connection as
// the connect commands do), a length byte and one read's bytes. No NUL or telnet byte may be shown.
#include "gametext/Foes.h"
#include "tests/gametext/Fakes.h"
#include "tests/session/FakeHost.h"

#include <algorithm>
#include <cstdlib>

namespace {

using namespace orv;

// One ShowLine and SendText serve both sides, and the set-up moves the LinkState as the window's does.
struct Window : test::FakeHost, GameLineHost {
    void ShowLine(std::string_view line) override {
        if (line.find_first_of(std::string_view("\0\xff", 2)) != line.npos) std::abort();
        output.ShowLine(line);
    }
    void SendText(std::string_view bytes) override { FakeHost::SendText(bytes); }
    bool SettingUp() const override { return state == LinkState::Setup; }
    void WhoListStarted() override { state = LinkState::WhoList; }
    bool PlayerListTicked() const override { return playerList; }
    bool SpyNetNoticesTicked() const override { return spyNet; }
    void UpdateCaption() override {}
    void SetTotalCaption(std::string_view caption) override { view.SetTotalCaption(caption); }
    void FinishSetup() override { state = LinkState::Normal; }
    void PlayAlert() override {}

    OutputBuffer output;
    test::FakeListView view;
    bool playerList = false, spyNet = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    Window window;
    window.diagnostics = data[0] & 1, window.supressBlanks = data[0] & 2, window.playerList = data[0] & 4;
    test::FakeDialogue dialogue(window);
    window.spyNet = data[0] & 8, dialogue.form.NewAccount = data[0] & 16;
    dialogue.answers.assign(size, data[0] & 32); // every error box that can come has its answer
    FriendsAndFoes foes;
    foes.SetNames({"Zed", "Nova", "Zed"});
    foes.SetRanksAlertMask(data[1] << 8 | data[1]);
    PlayerRoster roster(window.view, foes);
    LineRecognisers lines(window, roster, foes);
    TextProcessor tp(window, data[0] & 128 ? nullptr : &dialogue, data[0] & 128 ? nullptr : &lines);

    for (std::size_t at = 2; at + 2 <= size;) {
        if (data[at] < 6) window.state = static_cast<LinkState>(data[at]);
        // Only a dialogue may leave part of a read for the next one.
        const bool inDialogue = window.state == LinkState::Logon || window.state == LinkState::NewAccount;
        if (inDialogue && data[at] < 6) tp.Reset(), roster.ClearRoster();
        const std::size_t length = std::min<std::size_t>(data[at + 1] * 16u + 1u, size - at - 2);
        tp.ProcessChunk({reinterpret_cast<const char*>(data + at + 2), length});
        at += 2 + length;
        if (tp.PendingText().size() >= TextProcessor::PendingLimit + (inDialogue ? 4096 : 0) ||
            window.view.openUpdates != 0 || window.view.rows.size() > roster.PlayerCount())
            std::abort();
    }
    return 0;
}
