#!/usr/bin/env bash
# Instruction counts under callgrind, for ratios that repeat exactly from run
# to run: one click of Render against the floor on scenes of several sizes,
# the host's start-up with and without Brevio, and opening the dialog.
#
# usage: bench/callgrind.sh BUILD_DIR [--quick]
#   BUILD_DIR  a build with BREVIO_BENCH=ON (holds bench/brevio_count)
#   --quick    the smallest scenes only (the CI smoke pass)
set -euo pipefail
build=${1:?usage: bench/callgrind.sh BUILD_DIR [--quick]}
quick=${2:-}
count=$build/bench/brevio_count
[ -x "$count" ] || { echo "callgrind.sh: $count is missing (build with -DBREVIO_BENCH=ON)" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Instructions per repetition of one measured operation.
instructions() { # reps args...
  local reps=$1 file=$out/callgrind.out
  shift
  rm -f "$file"
  valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$file" \
    "$count" "$@" >/dev/null 2>"$out/valgrind.log" || {
    cat "$out/valgrind.log" >&2
    return 1
  }
  local total
  total=$(grep -E '^(summary|totals):' "$file" | head -n 1 | awk '{print $2}')
  echo $((total / reps))
}

if [ "$quick" = "--quick" ]; then
  sizes=("10 0" "1000 100")
  reps=3
else
  sizes=("10 0" "100 0" "1000 0" "10000 0" "10 100" "10 1000" "10 10000" "1000 1000" "10000 10000")
  reps=5
fi

printf '%-9s %-8s %14s %14s %7s %14s %16s\n' settings effects click floor ratio render "ratio w/o render"
for size in "${sizes[@]}"; do
  read -r settings effects <<<"$size"
  click=$(instructions $reps click "$settings" "$effects" $reps)
  floor=$(instructions $reps floor "$settings" "$effects" $reps)
  render=$(instructions $reps render "$settings" "$effects" $reps)
  printf '%-9s %-8s %14s %14s %7s %14s %16s\n' "$settings" "$effects" "$click" "$floor" \
    "$(awk -v a="$click" -v b="$floor" 'BEGIN{printf "%.1f", a/b}')" "$render" \
    "$(awk -v a="$click" -v r="$render" -v b="$floor" 'BEGIN{printf "%.1f", (a-r)/b}')"
done

startup=$(instructions 2 startup 2)
hostonly=$(instructions 2 host 2)
open=$(instructions $reps open $reps)
printf '\nhost start-up and quit with Brevio: %s\n' "$startup"
printf 'host start-up and quit alone:       %s\n' "$hostonly"
printf "Brevio's share of the start-up:     %s\n" $((startup - hostonly))
printf 'opening the dialog:                 %s\n' "$open"
