// Runs the bwick binary on files made here and checks its exit status and output.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "builder/convert/test/test_support.h"
#include "cli/test/bwick_runner.h"
#include "common/codepage.h"
#include "common/test/cp1251.h"

namespace {

using builder::testing::Exists;
using builder::testing::FieldLines;
using builder::testing::ReadBytes;
using builder::testing::ScratchDir;
using builder::testing::SourceFile;
using builder::testing::WriteBytes;

using cli_testing::BwickTest;
using cli_testing::RunResult;
using testing_support::Cp;

TEST_F(BwickTest, HelpVersionAndUsageErrors) {
  EXPECT_EQ(Bwick("--help").status, 0);
  EXPECT_NE(Bwick("--help").out.find("bwick build ВХОД"), std::string::npos);
  EXPECT_EQ(Bwick("--version").status, 0);
  for (const std::string asked : {"build --help", "build -h", "build a.fsr --name N --help",
                                  "check a.db -h", "dump --colour red -h", "import x --version"}) {
    const RunResult help = Bwick(asked);
    EXPECT_EQ(help.status, 0) << asked;
    EXPECT_TRUE(help.out.rfind("Использование: bwick ", 0) == 0 ||
                help.out.rfind("bwick 0.", 0) == 0)
        << asked << ": " << help.out;
    EXPECT_EQ(help.err, "") << asked;
  }
  const RunResult wrong = Bwick("build a.csv --colour red");
  EXPECT_EQ(wrong.err,
            "bwick build: неизвестный параметр --colour\nПодробнее: bwick build --help\n");
  EXPECT_EQ(Bwick("").status, 2);
  EXPECT_EQ(Bwick("frobnicate").status, 2);
  EXPECT_EQ(Bwick("build").status, 2);
  EXPECT_EQ(Bwick("build a.csv --colour red").status, 2);
  EXPECT_EQ(Bwick("build a.csv --splitter ab").status, 2);
  EXPECT_EQ(Bwick("build a.csv --digits 10").status, 2);
  EXPECT_EQ(Bwick("build a.csv --name '" + std::string(23, 'n') + "'").status, 2);
  EXPECT_NE(Bwick("build a.csv --name 'Книга 中'").err.find("нет символа 7 («中»)"),
            std::string::npos)
      << "positions count characters";
  EXPECT_EQ(Bwick("check").status, 2);
  EXPECT_EQ(Bwick("check a.csv b.csv").status, 2);
  EXPECT_EQ(Bwick("check a.csv --name N").status, 2);  // a check writes no phone book
  EXPECT_EQ(Bwick("check a.csv --splitter ab").status, 2);
  EXPECT_EQ(Bwick("check a.db").status, 2);
  // Options the input's kind does not use are refused, not ignored.
  for (const std::string ignored :
       {"build a.fsr --name N", "build a.fsr --digits 3", "build a.db --splitter ,",
        "build a.db --encoding utf-8", "build a.db --keep-db", "build a.csv --name N --force",
        "check a.fsr --digits 3", "check a.zdb", "check a.FDB"}) {
    WriteBytes(dir_.File("a.fsr"), SourceFile({{"A"}}, "x\r\n"));
    EXPECT_EQ(Bwick(ignored + " 2>&1").status, 2) << ignored;
  }
}

TEST_F(BwickTest, OutputThatCannotBeWrittenIsAFailure) {
  if (!Exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  const RunResult help = Bwick("--help", "/dev/full");
  EXPECT_EQ(help.status, 4);
  EXPECT_EQ(help.err, "bwick: ошибка записи в стандартный вывод: нет места на диске\n");

  // The file is complete when only the line naming it cannot be written: a warning.
  WriteBytes(dir_.File("list.csv"), "555;a;b;c;d\r\n");
  const RunResult build = Bwick("build " + Quoted("list.csv") + " --name N", "/dev/full");
  EXPECT_EQ(build.status, 0);
  EXPECT_NE(build.err.find("bwick build: предупреждение: результат не записан"), std::string::npos)
      << build.err;
  EXPECT_EQ(Bwick("dump " + Quoted("list.fdb"), "/dev/full").status, 4);
}

TEST_F(BwickTest, BuildThenDumpRoundTrip) {
  WriteBytes(dir_.File("book.fsr"),
             SourceFile({{Cp("Фамилия")}, {.name = "Sum", .type = 2, .size = 2}},
                        Cp("Иванов;300\r\nPetrov;-1\r\n"), 13, ';', Cp("Книга")));
  const RunResult build = Bwick("build " + Quoted("book.fsr") + " --progress");
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.out, "Записан файл " + dir_.File("book.fdb") + "\n");
  // Texts that follow within a tenth of a second are passed over, but never the last.
  EXPECT_EQ(build.err.rfind("Преобразовано: 2\n", 0), 0u) << build.err;
  EXPECT_EQ(build.err.substr(build.err.size() - 14), "\nГотово\n") << build.err;
  EXPECT_FALSE(Exists(dir_.File("book.db")));

  const RunResult dump = Bwick("dump " + Quoted("book.fdb"));
  ASSERT_EQ(dump.status, 0) << dump.err;
  EXPECT_NE(dump.out.find("название: Книга\n"), std::string::npos) << dump.out;
  EXPECT_NE(dump.out.find("поле 1: название=Фамилия тип=текст"), std::string::npos) << dump.out;
  // A number of 1 to 3 bytes reads as unsigned, as the import sizes them.
  EXPECT_NE(dump.out.find("запись 1: Иванов | 300\nзапись 2: Petrov | 65535\nконец: записей 2\n"),
            std::string::npos)
      << dump.out;
}

TEST_F(BwickTest, PhoneListWithUtf8OptionsAndKeptIntermediate) {
  WriteBytes(dir_.File("staff.csv"), Cp("555|иван|b|c|d\r\n"));
  const RunResult build = Bwick("build " + Quoted("staff.csv") +
                                " --name 'Сотрудники' --splitter '|' --digits 3 --keep-db");
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(ReadBytes(dir_.File("staff.db")).substr(6, 11),
            "\xD1\xEE\xF2\xF0\xF3\xE4\xED\xE8\xEA\xE8" + std::string(1, '\0'));
  for (const char* file : {"staff.db", "staff.fdb"}) {
    const RunResult dump = Bwick("dump " + Quoted(file));
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("запись 1: ИВАН | B | C | D"), std::string::npos) << dump.out;
  }
}

TEST_F(BwickTest, BuildFailuresAndTheirExitCodes) {
  EXPECT_EQ(Bwick("build " + Quoted("missing.csv") + " --name N").status, 3);
  // A folder opens like a file but cannot be read: unreadable input for every command.
  std::filesystem::create_directory(dir_.File("folder.fsr"));
  for (const std::string command : {"build", "check", "dump"}) {
    const RunResult folder = Bwick(command + " " + Quoted("folder.fsr"));
    EXPECT_EQ(folder.status, 3) << command << ": " << folder.err;
  }

  WriteBytes(dir_.File("list.csv"), "555;a;b;c;d\r\n");
  const RunResult no_name = Bwick("build " + Quoted("list.csv"));
  EXPECT_EQ(no_name.status, 2);
  EXPECT_EQ(no_name.err, "bwick build: " + dir_.File("list.csv") +
                             ": Не указано название создаваемого справочника!\n");

  // The converter's own message says what failed; the general one would only repeat it.
  const RunResult bad_data = Bwick("build " + Quoted("list.csv") + " --name N --digits 4");
  EXPECT_EQ(bad_data.status, 5);
  EXPECT_EQ(bad_data.err,
            "bwick build: " + dir_.File("list.csv") +
                ": строка 1: Запись - 1, телефон-555, число знаков в номере телефона - 3, не "
                "соответствует заданному - 4\n");
  EXPECT_FALSE(Exists(dir_.File("list.fdb")));
}

TEST_F(BwickTest, CheckListsEveryFaultyLine) {
  WriteBytes(
      dir_.File("book.fsr"),
      SourceFile({{"A"}, {"B"}}, "a;b\r\nonly\r\nc;d\r\n" + std::string(600, 'x') + ";y\r\n"));
  const RunResult faulty = Bwick("check " + Quoted("book.fsr"));
  EXPECT_EQ(faulty.status, 5);
  const std::string prefix = "bwick check: " + dir_.File("book.fsr") + ": ";
  EXPECT_NE(
      faulty.out.find(prefix +
                      "строка 61: Запись - 2, неверное число разделителей - 0, должно быть - 1\n" +
                      prefix + "only\n"),
      std::string::npos)
      << faulty.out;
  // A line longer than 510 bytes comes in pieces; its first piece's fault stands for the line.
  EXPECT_NE(faulty.out.find("строка 63: Запись - 4, неверное число разделителей - 0"),
            std::string::npos);
  EXPECT_EQ(faulty.out.find("Запись - 5"), std::string::npos) << faulty.out;
  EXPECT_EQ(faulty.err, prefix + "проверено записей: 4, ошибочных: 2\n");

  WriteBytes(dir_.File("ok.csv"), "55;a;b;c;d\r\n56;e;f;g;h\r\n");
  EXPECT_EQ(Bwick("check " + Quoted("ok.csv") + " --digits 2").status, 0);
  const RunResult phone = Bwick("check " + Quoted("ok.csv") + " --digits 3");
  EXPECT_EQ(phone.status, 5);
  EXPECT_NE(phone.out.find("Запись - 2, телефон-56"), std::string::npos) << phone.out;
  EXPECT_EQ(Bwick("check " + Quoted("missing.fsr")).status, 3);
}

TEST_F(BwickTest, DumpNamesTheOffsetOfAFault) {
  WriteBytes(dir_.File("list.csv"), "555;a;b;c;d\r\n");
  ASSERT_EQ(Bwick("build " + Quoted("list.csv") + " --name N --digits 3 --keep-db").status, 0);
  const std::string db = ReadBytes(dir_.File("list.db"));
  struct Case {
    const char* what;
    std::string bytes;
    std::string message;
  };
  const Case cases[] = {
      {"cut inside a record", db.substr(0, 33), "смещение 33: данные обрываются в записи 1"},
      {"bytes after the end", db + "x", "смещение 40: после конечной метки есть ещё байты"},
      {"no end marker", db.substr(0, 38) + "xx",
       "смещение 38: после последней записи нет конечной метки FF FF"},
      {"length byte too small", db.substr(0, 29) + "\x05" + db.substr(30),
       "смещение 29: запись 1: значение 3 выходит за длину записи"},
      {"unfinished table database", "Brindlewick Source\r\n" + std::string(100, '\0'),
       "смещение 0: нет метки BRWK"},
      {"unknown", "hello world", "смещение 0: это не табличная база"},
  };
  for (const Case& c : cases) {
    WriteBytes(dir_.File("bad.db"), c.bytes);
    const RunResult dump = Bwick("dump " + Quoted("bad.db"));
    EXPECT_EQ(dump.status, 3) << c.what;
    EXPECT_NE(dump.err.find(c.message), std::string::npos) << c.what << ": " << dump.err;
  }

  WriteBytes(dir_.File("book.fsr"),
             SourceFile({{"Name"}, {.name = "Sum", .type = 2, .size = 2}}, "a;1\r\n"));
  ASSERT_EQ(Bwick("build " + Quoted("book.fsr") + " --keep-db").status, 0);
  std::string table = ReadBytes(dir_.File("book.db"));
  for (const int size : {0, 5}) {
    table[64 + 28 + 18] = static_cast<char>(size);  // field 2's numeric size
    WriteBytes(dir_.File("bad.db"), table);
    const RunResult dump = Bwick("dump " + Quoted("bad.db"));
    EXPECT_EQ(dump.status, 3) << size;
    EXPECT_NE(dump.err.find("смещение 110: у поля 2 размер числа " + std::to_string(size)),
              std::string::npos)
        << dump.err;
  }

  std::string packed = ReadBytes(dir_.File("list.fdb"));
  packed[packed.size() - 6] ^= 0x55;  // the CRC no longer matches
  WriteBytes(dir_.File("bad.fdb"), packed);
  const RunResult broken = Bwick("dump " + Quoted("bad.fdb"));
  EXPECT_EQ(broken.status, 3);
  EXPECT_NE(broken.err.find("распакованных данных"), std::string::npos) << broken.err;
  EXPECT_EQ(Bwick("dump " + Quoted("missing.fdb")).status, 3);
}

TEST_F(BwickTest, FindPrintsMatchesAsDumpDoesWithGrepsExitStatus) {
  WriteBytes(dir_.File("book.fsr"), SourceFile({{.name = Cp("Фамилия"), .flags = 8},
                                                {.name = "No", .type = 2, .flags = 1, .size = 2}},
                                               Cp("Иванов;300\r\nПетров;30\r\nиваненко;7\r\n")));
  ASSERT_EQ(Bwick("build " + Quoted("book.fsr")).status, 0);
  const std::string book = Quoted("book.fdb") + " ";
  const std::string found = "bwick find: " + dir_.File("book.fdb") + ": найдено записей: ";
  struct Case {
    std::string args;
    int status;
    std::string out;
    std::string err;  // the start of standard error
  };
  const Case cases[] = {
      {"'Фамилия=ИВАН'", 0, "запись 1: Иванов | 300\nзапись 3: иваненко | 7\n", found + "2\n"},
      {"2=30 1=", 0, "запись 1: Иванов | 300\nзапись 2: Петров | 30\n", found + "2\n"},
      {"--limit 1", 0, "запись 1: Иванов | 300\n", found + "3, показано: 1\n"},
      {"'Фамилия=Сидоров'", 1, "", found + "0\n"},
      {"2=3a", 2, "",
       "bwick find: " + dir_.File("book.fdb") + ": «2=3a»: поле принимает только цифры"},
      {"Name=x", 2, "",
       "bwick find: " + dir_.File("book.fdb") + ": «Name=x»: в справочнике нет такого поля"},
      {"3=x", 2, "",
       "bwick find: " + dir_.File("book.fdb") + ": «3=x»: в справочнике нет такого поля"},
      {"Name", 2, "",
       "bwick find: " + dir_.File("book.fdb") +
           ": «Name»: в табличном справочнике ищут по полям, ПОЛЕ=ТЕКСТ; поля запроса: Фамилия"},
      {"=x", 2, "", "bwick find: «=x» - не ПОЛЕ=ТЕКСТ"},
      {"--limit -1", 2, "", "bwick find: --limit: число записей"},
  };
  for (const Case& c : cases) {
    const RunResult find = Bwick("find " + book + c.args);
    EXPECT_EQ(find.status, c.status) << c.args << ": " << find.err;
    EXPECT_EQ(find.out, c.out) << c.args;
    EXPECT_EQ(find.err.substr(0, c.err.size()), c.err) << c.args;
  }
  EXPECT_EQ(Bwick("find").status, 2);
  EXPECT_EQ(Bwick("find " + Quoted("missing.fdb")).status, 3);
  WriteBytes(dir_.File("cut.fdb"), ReadBytes(dir_.File("book.fdb")).substr(0, 40));
  EXPECT_EQ(Bwick("find " + Quoted("cut.fdb")).status, 3);
}

TEST_F(BwickTest, EveryFileImportWritesPassesTheCheck) {
  // The longest name whose header line the builder reads whole, the longest field names, and
  // data lines just at and just over the length that is cut.
  const std::string names = std::string(20, 'n') + ";" + std::string(16, 'm') + ";id\r\n";
  const std::string data =
      "a;b;" + std::string(246, 'x') + "\r\nc;d;" + std::string(247, 'y') + "\r\n";
  for (const char splitter : {';', '\t'}) {
    std::string csv = names + data;
    std::replace(csv.begin(), csv.end(), ';', splitter);
    WriteBytes(dir_.File("edge.csv"), csv);
    const std::string splitter_option = splitter == ';' ? "';'" : "\"$(printf '\\t')\"";
    const RunResult import =
        Bwick("import " + Quoted("edge.csv") + " --header --force --splitter " + splitter_option +
              " --name " + std::string(238, 'N'));
    ASSERT_EQ(import.status, 0) << import.err;
    const RunResult check = Bwick("check " + Quoted("edge.fsr"));
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    EXPECT_NE(check.err.find("проверено записей: 2, ошибочных: 0"), std::string::npos) << check.err;
    EXPECT_EQ(Bwick("build " + Quoted("edge.fsr")).status, 0);
  }

  const RunResult longer =
      Bwick("import " + Quoted("edge.csv") + " --force --name " + std::string(239, 'N'));
  EXPECT_EQ(longer.status, 5);
  EXPECT_NE(longer.err.find("Название справочника длиннее 238 символов"), std::string::npos)
      << longer.err;
}

TEST_F(BwickTest, Utf8InputsGiveTheBytesOfTheirWindows1251Twins) {
  const std::string list = Cp("555;Иван Пётрович;отдел №5;b;c\r\n");
  const std::string book = SourceFile({{Cp("Фамилия")}, {.name = "Sum", .type = 2, .size = 2}},
                                      Cp("Ёлкин;300\r\nЩукин;-1\r\n"), 13, ';', Cp("Книга"));
  for (const auto& [name, cp1251] : {std::pair{"list.csv", list}, std::pair{"book.fsr", book}}) {
    const std::string options = name == std::string("list.csv") ? " --name N" : "";
    const std::string packed = dir_.File(name).substr(0, dir_.File(name).size() - 3) + "fdb";
    std::vector<std::string> results;
    for (const std::string& text : {cp1251, codepage::Cp1251ToUtf8(cp1251),
                                    "\xEF\xBB\xBF" + codepage::Cp1251ToUtf8(cp1251)}) {
      WriteBytes(dir_.File(name), text);
      EXPECT_EQ(Bwick("check " + Quoted(name) + " --quiet").status, 0) << name;
      const RunResult build = Bwick("build " + Quoted(name) + options);
      EXPECT_EQ(build.status, 0) << build.err;
      results.push_back(ReadBytes(packed));
    }
    EXPECT_TRUE(results[1] == results[0] && results[2] == results[0]) << name;
    WriteBytes(dir_.File(name), codepage::Cp1251ToUtf8(cp1251));
    ASSERT_EQ(Bwick("build " + Quoted(name) + options + " --encoding cp1251").status, 0);
    EXPECT_FALSE(ReadBytes(packed) == results[0]) << "taken as Windows-1251, the bytes change";
  }

  WriteBytes(dir_.File("list.csv"), "555;Иван;a;b;c\r\n556;中;a;b;c\r\n");
  const RunResult foreign = Bwick("build " + Quoted("list.csv") + " --name N");
  EXPECT_EQ(foreign.status, 5);
  EXPECT_NE(foreign.err.find("строка 2 содержит символ U+4E2D «中», которого нет в кодировке "
                             "Windows-1251"),
            std::string::npos)
      << foreign.err;
}

TEST_F(BwickTest, DigitsComeFromTheFirstLineWhenNotGiven) {
  WriteBytes(dir_.File("list.csv"), "1234;a;b;c;d\r\n5678;e;f;g;h\r\n");
  const RunResult build = Bwick("build " + Quoted("list.csv") + " --name N");
  EXPECT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.err, "bwick build: " + dir_.File("list.csv") +
                           ": число цифр в номере телефона взято из первой строки: 4 (задаётся "
                           "параметром --digits)\n");
  EXPECT_EQ(ReadBytes(dir_.File("list.fdb")).empty(), false);
  const RunResult quiet = Bwick("build " + Quoted("list.csv") + " --name N --quiet");
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.out + quiet.err, "");
}

TEST_F(BwickTest, ADashIsStandardInputOrOutput) {
  WriteBytes(dir_.File("list.csv"), "555;a;b;c;d\r\n");
  ASSERT_EQ(Bwick("build " + Quoted("list.csv") + " --name N").status, 0);
  const RunResult piped = Bwick("dump -", "", "cat " + Quoted("list.fdb"));
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, Bwick("dump " + Quoted("list.fdb")).out);
  EXPECT_EQ(Bwick("dump /dev/stdin", "", "cat " + Quoted("list.fdb")).out, piped.out);

  EXPECT_EQ(Bwick("dump " + Quoted("list.fdb") + " -o " + Quoted("dump.txt")).status, 0);
  EXPECT_EQ(ReadBytes(dir_.File("dump.txt")), piped.out);
  EXPECT_EQ(Bwick("dump " + Quoted("list.fdb") + " -o " + Quoted("dump.txt")).status, 5);
  EXPECT_EQ(Bwick("dump " + Quoted("list.fdb") + " -o " + Quoted("dump.txt") + " --force").status,
            0);

  EXPECT_EQ(Bwick("check - --digits 3", "", "cat " + Quoted("list.csv")).status, 0);
  WriteBytes(dir_.File("book.fsr"), SourceFile({{"A"}, {"B"}}, "a;b\r\nc\r\n"));
  const RunResult book = Bwick("check - < " + Quoted("book.fsr"));
  EXPECT_EQ(book.status, 5);
  EXPECT_NE(book.out.find("bwick check: -: строка 61: Запись - 2, неверное число разделителей"),
            std::string::npos)
      << book.out;

  WriteBytes(dir_.File("staff.csv"), "1;x\r\n2;y\r\n");
  const RunResult imported = Bwick("import " + Quoted("staff.csv") + " --name N -o -");
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.out.rfind("; Brindle", 0), 0u) << imported.out;
  EXPECT_NE(imported.out.find("\r\n1;x\r\n2;y\r\n"), std::string::npos);
  EXPECT_FALSE(Exists(dir_.File("staff.fsr")));
}

TEST_F(BwickTest, CheckShowsControlBytesAndCountsEachFaultyLineOnce) {
  // The first line fails two checks; it is one faulty line of two.
  WriteBytes(dir_.File("list.csv"), "\"555\";a\x1A;b;c\r\n555;a;b;c;d\r\n");
  const RunResult check = Bwick("check " + Quoted("list.csv") + " --digits 3");
  EXPECT_EQ(check.status, 5);
  const std::string prefix = "bwick check: " + dir_.File("list.csv") + ": ";
  EXPECT_EQ(check.out,
            prefix +
                "строка 1: Неправильные исходные данные, номер телефона должен начинаться с "
                "цифры,\n" +
                prefix + "возможно вы используете ограничитель текста - \"\n");
  EXPECT_EQ(check.err, prefix + "проверено записей: 2, ошибочных: 1\n");

  WriteBytes(dir_.File("list.csv"), "555;a\x1A;b;c\r\n");
  EXPECT_NE(Bwick("check " + Quoted("list.csv")).out.find(prefix + "555;a\\x1A;b;c\n"),
            std::string::npos);
}

TEST_F(BwickTest, FilesThatAreNotTextAreRefused) {
  WriteBytes(dir_.File("photo.csv"), std::string("555;a;b;c;d\r\n\xFF\xD8\0\x10", 17));
  WriteBytes(dir_.File("scan.fsr"), std::string("\0\0BRWK", 6));
  for (const auto& [command, file, options] : {std::tuple{"import", "photo.csv", " --name N"},
                                               {"build", "photo.csv", " --name N"},
                                               {"check", "photo.csv", ""},
                                               {"build", "scan.fsr", ""},
                                               {"check", "scan.fsr", ""}}) {
    const RunResult refused = Bwick(std::string(command) + " " + Quoted(file) + options);
    EXPECT_EQ(refused.status, 5) << command << " " << file;
    EXPECT_NE(refused.err.find("не является текстовым файлом"), std::string::npos)
        << command << " " << file << ": " << refused.err;
  }
  EXPECT_FALSE(Exists(dir_.File("photo.fdb")) || Exists(dir_.File("scan.fdb")));

  WriteBytes(dir_.File("empty.csv"), "");
  EXPECT_NE(Bwick("import " + Quoted("empty.csv") + " --name N")
                .err.find("не является текстовым файлом: файл пуст"),
            std::string::npos);
  EXPECT_NE(Bwick("build " + Quoted("empty.csv") + " --name N")
                .err.find("Ошибка чтение исходного файла данных"),
            std::string::npos);
}

// `cp1251` text as UTF-16 behind its byte-order mark, little- or big-endian.
std::string Utf16WithMark(const std::string& cp1251, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  const std::string utf8 = codepage::Cp1251ToUtf8(cp1251);
  for (std::size_t at = 0; at < utf8.size();) {
    // Every character here is of the Basic Multilingual Plane: one to three bytes of UTF-8.
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
    char32_t unit = length == 1 ? lead : lead & (length == 2 ? 0x1F : 0x0F);
    for (std::size_t i = 1; i < length; ++i) unit = (unit << 6) | (utf8[at + i] & 0x3F);
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
    at += length;
  }
  return bytes;
}

TEST_F(BwickTest, Utf16InputsGiveTheBytesOfTheirWindows1251Twins) {
  const std::string list = Cp("555;Иван Пётрович;отдел №5;b;c\r\n");
  const std::string book = SourceFile({{Cp("Фамилия")}, {.name = "Sum", .type = 2, .size = 2}},
                                      Cp("Ёлкин;300\r\nЩукин;-1\r\n"), 13, ';', Cp("Книга"));
  for (const auto& [name, cp1251] : {std::pair{"list.csv", list}, std::pair{"book.fsr", book}}) {
    const std::string options = name == std::string("list.csv") ? " --name N" : "";
    const std::string packed = dir_.File(name).substr(0, dir_.File(name).size() - 3) + "fdb";
    WriteBytes(dir_.File(name), cp1251);
    ASSERT_EQ(Bwick("build " + Quoted(name) + options).status, 0) << name;
    const std::string twin = ReadBytes(packed);
    for (const bool big_endian : {false, true}) {
      WriteBytes(dir_.File(name), Utf16WithMark(cp1251, big_endian));
      EXPECT_EQ(Bwick("check " + Quoted(name) + " --quiet").status, 0) << name;
      const RunResult build = Bwick("build " + Quoted(name) + options);
      EXPECT_EQ(build.status, 0) << build.err;
      EXPECT_TRUE(ReadBytes(packed) == twin) << name << (big_endian ? " big-endian" : "");
    }
  }
  // Without its mark UTF-16 is no text, unless it is named.
  WriteBytes(dir_.File("list.csv"), Utf16WithMark(list, false).substr(2));
  EXPECT_NE(Bwick("build " + Quoted("list.csv") + " --name N").err.find("не является текстовым"),
            std::string::npos);
  EXPECT_EQ(Bwick("build " + Quoted("list.csv") + " --name N --encoding utf-16").status, 0);
}

TEST_F(BwickTest, QuotedValuesReachTheBookWhole) {
  // As Excel ru-RU writes it: a value quoted when it holds ";", a quote or a line break.
  WriteBytes(dir_.File("firms.csv"), Cp("Организация;Адрес;Телефон\r\n"
                                        "\"ООО \"\"Ромашка\"\"\";\"ул. Ленина; д. 1\";123\r\n"
                                        "ЗАО Лес;\"ул. Садовая,\nд. 7\";89\r\n"));
  const RunResult import =
      Bwick("import " + Quoted("firms.csv") + " --name Фирмы --header --quote '\"'");
  ASSERT_EQ(import.status, 0) << import.err;
  EXPECT_NE(import.err.find("строка 3: перевод строки внутри значения станет пробелом"),
            std::string::npos)
      << import.err;
  ASSERT_EQ(Bwick("build " + Quoted("firms.fsr")).status, 0);
  const RunResult dump = Bwick("dump " + Quoted("firms.fdb"));
  EXPECT_NE(dump.out.find("запись 1: ООО \"Ромашка\" | ул. Ленина; д. 1 | 123\n"),
            std::string::npos)
      << dump.out;
  EXPECT_NE(dump.out.find("запись 2: ЗАО Лес | ул. Садовая, д. 7 | 89\n"), std::string::npos)
      << dump.out;
  EXPECT_NE(dump.out.find("конец: записей 2"), std::string::npos) << dump.out;
}

// Starts bwick with `args`, reads its standard error until `marker` shows, ends it with SIGTERM
// and returns how it ended.
int TerminateWhenShown(const std::vector<std::string>& args, const std::string& marker) {
  int output[2];
  if (pipe(output) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    dup2(output[1], STDERR_FILENO);
    close(output[0]);
    close(output[1]);
    std::vector<char*> argv = {const_cast<char*>(BWICK_BINARY)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(BWICK_BINARY, argv.data());
    _exit(127);
  }
  close(output[1]);
  std::string shown;
  char block[4096];
  ssize_t got = 0;
  while (shown.find(marker) == std::string::npos &&
         (got = read(output[0], block, sizeof block)) > 0)
    shown.append(block, static_cast<std::size_t>(got));
  kill(child, SIGTERM);
  int status = 0;
  waitpid(child, &status, 0);
  close(output[0]);
  return status;
}

TEST_F(BwickTest, ASignalInTheMiddleOfABuildLeavesEveryFileAsItWas) {
  std::string data;
  for (int i = 0; i < 1000000; ++i) data += "Ivanov Petr;" + std::to_string(100000 + i) + "\r\n";
  WriteBytes(dir_.File("big.fsr"),
             SourceFile({{"Name"}, {.name = "Number", .type = 2, .size = 4}}, data));
  data.clear();
  WriteBytes(dir_.File("big.fdb"), "the packed file of an earlier build");
  WriteBytes(dir_.File("big.db"), "a file of the user's");
  for (const std::string marker : {"Преобразуется: ", "Упаковка: "}) {
    SCOPED_TRACE(marker);
    const int status = TerminateWhenShown({"build", dir_.File("big.fsr"), "--progress"}, marker);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the build ended before the signal came";
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_TRUE(ReadBytes(dir_.File("big.fdb")) == "the packed file of an earlier build");
    EXPECT_TRUE(ReadBytes(dir_.File("big.db")) == "a file of the user's");
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
      files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"big.db", "big.fdb", "big.fsr"}));
  }
}

// A book refreshed from a new table keeps the design of its source file: the new table's columns
// found by name (an extra one left out, with a warning), the book built with no source file left
// behind, or the source file written where bwick import writes it.
TEST_F(BwickTest, ADesignKeptAcrossANewTable) {
  WriteBytes(dir_.File("old.fsr"),
             SourceFile({{.name = Cp("Фамилия"), .flags = 12, .query = 2, .edit = 99},
                         {.name = Cp("Табель"), .type = 2, .size = 1, .query = 1}},
                        Cp("Иванов;12\r\n"), 13, ';', Cp("Сотрудники")));
  WriteBytes(dir_.File("new.csv"), Cp("Табель,Телефон,Фамилия\r\n300,555,Петров\r\n"));
  const RunResult build = Bwick("build " + Quoted("new.csv") + " --splitter , --header --design " +
                                Quoted("old.fsr") + " -o " + Quoted("book.fdb"));
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_NE(build.err.find("не войдут: «Телефон»"), std::string::npos) << build.err;
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
    files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files,
            (std::vector<std::string>{"book.fdb", "new.csv", "old.fsr", "stderr", "stdout"}));
  const RunResult dump = Bwick("dump " + Quoted("book.fdb"));
  EXPECT_NE(dump.out.find("название: Сотрудники\n"), std::string::npos) << dump.out;
  EXPECT_NE(dump.out.find("поле 1: название=Фамилия тип=текст(1) флаги=12 размер=0 запрос=2 "
                          "результат=1 карточка=0 ввод=99"),
            std::string::npos)
      << dump.out;
  EXPECT_NE(dump.out.find("размер=2"), std::string::npos) << dump.out;  // 300 takes two bytes
  EXPECT_NE(dump.out.find("запись 1: Петров | 300\n"), std::string::npos) << dump.out;

  const RunResult import =
      Bwick("import " + Quoted("new.csv") + " --splitter , --header --design " + Quoted("old.fsr"));
  ASSERT_EQ(import.status, 0) << import.err;
  EXPECT_NE(ReadBytes(dir_.File("new.fsr")).find(Cp("\r\nПетров,300\r\n")), std::string::npos);
}

}  // namespace
