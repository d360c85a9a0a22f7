// Feeds arbitrary bytes to the text processor in reads of arbitrary sizes and states. The first
// byte of each record chooses the LinkState, the second the read length; the output model and
// the command cleaner see every line that comes out.
#include "session/Host.h"
#include "session/Output.h"
#include "session/Textproc.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class FuzzHost : public orv::SessionHost {
  public:
    void SendText(std::string_view bytes) override { sent += bytes.size(); }
    void SendTelnet(std::string_view bytes) override { sent += bytes.size(); }
    bool DiagnosticsOn() const override { return true; }
    void ShowLine(std::string_view line) override {
        output.ShowLine(line);
        std::string command(line.substr(0, 255));
        orv::TextProcessor::CheckCommand(command);
        if (command.empty() || command.back() != '\n') std::abort();
    }
    orv::LinkState GetLinkState() const override { return state; }
    void SetLinkState(orv::LinkState s) override { state = s; }
    bool SupressBlanks() const override { return (sent & 1) != 0; }

    orv::OutputBuffer output;
    orv::LinkState state = orv::LinkState::Normal;
    std::size_t sent = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzHost host;
    orv::TextProcessor tp(host);
    std::size_t at = 0;
    while (at + 2 <= size) {
        host.state = static_cast<orv::LinkState>(data[at] % 6);
        const std::size_t length = std::min<std::size_t>(data[at + 1] * 16u + 1u, size - at - 2);
        tp.ProcessChunk({reinterpret_cast<const char*>(data + at + 2), length});
        if (tp.PendingText().size() > orv::TextProcessor::PendingLimit + 4095) std::abort();
        at += 2 + length;
    }
    return 0;
}
