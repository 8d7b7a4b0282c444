#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for SECONDS (60 unless
# given): the readers from the sample recordings of their kind, the settings and language file
# targets from the shipped files, the hand-over message from a message of two paths. Exits non-zero
# when any target finds a crash, a hang or an oversized allocation.
#   scripts/fuzz.sh [SECONDS]
# The corpora grow in build-fuzz/corpus/<target>/ from run to run. A failing input is kept as
# build-fuzz/artifacts/<target>/crash-* (or timeout-*, oom-*); to see its stack trace again:
#   build-fuzz/bin/<target> build-fuzz/artifacts/<target>/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if [[ ! $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi

scripts/install-deps.sh fuzz
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQOR_BUILD_FUZZ=ON -DQOR_BUILD_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_targets

failed=()

# fuzz TARGET MAX_LEN SEED...: seeds the target's corpus with the files and runs it.
fuzz() {
  local target=$1 max_len=$2
  shift 2
  local corpus=build-fuzz/corpus/$target artifacts=build-fuzz/artifacts/$target log=build-fuzz/logs/$target.log
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  cp "$@" "$corpus"/
  echo "== $target: $seconds s"
  if build-fuzz/bin/"$target" "$corpus" -artifact_prefix="$artifacts"/ -max_total_time="$seconds" \
       -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 >"$log" 2>&1; then
    grep -E '^#[0-9]+.*DONE|^Done' "$log" || true
  else
    tail -n 60 "$log"
    echo "== $target FAILED; input kept in $artifacts/, full output in $log"
    failed+=("$target")
  fi
}

# A .LOG record is at most a few dozen bytes and a .CSV line about a hundred, so 64 KiB holds
# hundreds of records; a .DAT file's 512-byte header and both samples fit whole. The header
# recognition reads no further than the second line or the 80-byte header.
fuzz fuzz_log_reader 65536 samples/*.LOG
fuzz fuzz_csv_reader 65536 samples/*.CSV
fuzz fuzz_dat_reader 65536 samples/*.DAT
fuzz fuzz_file_header 1024 samples/*.LOG samples/*.CSV
# The settings and language files we ship are a few kilobytes.
fuzz fuzz_settings_file 16384 resources/SetGraphInfo.ini
fuzz fuzz_language_file 16384 resources/DataString-r*.xml
# "QOR1", two paths, each its 32-bit big-endian length and its bytes; longer messages than 4 KiB
# only repeat what shorter ones try.
handover_seed=build-fuzz/seeds/handover-two-paths
mkdir -p "$(dirname "$handover_seed")"
printf 'QOR1\0\0\0\2\0\0\0\013/data/a.LOG\0\0\0\015/data/b b.CSV' >"$handover_seed"
fuzz fuzz_handover_message 4096 "$handover_seed"

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Fuzzing found problems in: ${failed[*]}" >&2
  exit 1
fi
echo "No target found a problem."
