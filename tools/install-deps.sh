#!/usr/bin/env bash
# Installs the Debian packages a fresh machine needs to build Brevio, the
# simulated host and the tests. Does nothing when they are all there. cairo
# and the DejaVu fonts let the simulated host draw windows as pictures.
set -euo pipefail
need=()
for p in cmake ninja-build g++ pkg-config libgtest-dev googletest nlohmann-json3-dev clang-format groff \
  poppler-utils libcairo2-dev fonts-dejavu-core "$@"; do
  dpkg -s "$p" >/dev/null 2>&1 || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi
