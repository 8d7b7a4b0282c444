#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on a bundled sample recording. Without
# a display it saves the sample's trend graph as build/sample.png instead and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target TraceReader
sample=samples/20150305080000_QOR1300.LOG
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  build/bin/TraceReader --render "$sample" build/sample.png
  echo "No display: the trend graph of $sample is in build/sample.png"
  exit 0
fi
exec build/bin/TraceReader "$sample" "$@"
