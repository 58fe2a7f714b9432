"""Writes the CSV table as a dBASE table in code page 866 (declared in its language-driver byte),
with one more record after the second, marked deleted."""
import csv
import datetime
import sys

import dbf

source, target = sys.argv[1], sys.argv[2]
with open(source, encoding="utf-8", newline="") as f:
    rows = list(csv.reader(f, delimiter=";"))
table = dbf.Table(target, "TABNUM N(4,0); FIO C(30); SALARY N(9,1); HIRED D; RATE N(5,2)",
                  codepage="cp866", dbf_type="db3")
table.open(dbf.READ_WRITE)


def number(text):
    return float(text.replace(",", ".")) if text else None


def date(text):
    return datetime.date(*reversed([int(p) for p in text.split(".")])) if text else None


for index, (tabnum, fio, salary, hired, rate) in enumerate(rows[1:]):
    table.append((number(tabnum), fio, number(salary), date(hired), number(rate)))
    if index == 1:
        table.append((999, "Удалённая запись", 1.0, None, None))
        dbf.delete(table[-1])
table.close()
