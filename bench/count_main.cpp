// count_main.cpp - the same work as the benchmarks, for counting instructions
// under callgrind (bench/callgrind.sh): only the measured operations are
// collected, so the counts repeat exactly from run to run.
//
//   brevio_count click|floor|lookups|render SETTINGS EFFECTS REPS
//   brevio_count startup|host|open REPS
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_support.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define COLLECT() CALLGRIND_TOGGLE_COLLECT
#else
#define COLLECT() (void)0
#endif

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  auto number = [&](int i) { return argc > i ? std::atoi(argv[i]) : 0; };
  if (mode == "click" || mode == "floor" || mode == "lookups" || mode == "render") {
    brevio_bench::BrevioHost host(number(2), number(3));
    for (int i = 0; i < number(4); ++i) {
      COLLECT();
      if (mode == "click") host.Click();
      if (mode == "floor") host.Floor();
      if (mode == "lookups") host.Floor(true);
      if (mode == "render") host.RenderCommand();
      COLLECT();
      host.Forget();
    }
    return host.Failed() ? 1 : 0;
  }
  if (mode == "startup" || mode == "host") {
    for (int i = 0; i < number(2); ++i) {
      COLLECT();
      const int exit = brevio_bench::StartAndQuit(mode == "startup");
      COLLECT();
      if (exit != 0) return 1;
    }
    return 0;
  }
  if (mode == "open") {
    brevio_bench::BrevioHost host(25, 4);
    host.CloseWindow();
    for (int i = 0; i < number(2); ++i) {
      COLLECT();
      const bool open = host.OpenWindow();
      COLLECT();
      if (!open) return 1;
      host.CloseWindow();
      host.Forget();
    }
    return host.Failed() ? 1 : 0;
  }
  std::fprintf(stderr,
               "usage: brevio_count click|floor|lookups|render SETTINGS EFFECTS REPS\n"
               "       brevio_count startup|host|open REPS\n");
  return 64;
}
