// brevio_bench.cpp - what Brevio costs in the simulated host: one click of
// Render against the floor (the host work any test render needs: two copies
// of the render settings, two applies, the walks over the post effects),
// measured in the same run on the same scene; the host's start-up with
// Brevio; opening the dialog; drawing it as a picture.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include "bench_support.h"
#include "document/scene.h"
#include "paint/paint.h"

namespace {

// The thread's own processor time where the system counts it: the parts of
// one iteration are timed one by one, and a busy machine would otherwise
// charge them for other programs' time.
struct Clock {
  using time_point = double;
  static double now() {
#ifdef CLOCK_THREAD_CPUTIME_ID
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#else
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
#endif
  }
};

double Seconds(double a, double b) { return b - a; }

// Per iteration: a click (the time reported, processor time of the thread),
// then the floor and the host's render command alone (reported as counters,
// in microseconds, with the ratios).
void TestRenderClick(benchmark::State& state) {
  brevio_bench::BrevioHost host(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  double click = 0, floor = 0, lookups = 0, render = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    host.Click();
    const auto t1 = Clock::now();
    host.Floor();
    const auto t2 = Clock::now();
    host.Floor(true);
    const auto t3 = Clock::now();
    host.RenderCommand();
    const auto t4 = Clock::now();
    host.Forget();
    state.SetIterationTime(Seconds(t0, t1));
    click += Seconds(t0, t1);
    floor += Seconds(t1, t2);
    lookups += Seconds(t2, t3);
    render += Seconds(t3, t4);
  }
  if (host.Failed()) state.SkipWithError("the host saw a misuse or a leak");
  const double n = static_cast<double>(state.iterations());
  state.counters["floor_us"] = floor / n * 1e6;
  state.counters["render_us"] = render / n * 1e6;
  state.counters["ratio"] = click / floor;
  // Without the host's own render command, which any test render triggers.
  state.counters["ratio_no_render"] = (click - render) / floor;
  // Against the floor with one lookup from the list's start per effect type.
  state.counters["ratio_lookups_no_render"] = (click - render) / lookups;
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

// The host draws the open window with the factory settings: layout, text
// and gadgets, and the encoded file (format 0: PNG, 1: PDF), not written.
void DrawDialog(benchmark::State& state) {
  brevio_bench::BrevioHost host(25, 4);
  const auto format = static_cast<simhost::PictureFormat>(state.range(0));
  std::string bytes, error;
  simhost::WindowLayout layout;
  for (auto _ : state) {
    if (!simhost::DrawWindow(host.Dialog()->window, 0, 0, format, bytes, layout, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(bytes.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(DrawDialog)->ArgName("format")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The layout alone, with the painter's font.
void LayOutDialog(benchmark::State& state) {
  brevio_bench::BrevioHost host(25, 4);
  std::string error;
  const simhost::TextMetrics* text = simhost::PictureMetrics(error);
  simhost::WindowLayout layout;
  for (auto _ : state)
    if (text == nullptr ||
        !simhost::LayOutWindow(host.Dialog()->window, *text, 0, 0, layout, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
}
BENCHMARK(LayOutDialog)->Unit(benchmark::kMicrosecond);

// The host reads a scene file of `settings` render-setting entries (the
// JSON reader and the scene's checks, file read included), and a
// preferences file of one plug-in with as many entries: both readers share
// the strict JSON reader, which must stay linear in the entries.
void ReadSceneFile(benchmark::State& state) {
  const int settings = static_cast<int>(state.range(0));
  brevio_testing::TempDir dir("bench-scene");
  const std::string path = dir / "scene.json";
  brevio_testing::WriteFile(path, brevio_bench::MakeScene(settings, 0).dump());
  for (auto _ : state) {
    simhost::Scene scene;
    std::string error;
    if (!simhost::LoadSceneFile(path, scene, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * settings);
}
BENCHMARK(ReadSceneFile)
    ->ArgName("settings")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

void ReadPrefsFile(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  brevio_testing::TempDir dir("bench-prefs");
  nlohmann::json data = nlohmann::json::object();
  for (int i = 0; i < entries; ++i) data[std::to_string(i)] = {{"int32", i}};
  const nlohmann::json file = {{"format", "simhost world plug-in preferences 1"},
                               {"plugins", {{"1027069", {{"id", -1}, {"data", data}}}}}};
  brevio_testing::WriteFile(dir / "world_plugin_data.json", file.dump());
  simhost::Host host;
  host.options.echo = false;
  host.journal.echo = false;
  host.options.prefsDir = dir.Str();
  for (auto _ : state) {
    simhost::LoadPrefs(host);
    host.journal.Forget();
  }
  if (host.core->prefs.size() != 1) state.SkipWithError("the preferences were not loaded");
  state.SetItemsProcessed(state.iterations() * entries);
}
BENCHMARK(ReadPrefsFile)
    ->ArgName("entries")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
