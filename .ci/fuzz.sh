#!/usr/bin/env bash
# Fuzzing: builds the fuzz targets (fuzz/) with clang-14, libFuzzer and the
# address and undefined-behaviour sanitizers, then runs each for a fixed time,
# starting from its committed corpus. Prints the seed; a crash, a sanitizer
# report or a broken property fails the script and leaves the input in the
# work folder. Self-contained: installs what a fresh Debian machine lacks.
#
# Environment: BREVIO_FUZZ_DIR (work folder, default build/ci/fuzz in this tree),
# BREVIO_FUZZ_SECONDS (per target, default 30), BREVIO_FUZZ_SEED (default:
# from the clock), BREVIO_JOBS (build jobs, default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=${BREVIO_FUZZ_DIR:-$root/build/ci/fuzz}
seconds=${BREVIO_FUZZ_SECONDS:-30}
seed=${BREVIO_FUZZ_SEED:-$(date +%s)}
jobs=${BREVIO_JOBS:-2}
targets=(resource scene prefs session)

tools/install-deps.sh clang-14 libclang-rt-14-dev

build=$work/build
echo "--- fuzz: building into $build"
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREVIO_FUZZ=ON -DBREVIO_SANITIZE=ON \
  -DBREVIO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target Brevio_layout "${targets[@]/%/_fuzzer}"

echo "--- fuzz: seed $seed, ${seconds}s per target (repeat with BREVIO_FUZZ_SEED=$seed)"
failed=()
for t in "${targets[@]}"; do
  corpus=$work/corpus/$t  # what this machine found so far; the committed seeds are read too
  crashes=$work/crashes/$t
  mkdir -p "$corpus" "$crashes"
  log=$work/$t.log
  if (cd "$crashes" && "$build/fuzz/${t}_fuzzer" -seed="$seed" -max_total_time="$seconds" \
        -timeout=30 -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$crashes/" \
        "$corpus" "$root/fuzz/corpus/$t" >"$log" 2>&1); then
    printf -- '--- fuzz: %-8s ok   %s\n' "$t" "$(grep -m1 -o 'DONE.*' "$log" || true)"
  else
    failed+=("$t")
    printf -- '--- fuzz: %-8s FAILED (log %s)\n' "$t" "$log"
    grep -E -A40 'ERROR|BROKEN|runtime error|deadly signal' "$log" | head -80 || tail -40 "$log"
    for input in "$crashes"/*; do
      [ -e "$input" ] || continue
      echo "    input: $input"
      echo "    replay: $build/fuzz/${t}_fuzzer $input"
      echo "    keep it as a regression test: cp $input $root/fuzz/corpus/$t/"
    done
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "--- fuzz: FAILED: ${failed[*]} (seed $seed)"
  exit 1
fi
echo "--- fuzz: all targets ran clean (seed $seed)"
