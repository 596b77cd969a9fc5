#!/usr/bin/python3
"""Checks zav-cli's statistics against pandas on synthetic records.

Writes a project with three stations of flow: two daily records over ten
water years (October 1990 to September 2000) and one 15-minute record over
a year, each with missing days, a long gap and some masked points. Then it
asks zav-cli for every statistic of the report (months for the daily
records, days for the 15-minute one), the water-year summary and the
duration table, computes the same with pandas, and compares the cells as
zav-cli prints them (six significant digits, "%g").

usage: /usr/bin/python3 pandas_statistics.py ZAV_CLI [WORK_DIR]
Needs python3-pandas. Exits 1 when a cell differs.
"""
import datetime as dt
import math
import os
import random
import subprocess
import sys
import tempfile

import pandas as pd

STATISTICS = ["mean", "min", "max", "count", "sum", "median", "p10", "p25", "p75", "p90",
              "sd", "coverage"]
DURATION_PERCENTS = [1, 5, 10, 25, 50, 75, 90, 95, 99]


def record(seed, start, end, step, gap):
    """Times, values and masks of a flow record: a seasonal cycle with
    noise, one day in twenty missing, a long gap, one value in fifty masked."""
    rng = random.Random(seed)
    rows = []
    t = start
    while t <= end:
        if not (gap[0] <= t < gap[1]) and rng.random() > 0.05:
            season = 1.0 + 0.8 * (1 + math.sin(2 * math.pi * t.timetuple().tm_yday / 365.25))
            value = round(season * rng.lognormvariate(1.5, 0.6), 3)
            rows.append((t, value, 1 if rng.random() < 0.02 else 0))
        t += step
    return rows


def records():
    day = dt.timedelta(days=1)
    quarter = dt.timedelta(minutes=15)
    return {
        ("Upper", "Flow"): (record(1, dt.datetime(1990, 10, 1), dt.datetime(2000, 9, 30), day,
                                   (dt.datetime(1994, 2, 10), dt.datetime(1994, 5, 1))),
                            "1d", "MS"),
        ("Lower", "Flow"): (record(2, dt.datetime(1990, 10, 1), dt.datetime(2000, 9, 30), day,
                                   (dt.datetime(1997, 7, 1), dt.datetime(1997, 9, 15))),
                            "1d", "MS"),
        ("Weir", "Flow"): (record(3, dt.datetime(1999, 1, 1), dt.datetime(1999, 12, 31, 23, 45),
                                  quarter, (dt.datetime(1999, 6, 3), dt.datetime(1999, 6, 9))),
                           "15min", "D"),
    }


def project_text(all_records):
    lines = ["spreaadsheetParseString =", "number of files =1", "filename =synthetic.txt",
             "number of stations =%d" % len(all_records)]
    for (station, parameter), (rows, _, _) in all_records.items():
        lines += ["station name =" + station, "station location =", "parameter =" + parameter,
                  "units =m3/s", "multiplier =1", "offset =0",
                  "number of data points = %d" % len(rows)]
        for t, value, mask in rows:
            lines += ["time =%4d:%2d:%2d:%2d:%2d:%2d" % (t.year, t.month, t.day, t.hour,
                                                          t.minute, t.second),
                      "data =" + repr(value), "mask =%d" % mask]
    lines += ["", "number of aggregated stations =0", "", "number of aggregated parameters =0",
              "", "number of units =1", "units name =m3/s", "units alias =m3/s",
              "units comment =", "units multiplier =1", "units offset =0"]
    return "\r\n".join(lines) + "\r\n"


def run(cli, *args):
    done = subprocess.run([cli] + list(args), capture_output=True, text=True, check=False)
    if done.returncode != 0:
        sys.exit("zav-cli %s failed: %s" % (" ".join(args), done.stderr))
    return [line.split("\t") for line in done.stdout.splitlines()]


def g(value):
    return "-" if value is None or pd.isna(value) else "%g" % value


def pandas_cells(frame, statistic, freq, step_seconds, start, end):
    """The statistic per interval from start to end, as zav-cli prints it."""
    kept = frame[frame["mask"] == 0].set_index("time")["value"]
    index = pd.date_range(start, end, freq=freq)
    groups = kept.groupby(pd.Grouper(freq=freq))
    counts = groups.count().reindex(index, fill_value=0)
    if statistic == "count":
        return [g(c) for c in counts]
    if statistic == "coverage":
        lengths = [((index[i + 1] if i + 1 < len(index) else pd.Timestamp(end) +
                     pd.Timedelta(seconds=1)) - index[i]).total_seconds()
                   for i in range(len(index))]
        return [g(min(100.0, 100.0 * c / (length / step_seconds)))
                for c, length in zip(counts, lengths)]
    quantiles = {"median": 0.5, "p10": 0.1, "p25": 0.25, "p75": 0.75, "p90": 0.9}
    if statistic in quantiles:
        values = groups.quantile(quantiles[statistic])
    elif statistic == "sd":
        values = groups.std(ddof=1)
    else:
        values = getattr(groups, statistic)()
    values = values.reindex(index)
    return [g(v) if c > 0 else "-" for v, c in zip(values, counts)]


def main():
    cli = sys.argv[1]
    work = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp(prefix="zav-pandas-")
    os.makedirs(work, exist_ok=True)
    project = os.path.join(work, "flows.zav")
    all_records = records()
    with open(project, "w", newline="") as out:
        out.write(project_text(all_records))

    compared = 0
    differing = []

    def compare(what, ours, theirs):
        nonlocal compared
        compared += 1
        if ours != theirs:
            differing.append((what, ours, theirs))

    for (station, parameter), (rows, step, freq) in all_records.items():
        frame = pd.DataFrame(rows, columns=["time", "value", "mask"])
        first, last = rows[0][0], rows[-1][0]
        start, end = first.strftime("%Y-%m-%d"), last.strftime("%Y-%m-%d")
        unit = "months" if freq == "MS" else "days"
        step_seconds = 86400 if step == "1d" else 900
        grid_start = first.replace(day=1) if freq == "MS" else first.replace(hour=0, minute=0)
        grid_end = dt.datetime(last.year, last.month, last.day, 23, 59, 59)
        for statistic in STATISTICS:
            table = run(cli, "report", project, "--main", "stations", "--items", station,
                        "--other", parameter, "--start", start, "--end", end, "--unit", unit,
                        "--stat", statistic, "--expected-step", step)
            theirs = pandas_cells(frame, statistic, freq, step_seconds, grid_start, grid_end)
            ours = table[1][1:]
            if len(ours) != len(theirs):
                differing.append((station + " " + statistic, len(ours), len(theirs)))
                continue
            for label, a, b in zip(table[0][1:], ours, theirs):
                compare("%s %s %s" % (station, statistic, label), a, b)

        # Water years from October: the median and the count.
        summary = run(cli, "summary", project, "--station", station, "--parameter", parameter,
                      "--year-start", "10", "--stat", "median", "--expected-step", step)
        kept = frame[frame["mask"] == 0].set_index("time")["value"]
        years = kept.groupby(pd.Grouper(freq="AS-OCT"))
        for line, (year, values) in zip(summary[1:], years):
            compare("%s water year %s count" % (station, line[0]), line[1], g(len(values)))
            compare("%s water year %s median" % (station, line[0]), line[3],
                    g(values.quantile(0.5)))

        duration = run(cli, "duration", project, "--station", station, "--parameter", parameter,
                       "--start", start, "--end", end)
        for line, percent in zip(duration[1:], DURATION_PERCENTS):
            compare("%s exceeded %d%%" % (station, percent), line[1],
                    g(kept.quantile(1 - percent / 100.0)))

    print("%d cells compared with pandas %s, %d differ" % (compared, pd.__version__,
                                                           len(differing)))
    for what, ours, theirs in differing[:20]:
        print("  %s: zav-cli %s, pandas %s" % (what, ours, theirs))
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
