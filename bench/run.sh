#!/usr/bin/env bash
# Reader benchmarks on recordings of 10 million records. Writes the recordings once (about 2 GB in
# build-bench/data), warms the page cache, times `cat FILE > /dev/null` for each, runs each reader
# in a process of its own and, for the CSV file, times pandas' read_csv (Debian's python3) for comparison.
#   bench/run.sh [RECORDS]
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-10000000}
scripts/install-deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQOR_BUILD_TESTS=OFF -DQOR_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_readers qor-samplegen >/dev/null
data=build-bench/data/$records
mkdir -p "$data"
generate() { # kind model
  local found
  found=$(ls "$data"/*_"$2"."${1^^}" 2>/dev/null | head -n 1 || true)
  if [[ -z "$found" ]]; then
    found=$(build-bench/bin/qor-samplegen --kind "$1" --model "$2" --records "$records" --out "$data")
  fi
  echo "$found"
}
export QOR_BENCH_LOG=$(generate log QOR1300)
export QOR_BENCH_CSV=$(generate csv QOR1300)
export QOR_BENCH_DAT=$(generate dat QOR510)

seconds() { local start end; start=$(date +%s.%N); "$@"; end=$(date +%s.%N); echo "$end - $start" | bc -l; }
declare -A cat_time
for kind in LOG CSV DAT; do
  var=QOR_BENCH_$kind
  cat "${!var}" > /dev/null # warm the page cache
  cat_time[$kind]=$(seconds sh -c "cat '${!var}' > /dev/null")
done

declare -A reader_time
for kind in Log Csv Dat; do
  out=$(build-bench/bin/bench_readers --benchmark_filter="BM_Read$kind/" 2>/dev/null)
  echo "$out" | grep "BM_Read$kind"
  reader_time[${kind^^}]=$(echo "$out" | awk "/BM_Read$kind/ { print \$2 / 1000 }")
done

echo
printf '%-4s %10s %10s %8s\n' kind reader_s cat_s ratio
for kind in LOG CSV DAT; do
  printf '%-4s %10.3f %10.3f %8.2f\n' "$kind" "${reader_time[$kind]}" "${cat_time[$kind]}" "$(echo "${reader_time[$kind]} / ${cat_time[$kind]}" | bc -l)"
done

pandas_s=$(/usr/bin/python3 - "$QOR_BENCH_CSV" <<'PY'
import sys, time
import pandas
start = time.perf_counter()
pandas.read_csv(sys.argv[1], comment=';', header=None)
print(f"{time.perf_counter() - start:.3f}")
PY
)
echo
echo "pandas read_csv: ${pandas_s} s; ours: ${reader_time[CSV]} s; pandas / ours = $(echo "$pandas_s / ${reader_time[CSV]}" | bc -l | cut -c1-5)"
