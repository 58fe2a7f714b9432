#include "cli/import_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "common/test/scratch_folder.h"
#include "common/test/small_disk.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

class ImportCommandTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    return scratch_.Write(name, bytes);
  }
  static std::string Read(const fs::path& path) { return testing_support::ReadBytes(path); }

  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunImportCommand(args, out_, err_);
  }

  testing_support::ScratchFolder scratch_;
  const fs::path dir_ = scratch_.path();
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(ImportCommandTest, WritesTheSourceFileBesideTheCsv) {
  const std::string csv =
      Write("staff.csv",
            "\xD4\xE0\xEC\xE8\xEB\xE8\xFF,\xD2\xE5\xEB\r\n\xC8\xE2\xE0\xED\xEE\xE2,"
            "123\r\n\xCF\xE5\xF2\xF0\xEE\xE2,4567\r\n");
  ASSERT_EQ(Run({csv, "--name", "Телефоны", "--splitter", ",", "--header"}), kExitOk) << err_.str();

  const std::string fsr = Read(dir_ / "staff.fsr");
  EXPECT_NE(fsr.find("\r\n\xD2\xE5\xEB\xE5\xF4\xEE\xED\xFB\r\n"), std::string::npos);  // name
  EXPECT_NE(fsr.find("\r\n','\r\n"), std::string::npos);                               // splitter
  EXPECT_EQ(fsr.find("\xD4\xE0\xEC\xE8\xEB\xE8\xFF,"), std::string::npos);  // header line skipped
  EXPECT_NE(fsr.find("\xCF\xE5\xF2\xF0\xEE\xE2,4567\r\n"), std::string::npos);

  const std::string summary = out_.str();
  EXPECT_NE(summary.find("1 «Фамилия»: текст, самое длинное значение 6"), std::string::npos)
      << summary;
  EXPECT_NE(summary.find("2 «Тел»: число, 2 байта, самое длинное значение 4"), std::string::npos)
      << summary;
  EXPECT_NE(summary.find("записей: 2"), std::string::npos) << summary;
}

TEST_F(ImportCommandTest, WithoutHeaderTheFirstLineIsARecord) {
  const std::string csv = Write("plain.csv", "a;1\nb;2\n");
  const std::string out = (dir_ / "other.fsr").string();
  ASSERT_EQ(Run({csv, "-o", out, "--name", "N"}), kExitOk) << err_.str();
  EXPECT_TRUE(fs::exists(out));
  EXPECT_FALSE(fs::exists(dir_ / "plain.fsr"));
  EXPECT_NE(out_.str().find("записей: 2"), std::string::npos);
  EXPECT_NE(Read(out).find("\r\na;1\r\nb;2\r\n"), std::string::npos);
}

TEST_F(ImportCommandTest, LongLinesAreCutUnlessAsked) {
  const std::string long_line(300, 'x');
  const std::string csv = Write("long.csv", long_line + "\n");
  ASSERT_EQ(Run({csv, "--name", "N"}), kExitOk) << err_.str();
  EXPECT_NE(Read(dir_ / "long.fsr").find(std::string(248, 'x') + "..\r\n"), std::string::npos);
  ASSERT_EQ(Run({csv, "--name", "N", "--no-cut", "--force"}), kExitOk) << err_.str();
  EXPECT_NE(Read(dir_ / "long.fsr").find(long_line + "\r\n"), std::string::npos);
}

TEST_F(ImportCommandTest, AnExistingSourceFileIsReplacedOnlyWithForce) {
  const std::string csv = Write("staff.csv", "1;2\n");
  for (const fs::path& output : {dir_ / "staff.fsr", dir_ / "other.fsr"}) {
    Write(output.filename().string(), "set up in the designer");
    const std::vector<std::string> args = {csv, "--name", "N", "-o", output.string()};
    EXPECT_EQ(Run(args), kExitRefused);
    EXPECT_EQ(err_.str(),
              "bwick import: " + output.string() + ": файл уже существует; --force заменяет его\n");
    EXPECT_EQ(Read(output), "set up in the designer");

    std::vector<std::string> forced = args;
    forced.push_back("--force");
    ASSERT_EQ(Run(forced), kExitOk) << err_.str();
    EXPECT_NE(Read(output).find("\r\n1;2\r\n"), std::string::npos);
  }
}

TEST_F(ImportCommandTest, BadUsage) {
  const std::string csv = Write("a.csv", "1;2\n");
  const std::vector<std::vector<std::string>> cases = {
      {},
      {csv},
      {"--name", "N"},
      {csv, "--name"},
      {csv, "--name", ""},
      {csv, "--name", "N", "--verbose"},
      {csv, csv, "--name", "N"},
      {csv, "--name", "名前"},  // no such letters in the code page
      {csv, "--name", "a\nb"},  // would break the header
      {csv, "--name", ";N"},    // would be read back as a comment
      {csv, "--name", "N", "--splitter", ""},
      {csv, "--name", "N", "--splitter", ";;"},
      {csv, "--name", "N", "-o", csv},  // would replace the data it reads
      {csv, "--name", "N", "--encoding", "koi8-r"},
      {csv, "--name", "N", "--encoding"},
  };
  for (const auto& args : cases) {
    EXPECT_EQ(Run(args), kExitUsage) << testing::PrintToString(args);
    EXPECT_FALSE(err_.str().empty());
    EXPECT_TRUE(out_.str().empty());
  }
  EXPECT_FALSE(fs::exists(dir_ / "a.fsr"));
  EXPECT_EQ(Read(csv), "1;2\n");
}

TEST_F(ImportCommandTest, CyrillicSplitterIsOneByte) {
  const std::string csv = Write("c.csv", "1\xA7x\n");  // § in Windows-1251
  ASSERT_EQ(Run({csv, "--name", "N", "--splitter", "§"}), kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("полей: 2"), std::string::npos) << out_.str();
}

// A staff list as spreadsheet programs save CSV files today: UTF-8 behind a byte-order mark.
constexpr char kUtf8Staff[] =
    "\xEF\xBB\xBF\xD0\xA4\xD0\xB0\xD0\xBC\xD0\xB8\xD0\xBB\xD0\xB8\xD1\x8F,"
    "\xD0\xA2\xD0\xB5\xD0\xBB\r\n"                               // Фамилия,Тел
    "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2,123\r\n";  // Иванов,123

TEST_F(ImportCommandTest, Utf8FilesAreDetectedAndWrittenInWindows1251) {
  const std::string csv = Write("staff.csv", kUtf8Staff);
  ASSERT_EQ(Run({csv, "--name", "N", "--splitter", ",", "--header"}), kExitOk) << err_.str();
  const std::string summary = out_.str();
  EXPECT_NE(summary.find("кодировка: utf-8 (определена)\n"), std::string::npos) << summary;
  EXPECT_NE(summary.find("1 «Фамилия»: текст, самое длинное значение 6"), std::string::npos)
      << summary;
  const std::string fsr = Read(dir_ / "staff.fsr");
  EXPECT_NE(fsr.find("\r\n\xD4\xE0\xEC\xE8\xEB\xE8\xFF\r\n"), std::string::npos);  // the name
  EXPECT_NE(fsr.find("\r\n\xC8\xE2\xE0\xED\xEE\xE2,123\r\n"), std::string::npos);  // the data
  EXPECT_EQ(fsr.find("\xEF\xBB\xBF"), std::string::npos);

  const std::string twin = Write("twin.csv", "\xC8\xE2\xE0\xED\xEE\xE2,123\r\n");
  ASSERT_EQ(Run({twin, "--name", "N", "--splitter", ","}), kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("кодировка: cp1251 (определена)\n"), std::string::npos) << out_.str();
}

TEST_F(ImportCommandTest, EncodingOptionOverridesTheDetection) {
  const std::string csv = Write("staff.csv", kUtf8Staff);
  ASSERT_EQ(Run({csv, "--name", "N", "--splitter", ",", "--encoding", "cp1251"}), kExitOk)
      << err_.str();
  EXPECT_NE(out_.str().find("кодировка: cp1251 (задана)\n"), std::string::npos) << out_.str();
  // The mark and the letters count as bytes: 3 + 2 * 7.
  EXPECT_NE(out_.str().find("1 «»: текст, самое длинное значение 17\n"), std::string::npos)
      << out_.str();
  EXPECT_NE(Read(dir_ / "staff.fsr").find(kUtf8Staff), std::string::npos)
      << "taken as Windows-1251, the bytes are copied as they stand";

  const std::string cp1251 = Write("cp.csv", "\xC8\xE2\xE0\xED\xEE\xE2\n");
  EXPECT_EQ(Run({cp1251, "--name", "N", "--encoding", "UTF-8"}), kExitRefused);
  EXPECT_NE(err_.str().find("0xC8"), std::string::npos) << err_.str();
  EXPECT_FALSE(fs::exists(dir_ / "cp.fsr"));
}

TEST_F(ImportCommandTest, ACharacterOutsideWindows1251WritesNothing) {
  const std::string csv = Write("cn.csv", "a;b\n1;\xE4\xB8\xAD\n");  // 中
  EXPECT_EQ(Run({csv, "--name", "N"}), kExitRefused);
  EXPECT_NE(err_.str().find("Строка 2 файла «cn.csv» содержит символ U+4E2D «中»"),
            std::string::npos)
      << err_.str();
  EXPECT_TRUE(out_.str().empty());
  EXPECT_FALSE(fs::exists(dir_ / "cn.fsr"));
}

TEST_F(ImportCommandTest, UnreadableAndRefusedInput) {
  EXPECT_EQ(Run({(dir_ / "missing.csv").string(), "--name", "N"}), kExitUnreadable);
  EXPECT_NE(err_.str().find("missing.csv"), std::string::npos);

  const std::string wide = Write("wide.csv", "1;2;3;4;5;6\n");
  EXPECT_EQ(Run({wide, "--name", "N"}), kExitRefused);
  EXPECT_NE(err_.str().find("до 5 полей"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "wide.fsr"));
}

TEST_F(ImportCommandTest, FailedWriteIsReportedAndLeavesNoFile) {
  const std::string csv = Write("w.csv", "1\n");
  const std::string out = (dir_ / "no" / "such" / "folder.fsr").string();
  EXPECT_EQ(Run({csv, "--name", "N", "-o", out}), kExitUnwritable);
  EXPECT_FALSE(err_.str().empty());
  EXPECT_TRUE(out_.str().empty());

  testing_support::SmallDisk disk(16 * 1024);
  if (!disk.available()) GTEST_SKIP() << disk.why_not();
  disk.Fill();
  EXPECT_EQ(Run({csv, "--name", "N", "-o", disk.Path("w.fsr")}), kExitUnwritable);
  EXPECT_NE(err_.str().find("w.fsr"), std::string::npos) << err_.str();
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(disk.Path("w.fsr")).parent_path()), {}),
            2)
      << "the two fillers only";
}

TEST_F(ImportCommandTest, QuotedValuesAreWrittenWholeJoinedByASplitterNoneHolds) {
  const std::string csv = Write("q.csv", "id,text\r\n1,\"a, b\"\r\n2,\"say \"\"hi\"\"; ok\"\r\n");
  ASSERT_EQ(Run({csv, "--name", "N", "--header", "--splitter", ",", "--quote", "\""}), kExitOk)
      << err_.str();
  const std::string fsr = Read(dir_ / "q.fsr");
  EXPECT_NE(fsr.find("\r\n'\t'\r\n"), std::string::npos);  // "," and ";" stand in values
  EXPECT_NE(fsr.find("\r\n1\ta, b\r\n2\tsay \"hi\"; ok\r\n"), std::string::npos) << fsr;
  EXPECT_NE(out_.str().find("значения в кавычках; в исходном файле их разделяет табуляция"),
            std::string::npos)
      << out_.str();
  EXPECT_EQ(err_.str(), "");  // the options are what the file looks like: no note
}

TEST_F(ImportCommandTest, SplitterAutoTabSkipAndUtf16) {
  const std::string title = Write("t.csv", "Report\r\nid\tname\r\n1\tx\r\n2\ty\r\n");
  ASSERT_EQ(Run({title, "--name", "N", "--header", "--splitter", "auto", "--skip", "1"}), kExitOk)
      << err_.str();
  EXPECT_NE(Read(dir_ / "t.fsr").find("\r\n'\t'\r\n"), std::string::npos);
  EXPECT_NE(Read(dir_ / "t.fsr").find("\r\n1\tx\r\n2\ty\r\n"), std::string::npos);
  EXPECT_NE(out_.str().find("1 «id»: число"), std::string::npos) << out_.str();

  std::string utf16 = "\xFF\xFE";
  for (const char c : std::string("a\tb\r\n1\t2\r\n")) utf16 += std::string{c, '\0'};
  const std::string wide = Write("w.csv", utf16);
  ASSERT_EQ(Run({wide, "--name", "N", "--splitter", "tab"}), kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("кодировка: utf-16 (определена)"), std::string::npos) << out_.str();
  EXPECT_NE(Read(dir_ / "w.fsr").find("\r\na\tb\r\n1\t2\r\n"), std::string::npos);
  ASSERT_EQ(Run({wide, "--name", "N", "--splitter", "tab", "--encoding", "utf-16", "--force"}),
            kExitOk)
      << err_.str();
  EXPECT_NE(out_.str().find("кодировка: utf-16 (задана)"), std::string::npos) << out_.str();
}

TEST_F(ImportCommandTest, WarningsAndOneNoteGoToStandardErrorWithTheirLines) {
  // Ten lines, one of them with a value too many: the file still looks as it is.
  std::string text = "\"Имя\",\"Город\"\n\"Иван\",\"Москва, центр\"\n\"Пётр\",\"Тверь\",x\n";
  for (int i = 0; i < 7; ++i) text += "\"Анна\",\"Омск\"\n";
  const std::string csv = Write("e.csv", text);
  ASSERT_EQ(Run({csv, "--name", "N"}), kExitOk) << err_.str();
  const std::string prefix = "bwick import: " + csv + ": ";
  EXPECT_EQ(err_.str(),
            prefix +
                "похоже, в файле поля разделяет «,» и значения стоят в кавычках; укажите "
                "--splitter , --quote '\"'\n" +
                prefix +
                "строка 1: значение в двойных кавычках, а кавычки не учитываются (всего "
                "таких строк: 9)\n");
  ASSERT_EQ(Run({csv, "--name", "N", "--splitter", ",", "--quote", "\"", "--force"}), kExitOk);
  EXPECT_EQ(err_.str(), prefix + "строка 3: другое число полей, чем в первой строке\n");
  ASSERT_EQ(Run({csv, "--name", "N", "--splitter", ",", "--quote", "\"", "--force", "--quiet"}),
            kExitOk);
  EXPECT_EQ(err_.str(), "");
}

TEST_F(ImportCommandTest, BadValuesOfTheReadingOptions) {
  const std::string csv = Write("a.csv", "1;2\n");
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{csv, "--name", "N", "--quote", "'"},
                                             {csv, "--name", "N", "--skip", "-1"},
                                             {csv, "--name", "N", "--skip", "x"},
                                             {csv, "--name", "N", "--skip", ""},
                                             {csv, "--name", "N", "--splitter", "tabs"},
                                             {csv, "--name", "N", "--encoding", "utf-32"}}) {
    EXPECT_EQ(Run(args), kExitUsage) << testing::PrintToString(args);
    EXPECT_FALSE(err_.str().empty());
  }
}

TEST_F(ImportCommandTest, WorkbooksAreReadByTheirSheet) {
  const std::string book = std::string(BWICK_SHEET_FIXTURES) + "/sheets.xlsx";
  const std::string fsr = (dir_ / "prices.fsr").string();
  ASSERT_EQ(Run({book, "--name", "Цены", "--sheet", "2", "--header", "-o", fsr}), kExitOk)
      << err_.str();
  EXPECT_NE(Read(fsr).find("\r\n\xD7\xE0\xE9;120;\xC0\r\n"), std::string::npos);  // Чай;120;А
  EXPECT_NE(out_.str().find("лист: «Цены»"), std::string::npos) << out_.str();

  EXPECT_EQ(Run({book, "--name", "N", "--sheet", "Склад", "-o", fsr, "--force"}), kExitRefused);
  EXPECT_NE(err_.str().find("Листы: «Сотрудники», «Цены»"), std::string::npos) << err_.str();
  EXPECT_EQ(Run({book, "--name", "N", "--splitter", ",", "-o", fsr, "--force"}), kExitUsage);
  const std::string csv = Write("a.csv", "1;2\n");
  EXPECT_EQ(Run({csv, "--name", "N", "--sheet", "1"}), kExitUsage);
}

}  // namespace
}  // namespace cli
