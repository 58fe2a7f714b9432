// Runs the bwick binary on files made here and checks its exit status and output.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "builder/convert/test_support.h"
#include "common/codepage.h"

namespace {

using builder::testing::Exists;
using builder::testing::FieldLines;
using builder::testing::ReadBytes;
using builder::testing::ScratchDir;
using builder::testing::SourceFile;
using builder::testing::WriteBytes;

std::string Cp1251(const std::string& utf8) { return codepage::Utf8ToCp1251(utf8).value(); }

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

class BwickTest : public ::testing::Test {
 protected:
  // Runs `bwick` with `args` (already quoted for the shell); its standard output goes to
  // `out_path` when one is given, and is then not read back.
  RunResult Bwick(const std::string& args, const std::string& out_path = "") {
    const std::string out = out_path.empty() ? dir_.File("stdout") : out_path;
    const std::string err = dir_.File("stderr");
    const std::string command =
        std::string("'") + BWICK_BINARY + "' " + args + " >'" + out + "' 2>'" + err + "'";
    RunResult run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    if (out_path.empty()) run.out = ReadBytes(out);
    run.err = ReadBytes(err);
    return run;
  }
  std::string Quoted(const std::string& name) { return "'" + dir_.File(name) + "'"; }

  ScratchDir dir_;
};

TEST_F(BwickTest, HelpVersionAndUsageErrors) {
  EXPECT_EQ(Bwick("--help").status, 0);
  EXPECT_NE(Bwick("--help").out.find("bwick build INPUT"), std::string::npos);
  EXPECT_EQ(Bwick("--version").status, 0);
  EXPECT_EQ(Bwick("build --help").status, 0);
  EXPECT_EQ(Bwick("").status, 2);
  EXPECT_EQ(Bwick("frobnicate").status, 2);
  EXPECT_EQ(Bwick("build").status, 2);
  EXPECT_EQ(Bwick("build a.csv --colour red").status, 2);
  EXPECT_EQ(Bwick("build a.csv --splitter ab").status, 2);
  EXPECT_EQ(Bwick("build a.csv --digits 10").status, 2);
  EXPECT_EQ(Bwick("build a.csv --name '" + std::string(23, 'n') + "'").status, 2);
  EXPECT_EQ(Bwick("check").status, 2);
  EXPECT_EQ(Bwick("check a.csv b.csv").status, 2);
  EXPECT_EQ(Bwick("check a.csv --name N").status, 2);  // a check writes no phone book
  EXPECT_EQ(Bwick("check a.csv --splitter ab").status, 2);
  EXPECT_EQ(Bwick("check a.db").status, 2);
}

TEST_F(BwickTest, OutputThatCannotBeWrittenIsAFailure) {
  if (!Exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  const RunResult help = Bwick("--help", "/dev/full");
  EXPECT_EQ(help.status, 1);
  EXPECT_EQ(help.err, "bwick: write error on standard output\n");

  WriteBytes(dir_.File("list.csv"), "555;a;b;c;d\r\n");
  ASSERT_EQ(Bwick("build " + Quoted("list.csv") + " --name N --digits 3").status, 0);
  EXPECT_EQ(Bwick("dump " + Quoted("list.fdb"), "/dev/full").status, 1);
}

TEST_F(BwickTest, BuildThenDumpRoundTrip) {
  WriteBytes(dir_.File("book.fsr"),
             SourceFile({{Cp1251("Фамилия")}, {.name = "Sum", .type = 2, .size = 2}},
                        Cp1251("Иванов;300\r\nPetrov;-1\r\n"), 13, ';', Cp1251("Книга")));
  const RunResult build = Bwick("build " + Quoted("book.fsr"));
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.out.substr(0, build.out.find("Упаковка: ")), "Преобразовано: 2\nСжатие\n");
  EXPECT_EQ(build.out.substr(build.out.size() - 14), "\nГотово\n");
  EXPECT_FALSE(Exists(dir_.File("book.db")));

  const RunResult dump = Bwick("dump " + Quoted("book.fdb"));
  ASSERT_EQ(dump.status, 0) << dump.err;
  EXPECT_NE(dump.out.find("name: Книга\n"), std::string::npos) << dump.out;
  EXPECT_NE(dump.out.find("field 1: name=Фамилия type=text"), std::string::npos) << dump.out;
  // A number of 1 to 3 bytes reads as unsigned, as the import sizes them.
  EXPECT_NE(dump.out.find("record 1: Иванов | 300\nrecord 2: Petrov | 65535\nend: 2 records\n"),
            std::string::npos)
      << dump.out;
}

TEST_F(BwickTest, PhoneListWithUtf8OptionsAndKeptIntermediate) {
  WriteBytes(dir_.File("staff.csv"), Cp1251("555|иван|b|c|d\r\n"));
  const RunResult build = Bwick("build " + Quoted("staff.csv") +
                                " --name 'Сотрудники' --splitter '|' --digits 3 --keep-db");
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(ReadBytes(dir_.File("staff.db")).substr(6, 11),
            "\xD1\xEE\xF2\xF0\xF3\xE4\xED\xE8\xEA\xE8" + std::string(1, '\0'));
  for (const char* file : {"staff.db", "staff.fdb"}) {
    const RunResult dump = Bwick("dump " + Quoted(file));
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("record 1: ИВАН | B | C | D"), std::string::npos) << dump.out;
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
  EXPECT_EQ(no_name.err, "Ошибка: Не указано название создаваемого справочника!\n");

  const RunResult bad_data = Bwick("build " + Quoted("list.csv") + " --name N --digits 4");
  EXPECT_EQ(bad_data.status, 1);
  EXPECT_EQ(bad_data.err,
            "Ошибка: Запись - 1, телефон-555, число знаков в номере телефона - 3, не "
            "соответствует заданному - 4\n"
            "Ошибка: Ошибка преобразования, проверте\nналичие входного файла и его формат!\n");
  EXPECT_FALSE(Exists(dir_.File("list.fdb")));
}

TEST_F(BwickTest, CheckListsEveryFaultyLine) {
  WriteBytes(
      dir_.File("book.fsr"),
      SourceFile({{"A"}, {"B"}}, "a;b\r\nonly\r\nc;d\r\n" + std::string(600, 'x') + ";y\r\n"));
  const RunResult faulty = Bwick("check " + Quoted("book.fsr"));
  EXPECT_EQ(faulty.status, 1);
  EXPECT_NE(faulty.out.find("Запись - 2, неверное число разделителей - 0, должно быть - 1\nonly\n"),
            std::string::npos)
      << faulty.out;
  // A line longer than 510 bytes comes in pieces: the first has no splitter, the rest converts.
  EXPECT_NE(faulty.out.find("Запись - 4, неверное число разделителей - 0"), std::string::npos);
  EXPECT_EQ(faulty.out.find("Запись - 5"), std::string::npos) << faulty.out;
  EXPECT_NE(faulty.err.find("2 faulty of 5 lines"), std::string::npos) << faulty.err;

  WriteBytes(dir_.File("ok.csv"), "55;a;b;c;d\r\n56;e;f;g;h\r\n");
  EXPECT_EQ(Bwick("check " + Quoted("ok.csv") + " --digits 2").status, 0);
  const RunResult phone = Bwick("check " + Quoted("ok.csv") + " --digits 3");
  EXPECT_EQ(phone.status, 1);
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
    EXPECT_EQ(dump.status, 1) << c.what;
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
    EXPECT_EQ(dump.status, 1) << size;
    EXPECT_NE(dump.err.find("смещение 110: у поля 2 размер числа " + std::to_string(size)),
              std::string::npos)
        << dump.err;
  }

  std::string packed = ReadBytes(dir_.File("list.fdb"));
  packed[packed.size() - 6] ^= 0x55;  // the CRC no longer matches
  WriteBytes(dir_.File("bad.fdb"), packed);
  const RunResult broken = Bwick("dump " + Quoted("bad.fdb"));
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("распакованных данных"), std::string::npos) << broken.err;
  EXPECT_EQ(Bwick("dump " + Quoted("missing.fdb")).status, 3);
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
    EXPECT_NE(check.err.find("0 faulty of 2 lines"), std::string::npos) << check.err;
    EXPECT_EQ(Bwick("build " + Quoted("edge.fsr")).status, 0);
  }

  const RunResult longer =
      Bwick("import " + Quoted("edge.csv") + " --force --name " + std::string(239, 'N'));
  EXPECT_EQ(longer.status, 1);
  EXPECT_NE(longer.err.find("Название справочника длиннее 238 символов"), std::string::npos)
      << longer.err;
}

// Starts bwick with `args`, reads its standard output until `marker` shows, ends it with SIGTERM
// and returns how it ended.
int TerminateWhenShown(const std::vector<std::string>& args, const std::string& marker) {
  int output[2];
  if (pipe(output) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    dup2(output[1], STDOUT_FILENO);
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
    const int status = TerminateWhenShown({"build", dir_.File("big.fsr")}, marker);
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

}  // namespace
