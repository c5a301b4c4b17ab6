#!/usr/bin/env bash
# Link launcher for the macOS cross build: writes the libc++ text stub that the
# link needs, then runs the link command it was given.
#
# usage: link-with-libcxx-stub.sh STUB NM LIBSYSTEM_TBD -- LINK COMMAND...
#   STUB           the libc++.tbd to write (its folder is on the linker's -L path)
#   NM             llvm-nm
#   LIBSYSTEM_TBD  the sysroot's libSystem stub
#
# The stub lists exactly what the module's objects and archives leave undefined
# and libSystem does not provide, so it always matches the code being linked.
# Every such symbol must be a C++ runtime symbol (std::, operator new/delete,
# __cxa_*, type information): anything else would be a symbol no Mac provides,
# and is reported here instead of being papered over by the stub.
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
if grep -Ev "$runtime" "$tmp/needed" >"$tmp/foreign"; then
  echo "link-with-libcxx-stub: undefined symbols that neither libSystem nor libc++ provide:" >&2
  sed 's/^/  /' "$tmp/foreign" >&2
  exit 1
fi

mkdir -p "$(dirname "$stub")"
{
  echo "--- !tapi-tbd"
  echo "tbd-version:     4"
  echo "targets:         [ arm64-macos ]"
  echo "install-name:    '/usr/lib/libc++.1.dylib'"
  echo "current-version: 1700"
  echo "compatibility-version: 1"
  if [[ -s $tmp/needed ]]; then
    echo "exports:"
    echo "  - targets:         [ arm64-macos ]"
    echo "    symbols:"
    sed "s/.*/      - '&'/" "$tmp/needed"
  fi
  echo "..."
} >"$tmp/stub"
# Keep the stub's time stamp when nothing changed.
cmp -s "$tmp/stub" "$stub" 2>/dev/null || cp "$tmp/stub" "$stub"

# exec skips the EXIT trap: clean up first.
rm -rf "$tmp"
trap - EXIT
exec "$@"
