#!/usr/bin/env bash
# Instruction counts under callgrind, for ratios that repeat exactly from run
# to run: one click of Render against the floor on scenes of several sizes,
# the host's start-up with and without Brevio, and opening the dialog.
#
# A click that goes past its budget in bench/budget.txt (Brevio's own code
# per click, or the click without the render command against the floor)
# fails the run, after the whole table is printed.
#
# usage: bench/callgrind.sh BUILD_DIR [--quick] [--set-budget]
#   BUILD_DIR     a build with BREVIO_BENCH=ON (holds bench/brevio_count)
#   --quick       the smallest scenes only (the CI smoke pass)
#   --set-budget  write bench/budget.txt afresh from this run's figures
#                 (plus the margins it states) instead of checking them
set -euo pipefail
usage="usage: bench/callgrind.sh BUILD_DIR [--quick] [--set-budget]"
build=${1:?$usage}
shift
quick=
set_budget=
for arg in "$@"; do
  case $arg in
    --quick) quick=--quick ;;
    --set-budget) set_budget=yes ;;
    *) echo "$usage" >&2; exit 64 ;;
  esac
done
budget_file=$(cd "$(dirname "$0")" && pwd)/budget.txt
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
measured=()
printf '%-8s %-7s %12s %9s %11s %11s %12s %6s %7s %7s\n' settings effects click module floor \
  lookups render ratio "-r/fl" "-r/lk"
for size in "${sizes[@]}"; do
  read -r settings effects <<<"$size"
  click=$(instructions $reps click "$settings" "$effects" $reps)
  module=$(in_module $reps)
  floor=$(instructions $reps floor "$settings" "$effects" $reps)
  lookups=$(instructions $reps lookups "$settings" "$effects" $reps)
  render=$(instructions $reps render "$settings" "$effects" $reps)
  rfl=$(ratio $((click - render)) "$floor")
  printf '%-8s %-7s %12s %9s %11s %11s %12s %6s %7s %7s\n' "$settings" "$effects" "$click" "$module" "$floor" \
    "$lookups" "$render" "$(ratio "$click" "$floor")" "$rfl" \
    "$(ratio $((click - render)) "$lookups")"
  measured+=("$settings $effects $module $rfl")
done

# The budget of a scene size: "MODULE RATIO", or nothing when none is set.
budget_of() { # settings effects
  [ -f "$budget_file" ] || return 0
  sed 's/#.*//' "$budget_file" | awk -v s="$1" -v e="$2" 'NF == 4 && $1 == s && $2 == e {print $3, $4; exit}'
}
over=0
if [ -n "$set_budget" ]; then
  sizes_measured=$(printf '%s\n' "${measured[@]}" | awk '{print $1 "/" $2}')
  { grep '^#' "$budget_file" 2>/dev/null || true
    # Budgets of sizes this run did not measure stay as they were.
    if [ -f "$budget_file" ]; then
      { grep -v '^#' "$budget_file" || true; } | awk -v keep="$sizes_measured" '
        BEGIN { n = split(keep, k, "\n"); for (i = 1; i <= n; i++) m[k[i]] = 1 }
        NF >= 4 && !(($1 "/" $2) in m)'
    fi
    for line in "${measured[@]}"; do
      read -r settings effects module rfl <<<"$line"
      awk -v s="$settings" -v e="$effects" -v m="$module" -v r="$rfl" 'BEGIN {
        mb = int(m * 1.25 + 0.999); rb = int(r * 115 + 0.999) / 100
        printf "%-6s %-6s %9d %6.2f   # measured %d %.2f\n", s, e, mb, rb, m, r }'
    done
  } >"$budget_file.new"
  mv "$budget_file.new" "$budget_file"
  printf '\nbudget written to %s\n' "$budget_file"
else
  echo
  for line in "${measured[@]}"; do
    read -r settings effects module rfl <<<"$line"
    budget=$(budget_of "$settings" "$effects")
    if [ -z "$budget" ]; then
      printf 'budget %s/%s: none set\n' "$settings" "$effects"
      continue
    fi
    read -r module_max rfl_max <<<"$budget"
    verdict=ok
    if [ "$module" -gt "$module_max" ] || awk -v a="$rfl" -v b="$rfl_max" 'BEGIN{exit !(a > b)}'; then
      verdict="OVER BUDGET"
      over=1
    fi
    printf 'budget %s/%s: module %s of %s, -r/fl %s of %s: %s\n' "$settings" "$effects" \
      "$module" "$module_max" "$rfl" "$rfl_max" "$verdict"
  done
fi

startup=$(instructions 2 startup 2)
hostonly=$(instructions 2 host 2)
open=$(instructions $reps open $reps)
printf '\nhost start-up and quit with Brevio: %s\n' "$startup"
printf 'host start-up and quit alone:       %s\n' "$hostonly"
printf "Brevio's share of the start-up:     %s\n" $((startup - hostonly))
printf 'opening the dialog:                 %s\n' "$open"

if [ "$over" -ne 0 ]; then
  echo "callgrind.sh: a click went past its budget in $budget_file" >&2
  exit 1
fi
