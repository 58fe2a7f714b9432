#!/usr/bin/env python3
"""Turns a staff list made by make_input.py (Windows-1251, ";") into an .xlsx workbook of one
sheet as a spreadsheet program saves it: texts as shared strings, personnel numbers as numbers.
XlsxWriter holds the whole sheet while it writes (about 700 MB and three minutes for a million
rows); bench/run.sh makes the file once and keeps it.

Usage: make_xlsx.py IN.csv OUT.xlsx
"""
import sys

import xlsxwriter

source, target = sys.argv[1], sys.argv[2]
book = xlsxwriter.Workbook(target)
sheet = book.add_worksheet("Сотрудники")
with open(source, encoding="cp1251", newline="") as lines:
    for row, line in enumerate(lines):
        fields = line.rstrip("\r\n").split(";")
        if row > 0:
            fields[0] = int(fields[0])
        sheet.write_row(row, 0, fields)
book.close()
