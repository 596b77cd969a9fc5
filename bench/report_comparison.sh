#!/bin/sh
# Writes the large project and its CSV, then times the report with ZAV and
# with pandas side by side.
#   bench/report_comparison.sh [BUILD_DIR] [DATA_DIR]
# BUILD_DIR defaults to build/dev (configured with ZAV_BUILD_BENCH=ON),
# DATA_DIR to /tmp/zav-bench (about 800 MB are written there).
set -e
build=${1:-build/dev}
data=${2:-/tmp/zav-bench}
here=$(dirname "$0")
mkdir -p "$data"
if [ ! -f "$data/report.zav" ] || [ ! -f "$data/report.csv" ]; then
    "$build/bin/zav_bench_generate" "$data"
fi
ZAV_BENCH_PROJECT="$data/report.zav" "$build/bin/zav_bench_report" \
    --benchmark_filter='ReportStatistics|ReportTable|FileToTable'
# The same first months as pandas prints at the end, as a check.
"$build/bin/zav-cli" report "$data/report.zav" --main stations --items S001 \
    --other DO --start 1990-01-01 --end 1990-03-31 --unit months --values
# The whole path in a fresh process: open the project, compute the table of
# values for all 100 stations, print it.
items=$(seq -f 'S%03g' 1 100 | paste -sd, -)
for interval in "months 1" "days 1" "hours 6"; do
    set -- $interval
    start=$(date +%s.%N)
    "$build/bin/zav-cli" report "$data/report.zav" --main stations --items "$items" \
        --other DO --start 1990-01-01 --end 2001-05-29 --unit "$1" --every "$2" --values \
        > /dev/null 2>&1
    stop=$(date +%s.%N)
    echo "zav-cli report, $1 every $2: $(echo "($stop - $start) * 1000" | bc | cut -d. -f1) ms"
done
/usr/bin/python3 "$here/pandas_report.py" "$data/report.csv"
