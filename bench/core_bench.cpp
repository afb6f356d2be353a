// Costs on the 1 ms paths and of the file format, on the simulated desktop.
#include <benchmark/benchmark.h>

#include "engine/recorder.h"
#include "model/tpw_format.h"
#include "platform/sim/sim.h"

namespace {

// One millisecond of a recording on the simulated desktop: the sampler's tick (the cursor query,
// the button watch, the append) and the loop that wakes it, for a recording of a minute.
void BM_SamplerTick(benchmark::State& state) {
  sim::Reset();
  model::Recording r;
  const engine::HotkeySet keys;
  engine::Recorder recorder(keys, nullptr);
  recorder.Start(r, false);
  for (auto _ : state) {
    if (r.size() >= 60'000) {
      state.PauseTiming();
      recorder.Stop();
      recorder.Start(r = model::Recording(), false);
      state.ResumeTiming();
    }
    sim::Advance(1);
  }
}
BENCHMARK(BM_SamplerTick);

model::Recording Minute() {
  model::Recording r;
  r.reserve(60'000);
  for (std::int32_t k = 1; k <= 60'000; ++k) r.push_back({k % 1920, k % 1080, k % 100 ? -1 : 1});
  return r;
}

void BM_SaveMinute(benchmark::State& state) {
  const model::Recording r = Minute();
  for (auto _ : state) benchmark::DoNotOptimize(model::FormatRecording(r));
}
BENCHMARK(BM_SaveMinute)->Unit(benchmark::kMillisecond);

void BM_LoadMinute(benchmark::State& state) {
  const std::string text = model::FormatRecording(Minute());
  for (auto _ : state) benchmark::DoNotOptimize(model::ParseRecording(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadMinute)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
