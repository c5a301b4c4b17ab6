#!/usr/bin/env bash
# Makes the release archives that artists install, from modules built with the
# real Cinema 4D 2026 SDK, never from the test builds against our own layer
# (host/), which Cinema 4D does not load.
#
#   tools/release.sh [--windows-module PATH] [--guide PDF] SDK_DIR OUT_DIR
#
#   OUT_DIR/Brevio-<version>-macos-arm64.zip   BrevioR2026/BrevioR2026.xlib
#                                              BrevioR2026/Brevio.pdf
#                                              BrevioR2026/res/...
#   OUT_DIR/Brevio-<version>-windows-x64.zip   Brevio/Brevio.xdl64
#                                              Brevio/Brevio.pdf
#                                              Brevio/res/...
#   (each with a .sha256 beside it)
#
# The macOS module is built here, with the SDK's own build
# (tools/check-sdk.sh --platform macos-arm64, Release: local symbols and the
# debug map stripped by the linker, so its ad hoc signature stays valid), and
# must pass every check of tools/check-macos-module.sh. The Windows module
# must be built with the SDK and Visual Studio on Windows (docs/real-sdk.md):
# --windows-module names it, and it must pass tools/check-windows-module.sh
# --msvc (Microsoft's linker, the three exports, system DLLs and the release
# Visual C++ runtime only). Without it, only the macOS archive is made.
#
# The user guide comes from a native build of this checkout (its figures are
# drawn by the simulated host), unless --guide names a Brevio.pdf already built.
#
# Environment: BREVIO_RELEASE_WORK (work folder, default beside the SDK),
# and those of tools/check-sdk.sh.
set -euo pipefail

usage() { echo "usage: $0 [--windows-module PATH] [--guide PDF] SDK_DIR OUT_DIR" >&2; exit 64; }
windows=""
guide=""
while (($#)); do
  case $1 in
    --windows-module) (($# >= 2)) || usage; windows=$2; shift 2 ;;
    --guide) (($# >= 2)) || usage; guide=$2; shift 2 ;;
    -*) usage ;;
    *) break ;;
  esac
done
[ $# -eq 2 ] || usage
sdk=$(cd "$1" && pwd) || exit 64
mkdir -p "$2"
out=$(cd "$2" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
work=${BREVIO_RELEASE_WORK:-$(dirname "$sdk")/brevio-release-work}
mkdir -p "$work"
work=$(cd "$work" && pwd)
llvm=/usr/lib/llvm-19/bin
# The host's view of each module (the Windows one read with the cross tools).
check_macos() { "$repo/tools/check-macos-module.sh" "$1" "$llvm/llvm-objdump" "$llvm/llvm-nm"; }
check_windows() { "$repo/tools/check-windows-module.sh" --msvc "$1" x86_64-w64-mingw32-objdump; }

version=$(sed -n 's/^project(Brevio VERSION \([0-9][0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
[ -n "$version" ] || { echo "release: no project version in $repo/CMakeLists.txt" >&2; exit 1; }

if [ -n "$windows" ]; then
  # Before the long macOS build: a module that cannot ship stops the release.
  [ -f "$windows" ] || { echo "release: $windows does not exist" >&2; exit 66; }
  [ "$(basename "$windows")" = Brevio.xdl64 ] ||
    { echo "release: the Windows module must be Brevio.xdl64 (the SDK names it after its folder Brevio), not $(basename "$windows")" >&2; exit 65; }
  if ! command -v x86_64-w64-mingw32-objdump >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq binutils-mingw-w64-x86-64 >/dev/null
  fi
  if ! report=$(check_windows "$windows" 2>&1); then
    echo "$report" >&2
    echo "release: $windows is not a Windows module built with the SDK and Visual Studio; nothing packed" >&2
    exit 1
  fi
  echo "release: ${report}"
fi

# The macOS module, built and checked with the SDK.
BREVIO_SDK_CONFIG=Release "$repo/tools/check-sdk.sh" --platform macos-arm64 "$sdk" | tee "$work/check-sdk.log"
mac=$(sed -n 's/^check-sdk: module \(.*\), [0-9]* bytes; .*/\1/p' "$work/check-sdk.log" | tail -n 1)
[ -f "$mac" ] || { echo "release: tools/check-sdk.sh named no module" >&2; exit 1; }
# Stripped as it ships: no local symbols and no debug map left.
unstripped=$("$llvm/llvm-nm" -a -P "$mac" | awk '$2 ~ /^[a-z-]$/' | wc -l)
[ "$unstripped" -eq 0 ] || { echo "release: $mac keeps $unstripped local or debug symbols" >&2; exit 1; }

if [ -z "$guide" ]; then
  echo "release: building the user guide"
  # The guide's build belongs to one checkout: a folder left by another
  # checkout is started afresh rather than refused by CMake.
  cache="$work/guide/CMakeCache.txt"
  if [ -f "$cache" ] && ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$repo" "$cache"; then
    rm -rf "$work/guide"
  fi
  cmake -S "$repo" -B "$work/guide" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBREVIO_BUILD_TESTS=OFF \
    -DBREVIO_CHECK_DELIVERABLES=OFF >"$work/guide.log" 2>&1 &&
    cmake --build "$work/guide" --target brevio_help >>"$work/guide.log" 2>&1 ||
    { tail -n 30 "$work/guide.log" >&2; echo "release: the user guide did not build (log: $work/guide.log)" >&2; exit 1; }
  guide="$work/guide/docs/help/Brevio.pdf"
fi
[ -s "$guide" ] || { echo "release: no user guide at $guide" >&2; exit 1; }

expected_res=$(cd "$repo/res" && find . -type f | sed 's|^\./||' | sort)
pack() { # archive folder module-file module-path check
  local archive=$1 folder=$2 file=$3 module=$4 check=$5 stage listing want
  stage="$work/stage/${archive%.zip}"
  rm -rf "$stage" && mkdir -p "$stage/$folder"
  cp "$module" "$stage/$folder/$file"
  cp "$guide" "$stage/$folder/Brevio.pdf"
  cp -R "$repo/res" "$stage/$folder/res"
  rm -f "$out/$archive" "$out/$archive.sha256"
  (cd "$stage" && cmake -E tar cf "$out/$archive" --format=zip "$folder")
  # The archive holds the folder exactly as the user guide has artists copy it.
  listing=$(cmake -E tar tf "$out/$archive" | grep -v '/$' | sort)
  want=$( (printf '%s\n' "$folder/$file" "$folder/Brevio.pdf"
    sed "s|^|$folder/res/|" <<<"$expected_res") | sort)
  if [ "$listing" != "$want" ]; then
    echo "release: $archive does not hold exactly the plug-in folder:" >&2
    diff <(echo "$want") <(echo "$listing") >&2 || true
    exit 1
  fi
  # The module as unpacked from the archive passes the host's checks again.
  rm -rf "$stage.unpacked" && mkdir -p "$stage.unpacked"
  (cd "$stage.unpacked" && cmake -E tar xf "$out/$archive")
  "$check" "$stage.unpacked/$folder/$file" >/dev/null
  (cd "$out" && sha256sum "$archive" >"$archive.sha256")
  echo "release: $out/$archive, $(wc -c <"$out/$archive") bytes ($folder/$file $(wc -c <"$module") bytes)"
}

pack "Brevio-$version-macos-arm64.zip" BrevioR2026 BrevioR2026.xlib "$mac" check_macos
if [ -n "$windows" ]; then
  pack "Brevio-$version-windows-x64.zip" Brevio Brevio.xdl64 "$windows" check_windows
else
  echo "release: no Windows archive: Brevio-$version-windows-x64.zip needs Brevio.xdl64 built with the" \
    "SDK and Visual Studio on Windows (docs/real-sdk.md); pass it with --windows-module PATH"
fi
