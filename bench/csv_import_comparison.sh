#!/bin/sh
# Times zav-cli import of a long-shape CSV against pandas read_csv with
# parse_dates on the same file, side by side: wall-clock and processor
# seconds and the most memory each held. On a shared machine the processor
# seconds are the fairer figure; run it more than once.
#   bench/csv_import_comparison.sh [BUILD_DIR] [DATA_DIR] [ROWS]
# BUILD_DIR defaults to build/dev, DATA_DIR to /tmp/zav-bench, ROWS to
# 10,000,000 (about 420 MB of CSV). Needs python3 with pandas (Debian's
# python3-pandas, for the benchmark only) and GNU time.
set -e
exec 2>&1
build=${1:-build/dev}
data=${2:-/tmp/zav-bench}
rows=${3:-10000000}
here=$(dirname "$0")
csv="$data/long-$rows.csv"
mkdir -p "$data"
if [ ! -f "$csv" ]; then
    python3 "$here/make_long_csv.py" "$csv" "$rows"
fi
# The first python that has pandas: a python of its own on the PATH may not.
python=python3
if ! python3 -c "import pandas" 2>/dev/null && [ -x /usr/bin/python3 ]; then
    python=/usr/bin/python3
fi

"$build/bin/zav-cli" new "$data/import.zav" > /dev/null
/usr/bin/time -f "zav-cli import (read, check, save the project): %e s, %U s user + %S s system, %M KB at most" \
    "$build/bin/zav-cli" import "$data/import.zav" "$csv" --time time --station-column station \
    --parameter-column parameter --units-column units --value value --remark remark \
    --censored limit -o "$data/import-out.zav"

"$python" - "$csv" <<'PY'
import resource, sys, time
import pandas
start = time.perf_counter()
cpu = time.process_time()
frame = pandas.read_csv(sys.argv[1], parse_dates=["time"])
stop = time.perf_counter()
cpu = time.process_time() - cpu
peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
print(f"pandas read_csv(parse_dates=['time']): {stop - start:.2f} s, {cpu:.2f} s processor, "
      f"{peak} KB at most ({len(frame)} rows)")
PY
