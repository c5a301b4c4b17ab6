#!/usr/bin/env bash
# Checks a Windows plug-in module as the host will meet it: a 64-bit DLL that
# exports exactly the three entry symbols, imports system DLLs only (the GCC
# runtime is linked in), and turns off thread notifications in its library
# entry.
#
# usage: tools/check-windows-module.sh MODULE.xdl64 [OBJDUMP]
set -euo pipefail
module=${1:?usage: check-windows-module.sh MODULE [OBJDUMP]}
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
    kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll | shell32.dll | ole32.dll | ntdll.dll) ;;
    api-ms-win-*.dll | ucrtbase.dll) ;;
    *) bad "imports $dll, which is not a Windows system DLL" ;;
  esac
done

# DllMain switches off DLL_THREAD_ATTACH/DETACH for the module.
sed -n '/DLL Name: KERNEL32.dll/,/^$/p' <<<"$headers" | grep -qw DisableThreadLibraryCalls ||
  bad "does not call DisableThreadLibraryCalls"

size=$(wc -c <"$module" | tr -d " ")
if ((fail)); then
  echo "$module: FAILED" >&2
  exit 1
fi
echo "$module: PE32+ x86-64 DLL, $size bytes; exports ${exports% }; imports $(paste -sd' ' <<<"$imports")"
