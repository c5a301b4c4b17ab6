#!/usr/bin/env bash
# Link launcher for the macOS cross build: writes the libc++ text stub that the
# link needs, then runs the link command it was given.
#
# usage: link-with-libcxx-stub.sh STUB NM LIBSYSTEM_TBD -- LINK COMMAND...
#   STUB           the libc++.tbd to write (its folder is on the linker's -L path)
#   NM             llvm-nm
#   LIBSYSTEM_TBD  the sysroot's libSystem stub
#
# The stub lists what the module's objects and archives leave undefined, that
# libSystem does not provide and that is a C++ runtime symbol (std::, operator
# new/delete, __cxa_*, type information), so it always matches the code being
# linked. Anything else would be a symbol no Mac library provides here: it is
# never papered over by the stub, so a link that needs it fails, and the
# launcher then names every such symbol.
set -euo pipefail

stub=${1:?STUB}; nm=${2:?NM}; libsystem=${3:?LIBSYSTEM_TBD}
shift 3
[[ ${1:-} == -- ]] && shift
(($#)) || { echo "link-with-libcxx-stub: no link command" >&2; exit 2; }

# The link inputs, also from response files.
inputs=()
add_input() { case $1 in *.o | *.obj | *.a) [[ -f $1 ]] && inputs+=("$1") ;; esac; }
for arg in "$@"; do
  if [[ $arg == @* && -f ${arg#@} ]]; then
    for word in $(<"${arg#@}"); do add_input "$word"; done
  else
    add_input "$arg"
  fi
done
((${#inputs[@]})) || { echo "link-with-libcxx-stub: no object files on the link line" >&2; exit 2; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# (Mach-O names all begin with "_"; the filter drops llvm-nm's file headers.)
{ "$nm" -g -j --defined-only "${inputs[@]}" | grep '^_' || true; } | sort -u >"$tmp/defined"
{ "$nm" -g -j --undefined-only "${inputs[@]}" | grep '^_' || true; } | sort -u >"$tmp/undefined"
# Every symbol-like word of the libSystem stub (its exports and re-exports).
tr -s " \t,[]'\"" '\n' <"$libsystem" | grep '^_' | sort -u >"$tmp/libsystem"

# Symbols the linker itself defines are no library's business.
linker='^(___dso_handle|__mh_(execute|bundle|dylib|dylinker)_header|(section|segment)\$.*)$'
comm -23 "$tmp/undefined" "$tmp/defined" | comm -23 - "$tmp/libsystem" |
  { grep -Ev "$linker" || true; } >"$tmp/needed"

runtime='^(__ZN?K?St|__ZT[ISV]N?K?St|__ZT[ISV]N10__cxxabiv1|__ZT[IS]P?K?[a-z]$|__Z(nw|na|dl|da)|___cxa_|___gxx_personality_v0$|___dynamic_cast$)'
grep -E "$runtime" "$tmp/needed" >"$tmp/cxx" || true
grep -Ev "$runtime" "$tmp/needed" >"$tmp/foreign" || true

mkdir -p "$(dirname "$stub")"
{
  echo "--- !tapi-tbd"
  echo "tbd-version:     4"
  echo "targets:         [ arm64-macos ]"
  echo "install-name:    '/usr/lib/libc++.1.dylib'"
  echo "current-version: 1700"
  echo "compatibility-version: 1"
  if [[ -s $tmp/cxx ]]; then
    echo "exports:"
    echo "  - targets:         [ arm64-macos ]"
    echo "    symbols:"
    sed "s/.*/      - '&'/" "$tmp/cxx"
  fi
  echo "..."
} >"$tmp/stub"
# Keep the stub's time stamp when nothing changed.
cmp -s "$tmp/stub" "$stub" 2>/dev/null || cp "$tmp/stub" "$stub"

# Anything else stays out of the stub: code that uses it must not link. (A
# dead-stripped link may still succeed when only unreachable code refers to
# such a symbol, as in libraries built for several platforms.)
if "$@"; then exit 0; else rc=$?; fi
if [[ -s $tmp/foreign ]]; then
  echo "link-with-libcxx-stub: undefined symbols that neither libSystem nor libc++ provide:" >&2
  sed 's/^/  /' "$tmp/foreign" >&2
fi
exit "$rc"
