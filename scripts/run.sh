#!/usr/bin/env bash
# Installs what Kalvoro needs, builds it and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVORO_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
cd build/kalvoro
exec ./kalvoro "$@"
