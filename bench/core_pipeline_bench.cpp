// The core pipeline from raw chunks to shown lines: telnet, line cutting, routing, and (in the
// second case) the output pane's model with its limit, trim and filler rules.
#include "GameText.h"
#include "session/Host.h"
#include "session/Output.h"
#include "session/Textproc.h"

#include <benchmark/benchmark.h>

namespace {

class DiscardingHost : public orv::SessionHost {
  public:
    void SendText(std::string_view bytes) override { sent += bytes.size(); }
    void SendTelnet(std::string_view bytes) override { sent += bytes.size(); }
    bool DiagnosticsOn() const override { return false; }
    void ShowLine(std::string_view line) override {
        ++lines;
        benchmark::DoNotOptimize(line.data());
    }
    orv::LinkState GetLinkState() const override { return orv::LinkState::Normal; }
    void SetLinkState(orv::LinkState) override {}
    bool SupressBlanks() const override { return false; }
    std::size_t lines = 0;
    std::size_t sent = 0;
};

// Shows every line in the output model, as the window does before its frame catches up.
class ModelHost : public DiscardingHost {
  public:
    void ShowLine(std::string_view line) override {
        ++lines;
        output.ShowLine(line);
    }
    orv::OutputBuffer output{orv::OutputBuffer::LargeLineLimit};
};

template <class Host> void Pipeline(benchmark::State& state) {
    const auto chunks = orv::bench::Chunks(orv::bench::MakeGameText(8 << 20));
    std::size_t bytes = 0;
    for (const auto& c : chunks)
        bytes += c.size();
    Host host;
    orv::TextProcessor tp(host);
    for (auto _ : state)
        for (const auto& chunk : chunks)
            tp.ProcessChunk(chunk);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(host.lines), benchmark::Counter::kIsRate);
}

BENCHMARK(Pipeline<DiscardingHost>)->Name("ChunksToLines/discard")->Unit(benchmark::kMillisecond);
BENCHMARK(Pipeline<ModelHost>)->Name("ChunksToLines/output_model")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
