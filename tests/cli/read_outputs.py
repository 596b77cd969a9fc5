# Reads zav-cli's machine-readable output with Python's standard library
# alone, as a user's script would, and prints what it found.
#
#   read_outputs.py report TABLE.csv TABLE.json
#       checks that the csv and the json of one report say the same and
#       prints the table as one line of json
#   read_outputs.py info SERIES.csv
#       prints the station and parameter of each row
import csv
import io
import json
import sys


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        text = f.read()
    if "\r" in text.replace('"\r', ""):
        sys.exit("CR outside a quoted field in " + path)
    return list(csv.reader(io.StringIO(text, newline="")))


def report(csv_path, json_path):
    records = read_csv(csv_path)
    header, body = records[0], records[1:]
    with open(json_path, encoding="utf-8") as f:
        table = json.load(f)
    if header[1:] != table["labels"] or [r[0] for r in body] != table["rows"]:
        sys.exit("labels or rows differ")
    for record, cells in zip(body, table["cells"]):
        if [None if c == "" else float(c) for c in record[1:]] != cells:
            sys.exit("cells differ in row " + record[0])
    print(json.dumps([header[0], table["labels"], table["rows"], table["cells"]]))


def info(csv_path):
    records = read_csv(csv_path)
    for record in records[1:]:
        if len(record) != len(records[0]):
            sys.exit("row of %d fields under a header of %d" % (len(record), len(records[0])))
        print(json.dumps([record[1], record[2], int(record[6]), record[8], record[9]]))


if sys.argv[1] == "report":
    report(sys.argv[2], sys.argv[3])
else:
    info(sys.argv[2])
