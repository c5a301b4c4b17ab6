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

# Of the last count, the instructions run in the module's own code (not in
# the host's calls it makes), per repetition.
in_module() { # reps
  callgrind_annotate --threshold=100 "$out/callgrind.out" 2>/dev/null |
    awk -v reps="$1" '/\/plugins\/Brevio\// {gsub(",", "", $1); s += $1} END {printf "%d", s / reps}'
}

if [ "$quick" = "--quick" ]; then
  sizes=("10 0" "1000 100")
  reps=3
else
  sizes=("10 0" "100 0" "1000 0" "10000 0" "10 100" "10 1000" "10 10000" "1000 1000" "10000 10000")
  reps=5
fi

# click: one click of Render (module: the part of it run in Brevio's own
# code, the rest is the host's work on its calls); floor: two copies, two applies, one walk over
# the effects each way; lookups: the same with one walk per effect type each
# way; render: the host's render command alone. Ratios are click/floor, then
# without the render command against floor and lookups.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", a/b}'; }
printf '%-8s %-7s %12s %9s %11s %11s %12s %6s %7s %7s\n' settings effects click module floor \
  lookups render ratio "-r/fl" "-r/lk"
for size in "${sizes[@]}"; do
  read -r settings effects <<<"$size"
  click=$(instructions $reps click "$settings" "$effects" $reps)
  module=$(in_module $reps)
  floor=$(instructions $reps floor "$settings" "$effects" $reps)
  lookups=$(instructions $reps lookups "$settings" "$effects" $reps)
  render=$(instructions $reps render "$settings" "$effects" $reps)
  printf '%-8s %-7s %12s %9s %11s %11s %12s %6s %7s %7s\n' "$settings" "$effects" "$click" "$module" "$floor" \
    "$lookups" "$render" "$(ratio "$click" "$floor")" "$(ratio $((click - render)) "$floor")" \
    "$(ratio $((click - render)) "$lookups")"
done

startup=$(instructions 2 startup 2)
hostonly=$(instructions 2 host 2)
open=$(instructions $reps open $reps)
printf '\nhost start-up and quit with Brevio: %s\n' "$startup"
printf 'host start-up and quit alone:       %s\n' "$hostonly"
printf "Brevio's share of the start-up:     %s\n" $((startup - hostonly))
printf 'opening the dialog:                 %s\n' "$open"
