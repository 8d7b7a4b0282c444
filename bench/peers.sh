#!/usr/bin/env bash
# The speed table of the viewer against its peers, every row in one run: whole processes timed with
# /usr/bin/time (seconds and peak memory), the two commands of a row alternating, medians of RUNS
# runs (3 unless set). The data are a QOR1300 .CSV and .LOG of 10 million records (unless RECORDS is
# given) whose values carry full precision, written once into build-bench/peers.
#   bench/peers.sh [RECORDS]
# Rows: --render of the CSV against DuckDB's read_csv into a table (2 threads) and pandas' read_csv,
# and of a CSV of the same recording in tenths, as recorders write CSV files, against DuckDB;
# opening the CSV in a shown viewer window until the graph is drawn against --render; --export of
# the LOG into /dev/shm against DuckDB writing the same table as CSV; --render of the LOG against
# `cat`; the redraw of 9 plots of 10 million points with thin, medium and thick lines.
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-10000000}
runs=${RUNS:-3}
scripts/install-deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQOR_BUILD_TESTS=OFF -DQOR_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target TraceReader qor-samplegen bench_open bench_graph >/dev/null
bin=build-bench/bin

duckdb=build-bench/duckdb
if [[ ! -d $duckdb/node_modules/@duckdb/node-api ]]; then
  mkdir -p "$duckdb"
  cp bench/duckdb/package.json "$duckdb/"
  (cd "$duckdb" && npm install --no-audit --no-fund >/dev/null)
fi
cp bench/duckdb/readcsv.mjs "$duckdb/"

data=build-bench/peers/$records
mkdir -p "$data"
generate() { # kind folder [--full-precision]
  local found
  mkdir -p "$2"
  found=$(ls "$2"/*_QOR1300."${1^^}" 2>/dev/null | head -n 1 || true)
  [[ -n "$found" ]] || found=$("$bin/qor-samplegen" --kind "$1" --model QOR1300 --records "$records" --out "$2" ${3:+"$3"})
  echo "$found"
}
csv=$(generate csv "$data" --full-precision)
log=$(generate log "$data" --full-precision)
tenths=$(generate csv "$data/tenths")
cat "$csv" "$log" "$tenths" >/dev/null # warm the page cache
scratch=$(mktemp -d)
exported=/dev/shm/qor-peers-$$.csv
trap 'rm -rf "$scratch" "$exported"' EXIT

# timed NAME COMMAND...: runs COMMAND once, its output dropped, and appends "seconds peak_KiB" to
# the file NAME in the scratch folder.
timed() {
  local name=$1
  shift
  if ! /usr/bin/time -f '%e %M' -o "$scratch/time" "$@" >"$scratch/out" 2>"$scratch/err"; then
    echo "failed: $*" >&2
    cat "$scratch/err" >&2
    exit 1
  fi
  tail -n 1 "$scratch/time" >>"$scratch/$name"
}
# median NAME [FIELD]: the median of a field (1: seconds, 2: peak KiB) of the runs of NAME.
median() {
  awk -v f="${2:-1}" '{ print $f }' "$scratch/$1" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
ratio() { echo "scale=2; $1 / $2" | bc -l; }
bytes() { stat -c %s "$1"; }

for ((run = 0; run < runs; ++run)); do
  timed render_csv "$bin/TraceReader" --render "$csv" "$scratch/csv.png"
  timed duckdb_read node "$duckdb/readcsv.mjs" "$csv"
  timed pandas_read /usr/bin/python3 -c 'import sys, pandas; pandas.read_csv(sys.argv[1], comment=";", header=None)' "$csv"
  timed render_tenths "$bin/TraceReader" --render "$tenths" "$scratch/csv.png"
  timed duckdb_tenths node "$duckdb/readcsv.mjs" "$tenths"
  timed open_csv "$bin/bench_open" "$csv"
  timed render_csv_again "$bin/TraceReader" --render "$csv" "$scratch/csv.png"
  timed export_log "$bin/TraceReader" --export "$log" "$exported"
  rm -f "$exported"
  node "$duckdb/readcsv.mjs" "$csv" "$exported" >>"$scratch/duckdb_write"
  rm -f "$exported"
  timed render_log "$bin/TraceReader" --render "$log" "$scratch/log.png"
  timed cat_log sh -c 'cat "$1" > /dev/null' cat "$log"
done

redraw=$("$bin/bench_graph" --benchmark_filter='BM_RedrawWholeRange/' 2>/dev/null)
redraw_ms() { echo "$redraw" | awk -v name="BM_RedrawWholeRange/$1" '$1 ~ name { for (i = 1; i <= NF; ++i) if ($i ~ /^median_ms=/) { sub(/median_ms=/, "", $i); print $i } }' | tr -d 'm'; }

mib() { echo "scale=0; $1 / 1024" | bc; }
csv_kib=$(($(bytes "$csv") / 1024))
log_kib=$(($(bytes "$log") / 1024))
render_csv=$(median render_csv)
render_log=$(median render_log)
duckdb_write=$(sort -g "$scratch/duckdb_write" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')

echo "$(date -u '+%F %T') UTC, load $(uptime | sed 's/.*load average: //'), $runs runs each, $records records"
echo "CSV $(($(bytes "$csv") / 1000000)) MB, LOG $(($(bytes "$log") / 1000000)) MB, full-precision values; CSV in tenths $(($(bytes "$tenths") / 1000000)) MB"
echo
echo "| Work | Ours | Peer or limit | Ratio |"
echo "|---|---|---|---|"
echo "| --render of the .CSV | $render_csv s, peak $(mib "$(median render_csv 2)") MiB ($(ratio "$(median render_csv 2)" "$csv_kib")x the file) | DuckDB read_csv, 2 threads: $(median duckdb_read) s; pandas read_csv: $(median pandas_read) s | DuckDB / ours $(ratio "$(median duckdb_read)" "$render_csv"), pandas / ours $(ratio "$(median pandas_read)" "$render_csv") |"
render_tenths=$(median render_tenths)
echo "| --render of the .CSV in tenths | $render_tenths s, peak $(mib "$(median render_tenths 2)") MiB ($(ratio "$(median render_tenths 2)" "$(($(bytes "$tenths") / 1024))")x the file) | DuckDB read_csv, 2 threads: $(median duckdb_tenths) s | DuckDB / ours $(ratio "$(median duckdb_tenths)" "$render_tenths") |"
echo "| Opening the .CSV in the viewer until the graph shows | $(median open_csv) s, peak $(mib "$(median open_csv 2)") MiB | --render: $(median render_csv_again) s | $(ratio "$(median open_csv)" "$(median render_csv_again)")x --render |"
echo "| --export of the .LOG to /dev/shm | $(median export_log) s | DuckDB writing the table as CSV: $duckdb_write s | DuckDB / ours $(ratio "$duckdb_write" "$(median export_log)") |"
echo "| --render of the .LOG | $render_log s, peak $(ratio "$(median render_log 2)" "$log_kib")x the file | cat of the file: $(median cat_log) s | $(ratio "$render_log" "$(median cat_log)")x cat |"
echo "| Redraw of 9 x $records points, medium / thick lines | $(redraw_ms 2) ms / $(redraw_ms 3) ms | thin lines: $(redraw_ms 1) ms | $(ratio "$(redraw_ms 3)" "$(redraw_ms 1)")x thin |"
