"""Reads back what bwick dump and bwick find print in every --format with Python's own csv and
json modules, on a book whose values hold a line feed, a Tab, a quote, " | " and a backslash.

Usage: record_formats_test.py BWICK WORK_FOLDER
"""
import csv
import io
import json
import os
import struct
import subprocess
import sys

NAMES = ["Имя", "Заметка", "Имя"]  # a repeated name becomes "поле 3" in json
RECORDS = [
    ["Иванов", "строка\nвторая", "a\tb"],
    ['сказал "да"', "x | y", "back\\slash"],
    ["запятая, вот", "\r\x1b", "конец|"],
]


def table_database(names, records):
    """The bytes of a table database (docs/table-database.md) with text fields only."""
    header = b"BRWK" + bytes([13, len(names)]) + b"ew" + struct.pack("<I", len(records))
    header += bytes([0]) + "Книга".encode("cp1251") + b"\0"
    header = header.ljust(64, b"\0")
    fields = b""
    for place, name in enumerate(names, 1):
        fields += name.encode("cp1251").ljust(16, b"\0")
        fields += bytes([1, 0, 0, place, place, place]) + struct.pack("<HHH", 100, 50, 40)
    body = b""
    for values in records:
        record = b"".join(v.encode("cp1251") + b"\0" for v in values)
        body += bytes([len(record) + 1]) + record
    return header + fields + body + b"\xff\xff"


def run(bwick, *args):
    done = subprocess.run([bwick, *args], capture_output=True, check=False)
    if done.returncode != 0:
        sys.exit(f"bwick {' '.join(args)}: exit {done.returncode}: {done.stderr.decode()}")
    return done.stdout


def unescape_text(value):
    out, i = "", 0
    while i < len(value):
        if value[i] == "\\" and value[i + 1] == "x":
            out += chr(int(value[i + 2 : i + 4], 16))
            i += 4
        elif value[i] == "\\":
            out += value[i + 1]
            i += 2
        else:
            out += value[i]
            i += 1
    return out


def unescape_tsv(value):
    pairs = {"t": "\t", "n": "\n", "r": "\r", "\\": "\\"}
    out, i = "", 0
    while i < len(value):
        if value[i] == "\\":
            out += pairs[value[i + 1]]
            i += 2
        else:
            out += value[i]
            i += 1
    return out


def read_text(out):
    rows = []
    for line in out.decode("utf-8").splitlines():
        number, rest = line.split(": ", 1)
        assert number == f"запись {len(rows) + 1}", line
        # An unescaped " | " is the separator: every "|" of a value comes escaped.
        parts, current, i = [], "", 0
        while i < len(rest):
            if rest.startswith(" | ", i):
                parts.append(current)
                current, i = "", i + 3
            elif rest[i] == "\\":
                current += rest[i : i + 2]
                i += 2
            else:
                current += rest[i]
                i += 1
        parts.append(current)
        rows.append([unescape_text(p) for p in parts])
    return rows


def read_tsv(out):
    text = out.decode("utf-8")
    reader = csv.reader(io.StringIO(text, newline=""), delimiter="\t", quoting=csv.QUOTE_NONE)
    rows = [[unescape_tsv(v) for v in row] for row in reader]
    assert rows[0] == NAMES, rows[0]
    return rows[1:]


def read_csv(out, encoding="utf-8"):
    rows = list(csv.reader(io.StringIO(out.decode(encoding), newline="")))
    assert rows[0] == NAMES, rows[0]
    return rows[1:]


def read_json(out):
    rows = []
    for line in out.decode("utf-8").splitlines():
        record = json.loads(line)
        assert record["запись"] == len(rows) + 1, record
        assert list(record)[1:] == ["Имя", "Заметка", "поле 3"], record
        rows.append(list(record.values())[1:])
    return rows


def main():
    bwick, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    book = os.path.join(work, "formats.db")
    with open(book, "wb") as f:
        f.write(table_database(NAMES, RECORDS))
    readers = {
        ("text",): read_text,
        ("tsv",): read_tsv,
        ("csv",): read_csv,
        ("csv", "--encoding", "cp1251"): lambda out: read_csv(out, "cp1251"),
        ("json",): read_json,
    }
    failures = 0
    for args, read in readers.items():
        for command in (["dump", book], ["find", book]):
            out = run(bwick, *command, "--format", *args)
            if command[0] == "dump" and args == ("text",):
                out = b"\n".join(l for l in out.split(b"\n") if l.startswith("запись".encode()))
            rows = read(out)
            if rows != RECORDS:
                print(f"{command[0]} --format {' '.join(args)}: {rows!r}")
                failures += 1
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
