#!/usr/bin/env python3
"""Writes samples/staff.csv: the bundled sample, a staff phone list of a made-up company.

Windows-1251 text with CR LF line ends, a names line and 300 records of five fields split at
";": personnel number, full name, position, department, phone. The random generator is seeded,
so every run writes the same bytes.

Personnel numbers use the digits 1 to 9 only, so that CSV import takes the column as numeric.
"""

import pathlib
import random

RECORDS = 300
SEED = 20040413

MALE_SURNAMES = [
    "Иванов", "Петров", "Сидоров", "Смирнов", "Кузнецов", "Попов", "Васильев", "Соколов",
    "Михайлов", "Новиков", "Фёдоров", "Морозов", "Волков", "Алексеев", "Лебедев", "Семёнов",
    "Егоров", "Павлов", "Козлов", "Степанов", "Николаев", "Орлов", "Андреев", "Макаров",
    "Никитин", "Захаров", "Зайцев", "Соловьёв", "Борисов", "Яковлев", "Григорьев", "Романов",
    "Воробьёв", "Сергеев", "Кудрявцев", "Белов", "Тарасов", "Беляев", "Комаров", "Киселёв",
]
MALE_NAMES = [
    "Александр", "Алексей", "Андрей", "Борис", "Валерий", "Виктор", "Владимир", "Геннадий",
    "Дмитрий", "Евгений", "Игорь", "Константин", "Михаил", "Николай", "Олег", "Павел",
    "Роман", "Сергей", "Юрий", "Фёдор",
]
FEMALE_NAMES = [
    "Анна", "Валентина", "Галина", "Дарья", "Екатерина", "Елена", "Ирина", "Людмила",
    "Марина", "Мария", "Наталья", "Нина", "Ольга", "Светлана", "Татьяна", "Юлия",
]
# Fathers' names with the male and the female ending.
PATRONYMICS = [
    ("Александрович", "Александровна"), ("Алексеевич", "Алексеевна"),
    ("Андреевич", "Андреевна"), ("Борисович", "Борисовна"), ("Викторович", "Викторовна"),
    ("Владимирович", "Владимировна"), ("Дмитриевич", "Дмитриевна"),
    ("Евгеньевич", "Евгеньевна"), ("Игоревич", "Игоревна"), ("Михайлович", "Михайловна"),
    ("Николаевич", "Николаевна"), ("Олегович", "Олеговна"), ("Павлович", "Павловна"),
    ("Сергеевич", "Сергеевна"), ("Юрьевич", "Юрьевна"),
]
DEPARTMENTS = {
    "Бухгалтерия": ["Главный бухгалтер", "Бухгалтер", "Кассир"],
    "Отдел кадров": ["Начальник отдела", "Инспектор по кадрам"],
    "Отдел продаж": ["Начальник отдела", "Менеджер по продажам", "Торговый представитель"],
    "Склад": ["Заведующий складом", "Кладовщик", "Грузчик", "Водитель-экспедитор"],
    "Производство": ["Начальник цеха", "Мастер участка", "Технолог", "Оператор станка"],
    "Информационный отдел": ["Системный администратор", "Программист", "Инженер связи"],
    "Юридический отдел": ["Юрисконсульт", "Помощник юриста"],
    "Приёмная": ["Секретарь", "Референт"],
}
# The department's exchange prefix: phones of one department look alike.
EXCHANGE = {name: str(2 + i % 3) for i, name in enumerate(DEPARTMENTS)}


def female(surname):
    """The female form of a Russian surname ending in -ов, -ев, -ёв or -ин."""
    return surname + "а"


def record(rng, used_numbers):
    while True:
        number = "".join(rng.choice("123456789") for _ in range(4))
        if number not in used_numbers:
            used_numbers.add(number)
            break
    department = rng.choice(list(DEPARTMENTS))
    position = rng.choice(DEPARTMENTS[department])
    surname = rng.choice(MALE_SURNAMES)
    patronymic = rng.choice(PATRONYMICS)
    if rng.random() < 0.5:
        name = f"{surname} {rng.choice(MALE_NAMES)} {patronymic[0]}"
    else:
        name = f"{female(surname)} {rng.choice(FEMALE_NAMES)} {patronymic[1]}"
    phone = f"{EXCHANGE[department]}-{rng.randint(10, 99)}-{rng.randint(10, 99)}"
    return [number, name, position, department, phone]


def main():
    rng = random.Random(SEED)
    used_numbers = set()
    rows = [["Таб.номер", "ФИО", "Должность", "Отдел", "Телефон"]]
    rows += [record(rng, used_numbers) for _ in range(RECORDS)]
    lines = [";".join(row) for row in rows]
    assert all(len(line) < 120 for line in lines)
    target = pathlib.Path(__file__).with_name("staff.csv")
    target.write_bytes("".join(line + "\r\n" for line in lines).encode("cp1251"))


if __name__ == "__main__":
    main()
