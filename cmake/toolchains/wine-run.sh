#!/usr/bin/env bash
# Runs a Windows test program under Wine (the cross build's test emulator).
#
# A Wine prefix of its own under /tmp unless WINEPREFIX says otherwise, and a
# quiet Wine. The first program to come starts the Wine server and its
# services detached from this process's output: otherwise they would inherit
# the pipes that CTest reads, and CTest would wait for them to exit. The
# server lingers a little after the last program so that a test run does not
# restart it for every test; `wineserver -k` ends it at once.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-/tmp/brevio-wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: not needed, and their install prompts would only stall.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=${BREVIO_WINE:-wine}

# (The server refuses a prefix folder that does not exist yet.)
mkdir -p "$WINEPREFIX"
(
  flock 9
  # (9>&-: the server must not inherit the lock and hold it for its lifetime.)
  if wineserver -p"${BREVIO_WINE_LINGER:-30}" </dev/null >/dev/null 2>&1 9>&-; then
    "$wine" cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$WINEPREFIX.lock"

exec "$wine" "$@"
