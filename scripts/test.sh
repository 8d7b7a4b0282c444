#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
werror=OFF
[[ "${CI:-}" == true ]] && werror=ON
cmake -S . -B build -DQOR_WERROR="$werror" -DQOR_BUILD_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
