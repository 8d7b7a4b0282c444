#!/usr/bin/env bash
# CSV export benchmark on a .LOG recording of 9 full-precision values per record (10 million records
# by default, about 1.5 GB of CSV): values as a process computes them, not rounded to one decimal, so
# that formatting at 15 significant digits is what is timed. Writes the recording once into
# build-bench/peers (the one bench/peers.sh uses), times our export, then
# times pandas' DataFrame.to_csv (Debian's python3) writing the same table, and prints the ratio.
#   bench/export.sh [RECORDS]
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-10000000}
scripts/install-deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQOR_BUILD_TESTS=OFF -DQOR_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_export qor-samplegen >/dev/null
data=build-bench/peers/$records
mkdir -p "$data"
log=$(ls "$data"/*_QOR1300.LOG 2>/dev/null | head -n 1 || true)
if [[ -z "$log" ]]; then
  log=$(build-bench/bin/qor-samplegen --kind log --model QOR1300 --records "$records" --full-precision --out "$data")
fi
export QOR_BENCH_LOG=$log
export QOR_BENCH_EXPORT_OUT=$data/exported.csv
out=$(build-bench/bin/bench_export 2>/dev/null)
echo "$out" | grep BM_ExportLog
ours_s=$(echo "$out" | awk '/BM_ExportLog/ { print $2 / 1000 }')

pandas_s=$(/usr/bin/python3 - "$log" "$data/pandas.csv" <<'PY'
import sys, time
import numpy, pandas
record = numpy.dtype([("seconds", "<i4"), ("values", "<f8", (9,))])
records = numpy.fromfile(sys.argv[1], dtype=record, offset=80)
table = pandas.DataFrame(records["values"], columns=["Hi.PV", "Hi.SP", "Hi.MV", "Exp.PV", "Exp.SP", "Exp.MV", "Lo.PV", "Lo.SP", "Lo.MV"])
table.insert(0, "TIME", pandas.Timestamp("2015-03-01 08:00:00") + pandas.to_timedelta(records["seconds"], unit="s"))
start = time.perf_counter()
table.to_csv(sys.argv[2], index=False, lineterminator="\r\n")
print(f"{time.perf_counter() - start:.3f}")
PY
)
rm -f "$data/pandas.csv" "$data/exported.csv"
echo
echo "pandas to_csv: ${pandas_s} s; ours: ${ours_s} s; pandas / ours = $(echo "$pandas_s / $ours_s" | bc -l | cut -c1-5)"
