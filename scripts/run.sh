#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on a bundled sample recording.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target TraceReader
exec build/bin/TraceReader --dump samples/20150305080000_QOR1300.LOG "$@"
