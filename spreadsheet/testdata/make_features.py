"""Writes features.xlsx (shared and rich strings, dates with and without a time, fractions, a
formula with its cached value, an error, booleans, a merged range with a value hidden under it,
an empty row, a hidden sheet) and inline.xlsx (the same kind of rows with inline strings, as
the writer's constant-memory mode stores them), and sheets.xlsx (two sheets of other columns, one
with a character that Windows-1251 lacks)."""
import datetime
import sys

import xlsxwriter

features, inline, sheets = sys.argv[1], sys.argv[2], sys.argv[3]

book = xlsxwriter.Workbook(features)
sheet = book.add_worksheet("Лист1")
date = book.add_format({"num_format": "dd.mm.yyyy"})
stamp = book.add_format({"num_format": "dd.mm.yyyy hh:mm"})
bold = book.add_format({"bold": True})
sheet.write_row(0, 0, ["Текст", "Число", "Дата", "Формула", "Флаг"])
sheet.write_rich_string(1, 0, "Жирный", bold, " и простой")
sheet.write_number(1, 1, 123)
sheet.write_datetime(1, 2, datetime.date(2024, 2, 29), date)
sheet.write_formula(1, 3, "=B2*2", None, 246)
sheet.write_boolean(1, 4, True)
sheet.write_string(2, 0, "Ёлка")
sheet.write_number(2, 1, -0.125)
sheet.write_datetime(2, 2, datetime.datetime(1999, 12, 31, 23, 59), stamp)
sheet.write_formula(2, 3, "=NA()", None, "#N/A")
sheet.write_boolean(2, 4, False)
sheet.merge_range(4, 0, 4, 2, "Объединено")
sheet.write_string(4, 1, "скрыто")  # a value under the merged range, which nobody sees
sheet.write_number(4, 3, 1234567.89)
hidden = book.add_worksheet("Скрытый")
hidden.write_string(0, 0, "тайна")
hidden.hide()
book.add_worksheet("Пустой")
book.close()

book = xlsxwriter.Workbook(inline, {"constant_memory": True})
sheet = book.add_worksheet("Строки")
sheet.write_row(0, 0, ["Строка", "Число"])
sheet.write_row(1, 0, ["Привет", 0.1])
sheet.write_row(3, 0, ["после пустой", 1e-7])
book.close()

book = xlsxwriter.Workbook(sheets)
staff = book.add_worksheet("Сотрудники")
staff.write_row(0, 0, ["Имя", "Телефон"])
staff.write_row(1, 0, ["Анна", 1234])
staff.write_row(2, 0, ["Ли 中", 5678])
prices = book.add_worksheet("Цены")
prices.write_row(0, 0, ["Товар", "Цена", "Склад"])
prices.write_row(1, 0, ["Чай", 120, "А"])
book.close()
