#!/usr/bin/env python3
"""Writes a staff list as a spreadsheet exports it: a line of names, then RECORDS lines of five
fields separated by ";", CR LF line ends, Windows-1251 text. The same seed gives the same file.

Fields: personnel number (digits 1 to 9 only, 1 to 9 of them, so the field stays numeric and
its values need every number size from 1 to 4 bytes), full name, post, department and phone.

Usage: make_input.py RECORDS OUT [SEED]
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
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    records = int(sys.argv[1])
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) == 4 else 2004)
    with open(sys.argv[2], "w", encoding="cp1251", newline="") as out:
        out.write("Таб.номер;ФИО;Должность;Отдел;Телефон\r\n")
        lines = []
        for _ in range(records):
            lines.append("%s;%s;%s;%s;%s\r\n" % (personnel_number(rng), full_name(rng),
                                                 rng.choice(POSTS), rng.choice(DEPARTMENTS),
                                                 phone(rng)))
            if len(lines) == 10000:
                out.write("".join(lines))
                lines.clear()
        out.write("".join(lines))


if __name__ == "__main__":
    main()
