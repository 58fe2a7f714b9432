#!/usr/bin/env python3
"""Turns a staff list made by make_input.py (Windows-1251, ";") into an .xlsx workbook of one
sheet as a spreadsheet program saves it: texts as shared strings, personnel numbers as numbers.
Written in openpyxl's streaming mode, so a million rows take little memory.

Usage: make_xlsx.py IN.csv OUT.xlsx
"""
import sys

from openpyxl import Workbook

source, target = sys.argv[1], sys.argv[2]
book = Workbook(write_only=True)
sheet = book.create_sheet("Сотрудники")
with open(source, encoding="cp1251", newline="") as lines:
    for number, line in enumerate(lines):
        fields = line.rstrip("\r\n").split(";")
        if number > 0:
            fields[0] = int(fields[0])
        sheet.append(fields)
book.save(target)
