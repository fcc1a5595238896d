#!/usr/bin/env bash
# Installs what Kalvoro and its tests need, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
# Every source file as the repository's .clang-format lays it out.
find src tests bench tools \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 |
    xargs -0 clang-format --dry-run --Werror
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVORO_TESTS=ON -DKALVORO_BENCH=ON \
    -DKALVORO_WERROR=ON
cmake --build build-test -j"$(nproc)"
cd build-test
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --output-on-failure -j"$(nproc)" --timeout 600
