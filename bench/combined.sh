#!/usr/bin/env bash
# Combined-view benchmark: writes three QOR1100 CSV recordings of 10 million records by default
# (different starts, intervals and processes) and a QOR1300 .LOG recording of as many records into
# build-bench/data (once), then times combining the three against reading them one after another,
# and a redraw of the combined graph against a slot window's.
#   bench/combined.sh [RECORDS]
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-10000000}
scripts/install-deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQOR_BUILD_TESTS=OFF -DQOR_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_combined qor-samplegen >/dev/null
data=build-bench/data/$records
mkdir -p "$data/combined"
files=()
for k in 1 2 3; do
  found=$(ls "$data"/combined/*_QOR1100_"$k".CSV 2>/dev/null | head -n 1 || true)
  if [[ -z "$found" ]]; then
    written=$(build-bench/bin/qor-samplegen --kind csv --model QOR1100 --records "$records" --interval "$k" \
      --start "2015030${k}080000" --seed "$k" --out "$data/combined")
    found="${written%.CSV}_$k.CSV"
    mv "$written" "$found"
  fi
  files+=("$found")
done
log=$(ls "$data"/*_QOR1300.LOG 2>/dev/null | head -n 1 || true)
if [[ -z "$log" ]]; then
  log=$(build-bench/bin/qor-samplegen --kind log --model QOR1300 --records "$records" --out "$data")
fi
export QOR_BENCH_COMBINED="${files[0]};${files[1]};${files[2]}"
export QOR_BENCH_LOG=$log
cat "${files[@]}" > /dev/null # warm the page cache
out=$(build-bench/bin/bench_combined 2>/dev/null)
echo "$out" | grep BM_
read_ms=$(echo "$out" | awk '/BM_ReadThreeCsvFiles/ { print $2 }')
combine_ms=$(echo "$out" | awk '/BM_CombineThreeCsvFiles/ { print $2 }')
echo
echo "combine / read one after another = $(echo "$combine_ms / $read_ms" | bc -l | cut -c1-5)"
