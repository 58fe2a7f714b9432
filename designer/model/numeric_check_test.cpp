#include "designer/model/numeric_check.h"

#include <gtest/gtest.h>

#include <string>

#include "common/test/scratch_folder.h"
#include "designer/model/test/fake_window.h"

namespace designer {
namespace {

// Field 2 of a CSV file whose 24 first records hold numbers and record 25 the value given: only a
// 32-bit integer passes, and a refusal names the record and the value. Empty lines are no records.
TEST(CheckNumericField, ReadsEveryRecordBeyondTheSamples) {
  const struct {
    const char* value;
    bool number;
  } cases[] = {{"12", true},   {" -7 ", true}, {"12a", false},
               {"N/A", false}, {"", false},    {"99999999999", false}};
  testing_support::ScratchFolder scratch;
  FakeWindow view;
  for (const auto& c : cases) {
    std::string csv = "name;number\n";
    for (int record = 1; record <= 24; ++record) csv += "x;" + std::to_string(record) + "\n\n";
    csv += std::string("y;") + c.value + "\nz;1\n";
    Document doc;
    ASSERT_TRUE(LoadCSV(doc, scratch.Write("data.csv", csv), view).ok());
    const Status status = CheckNumericField(doc, 2, ";", nullptr);
    EXPECT_EQ(status.ok(), c.number) << c.value;
    if (!c.number) {
      EXPECT_TRUE(status.refusal());
      EXPECT_NE(status.message().find(std::string("в записи 25 значение «") + c.value + "»"),
                std::string::npos)
          << status.message();
    }
  }
}

TEST(CheckNumericFields, ASourceFilesNumericFieldIsCheckedOnlyThere) {
  testing_support::ScratchFolder scratch;
  FakeWindow view;
  const std::string csv = "name;number\nx;1\ny;12a\n";
  Document from_csv;
  ASSERT_TRUE(LoadCSV(from_csv, scratch.Write("data.csv", csv), view).ok());
  from_csv.Fields[2].DataType = kTypeNumeric;  // made numeric without the check
  EXPECT_TRUE(CheckNumericFields(from_csv, ";", nullptr).ok());

  ASSERT_TRUE(SaveFSR(from_csv, scratch.File("data.fsr"), view).ok());
  Document from_fsr;
  ASSERT_TRUE(LoadFSR(from_fsr, scratch.File("data.fsr"), view).ok());
  const Status status = CheckNumericFields(from_fsr, ";", nullptr);
  EXPECT_TRUE(status.refusal());
  EXPECT_NE(status.message().find("в записи 2 значение «12a»"), std::string::npos)
      << status.message();
}

// A document whose fields read other columns (a design applied to a new table) is checked in the
// column each field reads.
TEST(CheckNumericField, ReadsTheColumnOfTheFieldThroughAColumnMap) {
  testing_support::ScratchFolder scratch;
  FakeWindow view;
  view.answer_yes = false;
  Document doc;
  ASSERT_TRUE(LoadCSV(doc, scratch.Write("data.csv", "a;x;1\nb;y;2\n"), view).ok());
  doc.FieldCount = 2;
  doc.SourceColumns = Document::ColumnMap{3, {0, 3, 1}};
  EXPECT_TRUE(CheckNumericField(doc, 1, ";", nullptr).ok());
  const Status status = CheckNumericField(doc, 2, ";", nullptr);
  EXPECT_TRUE(status.refusal());
  EXPECT_NE(status.message().find("в записи 1 значение «a»"), std::string::npos)
      << status.message();
}

}  // namespace
}  // namespace designer
