#!/usr/bin/env bash
# Tries the Windows module check on small DLLs made here: a module like ours
# passes; one that needs the GCC runtime DLLs, exports more than the three
# symbols, or leaves thread notifications on is refused.
#
# usage: windows-tools-test.sh CXX OBJDUMP
set -euo pipefail
tools=$(cd "$(dirname "$0")/.." && pwd)
cxx=${1:?CXX} objdump=${2:?OBJDUMP}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

passed=0 failed=0
ok() { echo "ok: $1"; passed=$((passed + 1)); }
not_ok() { echo "NOT OK: $1" >&2; failed=$((failed + 1)); }

cat >module.cpp <<'CPP'
#include <windows.h>
#include <string>
extern "C" {
long long g_maxon[4] = {2026000, 2026000, 0, 0};
static void Nothing() {}
void (*g_CpuYieldDelegate)() = &Nothing;
int c4d_main(int action, void*, void*, void*) {
  return static_cast<int>(std::to_string(action).size());
}
int helper() { return 1; }
#ifndef NO_DLLMAIN
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
#endif
}
CPP
printf 'EXPORTS\n  c4d_main\n  g_maxon DATA\n  g_CpuYieldDelegate DATA\n' >three.def
printf 'EXPORTS\n  c4d_main\n  g_maxon DATA\n  g_CpuYieldDelegate DATA\n  helper\n' >four.def

build() { # output def extra-flags...
  local out=$1 def=$2
  shift 2
  "$cxx" -O2 -shared -o "$out" module.cpp "$def" "$@"
}
check() { "$tools/check-windows-module.sh" "$1" "$objdump" >check.log 2>&1; }
refused() { # dll what expected-text
  if check "$1"; then not_ok "$2 passes"; elif grep -q "$3" check.log; then
    ok "$2 is refused"; else not_ok "$2: $(cat check.log)"; fi
}

build good.dll three.def -static -static-libgcc -static-libstdc++
if check good.dll; then ok "a module like ours passes"; else not_ok "a module like ours: $(cat check.log)"; fi

build dynamic.dll three.def
refused dynamic.dll "a module needing the GCC runtime DLLs" "which is not a Windows system DLL"

build four.dll four.def -static -static-libgcc -static-libstdc++
refused four.dll "an extra export" "exports are"

build nomain.dll three.def -static -static-libgcc -static-libstdc++ -DNO_DLLMAIN
refused nomain.dll "a module without thread notifications off" "DisableThreadLibraryCalls"

echo "$passed passed, $failed failed"
((failed == 0))
