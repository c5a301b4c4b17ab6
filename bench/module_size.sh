#!/usr/bin/env bash
# Size of the Brevio module file, stripped, per platform: Linux (.xso64)
# always; Windows (.xdl64) when the MinGW-w64 cross compiler is installed;
# macOS (.xlib) when a macOS sysroot is given (made by
# tools/macos/make-sysroot.sh). Release builds of the module alone, in a work
# folder.
#
# Environment: BREVIO_SIZE_DIR (work folder, default build/size in this tree),
# BREVIO_MACOS_SYSROOT, BREVIO_JOBS (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=${BREVIO_SIZE_DIR:-$root/build/size}
jobs=${BREVIO_JOBS:-2}

size() { wc -c <"$1" | tr -d ' '; }
report() { # platform file strip-command...
  local platform=$1 file=$2 stripped=$work/stripped-$(basename "$2")
  shift 2
  "$@" -o "$stripped" "$file"
  printf '%-8s %-18s %9s bytes built, %9s bytes stripped\n' "$platform" "$(basename "$file")" \
    "$(size "$file")" "$(size "$stripped")"
}

mkdir -p "$work"
cmake -S "$root" -B "$work/linux" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBREVIO_BUILD_SIMHOST=OFF -DBREVIO_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/linux" -j "$jobs" --target Brevio >/dev/null
report linux "$work/linux/plugins/Brevio/Brevio.xso64" strip --strip-all

if command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  cmake -S "$root" -B "$work/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-x86_64.cmake" \
    -DBREVIO_BUILD_SIMHOST=OFF -DBREVIO_BUILD_TESTS=OFF >/dev/null
  cmake --build "$work/windows" -j "$jobs" --target Brevio >/dev/null
  report windows "$work/windows/plugins/Brevio/Brevio.xdl64" x86_64-w64-mingw32-strip --strip-all
else
  echo "windows  (no MinGW-w64 cross compiler: apt-get install g++-mingw-w64-x86-64-posix)"
fi

if [ -n "${BREVIO_MACOS_SYSROOT:-}" ]; then
  cmake -S "$root" -B "$work/macos" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/macos-arm64-cross.cmake" \
    -DBREVIO_MACOS_SYSROOT="$BREVIO_MACOS_SYSROOT" \
    -DBREVIO_BUILD_SIMHOST=OFF -DBREVIO_BUILD_TESTS=OFF >/dev/null
  cmake --build "$work/macos" -j "$jobs" --target Brevio >/dev/null
  # -x: local symbols go, the exported entry points stay.
  report macos "$work/macos/plugins/BrevioR2026/BrevioR2026.xlib" llvm-strip-14 -x
else
  echo "macos    (no BREVIO_MACOS_SYSROOT: see tools/macos/make-sysroot.sh)"
fi
