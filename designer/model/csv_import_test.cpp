#include "designer/model/csv_import.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "common/system_reason.h"
#include "common/test/scratch_folder.h"
#include "designer/model/source_file.h"
#include "designer/model/test/fake_window.h"

namespace designer {
namespace {

namespace fs = std::filesystem;

class LoadCsvTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    return scratch_.Write(name, bytes);
  }

  // A loaded two-field document, as an earlier import leaves it.
  Document Previous() {
    Document doc;
    view_.answer_yes = true;
    EXPECT_TRUE(LoadCSV(doc, Write("old.csv", "code;title\n7;Seven\n8;Eight\n"), view_).ok());
    return doc;
  }

  testing_support::ScratchFolder scratch_;
  const fs::path dir_ = scratch_.path();
  FakeWindow view_;
};

TEST_F(LoadCsvTest, ReplacesTheDocumentAndDrivesTheWindow) {
  Document doc;
  doc.HeaderLineCount = 45;
  doc.SourceIsFsr = true;
  const std::string path =
      Write("staff.csv",
            "\xD4\xE0\xEC\xE8\xEB\xE8\xFF;\xD2\xE5\xEB;x\r\n"
            "\xC8\xE2\xE0\xED\xEE\xE2;123;a\r\n\xCF\xE5\xF2\xF0\xEE\xE2;4567;bb\r\n");
  view_.answer_yes = true;
  ASSERT_TRUE(LoadCSV(doc, path, view_).ok());

  ASSERT_EQ(view_.questions.size(), 1u);
  EXPECT_EQ(view_.questions[0], "Первая строка содержит названия полей?\nФамилия\nТел\nx");
  EXPECT_EQ(view_.status[0], "файл: staff.csv");
  EXPECT_EQ(view_.status[1], "полей: 3");
  EXPECT_EQ(view_.status[2], "записей: 2");
  EXPECT_EQ(view_.loaded_count, 1);

  EXPECT_EQ(doc.SourceFileName, path);
  EXPECT_FALSE(doc.SourceIsFsr);
  EXPECT_EQ(doc.HeaderLineCount, 45);  // not the import's business
  EXPECT_EQ(doc.FieldCount, 3);
  EXPECT_EQ(doc.RecordCount, 2);
  EXPECT_EQ(doc.Fields[1].Name, "\xD4\xE0\xEC\xE8\xEB\xE8\xFF");
  EXPECT_EQ(doc.Fields[2].DataType, kTypeNumeric);
  EXPECT_EQ(doc.Fields[2].NumSize, 2);
  EXPECT_EQ(doc.SampleValues[1][1], "\xC8\xE2\xE0\xED\xEE\xE2");
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(doc.Fields[i].QueryIndex, i);
    EXPECT_EQ(doc.Fields[i].ResultIndex, i);
    EXPECT_TRUE(doc.QueryBoxTicked[i]);
    EXPECT_TRUE(doc.ResultBoxTicked[i]);
    EXPECT_TRUE(doc.BoxesShown[i]);
  }
  EXPECT_FALSE(doc.BoxesShown[4]);
  EXPECT_FALSE(doc.BoxesShown[5]);
  EXPECT_EQ(doc.Fields[4].QueryIndex, 0);
}

TEST_F(LoadCsvTest, QueryPositionsComeInFieldOrderWhateverTheOldDocumentHad) {
  Document doc = Previous();
  doc.SetQueryBox(1, false);
  doc.SetQueryBox(1, true);  // field 1 now comes second on the input screen
  ASSERT_EQ(doc.Fields[1].QueryIndex, 2);
  ASSERT_TRUE(LoadCSV(doc, Write("new.csv", "a;b;c\n"), view_).ok());
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(doc.Fields[i].QueryIndex, i);
}

TEST_F(LoadCsvTest, AnsweredNoEmptiesTheNames) {
  Document doc;
  view_.answer_yes = false;
  ASSERT_TRUE(LoadCSV(doc, Write("n.csv", "id;name\n1;x\n"), view_).ok());
  EXPECT_FALSE(doc.FirstLineHasNames);
  EXPECT_EQ(doc.Fields[1].Name, "");
  EXPECT_EQ(doc.RecordCount, 2);
  EXPECT_EQ(doc.SampleValues[1][2], "name");
}

TEST_F(LoadCsvTest, EmptyFileAsksWithoutNames) {
  Document doc;
  ASSERT_TRUE(LoadCSV(doc, Write("empty.csv", ""), view_).ok());
  ASSERT_EQ(view_.questions.size(), 1u);
  EXPECT_EQ(view_.questions[0], "Первая строка содержит названия полей?\n");
  EXPECT_EQ(doc.FieldCount, 1);
  EXPECT_EQ(doc.RecordCount, 1);
}

TEST_F(LoadCsvTest, EmptySplitterBoxGivesOneField) {
  Document doc;
  view_.splitter = "";
  view_.answer_yes = false;
  ASSERT_TRUE(LoadCSV(doc, Write("one.csv", "a;b;c\n"), view_).ok());
  EXPECT_EQ(doc.FieldCount, 1);
  EXPECT_EQ(doc.SampleValues[1][1], "a;b;c");
}

TEST_F(LoadCsvTest, RunningCountIsRepaintedEveryFiveHundredRecords) {
  std::string text;
  for (int r = 1; r <= 1000; ++r) text += "1;x\n";
  Document doc;
  view_.answer_yes = false;
  ASSERT_TRUE(LoadCSV(doc, Write("big.csv", text), view_).ok());
  EXPECT_EQ(view_.repainted_status, (std::vector<std::string>{"500", "1000"}));
  EXPECT_EQ(view_.status[2], "записей: 1000");
}

// A save copies the data lines again from the CSV file; it must find the records the import
// counted, whatever the line ends.
TEST_F(LoadCsvTest, SaveWritesTheRecordsTheImportCounted) {
  struct Case {
    const char* text;
    bool has_names;
    std::int32_t records;
  };
  int n = 0;
  // Ctrl+Z ends the text of its line; reading goes on with the next line unless the line began
  // with it.
  for (const Case& c :
       {Case{"a;1\rX\r\nb;2", false, 2}, Case{"h;h\na;1\nb;2\n\x1A;junk\nc;3\n", true, 2},
        Case{"a;1\nb\x1A;2\nc;3\n", false, 3}}) {
    Document doc;
    view_.answer_yes = c.has_names;
    view_.database_name = "N";
    ASSERT_TRUE(LoadCSV(doc, Write("in" + std::to_string(n) + ".csv", c.text), view_).ok());
    const std::int32_t imported = doc.RecordCount;
    EXPECT_EQ(imported, c.records) << c.text;
    ASSERT_TRUE(SaveFSR(doc, (dir_ / ("out" + std::to_string(n++) + ".fsr")).string(), view_).ok());
    EXPECT_EQ(doc.RecordCount, imported) << c.text;
  }
}

void ExpectSameDocument(const Document& a, const Document& b) {
  EXPECT_EQ(a.Fields, b.Fields);
  EXPECT_EQ(a.FieldCount, b.FieldCount);
  EXPECT_EQ(a.RecordCount, b.RecordCount);
  EXPECT_EQ(a.SourceFileName, b.SourceFileName);
  EXPECT_EQ(a.SourceIsFsr, b.SourceIsFsr);
  EXPECT_EQ(a.FirstLineHasNames, b.FirstLineHasNames);
  EXPECT_EQ(a.SampleValues, b.SampleValues);
  EXPECT_EQ(a.QueryBoxTicked, b.QueryBoxTicked);
  EXPECT_EQ(a.ResultBoxTicked, b.ResultBoxTicked);
  EXPECT_EQ(a.BoxesShown, b.BoxesShown);
}

TEST_F(LoadCsvTest, RefusedFileLeavesThePreviousDocumentInForce) {
  Document doc = Previous();
  const Document before = doc;
  view_.questions.clear();
  view_.loaded_count = 0;

  const Status status = LoadCSV(doc, Write("wide.csv", "a;b;c;d;e;f\n1;2;3;4;5;6\n"), view_);
  EXPECT_TRUE(status.refusal());
  EXPECT_NE(status.message().find("до 5 полей"), std::string::npos);
  EXPECT_TRUE(view_.questions.empty());
  EXPECT_EQ(view_.loaded_count, 0);
  ExpectSameDocument(doc, before);
  // A later save must still copy its lines from the file the document came from.
  EXPECT_EQ(doc.SourceFileName, (dir_ / "old.csv").string());
  EXPECT_EQ(view_.status[0], "файл: old.csv");
  EXPECT_EQ(view_.status[1], "полей: 2");
  EXPECT_EQ(view_.status[2], "записей: 2");
}

TEST_F(LoadCsvTest, RefusalWithNothingLoadedLeavesTheStatusBarEmpty) {
  Document doc;
  EXPECT_TRUE(LoadCSV(doc, Write("wide.csv", ";;;;;\n"), view_).refusal());
  EXPECT_EQ(doc.FieldCount, 0);
  EXPECT_EQ(view_.status[0], "");
}

TEST_F(LoadCsvTest, UnreadableFileIsAnErrorWithItsNameAndReason) {
  Document doc = Previous();
  const Document before = doc;

  const std::string missing = (dir_ / "missing.csv").string();
  Status status = LoadCSV(doc, missing, view_);
  EXPECT_FALSE(status.ok());
  EXPECT_FALSE(status.refusal());
  EXPECT_NE(status.message().find(missing), std::string::npos);
  EXPECT_NE(status.message().find(SystemReason(ENOENT)), std::string::npos);
  ExpectSameDocument(doc, before);
  EXPECT_EQ(view_.status[0], "файл: old.csv");

  // Opening a folder succeeds on some systems; reading it fails.
  status = LoadCSV(doc, dir_.string(), view_);
  EXPECT_FALSE(status.ok());
  EXPECT_FALSE(status.refusal());
  EXPECT_NE(status.message().find(dir_.string()), std::string::npos);
  ExpectSameDocument(doc, before);
}

}  // namespace
}  // namespace designer
