#!/usr/bin/env bash
# CI for the deliverables' test builds: cross-builds the Windows x86-64 and
# macOS arm64 modules against our layer (host/), runs the test suites under
# Wine against Brevio.xdl64, reads both modules' export and import tables (and
# the macOS platform), builds and checks the user guide, and packs and checks
# the test-build archives for the simulated host. (The releases hold the
# modules built with the real SDK: tools/release.sh.) Self-contained: installs
# what it needs. Exits non-zero on the first failure.
#
# Environment: BREVIO_DELIVERABLES_DIR (work folder, default
# build/ci/deliverables in this tree), BREVIO_JOBS (build jobs, default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
work=${BREVIO_DELIVERABLES_DIR:-$PWD/build/ci/deliverables}
jobs=${BREVIO_JOBS:-2}

start=$(date +%s)
last=$start
timings=()
step() {
  local now
  now=$(date +%s)
  if [[ -n ${current:-} ]]; then timings+=("$(printf '%5ss  %s' $((now - last)) "$current")"); fi
  current=$1
  last=$now
  printf '\n--- deliverables: %s (%ss)\n' "$1" $((now - start))
}
summary() {
  local rc=$? now
  now=$(date +%s)
  if [[ -n ${current:-} ]]; then timings+=("$(printf '%5ss  %s' $((now - last)) "$current")"); fi
  if [[ -n ${WINEPREFIX:-} ]]; then wineserver -k >/dev/null 2>&1 || true; fi
  printf '\n--- deliverables: timings\n'
  printf '%s\n' "${timings[@]}"
  printf '%5ss  total\n' $((now - start))
  if ((rc)); then
    printf -- '--- deliverables: FAILED during "%s" (exit %s)\n' "${current:-start}" "$rc"
  fi
}
trap summary EXIT

step "packages"
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 googletest nlohmann-json3-dev
  groff poppler-utils clang-14 lld-14 llvm-14
  clang-19 lld-19 llvm-19  # the real module's linker, for the checks' own tests
  g++ pkg-config libcairo2-dev fonts-dejavu-core)  # the native simulated host that draws the guide's figures
missing=()
for p in "${packages[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
# npm may come with a Node.js that is not Debian's; any npm will do.
command -v npm >/dev/null || missing+=(npm)
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo=sudo
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
mkdir -p "$work"
# The three builds below share one native simulated host for the figures of
# the user guide.
figures=(-DBREVIO_FIGURE_HOST_DIR="$work/figure-host")

# ---------------------------------------------------------------- Windows
step "Windows: configure and build (MinGW-w64, -j$jobs)"
cmake --preset windows -B "$work/windows" "${figures[@]}" >/dev/null
cmake --build "$work/windows" -j "$jobs"

step "Windows: tests under Wine"
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Server and services first, detached from CTest's output pipes (the first
# start also creates the prefix).
mkdir -p "$WINEPREFIX"
(wineserver -p && wine cmd /c exit) </dev/null >/dev/null 2>&1
ctest --test-dir "$work/windows" --output-on-failure -j "$jobs"
wineserver -k >/dev/null 2>&1 || true
unset WINEPREFIX

# ---------------------------------------------------------------- macOS
step "macOS: sysroot (npm package, headers and libSystem stub)"
tools/macos/make-sysroot.sh "$work/macos-sysroot" "$work/npm" >/dev/null

step "macOS: configure and build (clang 14, ld64.lld)"
cmake --preset macos-cross -B "$work/macos" -DBREVIO_MACOS_SYSROOT="$work/macos-sysroot" \
  "${figures[@]}" >/dev/null
cmake --build "$work/macos" -j "$jobs"

step "macOS: module and help checks"
ctest --test-dir "$work/macos" --output-on-failure -j "$jobs"

# ---------------------------------------------------------------- Linux
step "Linux: module for the simulated host, and its help check"
cmake -S . -B "$work/linux" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBREVIO_BUILD_SIMHOST=OFF \
  -DBREVIO_BUILD_TESTS=OFF "${figures[@]}" >/dev/null
cmake --build "$work/linux" -j "$jobs"
ctest --test-dir "$work/linux" --output-on-failure

# ---------------------------------------------------------------- archives
step "test-build archives (for the simulated host)"
expected_res=$(cd res && find . -type f | sed 's|^\./||' | sort)
# (These archives are test builds for the simulated host, and say so in their
# names and their one top folder; the releases come from tools/release.sh.)
check_archive() { # build-dir folder module-file [module-check...]
  local build=$1 folder=$2 module=$3 archive name listing want unpacked
  shift 3
  (cd "$build" && cpack >/dev/null)
  archive=$(find "$build/packages" -maxdepth 1 -name "$folder-*-simhost-test.*" ! -name '*.sha256' | head -n 1)
  [[ -n $archive ]] || { echo "no test-build archive for $folder in $build/packages" >&2; return 1; }
  name=$(basename "$archive")
  name=${name%.zip}
  name=${name%.tar.gz}
  listing=$(cmake -E tar tf "$archive" | grep -v '/$' | sort)
  want=$( (printf '%s\n' "$folder/$module" "$folder/Brevio.pdf"
    sed "s|^|$folder/res/|" <<<"$expected_res") | sed "s|^|$name/|" | sort)
  if [[ $listing != "$want" ]]; then
    echo "$archive does not hold exactly the plug-in folder:" >&2
    diff <(echo "$want") <(echo "$listing") >&2 || true
    return 1
  fi
  (cd "$(dirname "$archive")" && sha256sum -c "$(basename "$archive").sha256" >/dev/null)
  # The module as shipped (stripped on Windows) passes the host's checks too.
  unpacked="$work/unpacked/$(basename "$archive")"
  rm -rf "$unpacked" && mkdir -p "$unpacked"
  (cd "$unpacked" && cmake -E tar xf "$archive")
  if (($#)); then "$@" "$unpacked/$name/$folder/$module" >/dev/null; fi
  printf '%-52s %7s bytes, %s %7s bytes (in the build: %s)\n' "$(basename "$archive")" \
    "$(wc -c <"$archive")" "$module" "$(wc -c <"$unpacked/$name/$folder/$module")" \
    "$(wc -c <"$build/plugins/$folder/$module")"
}
check_archive "$work/windows" Brevio Brevio.xdl64 tools/check-windows-module.sh
check_archive "$work/macos" BrevioR2026 BrevioR2026.xlib tools/check-macos-module.sh
check_archive "$work/linux" Brevio Brevio.xso64
echo "archives in $work/{windows,macos,linux}/packages"

step "done"
