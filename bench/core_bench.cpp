// Costs on the 1 ms paths and of the file format, on the simulated desktop.
#include <benchmark/benchmark.h>

#include "files/tpw_format.h"
#include "platform/sim/sim.h"
#include "shell/form1.h"

namespace {

// One sampler tick's work: the cursor query and the append, for a recording of a minute.
void BM_SamplerTick(benchmark::State& state) {
  sim::Reset();
  tapwright::Form1 f;
  f.Form_Load();
  f.ToggleRecording();
  for (auto _ : state) {
    if (f.SampleCount >= 60'000) {
      state.PauseTiming();
      f.ToggleRecording();
      f.ToggleRecording();
      state.ResumeTiming();
    }
    f.TmrRaton_Timer();
  }
}
BENCHMARK(BM_SamplerTick);

engine::Recording Minute() {
  engine::Recording r;
  r.Redim(60'000);
  for (std::int32_t k = 1; k <= r.UBound(); ++k) r[k] = {k % 1920, k % 1080, k % 100 ? -1 : 1};
  return r;
}

void BM_SaveMinute(benchmark::State& state) {
  const engine::Recording r = Minute();
  for (auto _ : state) benchmark::DoNotOptimize(tpw::Format(r));
}
BENCHMARK(BM_SaveMinute)->Unit(benchmark::kMillisecond);

void BM_LoadMinute(benchmark::State& state) {
  const std::string text = tpw::Format(Minute());
  for (auto _ : state) benchmark::DoNotOptimize(tpw::Parse(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadMinute)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
