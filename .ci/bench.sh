#!/usr/bin/env bash
# Benchmarks, smoke pass: builds the benchmarks (bench/, Release) into a work
# folder and runs each of them briefly on small scenes, then counts one click
# against the floor under callgrind. It proves that they run and that the
# host sees no misuse or leak on the way. It times nothing, but instruction
# counts repeat exactly: it fails when a click goes past its budget in
# bench/budget.txt (Brevio's own code per click, or the click without the
# render command against the floor). The measured results are in
# docs/performance.md. Self-contained: installs what a fresh Debian machine
# lacks.
#
# Environment: BREVIO_BENCH_DIR (work folder, default build/ci/bench in this tree),
# BREVIO_JOBS (build jobs, default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=${BREVIO_BENCH_DIR:-$root/build/ci/bench}
jobs=${BREVIO_JOBS:-2}

tools/install-deps.sh libbenchmark-dev valgrind

build=$work/build
echo "--- bench: building into $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBREVIO_BENCH=ON \
  -DBREVIO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target brevio_bench brevio_count

echo "--- bench: smoke run"
"$build/bench/brevio_bench" --benchmark_min_time=0.01 \
  --benchmark_filter='TestRenderClick/settings:(10|1000)/effects:(0|100)/|HostStartUp|OpenDialog|DrawDialog|LayOutDialog|Read(Scene|Prefs)File/[a-z]+:1000$'

echo "--- bench: instruction counts (callgrind)"
bench/callgrind.sh "$build" --quick
echo "--- bench: done"
