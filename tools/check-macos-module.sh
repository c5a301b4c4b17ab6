#!/usr/bin/env bash
# Checks a macOS plug-in module as the host will meet it: an arm64 Mach-O for
# macOS 15.2 or later, signed (arm64 code must be, ad hoc at least), loading
# only libc++ and libSystem from /usr/lib, binding every import to one of them
# and exporting exactly the three entry symbols.
#
# usage: tools/check-macos-module.sh MODULE.xlib [LLVM_OBJDUMP [LLVM_NM]]
#   LLVM_NM defaults to the llvm-nm beside LLVM_OBJDUMP (same suffix).
set -euo pipefail
module=${1:?usage: check-macos-module.sh MODULE [LLVM_OBJDUMP [LLVM_NM]]}
objdump=${2:-llvm-objdump}
nm=${3:-${objdump%objdump*}nm${objdump##*objdump}}
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

# Every imported symbol names one of those libraries (none is looked up flat
# or left to dynamic lookup). The symbol table says so for every kind of
# binding information: for a macOS 13.4 or later target the linker writes
# chained fixups, and the classic bind tables are then empty.
imports=$("$nm" -m -u "$module" |
  awk '$1 == "(undefined)" {
         lib = "none"
         if ($(NF - 1) == "(from") { lib = $NF; sub(/\)$/, "", lib) }
         for (i = 2; i <= NF; i++) if ($i == "external") { print $(i + 1), lib; break }
       }')
count=0
while read -r symbol lib; do
  [[ -n $symbol ]] || continue
  count=$((count + 1))
  case $lib in
    libc++ | libSystem) ;;
    none) bad "imports $symbol from no named library" ;;
    *) bad "imports $symbol from $lib" ;;
  esac
done <<<"$imports"

exports=$("$objdump" --macho --exports-trie "$module" | awk '$1 ~ /^0x/ { print $2 }' | sort | tr '\n' ' ')
[[ $exports == "_c4d_main _g_CpuYieldDelegate _g_maxon " ]] ||
  bad "exports are [${exports% }], expected [_c4d_main _g_CpuYieldDelegate _g_maxon]"

size=$(wc -c <"$module" | tr -d " ")
if ((fail)); then
  echo "$module: FAILED" >&2
  exit 1
fi
filetype=$(awk '$1 == "MH_MAGIC_64" { print $5 }' <<<"$header")
echo "$module: arm64 Mach-O MH_${filetype:-?}, minimum macOS $minos, $size bytes; loads ${dylibs% };" \
  "$count imports, all bound to libc++ or libSystem; exports ${exports% }"
