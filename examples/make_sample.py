#!/usr/bin/env python3
"""Writes examples/sample.zav, the example project used by scripts/run, the
screenshots and the manual. Deterministic: the same file every time.

Four stations on one small river system, 1994 to 1998: grab samples of
dissolved oxygen, pH and water temperature about twice a month, daily
discharge at two gauges. Water temperature is stored in degrees Fahrenheit
with a units record that shows it in degrees Celsius. A few values are
masked (set aside) and a few sampling trips are missing. The lake and its
inlet form the station aggregate "Lake 3 basin".
"""
import datetime
import math
import random

random.seed(1994)
CRLF = "\r\n"


def fmt(v):
    text = "%g" % v
    return text


def block(station, location, parameter, units, points):
    out = [
        "station name =" + station,
        "station location =" + location,
        "parameter =" + parameter,
        "units =" + units,
        "multiplier =1",
        "offset =0",
        "number of data points = %d" % len(points),
    ]
    for t, v, m in points:
        out.append("time = %4d:%2d:%2d:%2d:%2d:%2d" % (t.year, t.month, t.day, t.hour, t.minute, t.second))
        out.append("data =" + fmt(v))
        out.append("mask =%d" % m)
    return out


def grab_dates(seed_offset):
    d = datetime.datetime(1994, 1, 4, 9, 30)
    end = datetime.datetime(1998, 12, 31)
    dates = []
    while d < end:
        # A missed trip now and then, and no winter sampling under ice in 1996.
        if random.random() > 0.08 and not (d.year == 1996 and d.month in (1, 2)):
            dates.append(d + datetime.timedelta(minutes=15 * seed_offset))
        d += datetime.timedelta(days=14 + random.randint(-2, 2))
    return dates


def seasonal(day_of_year, mean, amplitude, phase=200):
    return mean + amplitude * math.cos(2 * math.pi * (day_of_year - phase) / 365.25)


def grab_series(station_index):
    dates = grab_dates(station_index)
    oxygen, ph, temp = [], [], []
    for i, d in enumerate(dates):
        doy = d.timetuple().tm_yday
        t_f = seasonal(doy, 52 + station_index, 20) + random.gauss(0, 1.5)
        do = seasonal(doy, 9.5 - 0.4 * station_index, -2.5) + random.gauss(0, 0.4)
        p = 7.4 + 0.1 * station_index + random.gauss(0, 0.15)
        mask = 1 if (i % 37 == 11) else 0  # a suspect reading, set aside
        oxygen.append((d, round(do, 2), mask))
        ph.append((d, round(p, 1), 0))
        temp.append((d, round(t_f, 1), 0))
    return oxygen, ph, temp


def daily_flow(base, seed):
    rnd = random.Random(seed)
    d = datetime.datetime(1994, 1, 1)
    end = datetime.datetime(1998, 12, 31)
    q = base
    points = []
    while d <= end:
        doy = d.timetuple().tm_yday
        target = seasonal(doy, base, base * 0.6, phase=100)
        if rnd.random() < 0.03:
            q += base * rnd.uniform(1, 4)  # a storm
        q = q + (target - q) * 0.15
        # The gauge was out of service for part of 1997.
        if not (d.year == 1997 and 6 <= d.month <= 7):
            points.append((d, round(q, 1), 0))
        d += datetime.timedelta(days=1)
    return points


stations = [
    ("Lake 3", "Lake 3 at the dam, 2 m depth"),
    ("North Inlet", "North inlet to Lake 3 at the footbridge"),
    ("Mill Creek at Route 9", "Mill Creek upstream of the Route 9 culvert"),
    ("South Outlet", "Outlet channel below the spillway"),
]

lines = ["spreaadsheetParseString =MM/DD/[YY]YY\tVALUE\tSKIP\tSKIP\tSKIP", "number of files =2"]

# Source 1: the water-quality samples.
quality = []
for i, (name, location) in enumerate(stations):
    oxygen, ph, temp = grab_series(i)
    quality.append(block(name, location, "Dissolved oxygen", "mg/l", oxygen))
    quality.append(block(name, location, "pH", "su", ph))
    quality.append(block(name, location, "Water temperature", "deg F", temp))
lines.append("filename =field-samples-1994-1998.mlv")
lines.append("number of stations =%d" % len(quality))
for b in quality:
    lines.extend(b)

# Source 2: daily discharge at two gauges.
flows = [
    block("Mill Creek at Route 9", "Mill Creek upstream of the Route 9 culvert", "Discharge", "cfs",
          daily_flow(14.0, 7)),
    block("South Outlet", "Outlet channel below the spillway", "Discharge", "cfs", daily_flow(42.0, 11)),
]
lines.append("filename =gauges-daily-1994-1998.pld")
lines.append("number of stations =%d" % len(flows))
for b in flows:
    lines.extend(b)

lines += [
    "",
    "number of aggregated stations =1",
    "aggregate name =Lake 3 basin",
    "number of stations in aggregate =2",
    "Lake 3",
    "North Inlet",
    "",
    "number of aggregated parameters =0",
    "",
    "number of units =4",
    "units name =cfs", "units alias =cfs", "units comment =cubic feet per second",
    "units multiplier =1", "units offset =0",
    "units name =deg F", "units alias =deg C", "units comment =shown in degrees Celsius",
    "units multiplier =0.555556", "units offset =-17.7778",
    "units name =mg/l", "units alias =mg/l", "units comment =mg/l",
    "units multiplier =1", "units offset =0",
    "units name =su", "units alias =su", "units comment =standard units",
    "units multiplier =1", "units offset =0",
]

with open("sample.zav", "w", newline="") as f:
    f.write(CRLF.join(lines) + CRLF)
