#!/usr/bin/env python3
"""Makes the CSV fixtures of csv_fixtures_test.cpp, shaped as the programs that users export from
write them. Run from anywhere; the files are written beside this script:

    python3 designer/model/test/data/make_csv_fixtures.py

- libreoffice.csv: LibreOffice Calc's own CSV export (Text - txt - csv (StarCalc), ",", quote all
  text cells, UTF-8), made by `soffice --headless --convert-to` from a table it first imports.
  Needs LibreOffice (Debian: libreoffice-calc-nogui); without it the committed file stays.
- The others are written by Python's csv module with the settings of the program they stand for,
  since Excel, Google Sheets and 1C do not run here:
  - excel_ru.csv: Excel ru-RU "CSV (разделители - точки с запятой)": Windows-1251, ";", a value
    quoted only when it holds ";", a quote or a line break (Alt+Enter, LF), CR LF after every line.
  - google_sheets.csv: Google Sheets "Скачать - CSV": UTF-8 without a byte-order mark, ",", quoted
    only when needed, CR LF between lines and none after the last.
  - excel_unicode.txt: Excel "Текст Юникод": UTF-16 LE behind its byte-order mark, tab-separated,
    quoted only when needed, CR LF after every line.
  - onec_title.csv: a 1C-style report export: Windows-1251, ";", no quotes, a title line above
    the table, CR LF.
"""
import csv
import io
import os
import shutil
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def write_csv(name, rows, encoding, delimiter, line_end, last_line_end=True, mark=b""):
    text = io.StringIO()
    csv.writer(text, delimiter=delimiter, lineterminator=line_end,
               quoting=csv.QUOTE_MINIMAL).writerows(rows)
    body = text.getvalue()
    if not last_line_end:
        body = body[: -len(line_end)]
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(mark + body.encode(encoding))


def excel_ru():
    write_csv("excel_ru.csv", [
        ["Организация", "Адрес", "Телефон"],
        ['ООО "Ромашка"', "ул. Ленина; д. 1", "123"],
        ["ИП Петров", "пр. Мира, 5", "4567"],
        ["ЗАО Лес", "ул. Садовая,\nд. 7", "89"],
        ['Строительная компания "Север"', "г. Тверь", "5"],
    ], "cp1251", ";", "\r\n")


def google_sheets():
    write_csv("google_sheets.csv", [
        ["Товар", "Цена", "Примечание"],
        ["Чай «Бодрость»", "45", "крупнолистовой, 100 г"],
        ["Кофе", "199", 'Сорт "Арабика"'],
        ["Сахар", "61", "Рафинад\nкусковой"],
    ], "utf-8", ",", "\r\n", last_line_end=False)


def excel_unicode():
    write_csv("excel_unicode.txt", [
        ["Фамилия", "Имя", "Телефон"],
        ["Иванов", "Пётр", "123"],
        ["Ёлкина", 'Анна "Аня"', "4567"],
        ["Чжан", "Вэй 中", "89"],
    ], "utf-16-le", "\t", "\r\n", mark=b"\xff\xfe")


def onec_title():
    rows = [["Код", "Наименование", "ИНН"],
            ["1", "ООО Ромашка", "7701234567"],
            ["2", "ИП Петров П.П.", "500100732259"],
            ["3", "АО Север", "7802345678"]]
    text = 'Справочник "Контрагенты" на 01.03.2024\r\n'
    text += "".join(";".join(row) + "\r\n" for row in rows)
    with open(os.path.join(HERE, "onec_title.csv"), "wb") as out:
        out.write(text.encode("cp1251"))


def libreoffice():
    soffice = shutil.which("soffice")
    if soffice is None:
        print("soffice not found: libreoffice.csv stays as committed")
        return
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "libreoffice.csv")
        with open(source, "w", encoding="utf-8", newline="") as out:
            csv.writer(out, delimiter=";", lineterminator="\n").writerows([
                ["Имя", "Город", "Код"],
                ["Иванов", "Москва, центр", "123"],
                ['ООО "Ромашка"', "Тверь", "45"],
                ["Сидорова", "Санкт-Петербург", "6789"],
            ])
        done = os.path.join(work, "out")
        # Import: ";" (59), quote (34), UTF-8 (76), from line 1. Export: "," (44), quote,
        # UTF-8, line 1, default formats and language, quote all text cells (true).
        subprocess.run([soffice, "-env:UserInstallation=file://" + os.path.join(work, "profile"),
                        "--headless", "--infilter=CSV:59,34,76,1",
                        "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true",
                        "--outdir", done, source], check=True, capture_output=True)
        shutil.copy(os.path.join(done, "libreoffice.csv"), os.path.join(HERE, "libreoffice.csv"))


if __name__ == "__main__":
    excel_ru()
    google_sheets()
    excel_unicode()
    onec_title()
    libreoffice()
