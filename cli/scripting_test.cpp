// What a script relies on: the exit status of every command, files never replaced by their own
// output, pipes as inputs and outputs, and `bwick find` answering as the viewer does.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/test/bwick_runner.h"
#include "common/codepage.h"
#include "common/test/cp1251.h"
#include "viewer/search/book.h"
#include "viewer/search/search.h"

namespace {

using builder::testing::ReadBytes;
using builder::testing::SourceFile;
using builder::testing::WriteBytes;
using cli_testing::BwickTest;
using cli_testing::RunResult;
using testing_support::Cp;

class ScriptingTest : public BwickTest {
 protected:
  void SetUp() override {
    WriteBytes(dir_.File("list.csv"), "555;a;b;c;d\r\n556;e;f;g;h\r\n");
    ASSERT_EQ(Bwick("build " + Quoted("list.csv") + " --name N --quiet").status, 0);
    WriteBytes(dir_.File("cut.fdb"), ReadBytes(dir_.File("list.fdb")).substr(0, 30));
    WriteBytes(dir_.File("bad.csv"), "555;a;b\r\n");
    WriteBytes(dir_.File("kept.csv"), "the user's");
    WriteBytes(dir_.File("kept.fsr"), "the user's");
    // Names that lead to a device every write to fails.
    for (const char* name : {"full.fsr", "full.csv", "full_list.fdb"})
      std::filesystem::create_symlink("/dev/full", dir_.File(name));
    std::filesystem::copy_file(dir_.File("list.csv"), dir_.File("full_list.csv"));
  }
};

TEST_F(ScriptingTest, EveryCommandKeepsTheOneExitStatusTable) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  struct Case {
    std::string args;
    int status;
    std::string out = "";  // standard output goes here when given
  };
  const std::string list = Quoted("list.csv"), book = Quoted("list.fdb"), cut = Quoted("cut.fdb");
  const Case cases[] = {
      {"import " + list + " --name N -o " + Quoted("new.fsr"), 0},
      {"import " + list, 2},
      {"import " + Quoted("missing.csv") + " --name N", 3},
      {"import " + list + " --name N -o " + Quoted("full.fsr") + " --force", 4},
      {"import " + list + " --name N -o " + Quoted("kept.fsr"), 5},
      {"build " + list + " --name N", 0},
      {"build " + list, 2},
      {"build " + Quoted("missing.csv") + " --name N", 3},
      {"build " + Quoted("full_list.csv") + " --name N", 4},
      {"build " + Quoted("bad.csv") + " --name N", 5},
      {"build " + list + " --name N --keep-db", 0},
      {"build " + list + " --name N --keep-db", 5},  // the database kept before is there
      {"check " + list, 0},
      {"check " + book, 2},
      {"check " + Quoted("missing.csv"), 3},
      {"check " + Quoted("bad.csv"), 4, "/dev/full"},
      {"check " + Quoted("bad.csv"), 5},
      {"dump " + book, 0},
      {"dump " + book + " --format xml", 2},
      {"dump " + cut, 3},
      {"dump " + book, 4, "/dev/full"},
      {"dump " + book + " -o " + Quoted("kept.csv"), 5},
      {"export " + book + " -o " + Quoted("new.csv"), 0},
      {"export " + book + " -o " + Quoted("new.txt"), 2},
      {"export " + cut + " -o " + Quoted("new2.csv"), 3},
      {"export " + book + " -o " + Quoted("full.csv") + " --force", 4},
      {"export " + book + " -o " + Quoted("kept.csv"), 5},
      {"find " + book + " 1=A", 0},
      {"find " + book + " 1=Z", 1},
      {"find " + book + " 9=A", 2},
      {"find " + cut, 3},
      {"find " + book, 4, "/dev/full"},
  };
  for (const Case& c : cases) {
    const RunResult run = Bwick(c.args, c.out);
    EXPECT_EQ(run.status, c.status) << c.args << ": " << run.err;
  }
  EXPECT_EQ(ReadBytes(dir_.File("kept.csv")), "the user's");
  EXPECT_EQ(ReadBytes(dir_.File("kept.fsr")), "the user's");
}

TEST_F(ScriptingTest, NoCommandWritesOverItsOwnInputEvenWithForce) {
  const std::string before = ReadBytes(dir_.File("list.fdb"));
  std::filesystem::create_symlink(dir_.File("list.fdb"), dir_.File("soft.fdb"));
  ASSERT_EQ(link(dir_.File("list.fdb").c_str(), dir_.File("hard.fdb").c_str()), 0);
  for (const char* output : {"list.fdb", "soft.fdb", "hard.fdb"}) {
    const RunResult dump =
        Bwick("dump " + Quoted("list.fdb") + " -o " + Quoted(output) + " --force");
    EXPECT_EQ(dump.status, 2) << output;
    EXPECT_NE(dump.err.find("файл совпадает с входным"), std::string::npos) << dump.err;
  }
  WriteBytes(dir_.File("book.csv"), "a;b\r\n");
  EXPECT_EQ(
      Bwick("import " + Quoted("book.csv") + " --name N --force -o " + Quoted("book.csv")).status,
      2);
  EXPECT_EQ(ReadBytes(dir_.File("list.fdb")), before);
  EXPECT_EQ(ReadBytes(dir_.File("book.csv")), "a;b\r\n");
}

TEST_F(ScriptingTest, EveryCommandReadsAPipeAndWritesStandardOutput) {
  const std::string book = Quoted("list.fdb"), list = Quoted("list.csv");
  ASSERT_EQ(mkfifo(dir_.File("fifo.csv").c_str(), 0600), 0);
  // A named pipe written by a process of its own, as a shell's <(...) gives it.
  const auto fifo_of = [&](const std::string& file) {
    return "(cat " + file + " > " + Quoted("fifo.csv") + " &)";
  };
  const std::string csv = Bwick("export " + book + " -o -").out;
  EXPECT_EQ(csv, "A;B;C;D\r\nE;F;G;H\r\n");
  struct Case {
    std::string args;
    std::string piped_from;
    std::string out;  // empty: not compared
  };
  const Case cases[] = {
      {"dump -", "cat " + book, Bwick("dump " + book).out},
      {"find - e", "cat " + book, "запись 2: E | F | G | H\n"},
      {"check - --digits 3", "cat " + list, ""},
      {"check " + Quoted("fifo.csv") + " --digits 3", fifo_of(list), ""},
      {"export - -o -", "cat " + book, csv},
      {"export " + Quoted("fifo.csv") + " -o -", fifo_of(book), csv},
      {"import - --name N -o " + Quoted("piped.fsr"), "cat " + list, ""},
      {"import " + Quoted("fifo.csv") + " --name N -o " + Quoted("fifo.fsr"), fifo_of(list), ""},
  };
  for (const Case& c : cases) {
    const RunResult run = Bwick(c.args, "", c.piped_from);
    EXPECT_EQ(run.status, 0) << c.args << ": " << run.err;
    if (!c.out.empty()) {
      EXPECT_EQ(run.out, c.out) << c.args;
    }
  }
  EXPECT_NE(ReadBytes(dir_.File("fifo.fsr")).find("\r\n555;a;b;c;d\r\n"), std::string::npos);
}

TEST_F(ScriptingTest, APhoneBooksOneBoxFindsWhatTheViewerFinds) {
  const char* const names[] = {"Иванов", "ивашов", "Петров", "Сиваков", "Ива"};
  std::string list;
  for (int i = 0; i < 200; ++i) {
    list += std::to_string(100 + i) + ";" + names[i % 5] + ";" + names[(i / 5) % 5] + ";" +
            (i % 7 == 0 ? "ивы" : "дом") + ";" + std::to_string(i) + "\r\n";
  }
  WriteBytes(dir_.File("phones.csv"), Cp(list));
  ASSERT_EQ(Bwick("build " + Quoted("phones.csv") + " --name N --quiet").status, 0);
  const StatusOr<viewer::Book> loaded = viewer::LoadBook(dir_.File("phones.fdb"));
  ASSERT_TRUE(loaded.ok());
  const viewer::Book& book = loaded.value();
  for (const char* text : {"ива", "ИВ", "дом", "1", "нет"}) {
    std::string expected;
    for (const std::uint32_t r :
         viewer::FindRecords(book, viewer::RecordMatcher::AnyField(book.layout(), Cp(text)))) {
      expected += "запись " + std::to_string(r + 1) + ":";
      for (std::size_t field = 0; field < 4; ++field)
        expected += (field == 0 ? " " : " | ") + codepage::Cp1251ToUtf8(book.Value(r, field));
      expected += "\n";
    }
    const RunResult find = Bwick("find " + Quoted("phones.fdb") + " '" + text + "'");
    EXPECT_EQ(find.out, expected) << text;
    EXPECT_EQ(find.status, expected.empty() ? 1 : 0) << text;
  }
  WriteBytes(dir_.File("book.fsr"), SourceFile({{"A"}}, "x\r\n"));
  ASSERT_EQ(Bwick("build " + Quoted("book.fsr") + " --quiet").status, 0);
  EXPECT_EQ(Bwick("find " + Quoted("book.fdb") + " x").status, 2) << "a table book has no one box";
}

TEST_F(ScriptingTest, CheckListsEveryFaultyLineToTheEndOfAUtf8List) {
  WriteBytes(dir_.File("utf8.csv"),
             "555;Иван;a;b;c\r\n556;中;a;b;c\r\n557;a;b\r\n558;日;a;b\r\n559;a;b;c;d\r\n");
  const RunResult check = Bwick("check " + Quoted("utf8.csv") + " --digits 3");
  EXPECT_EQ(check.status, 5);
  const std::string prefix = "bwick check: " + dir_.File("utf8.csv") + ": строка ";
  for (const std::string listed :
       {"2: содержит символ U+4E2D «中», которого нет в кодировке Windows-1251",
        "3: Запись - 3, неверное число разделителей - 2", "4: содержит символ U+65E5",
        "4: Запись - 4, неверное число разделителей - 3"})
    EXPECT_NE(check.out.find(prefix + listed), std::string::npos) << listed << "\n" << check.out;
  EXPECT_NE(check.err.find("проверено записей: 5, ошибочных: 3"), std::string::npos) << check.err;
}

}  // namespace
