#!/bin/sh
# Times zav-cli import of a long-shape CSV against pandas read_csv with
# parse_dates on the same file, side by side.
#   bench/csv_import_comparison.sh [BUILD_DIR] [DATA_DIR] [ROWS]
# BUILD_DIR defaults to build/dev, DATA_DIR to /tmp/zav-bench, ROWS to
# 10,000,000 (about 560 MB of CSV). Needs python3 with pandas.
set -e
build=${1:-build/dev}
data=${2:-/tmp/zav-bench}
rows=${3:-10000000}
here=$(dirname "$0")
csv="$data/long-$rows.csv"
mkdir -p "$data"
if [ ! -f "$csv" ]; then
    python3 "$here/make_long_csv.py" "$csv" "$rows"
fi
seconds() { date +%s.%N; }

"$build/bin/zav-cli" new "$data/import.zav" > /dev/null
start=$(seconds)
"$build/bin/zav-cli" import "$data/import.zav" "$csv" --time time --station-column station \
    --parameter-column parameter --units-column units --value value --remark remark \
    --censored limit -o "$data/import-out.zav"
stop=$(seconds)
echo "zav-cli import (read, check, save the project): $(echo "$stop - $start" | bc) s"

python3 - "$csv" <<'PY'
import sys, time
import pandas
start = time.perf_counter()
frame = pandas.read_csv(sys.argv[1], parse_dates=["time"])
stop = time.perf_counter()
print(f"pandas read_csv(parse_dates=['time']): {stop - start:.2f} s ({len(frame)} rows)")
PY
