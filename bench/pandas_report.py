#!/usr/bin/python3
"""The report computed with pandas, for comparison with zav_bench_report.

Reads the CSV that zav_bench_generate writes (station,time,value,mask),
drops masked rows and computes, per station and interval, the minimum,
maximum, mean and presence (count > 0) for the report's three cases:
calendar months, days, and 6-hour intervals centred on 00, 06, 12 and 18
o'clock (so bins run from 03:00 to 09:00 and so on). Prints the time of
each step in milliseconds, the best of a few repeats.

usage: /usr/bin/python3 pandas_report.py report.csv [repeats]
"""
import sys
import time

import pandas as pd

CASES = [("months", "MS", None), ("days", "D", None), ("6-hourly", "6H", "3H")]


def read(path):
    frame = pd.read_csv(path, dtype={"station": "category", "value": "float64",
                                     "mask": "int32"})
    frame["time"] = pd.to_datetime(frame["time"], format="%Y-%m-%d %H:%M:%S")
    return frame


def statistics(frame, freq, offset):
    kept = frame[frame["mask"] == 0]
    grouper = pd.Grouper(key="time", freq=freq, offset=offset) if offset else \
        pd.Grouper(key="time", freq=freq)
    result = kept.groupby(["station", grouper], observed=True)["value"].agg(
        ["min", "max", "mean", "count"])
    result["present"] = result["count"] > 0
    return result


def table(stats):
    # One row per station, one column per interval, as the report shows.
    return stats["mean"].where(stats["present"]).unstack(level=1)


def best(repeats, step):
    times = []
    value = None
    for _ in range(repeats):
        start = time.perf_counter()
        value = step()
        times.append((time.perf_counter() - start) * 1000.0)
    return min(times), value


def main():
    path = sys.argv[1]
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    read_ms, frame = best(1, lambda: read(path))
    print(f"pandas read_csv: {read_ms:.0f} ms ({len(frame)} rows)")
    for name, freq, offset in CASES:
        stats_ms, stats = best(repeats, lambda: statistics(frame, freq, offset))
        table_ms, wide = best(repeats, lambda: table(statistics(frame, freq, offset)))
        print(f"pandas {name}: statistics {stats_ms:.0f} ms, statistics and table "
              f"{table_ms:.0f} ms ({wide.shape[0]} x {wide.shape[1]}), "
              f"file to table {read_ms + table_ms:.0f} ms")
    first = statistics(frame, "MS", None).loc["S001"].head(3)
    print("S001 first months (min, max, mean):")
    print(first[["min", "max", "mean"]].to_string())


if __name__ == "__main__":
    main()
