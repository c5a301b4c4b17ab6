#!/usr/bin/env bash
# Checks a macOS plug-in module as the host will meet it: an arm64 Mach-O for
# macOS 15.2 or later, signed (arm64 code must be, ad hoc at least), loading
# only libc++ and libSystem from /usr/lib, binding every import to one of them
# and exporting exactly the three entry symbols.
#
# usage: tools/check-macos-module.sh MODULE.xlib [LLVM_OBJDUMP]
set -euo pipefail
module=${1:?usage: check-macos-module.sh MODULE [LLVM_OBJDUMP]}
objdump=${2:-llvm-objdump}
readonly MINOS=15.2

fail=0
bad() { echo "FAIL: $*" >&2; fail=1; }

[[ -f $module ]] || { echo "FAIL: $module does not exist" >&2; exit 1; }

header=$("$objdump" --macho --private-header "$module")
grep -Eq 'MH_MAGIC_64 +ARM64 ' <<<"$header" || bad "not a 64-bit arm64 Mach-O"
grep -Eq ' (BUNDLE|DYLIB) ' <<<"$header" || bad "neither a bundle nor a dynamic library"
grep -qw TWOLEVEL <<<"$header" || bad "not linked with two-level names"
grep -qw NOUNDEFS <<<"$header" || bad "has undefined symbols left for load time"

commands=$("$objdump" --macho --private-headers "$module")
build=$(sed -n '/cmd LC_BUILD_VERSION/,/ntools/p' <<<"$commands")
grep -Eq 'platform +macos' <<<"$build" || bad "LC_BUILD_VERSION is not for macOS"
minos=$(awk '$1 == "minos" { print $2 }' <<<"$build")
[[ $minos == "$MINOS" ]] || bad "minimum macOS is '${minos:-none}', expected $MINOS"
grep -q 'cmd LC_CODE_SIGNATURE' <<<"$commands" || bad "no code signature"

dylibs=$(awk '$1 == "cmd" { cmd = $2 }
              $1 == "name" && cmd ~ /^LC_(LOAD|LOAD_WEAK|REEXPORT|LAZY_LOAD)_DYLIB$/ { print $2 }' \
  <<<"$commands" | sort | tr '\n' ' ')
for lib in $dylibs; do
  case $lib in
    /usr/lib/libc++.1.dylib | /usr/lib/libSystem.B.dylib) ;;
    *) bad "loads $lib" ;;
  esac
done
[[ $dylibs == *"/usr/lib/libSystem.B.dylib"* ]] || bad "does not load libSystem"

# Every bound symbol names one of those libraries (none is looked up flat).
bound_to=$("$objdump" --macho --bind --lazy-bind "$module" |
  awk '/^(Bind|Lazy bind) table:/ { on = 1; next } /^[A-Z]/ { on = 0 }
       on && $1 ~ /^__/ { print $(NF - 1) }' | sort -u | tr '\n' ' ')
for lib in $bound_to; do
  case $lib in
    libc++ | libSystem) ;;
    *) bad "binds symbols to $lib" ;;
  esac
done

exports=$("$objdump" --macho --exports-trie "$module" | awk '$1 ~ /^0x/ { print $2 }' | sort | tr '\n' ' ')
[[ $exports == "_c4d_main _g_CpuYieldDelegate _g_maxon " ]] ||
  bad "exports are [${exports% }], expected [_c4d_main _g_CpuYieldDelegate _g_maxon]"

size=$(wc -c <"$module" | tr -d " ")
if ((fail)); then
  echo "$module: FAILED" >&2
  exit 1
fi
echo "$module: arm64 Mach-O, minimum macOS $minos, $size bytes; loads ${dylibs% }; exports ${exports% }"
