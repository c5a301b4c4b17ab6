// brevio_bench.cpp - what Brevio costs in the simulated host: one click of
// Render against the floor (the host work any test render needs: two copies
// of the render settings, two applies, the walks over the post effects),
// measured in the same run on the same scene; the host's start-up with
// Brevio; opening the dialog.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_support.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// Per iteration: a click (the time reported), then the floor and the host's
// render command alone (reported as counters, in microseconds, with ratios).
void TestRenderClick(benchmark::State& state) {
  brevio_bench::BrevioHost host(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  double click = 0, floor = 0, render = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    host.Click();
    const auto t1 = Clock::now();
    host.Floor();
    const auto t2 = Clock::now();
    host.RenderCommand();
    const auto t3 = Clock::now();
    host.Forget();
    state.SetIterationTime(Seconds(t0, t1));
    click += Seconds(t0, t1);
    floor += Seconds(t1, t2);
    render += Seconds(t2, t3);
  }
  if (host.Failed()) state.SkipWithError("the host saw a misuse or a leak");
  const double n = static_cast<double>(state.iterations());
  state.counters["floor_us"] = floor / n * 1e6;
  state.counters["render_us"] = render / n * 1e6;
  state.counters["ratio"] = click / floor;
  // Without the host's own render command, which any test render triggers.
  state.counters["ratio_no_render"] = (click - render) / floor;
}
BENCHMARK(TestRenderClick)
    ->ArgNames({"settings", "effects"})
    ->ArgsProduct({{10, 100, 1000, 10000}, {0, 100, 1000, 10000}})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// A whole host run, start to quit: with Brevio, and the host alone.
void HostStartUp(benchmark::State& state) {
  const bool brevio = state.range(0) != 0;
  for (auto _ : state)
    if (brevio_bench::StartAndQuit(brevio) != 0) state.SkipWithError("the session failed");
}
BENCHMARK(HostStartUp)->ArgName("brevio")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The user runs the command: the window is laid out from the resource and
// filled from the settings. Closing it is not timed.
void OpenDialog(benchmark::State& state) {
  brevio_bench::BrevioHost host(25, 4);
  host.CloseWindow();
  for (auto _ : state) {
    if (!host.OpenWindow()) state.SkipWithError("the dialog did not open");
    state.PauseTiming();
    host.CloseWindow();
    host.Forget();
    state.ResumeTiming();
  }
  if (host.Failed()) state.SkipWithError("the host saw a misuse or a leak");
}
BENCHMARK(OpenDialog)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
