#include "designer/model/source_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "common/test/cp1251.h"
#include "common/test/scratch_folder.h"
#include "designer/model/test/fake_window.h"

namespace designer {
namespace {

using testing_support::Cp;

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The lines of `text`, each of which must end in CR LF.
std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "last line without CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << "bare CR or LF";
    start = end + 2;
  }
  return lines;
}

// The data part of a file written by the designer.
std::vector<std::string> DataLines(const std::string& text, int field_count) {
  std::vector<std::string> lines = CrLfLines(text);
  lines.erase(lines.begin(), lines.begin() + WrittenHeaderLines(field_count));
  return lines;
}

// A version-12 file, as older designers wrote it: no splitter value, extra comment lines, and LF
// line ends; two fields.
std::string OldSourceFile(const std::vector<std::string>& data) {
  std::string text =
      "; written by hand\n;\nBrindlewick Source\n; version\n12\n; fields\n2\n; records\n" +
      std::to_string(data.size()) + "\n; flags\n0\n; db name\nOld book\n; extra note\n";
  for (int i = 1; i <= 2; ++i) {
    text += "; Field\nField" + std::to_string(i) + "\n1\n3\n0\n" + std::to_string(i) + "\n" +
            std::to_string(i) + "\n" + std::to_string(i) + "\n100\n60\n20\n";
  }
  for (const std::string& line : data) text += line + "\n";
  return text;
}

class SourceFileTest : public ::testing::Test {
 protected:
  void SetUp() override { view_.database_name = Cp("Телефоны отдела"); }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  // A three-field document imported from a CSV file with a names line and the given data.
  Document CsvDocument(const std::vector<std::string>& data) {
    const std::string csv = PathOf("staff.csv");
    WriteBytes(csv, Join({Cp("Номер;ФИО;Телефон")}) + Join(data));
    Document doc;
    doc.FieldCount = 3;
    doc.RecordCount = static_cast<std::int32_t>(data.size());
    doc.SourceFileName = csv;
    doc.FirstLineHasNames = true;
    doc.Fields[1] = {Cp("Номер"), kTypeNumeric, kFlagDigitsOnly, 2, 2, 3, 1, 40, 30, 5};
    doc.Fields[2] = {Cp("Фамилия Имя Отче"), kTypeText, 0x0F, 0, 1, 1, 2, 120, -7, 40};
    doc.Fields[3] = {"Phone", kTypeText, 0, 0, 3, 2, 255, 2147483647, 60, -2147483647 - 1};
    return doc;
  }

  testing_support::ScratchFolder scratch_;
  const fs::path dir_ = scratch_.path();
  FakeWindow view_;
};

TEST_F(SourceFileTest, WriteThenReadGivesTheSameDocument) {
  Document saved = CsvDocument({Cp("1; Иванов Иван ;2-15-47"), "2;Petrov;2-15-48"});
  const std::string target = PathOf("staff.fsr");
  ASSERT_TRUE(SaveFSR(saved, target, view_).ok());

  Document loaded;
  FakeWindow view;
  view.splitter = ",";
  const Status status = LoadFSR(loaded, target, view);
  ASSERT_TRUE(status.ok()) << status.message();
  for (int i = 1; i <= kFieldTableSize; ++i) EXPECT_EQ(loaded.Fields[i], saved.Fields[i]) << i;
  EXPECT_EQ(loaded.FieldCount, 3);
  EXPECT_EQ(loaded.RecordCount, 2);
  EXPECT_EQ(loaded.SourceFileName, target);
  EXPECT_TRUE(loaded.SourceIsFsr);
  EXPECT_EQ(loaded.HeaderLineCount, 24 + 21 * 3);
  EXPECT_EQ(view.database_name, view_.database_name);
  EXPECT_EQ(view.splitter, ";");
  EXPECT_EQ(loaded.SampleValues[1][2], Cp("Иванов Иван"));
  EXPECT_EQ(loaded.SampleValues[2][3], "2-15-48");
  EXPECT_EQ(view.status[0], "файл: staff.fsr");
  EXPECT_EQ(view.status[1], "полей: 3");
  EXPECT_EQ(view.status[2], "записей: 2");
  EXPECT_EQ(view.loaded_count, 1);
}

TEST_F(SourceFileTest, WritesTheHeaderLineByLine) {
  Document doc = CsvDocument({"7;Smith;1-00-01"});
  doc.FieldCount = 1;
  view_.database_name = "Book";
  view_.splitter = "|";
  const std::string target = PathOf("one.fsr");
  ASSERT_TRUE(SaveFSR(doc, target, view_).ok());

  const std::vector<std::string> lines = CrLfLines(ReadBytes(target));
  ASSERT_EQ(lines.size(), 24u + 21u + 1u);
  EXPECT_TRUE(std::regex_match(lines[6], std::regex("; Date:       \\d\\d:\\d\\d:\\d\\d")))
      << lines[6];
  const std::string rule = "; " + std::string(60, '=');
  const std::vector<std::string> expected = {
      "; Brindle-Wick database source file, (c) Brindle-Wick, https://brindlewick.example",
      rule,
      "; Name:       Book",
      "; Source:     ",
      "; Url:        ",
      "; Convertion: BWick DB Designer 0.01 b040413",
      lines[6],
      rule,
      ";",
      "; prefix",
      "Brindlewick Source",
      "; version",
      "13",
      "; splitter char",
      "'|'",
      "; fields",
      "1",
      "; records",
      "1",
      "; flags",
      "0",
      "; db name",
      "Book",
      "; Fields:",
      "; Field #1",
      ";  name",
      Cp("Номер"),
      ";  type",
      "2",
      ";  flags",
      "1",
      ";  size",
      "2",
      ";  query index",
      "2",
      ";  result index",
      "3",
      ";  detail index",
      "1",
      ";  edit size",
      "40",
      ";  result size",
      "30",
      ";  max size in char /edit",
      "5",
      "7;Smith;1-00-01"};
  EXPECT_EQ(lines, expected);
}

TEST_F(SourceFileTest, HeaderLineCountIsTheWrittenHeaderForEveryFieldCount) {
  for (int n = 1; n <= kMaxDocumentFields; ++n) {
    Document doc = CsvDocument({"1;2;3"});
    doc.FieldCount = n;
    const std::string target = PathOf("n.fsr");
    ASSERT_TRUE(SaveFSR(doc, target, view_).ok());
    Document loaded;
    ASSERT_TRUE(LoadFSR(loaded, target, view_).ok());
    EXPECT_EQ(loaded.HeaderLineCount, 24 + 21 * n);
    EXPECT_EQ(loaded.SampleValues[1][1], n == 1 ? "1;2;3" : "1");
  }
}

TEST_F(SourceFileTest, CopiesTheCsvDataLinesWithoutNamesLineOrEmptyLines) {
  Document doc = CsvDocument({"1;a;b", "", "2;c;d", "", "3;e;f"});
  const std::string csv_before = ReadBytes(doc.SourceFileName);
  const std::string target = PathOf("out.fsr");
  ASSERT_TRUE(SaveFSR(doc, target, view_).ok());
  const std::string written = ReadBytes(target);
  EXPECT_EQ(DataLines(written, 3), (std::vector<std::string>{"1;a;b", "2;c;d", "3;e;f"}));
  // The header keeps the count the save began with; the document learns the lines written.
  EXPECT_EQ(CrLfLines(written)[18], "5");
  EXPECT_EQ(doc.RecordCount, 3);
  EXPECT_EQ(view_.progress_maximum, 5);
  EXPECT_EQ(view_.progress_position, 3);
  EXPECT_EQ(ReadBytes(doc.SourceFileName), csv_before);
  EXPECT_FALSE(fs::exists(doc.SourceFileName + ".BAK"));
  EXPECT_FALSE(doc.SourceIsFsr);

  doc.FirstLineHasNames = false;
  ASSERT_TRUE(SaveFSR(doc, target, view_).ok());
  EXPECT_EQ(DataLines(ReadBytes(target), 3).front(), Cp("Номер;ФИО;Телефон"));
  EXPECT_EQ(CrLfLines(ReadBytes(target))[18], "3");

  // Lines end as CSV import counts them: a CR without LF is dropped, Ctrl+Z ends the text of its
  // line, and at the start of a line the whole text.
  WriteBytes(doc.SourceFileName,
             "4;g\r;h\n5;i;j\x1a;x\r\n6;k;l\r\n\x1a"
             "7;m;n\r\n");
  ASSERT_TRUE(SaveFSR(doc, target, view_).ok());
  EXPECT_EQ(DataLines(ReadBytes(target), 3), (std::vector<std::string>{"4;g;h", "5;i;j", "6;k;l"}));
}

TEST_F(SourceFileTest, CutsLinesLongerThan250CharactersOnlyWhenAsked) {
  const std::string line250(250, 'a');
  const std::string line251 = std::string(248, 'b') + "xyz";
  const std::string huge(200000, 'c');
  Document doc = CsvDocument({line250, line251, huge});
  const std::string target = PathOf("cut.fsr");
  SaveResult result;
  ASSERT_TRUE(SaveFSR(doc, target, view_.Saving(), result).ok());
  EXPECT_EQ(DataLines(ReadBytes(target), 3),
            (std::vector<std::string>{line250, std::string(248, 'b') + "..",
                                      std::string(248, 'c') + ".."}));
  EXPECT_EQ(result.lines_cut, 2);

  view_.cut_long_lines = false;
  ASSERT_TRUE(SaveFSR(doc, target, view_.Saving(), result).ok());
  EXPECT_EQ(DataLines(ReadBytes(target), 3), (std::vector<std::string>{line250, line251, huge}));
  EXPECT_EQ(result.lines_cut, 0);
}

// Cancelled at its second data line, over the opened file and over another one: the files and the
// document are as before, and no temporary file is left beside them.
TEST_F(SourceFileTest, ACancelledSaveLeavesEveryFileAndTheDocument) {
  Document doc = CsvDocument({"1;a;b", "2;c;d", "3;e;f"});
  const std::string other = PathOf("old.fsr");
  WriteBytes(other, "old");
  for (const std::string& target : {doc.SourceFileName, other}) {
    const std::string before = ReadBytes(target);
    const Document opened = doc;
    SaveOptions options = view_.Saving();
    options.cancelled = [&] { return view_.progress_position >= 2; };
    const Status status = SaveFSR(doc, target, options);
    EXPECT_TRUE(status.refusal());
    EXPECT_EQ(status.message(), kSaveCancelled);
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_EQ(doc.SourceFileName, opened.SourceFileName);
    EXPECT_EQ(doc.RecordCount, opened.RecordCount);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
  }
}

TEST_F(SourceFileTest, SavingTwiceOverAnOldOpenedFileKeepsEveryDataLine) {
  const std::vector<std::string> data = {"1;one", "2;two", "3;three"};
  const std::string path = PathOf("old.fsr");
  const std::string original = OldSourceFile(data);
  WriteBytes(path, original);
  Document doc;
  ASSERT_TRUE(LoadFSR(doc, path, view_).ok());
  EXPECT_EQ(doc.HeaderLineCount, 14 + 2 * 11);

  ASSERT_TRUE(SaveFSR(doc, path, view_).ok());
  EXPECT_EQ(ReadBytes(path + ".BAK"), original);
  const std::string first = ReadBytes(path);
  EXPECT_EQ(DataLines(first, 2), data);

  // The second save reaches the same file by another spelling of its path.
  const std::string other_spelling = (dir_ / "." / "old.fsr").string();
  ASSERT_TRUE(SaveFSR(doc, other_spelling, view_).ok());
  EXPECT_EQ(ReadBytes(path + ".BAK"), first);
  EXPECT_EQ(DataLines(ReadBytes(path), 2), data);
  EXPECT_TRUE(fs::equivalent(doc.SourceFileName, path));

  // A second link to the opened file is the same file too; the backup must survive the save.
  const std::string second = ReadBytes(path);
  const std::string link = PathOf("link.fsr");
  fs::create_hard_link(path, link);
  ASSERT_TRUE(SaveFSR(doc, link, view_).ok());
  EXPECT_EQ(ReadBytes(path + ".BAK"), second);
  EXPECT_EQ(DataLines(ReadBytes(link), 2), data);
  ASSERT_TRUE(SaveFSR(doc, link, view_).ok());
  EXPECT_EQ(DataLines(ReadBytes(link), 2), data);
}

TEST_F(SourceFileTest, SavingTwiceOverTheOpenedCsvFileKeepsEveryDataLine) {
  Document doc = CsvDocument({"1;a;b", "2;c;d"});
  const std::string csv = doc.SourceFileName;
  const std::string csv_before = ReadBytes(csv);
  ASSERT_TRUE(SaveFSR(doc, csv, view_).ok());
  EXPECT_EQ(ReadBytes(csv + ".BAK"), csv_before);
  ASSERT_TRUE(SaveFSR(doc, csv, view_).ok());
  EXPECT_EQ(DataLines(ReadBytes(csv), 3), (std::vector<std::string>{"1;a;b", "2;c;d"}));
}

TEST_F(SourceFileTest, AnotherFileWhoseNameDiffersInLetterCaseIsNoBackupCase) {
  Document doc = CsvDocument({"1;a;b"});
  const std::string path = PathOf("book.fsr");
  ASSERT_TRUE(SaveFSR(doc, path, view_).ok());
  Document opened;
  ASSERT_TRUE(LoadFSR(opened, path, view_).ok());
  const std::string before = ReadBytes(path);
  ASSERT_TRUE(SaveFSR(opened, PathOf("BOOK.fsr"), view_).ok());
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(fs::exists(path + ".BAK"));
  EXPECT_EQ(DataLines(ReadBytes(PathOf("BOOK.fsr")), 3), std::vector<std::string>{"1;a;b"});
}

TEST_F(SourceFileTest, AFailedBackupLeavesTheOpenedFileAndNoNewOne) {
  Document doc = CsvDocument({"1;a;b"});
  const std::string csv = doc.SourceFileName;
  const std::string csv_before = ReadBytes(csv);
  // A backup name taken by a non-empty folder cannot be replaced by the move.
  fs::create_directories(csv + ".BAK/inside");
  const Status status = SaveFSR(doc, csv, view_);
  EXPECT_FALSE(status.ok());
  EXPECT_FALSE(status.refusal());
  EXPECT_EQ(status.message(), "Ошибка создания резервной копии.");
  EXPECT_EQ(ReadBytes(csv), csv_before);
  EXPECT_TRUE(fs::exists(csv + ".BAK/inside"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2) << "the CSV and the folder only";
  EXPECT_EQ(doc.RecordCount, 1);
  EXPECT_FALSE(doc.SourceIsFsr);
}

TEST_F(SourceFileTest, RefusesValuesThatWouldShiftTheHeader) {
  const std::string target = PathOf("refused.fsr");
  const auto expect_refused = [&](Document doc, const FakeWindow& view) {
    FakeWindow copy = view;
    const Status status = SaveFSR(doc, target, copy);
    EXPECT_TRUE(status.refusal()) << status.message();
    EXPECT_FALSE(status.message().empty());
    EXPECT_FALSE(fs::exists(target));
  };
  Document doc = CsvDocument({"1;a;b"});
  FakeWindow view = view_;
  doc.Fields[2].Name = ";Comment";
  expect_refused(doc, view);
  doc.Fields[2].Name = "Two\nlines";
  expect_refused(doc, view);
  doc.Fields[2].Name = "End\x1Aof text";  // the designer's reader would stop there
  expect_refused(doc, view);

  doc = CsvDocument({});
  view.database_name = ";Book";
  expect_refused(doc, view);
  view.database_name = "Book\r";
  expect_refused(doc, view);
  view.database_name = "Bo\x1Aok";
  expect_refused(doc, view);
  // "; Name:       " and the name must fit the builder's 254-character pieces with CR LF.
  view.database_name = std::string(239, 'x');
  expect_refused(doc, view);
  view.database_name = "Book";
  view.splitter = "";
  expect_refused(doc, view);
  view.splitter = "\x1A";
  expect_refused(doc, view);
  view.splitter = ";";
  doc.FieldCount = 0;
  expect_refused(doc, view);
  doc.FieldCount = 6;
  expect_refused(doc, view);
}

TEST_F(SourceFileTest, InputOutputErrorsNameTheFile) {
  Document doc = CsvDocument({"1;a;b"});
  doc.SourceFileName = PathOf("gone.csv");
  Status status = SaveFSR(doc, PathOf("out.fsr"), view_);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("gone.csv"), std::string::npos) << status.message();
  EXPECT_FALSE(fs::exists(PathOf("out.fsr"))) << "a missing data source must not touch the target";

  doc = CsvDocument({"1;a;b"});
  status = SaveFSR(doc, PathOf("no-such-folder/out.fsr"), view_);
  EXPECT_FALSE(status.ok());
  EXPECT_FALSE(status.refusal());
  EXPECT_NE(status.message().find("no-such-folder/out.fsr"), std::string::npos);
}

TEST_F(SourceFileTest, AWriteErrorOverTheOpenedFileRestoresIt) {
  Document doc = CsvDocument(std::vector<std::string>(2000, "1;abcdefghij;2-15-47"));
  const std::string csv = doc.SourceFileName;
  const std::string csv_before = ReadBytes(csv);
  // Files may not grow beyond 4 KiB: writing the source file fails half way.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old_limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  rlimit limit = old_limit;
  limit.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const Status status = SaveFSR(doc, csv, view_);
  setrlimit(RLIMIT_FSIZE, &old_limit);

  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("staff.csv"), std::string::npos) << status.message();
  EXPECT_EQ(ReadBytes(csv), csv_before);
  EXPECT_FALSE(fs::exists(csv + ".BAK"));
  EXPECT_EQ(doc.RecordCount, 2000);
  EXPECT_FALSE(doc.SourceIsFsr);
  // Nothing was lost: the next save goes through.
  ASSERT_TRUE(SaveFSR(doc, csv, view_).ok());
  EXPECT_EQ(DataLines(ReadBytes(csv), 3).size(), 2000u);
}

// --- reading -------------------------------------------------------------------------------

// A designer-written file whose per-field numbers are given line by line.
std::string SourceFile(const std::string& splitter_value, const std::string& field_count,
                       const std::vector<std::vector<std::string>>& fields,
                       const std::vector<std::string>& data,
                       const std::string& prefix = "Brindlewick Source") {
  std::vector<std::string> lines = {
      "; notice", prefix, "13", splitter_value, field_count, std::to_string(data.size()),
      "0",        "Book"};
  for (const auto& field : fields) {
    lines.push_back("; Field");
    lines.insert(lines.end(), field.begin(), field.end());
  }
  lines.insert(lines.end(), data.begin(), data.end());
  return Join(lines);
}

std::vector<std::string> Field(const std::string& name, int query, int result) {
  return {name, "1",  "0",  "0", std::to_string(query), std::to_string(result),
          "1",  "10", "20", "30"};
}

TEST_F(SourceFileTest, RefusedFilesLeaveThePreviousDocumentAndItsSource) {
  Document doc = CsvDocument({"1;a;b"});
  const std::string good = PathOf("good.fsr");
  ASSERT_TRUE(SaveFSR(doc, good, view_).ok());
  ASSERT_TRUE(LoadFSR(doc, good, view_).ok());
  const Document before = doc;
  const FakeWindow view_before = view_;
  const auto fields = std::vector<std::vector<std::string>>{Field("A", 1, 1)};

  struct Case {
    std::string content;
    bool refusal;
  } cases[] = {
      {SourceFile("';'", "1", fields, {"x"}, "Brindlewick Source 2"), true},
      {SourceFile("';'", "1", fields, {"x"}, "brindlewick source"), true},
      {"", true},
      {SourceFile("';'", "0", {}, {"x"}), true},
      {SourceFile("';'", "6", fields, {"x"}), true},
      {SourceFile("';'", "-1", fields, {"x"}), true},
      {SourceFile("'", "1", fields, {"x"}), true},
      {SourceFile("", "1", fields, {"x"}), true},
      {SourceFile("';'", "1", {{"A", "1", "0", "0", "1", "1", "1", "10", "2O", "30"}}, {"x"}),
       false},
      {SourceFile("';'", "1", {{"A", "1"}}, {}), false},
  };
  const std::string path = PathOf("bad.fsr");
  for (const Case& c : cases) {
    WriteBytes(path, c.content);
    const Status status = LoadFSR(doc, path, view_);
    EXPECT_FALSE(status.ok()) << c.content;
    EXPECT_EQ(status.refusal(), c.refusal) << status.message();
    EXPECT_EQ(doc.SourceFileName, good);
    EXPECT_TRUE(doc.SourceIsFsr);
    EXPECT_EQ(doc.HeaderLineCount, before.HeaderLineCount);
    EXPECT_EQ(doc.FieldCount, before.FieldCount);
    EXPECT_EQ(doc.Fields, before.Fields);
    EXPECT_EQ(doc.QueryBoxTicked, before.QueryBoxTicked);
    EXPECT_EQ(doc.SampleValues, before.SampleValues);
    EXPECT_EQ(view_.status[0], view_before.status[0]);
    EXPECT_EQ(view_.database_name, view_before.database_name);
    EXPECT_EQ(view_.loaded_count, view_before.loaded_count);
  }
  EXPECT_EQ(LoadFSR(doc, PathOf("missing.fsr"), view_).refusal(), false);
  WriteBytes(path,
             SourceFile("';'", "1", {{"A", "1", "0", "0", "1", "1", "1", "10", "2O", "30"}}, {}));
  EXPECT_EQ(LoadFSR(doc, path, view_).message(),
            "Файл «bad.fsr», строка 18: «2O» — не целое число.");

  // A later save still copies the data lines of the document's own source.
  ASSERT_TRUE(SaveFSR(doc, PathOf("again.fsr"), view_).ok());
  EXPECT_EQ(DataLines(ReadBytes(PathOf("again.fsr")), 3), std::vector<std::string>{"1;a;b"});
}

TEST_F(SourceFileTest, ReadingHandsOutQueryAndResultPositionsInFieldOrder) {
  const std::string path = PathOf("lists.fsr");
  WriteBytes(path, SourceFile("';'", "3", {Field("A", 2, 1), Field("B", 0, 2), Field("C", 1, 0)},
                              {"a;b;c"}));
  Document fresh;
  ASSERT_TRUE(LoadFSR(fresh, path, view_).ok());
  EXPECT_EQ(fresh.Fields[1].QueryIndex, 2);
  EXPECT_EQ(fresh.Fields[2].QueryIndex, 3);  // no position in the file: appended
  EXPECT_EQ(fresh.Fields[3].QueryIndex, 1);
  EXPECT_EQ(fresh.Fields[3].ResultIndex, 3);  // its result box was unticked before
  EXPECT_EQ(fresh.BoxesShown, (std::array<bool, 6>{false, true, true, true, false, false}));

  // Over a document whose boxes are all ticked: query boxes are unticked first, result boxes
  // stay ticked and so the field without a result position keeps none.
  Document ticked;
  ticked.FieldCount = 5;
  for (int row = 1; row <= 5; ++row) {
    ticked.SetQueryBox(row, true);
    ticked.SetResultBox(row, true);
  }
  ASSERT_TRUE(LoadFSR(ticked, path, view_).ok());
  EXPECT_EQ(ticked.Fields[2].QueryIndex, 3);
  EXPECT_EQ(ticked.Fields[3].QueryIndex, 1);
  EXPECT_EQ(ticked.Fields[3].ResultIndex, 0);
  EXPECT_EQ(ticked.Fields[4], TFieldDesc{});
}

TEST_F(SourceFileTest, SamplesComeFromTheFirstTwentyDataLines) {
  std::vector<std::string> data = {" a ; b ;c;d\t", "only", ";", "x;;y"};
  for (int i = 5; i <= 25; ++i) data.push_back(std::to_string(i) + ";n;m");
  const std::string path = PathOf("samples.fsr");
  auto field = Field("A", 1, 1);
  field[1] = "258";  // 8-bit members keep the low 8 bits
  field[6] = "-1";
  WriteBytes(path, SourceFile("';'", "3", {field, Field("B", 2, 2), Field("C", 3, 3)}, data));
  Document doc;
  ASSERT_TRUE(LoadFSR(doc, path, view_).ok());
  EXPECT_EQ(doc.Fields[1].DataType, 2);
  EXPECT_EQ(doc.Fields[1].DetailIndex, 255);
  const auto row = [&](int r) {
    return std::vector<std::string>{doc.SampleValues[r][1], doc.SampleValues[r][2],
                                    doc.SampleValues[r][3]};
  };
  EXPECT_EQ(row(1), (std::vector<std::string>{"a", "b", "c;d"}));
  EXPECT_EQ(row(2), (std::vector<std::string>{"", "", "only"}));
  EXPECT_EQ(row(3), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(row(4), (std::vector<std::string>{"x", "", "y"}));
  EXPECT_EQ(row(20), (std::vector<std::string>{"20", "n", "m"}));

  // Records the new file does not have are empty, not left over from the previous document.
  WriteBytes(path, SourceFile("';'", "1", {Field("A", 1, 1)}, {"one"}));
  ASSERT_TRUE(LoadFSR(doc, path, view_).ok());
  EXPECT_EQ(doc.SampleValues[1][1], "one");
  EXPECT_EQ(doc.SampleValues[2][1], "");
  EXPECT_EQ(doc.SampleValues[1][3], "");
}

TEST_F(SourceFileTest, OldFilesKeepTheSplitterBoxAndSplitAtIt) {
  const std::string path = PathOf("old.fsr");
  WriteBytes(path, OldSourceFile({"1|one", "2|two"}));
  view_.splitter = "|";
  Document doc;
  ASSERT_TRUE(LoadFSR(doc, path, view_).ok());
  EXPECT_EQ(view_.splitter, "|");
  EXPECT_EQ(view_.database_name, "Old book");
  EXPECT_EQ(doc.Fields[2].Name, "Field2");
  EXPECT_EQ(doc.Fields[2].MaxLen, 20);
  EXPECT_EQ(doc.SampleValues[2][2], "two");
}

TEST(NextHeaderValue, SkipsAndCountsCommentsUntilTheEnd) {
  const testing_support::ScratchFolder scratch;
  LineReader file;
  ASSERT_TRUE(
      file.Open(scratch.Write("next.fsr", "; a\r\n;b\r\nvalue\r\n\r\n;\r\n; last\r\n")).ok());
  std::int32_t count = 0;
  EXPECT_EQ(NextHeaderValue(file, count), "value");
  EXPECT_EQ(count, 3);
  EXPECT_EQ(NextHeaderValue(file, count), "");  // an empty line is a value
  EXPECT_EQ(count, 4);
  EXPECT_EQ(NextHeaderValue(file, count), "");  // a comment as the last line is none
  EXPECT_EQ(count, 6);
}

}  // namespace
}  // namespace designer
