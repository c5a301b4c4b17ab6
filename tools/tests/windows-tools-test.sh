#!/usr/bin/env bash
# Tries the Windows module check on small DLLs made here: a module like ours
# passes; one that needs the GCC runtime DLLs, exports more than the three
# symbols, or leaves thread notifications on is refused. For the real module
# (--msvc), one from Microsoft's linker with the release Visual C++ runtime
# passes (made with LLVM's MSVC-compatible tools when LLVM_BIN has them),
# while a MinGW-built module or one needing the debug runtime is refused.
#
# usage: windows-tools-test.sh CXX OBJDUMP [LLVM_BIN]
set -euo pipefail
tools=$(cd "$(dirname "$0")/.." && pwd)
cxx=${1:?CXX} objdump=${2:?OBJDUMP} llvm=${3:-}
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
check() { "$tools/check-windows-module.sh" $mode "$1" "$objdump" >check.log 2>&1; }
refused() { # dll what expected-text
  if check "$1"; then not_ok "$2 passes"; elif grep -q "$3" check.log; then
    ok "$2 is refused"; else not_ok "$2: $(cat check.log)"; fi
}
mode=""

build good.dll three.def -static -static-libgcc -static-libstdc++
if check good.dll; then ok "a module like ours passes"; else not_ok "a module like ours: $(cat check.log)"; fi

build dynamic.dll three.def
refused dynamic.dll "a module needing the GCC runtime DLLs" "which is not a Windows system DLL"

build four.dll four.def -static -static-libgcc -static-libstdc++
refused four.dll "an extra export" "exports are"

build nomain.dll three.def -static -static-libgcc -static-libstdc++ -DNO_DLLMAIN
refused nomain.dll "a module without thread notifications off" "DisableThreadLibraryCalls"

# The real module's check.
mode=--msvc
refused good.dll "a MinGW-built module offered as the real one" "not built with MSVC"
if [[ -x $llvm/clang && -x $llvm/lld-link && -x $llvm/llvm-dlltool ]]; then
  cat >msvc.c <<'C'
__declspec(dllimport) void __stdcall Sleep(unsigned long);
__declspec(dllimport) void* __cdecl __std_terminate_stand_in(void);
__declspec(dllexport) long long g_maxon[4] = {2026000, 2026000, 0, 0};
static void Yield(void) { Sleep(0); }
__declspec(dllexport) void (*g_CpuYieldDelegate)(void) = &Yield;
__declspec(dllexport) int c4d_main(int action, void* a, void* b, void* c) {
  return action ? 0 : (int)(long long)__std_terminate_stand_in();
}
C
  printf 'LIBRARY KERNEL32.dll\nEXPORTS\n  Sleep\n' >kernel32.def
  msvc_dll() { # output runtime-dll
    printf 'LIBRARY %s\nEXPORTS\n  __std_terminate_stand_in\n' "$2" >runtime.def
    "$llvm/llvm-dlltool" -m i386:x86-64 -d runtime.def -l runtime.lib
    "$llvm/lld-link" /dll /noentry /nodefaultlib /machine:x64 /out:"$1" msvc.obj kernel32.lib runtime.lib >/dev/null
  }
  "$llvm/clang" --target=x86_64-pc-windows-msvc -O2 -c msvc.c -o msvc.obj
  "$llvm/llvm-dlltool" -m i386:x86-64 -d kernel32.def -l kernel32.lib
  msvc_dll release.dll VCRUNTIME140.dll
  if check release.dll; then ok "an MSVC-style module with the release runtime passes"; else
    not_ok "an MSVC-style module: $(cat check.log)"; fi
  msvc_dll debug.dll VCRUNTIME140D.dll
  refused debug.dll "an MSVC-style module needing the debug runtime" "VCRUNTIME140D.dll"
else
  echo "skip: no clang, lld-link and llvm-dlltool in '$llvm' for an MSVC-style module"
fi

echo "$passed passed, $failed failed"
((failed == 0))
