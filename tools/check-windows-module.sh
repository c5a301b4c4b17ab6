#!/usr/bin/env bash
# Checks a Windows plug-in module as the host will meet it: a 64-bit DLL that
# exports exactly the three entry symbols and imports system DLLs only.
#
#   The test build for the simulated host (MinGW-w64, our layer): the GCC
#   runtime is linked in, and its library entry turns off thread
#   notifications.
#   --msvc: the real module, built with the SDK and Visual Studio on Windows.
#   It must come from Microsoft's linker (the host's C++ interfaces follow
#   that compiler's ABI, and it tells it from a MinGW-built test module), and
#   may import the release Visual C++ runtime the host itself installs, never
#   its debug variant.
#
# usage: tools/check-windows-module.sh [--msvc] MODULE.xdl64 [OBJDUMP]
set -euo pipefail
msvc=0
if [[ ${1:-} == --msvc ]]; then msvc=1; shift; fi
module=${1:?usage: check-windows-module.sh [--msvc] MODULE [OBJDUMP]}
objdump=${2:-x86_64-w64-mingw32-objdump}

fail=0
bad() { echo "FAIL: $*" >&2; fail=1; }

[[ -f $module ]] || { echo "FAIL: $module does not exist" >&2; exit 1; }
headers=$("$objdump" -p "$module")

grep -q 'file format pei-x86-64' <<<"$headers" || bad "not a 64-bit PE image"
grep -q '^Magic.*PE32+' <<<"$headers" || bad "not PE32+"
sed -n '/^Characteristics/,/^$/p' <<<"$headers" | grep -qw DLL || bad "not a DLL"

exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
  awk '/^\t\[/ { print $NF }' | sort | tr '\n' ' ')
[[ $exports == "c4d_main g_CpuYieldDelegate g_maxon " ]] ||
  bad "exports are [${exports% }], expected [c4d_main g_CpuYieldDelegate g_maxon]"

imports=$(awk '/DLL Name:/ { print $3 }' <<<"$headers" | sort -u)
[[ -n $imports ]] || bad "no import table"
for dll in $imports; do
  case ${dll,,} in
    kernel32.dll | user32.dll | advapi32.dll | shell32.dll | ole32.dll | ntdll.dll) ;;
    api-ms-win-*.dll | ucrtbase.dll) ;;
    msvcrt.dll) ((!msvc)) || bad "imports msvcrt.dll, as MinGW-built modules do" ;;
    vcruntime140.dll | vcruntime140_1.dll | msvcp140.dll | msvcp140_1.dll | msvcp140_2.dll)
      ((msvc)) || bad "imports $dll, which is not a Windows system DLL" ;;
    *) bad "imports $dll, which is not a Windows system DLL" ;;
  esac
done

linker=$(awk '$1 == "MajorLinkerVersion" { print $2 }' <<<"$headers")
if ((msvc)); then
  # Visual Studio 2015 to 2022 all write linker version 14; GNU ld writes 2.
  [[ $linker == 14 ]] || bad "linker version is '${linker:-none}', not Microsoft's (14): not built with MSVC"
else
  # DllMain switches off DLL_THREAD_ATTACH/DETACH for the module.
  sed -n '/DLL Name: KERNEL32.dll/,/^$/p' <<<"$headers" | grep -qw DisableThreadLibraryCalls ||
    bad "does not call DisableThreadLibraryCalls"
fi

size=$(wc -c <"$module" | tr -d " ")
if ((fail)); then
  echo "$module: FAILED" >&2
  exit 1
fi
echo "$module: PE32+ x86-64 DLL, $size bytes; exports ${exports% }; imports $(paste -sd' ' <<<"$imports")"
