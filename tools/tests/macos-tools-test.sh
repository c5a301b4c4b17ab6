#!/usr/bin/env bash
# Tries the macOS link launcher and the macOS module check on small modules
# made here: a module that uses libc++ links against a stub that lists what it
# uses and nothing libSystem has; a symbol no Mac library provides stops the
# link, unless only dead-stripped code uses it; and the check refuses a module
# with an extra export, an older minimum macOS, a library from outside
# /usr/lib or a symbol imported from one, with classic bind tables or with
# chained fixups.
#
# usage: macos-tools-test.sh CXX SYSROOT NM OBJDUMP
set -euo pipefail
tools=$(cd "$(dirname "$0")/.." && pwd)
cxx=${1:?CXX} sysroot=${2:?SYSROOT} nm=${3:?NM} objdump=${4:?OBJDUMP}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

passed=0 failed=0
ok() { echo "ok: $1"; passed=$((passed + 1)); }
not_ok() { echo "NOT OK: $1" >&2; failed=$((failed + 1)); }

target=(--target=arm64-apple-macos15.2 -isysroot "$sysroot" -stdlib=libc++)
cxxflags=("${target[@]}" -std=c++20 -O2 -fvisibility=hidden
  -D_LIBCPP_ABI_VERSION=1 -D_LIBCPP_ABI_NAMESPACE=__1)
printf '_c4d_main\n_g_maxon\n_g_CpuYieldDelegate\n' >exports

cat >module.cpp <<'CPP'
#include <string>
#define EXPORT __attribute__((visibility("default")))
extern "C" {
EXPORT long long g_maxon[4] = {2026000, 2026000, 0, 0};
static void Nothing() {}
EXPORT void (*g_CpuYieldDelegate)() = &Nothing;
EXPORT int c4d_main(int action, void*, void*, void*) {
  return static_cast<int>(std::to_string(action).size());
}
EXPORT int helper() { return 1; }
}
CPP
cat >foreign.cpp <<'CPP'
extern "C" int brevio_no_such_function();
extern "C" __attribute__((visibility("default"))) int c4d_main(int, void*, void*, void*) {
  return brevio_no_such_function();
}
CPP
"$cxx" "${cxxflags[@]}" -c module.cpp -o module.o
"$cxx" "${cxxflags[@]}" -c foreign.cpp -o foreign.o

link() { # output minos extra-flags... objects...
  local out=$1 minos=$2
  shift 2
  "$tools/macos/link-with-libcxx-stub.sh" stub/libc++.tbd "$nm" "$sysroot/usr/lib/libSystem.tbd" -- \
    "$cxx" --target=arm64-apple-macos"$minos" -isysroot "$sysroot" -stdlib=libc++ -fuse-ld=lld \
    -bundle -Lstub -o "$out" "$@"
}
check() { "$tools/check-macos-module.sh" "$1" "$objdump" >check.log 2>&1; }

# A module that uses libc++: the stub lists what it takes from libc++ only.
if link good.xlib 15.2 -Wl,-exported_symbols_list,exports module.o 2>link.log; then
  ok "a module using libc++ links"
  if grep -q "__ZNSt3__19to_stringEi" stub/libc++.tbd; then ok "the stub lists std::to_string"; else
    not_ok "the stub lacks std::to_string"; fi
  if grep -Eq "'(_strlen|___cxa_atexit|_memcpy)'" stub/libc++.tbd; then
    not_ok "the stub lists libSystem symbols"; else ok "the stub lists nothing libSystem has"; fi
  if check good.xlib; then ok "the check accepts it"; else not_ok "the check refuses it: $(cat check.log)"; fi
else
  not_ok "a module using libc++ does not link: $(cat link.log)"
fi

# A symbol that no library of a Mac provides stops the link, by name.
if link foreign.xlib 15.2 foreign.o 2>link.log; then
  not_ok "an unknown symbol was linked"
elif grep -q "_brevio_no_such_function" link.log; then
  ok "an unknown symbol stops the link and is named"
else
  not_ok "the link failed without naming the unknown symbol: $(cat link.log)"
fi

# The same symbol, referred to only by code no export reaches, stays out of
# the stub, and a dead-stripped link needs it not.
cat >dead.cpp <<'CPP'
extern "C" int brevio_no_such_function();
extern "C" int unreached() { return brevio_no_such_function(); }
CPP
"$cxx" "${cxxflags[@]}" -c dead.cpp -o dead.o
"${nm%nm*}ar${nm##*nm}" rc libdead.a dead.o # (llvm-ar, beside llvm-nm)
if link dead.xlib 15.2 -Wl,-dead_strip -Wl,-exported_symbols_list,exports module.o libdead.a 2>link.log; then
  if grep -q "_brevio_no_such_function" stub/libc++.tbd; then not_ok "the stub lists a symbol no Mac provides"
  else ok "a symbol only unreached code uses stays out of the stub; the dead-stripped link succeeds"; fi
else
  not_ok "a dead-stripped link with an unreached foreign symbol failed: $(cat link.log)"
fi

# What the check must refuse.
link extra.xlib 15.2 module.o 2>/dev/null
if check extra.xlib; then not_ok "an extra export passes"; elif grep -q "exports are" check.log; then
  ok "an extra export is refused"; else not_ok "extra export: $(cat check.log)"; fi

link old.xlib 14.0 -Wl,-exported_symbols_list,exports module.o 2>/dev/null
if check old.xlib; then not_ok "minimum macOS 14.0 passes"; elif grep -q "minimum macOS" check.log; then
  ok "an older minimum macOS is refused"; else not_ok "older minimum: $(cat check.log)"; fi

cat >libother.tbd <<'TBD'
--- !tapi-tbd
tbd-version:     4
targets:         [ arm64-macos ]
install-name:    '/usr/local/lib/libother.dylib'
exports:
  - targets:         [ arm64-macos ]
    symbols:         [ _brevio_no_such_function ]
...
TBD
# (Linked without the launcher, which would itself refuse the third library.)
other() { # output extra-flags...
  local out=$1
  shift
  "$cxx" "${target[@]}" -fuse-ld=lld -bundle -Lstub -o "$out" "$@" foreign.o libother.tbd 2>/dev/null
}
other other.xlib || true
if [[ ! -f other.xlib ]]; then not_ok "could not link against a third library"; elif check other.xlib; then
  not_ok "a library outside /usr/lib passes"; elif grep -q "loads /usr/local/lib/libother.dylib" check.log; then
  ok "a library outside /usr/lib is refused"; else not_ok "third library: $(cat check.log)"; fi
if [[ -f other.xlib ]] && ! check other.xlib &&
  grep -q "imports _brevio_no_such_function from libother" check.log; then
  ok "an import from a third library is refused, by name"
else
  not_ok "an import from a third library is not named: $(cat check.log)"
fi
# Linkers that write chained fixups (lld for macOS 13.4 or later) leave the
# classic bind tables empty: the import must be caught all the same.
if other chained.xlib -Wl,-fixup_chains &&
  "$objdump" --macho --private-headers chained.xlib | grep -q "cmd LC_DYLD_CHAINED_FIXUPS"; then
  if check chained.xlib; then not_ok "an import from a third library passes with chained fixups"
  elif grep -q "imports _brevio_no_such_function from libother" check.log; then
    ok "an import from a third library is refused with chained fixups"
  else not_ok "chained fixups: $(cat check.log)"; fi
else
  echo "skip: this linker writes no chained fixups"
fi

echo "$passed passed, $failed failed"
((failed == 0))
