#!/usr/bin/env python3
"""Writes a long-shape CSV for the import comparison: station, parameter,
units, time, value, remark; hourly values of 20 stations x 5 parameters,
written station by station, with a '<' remark on one value in 500.
    make_long_csv.py OUT.csv [ROWS]   (ROWS defaults to 10,000,000)"""
import datetime
import sys

path = sys.argv[1]
rows = int(sys.argv[2]) if len(sys.argv) > 2 else 10_000_000
parameters = [("DO", "mg/l"), ("pH", "su"), ("Temp", "deg C"), ("Cond", "uS/cm"), ("Turb", "NTU")]
series = [(f"S{s:03d}", p, u) for s in range(1, 21) for p, u in parameters]
per_series = rows // len(series)
start = datetime.datetime(1990, 1, 1)
with open(path, "w", newline="") as out:
    out.write("station,parameter,units,time,value,remark\n")
    n = 0
    for k, (station, parameter, units) in enumerate(series):
        lines = []
        for i in range(per_series if k < len(series) - 1 else rows - n):
            t = start + datetime.timedelta(hours=i)
            v = (i * 7919 + k * 104729) % 100000 / 1000.0
            remark = "<" if i % 500 == 0 else ""
            lines.append(f"{station},{parameter},{units},{t:%Y-%m-%d %H:%M:%S},{v:g},{remark}\n")
        n += len(lines)
        out.writelines(lines)
