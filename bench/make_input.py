#!/usr/bin/env python3
"""Writes a staff list as a spreadsheet exports it: a line of names, then RECORDS lines of five
fields separated by ";", CR LF line ends, Windows-1251 text. The same seed gives the same file.

Fields: personnel number (digits 1 to 9 only, 1 to 9 of them, so the field stays numeric and
its values need every number size from 1 to 4 bytes), full name, post, department and phone.

With --quoted every text value stands in double quotes, as LibreOffice writes a CSV file with
"quote all text cells": the same records, to be read with quotes (RFC 4180) into the same values.

Usage: make_input.py RECORDS OUT [SEED] [--quoted]
"""
import random
import sys

SURNAMES = ["Иванов", "Смирнов", "Кузнецов", "Попов", "Васильев", "Петров", "Соколов",
            "Михайлов", "Новиков", "Фёдоров", "Морозов", "Волков", "Алексеев", "Лебедев",
            "Семёнов", "Егоров", "Павлов", "Козлов", "Степанов", "Николаев", "Орлов", "Андреев",
            "Макаров", "Никитин", "Захаров", "Зайцев", "Соловьёв", "Борисов", "Яковлев",
            "Григорьев", "Романов", "Воробьёв", "Сергеев", "Кузьмин", "Фролов", "Александров"]
FEMININE = {"Соловьёв": "Соловьёва", "Воробьёв": "Воробьёва"}
MALE_NAMES = ["Александр", "Сергей", "Дмитрий", "Андрей", "Алексей", "Николай", "Михаил",
              "Иван", "Евгений", "Владимир", "Юрий", "Олег", "Павел", "Пётр", "Игорь"]
FEMALE_NAMES = ["Елена", "Ольга", "Наталья", "Татьяна", "Ирина", "Светлана", "Марина",
                "Анна", "Юлия", "Екатерина", "Людмила", "Галина", "Мария", "Вера"]
PATRONYMICS = ["Александров", "Сергеев", "Дмитриев", "Андреев", "Алексеев", "Николаев",
               "Михайлов", "Иванов", "Владимиров", "Юрьев", "Олегов", "Павлов", "Петров"]
POSTS = ["Инженер", "Технолог", "Бухгалтер", "Главный бухгалтер", "Водитель-экспедитор",
         "Начальник отдела", "Менеджер по продажам", "Референт", "Кладовщик", "Слесарь",
         "Инспектор по кадрам", "Экономист", "Юрисконсульт", "Программист", "Оператор ЭВМ"]
DEPARTMENTS = ["Производство", "Склад", "Бухгалтерия", "Отдел продаж", "Приёмная",
               "Отдел кадров", "Транспортный цех", "Плановый отдел", "Юридический отдел",
               "Отдел снабжения", "Вычислительный центр", "Ремонтная служба"]


def personnel_number(rng):
    digits = rng.randint(1, 9)
    return "".join(rng.choice("123456789") for _ in range(digits))


def full_name(rng):
    surname = rng.choice(SURNAMES)
    patronymic = rng.choice(PATRONYMICS)
    if rng.random() < 0.5:
        return "%s %s %sич" % (surname, rng.choice(MALE_NAMES), patronymic)
    surname = FEMININE.get(surname, surname + "а")
    return "%s %s %sна" % (surname, rng.choice(FEMALE_NAMES), patronymic)


def phone(rng):
    return "%d-%02d-%02d" % (rng.randint(2, 9), rng.randint(0, 99), rng.randint(0, 99))


def main():
    args = [arg for arg in sys.argv[1:] if arg != "--quoted"]
    if len(args) not in (2, 3):
        sys.exit(__doc__)
    text = '"%s"' if "--quoted" in sys.argv[1:] else "%s"
    line = ";".join(["%s", text, text, text, text]) + "\r\n"
    records = int(args[0])
    rng = random.Random(int(args[2]) if len(args) == 3 else 2004)
    with open(args[1], "w", encoding="cp1251", newline="") as out:
        out.write(line % ("Таб.номер", "ФИО", "Должность", "Отдел", "Телефон"))
        lines = []
        for _ in range(records):
            lines.append(line % (personnel_number(rng), full_name(rng), rng.choice(POSTS),
                                 rng.choice(DEPARTMENTS), phone(rng)))
            if len(lines) == 10000:
                out.write("".join(lines))
                lines.clear()
        out.write("".join(lines))


if __name__ == "__main__":
    main()
