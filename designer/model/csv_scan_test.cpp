#include "designer/model/csv_scan.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace designer {
namespace {

// Both passes over `text` as the import runs them.
Document Import(const std::string& text, bool has_names, const std::string& splitter = ";",
                std::vector<int>* progress = nullptr) {
  Document doc;
  std::istringstream first_in(text);
  LineReader first_pass(first_in);
  const StatusOr<CsvFirstLine> first = ReadCsvFirstLine(first_pass, splitter);
  EXPECT_TRUE(first.ok());
  if (!first.ok()) return doc;
  std::istringstream records_in(text);
  LineReader records(records_in);
  const Status status =
      ReadCsvRecords(records, splitter, first.value(), has_names, doc, [progress](int count) {
        if (progress != nullptr) progress->push_back(count);
      });
  EXPECT_TRUE(status.ok());
  return doc;
}

TEST(CsvFirstLine, MoreThanFiveCellsAreRefused) {
  std::istringstream six("a;b;c;d;e;f\n1;2;3;4;5;6\n");
  LineReader lines(six);
  const Status status = ReadCsvFirstLine(lines, ";").status();
  EXPECT_TRUE(status.refusal());
  EXPECT_EQ(status.message(),
            "Ошибка! Настоящая версия поддерживает до 5 полей включительно!\n"
            "Ведутся работы по расширение до 10 полей, следите за новостями на сайте.");

  std::istringstream five("a;b;c;d;e\n");
  LineReader five_lines(five);
  const StatusOr<CsvFirstLine> first = ReadCsvFirstLine(five_lines, ";");
  ASSERT_TRUE(first.ok());
  EXPECT_EQ(first->FieldCount, 5);
  EXPECT_EQ(first->Names, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
}

TEST(CsvRecords, HeaderAnsweredYesNamesTheFields) {
  const Document doc = Import("id;name;price\n1;Чай;45\n2;Кофе;199\n", true);
  EXPECT_EQ(doc.FieldCount, 3);
  EXPECT_TRUE(doc.FirstLineHasNames);
  EXPECT_EQ(doc.Fields[1].Name, "id");
  EXPECT_EQ(doc.Fields[2].Name, "name");
  EXPECT_EQ(doc.Fields[3].Name, "price");
  EXPECT_EQ(doc.RecordCount, 2);
  EXPECT_EQ(doc.SampleValues[1][2], "Чай");
  EXPECT_EQ(doc.SampleValues[2][3], "199");
}

TEST(CsvRecords, HeaderAnsweredNoIsTheFirstRecord) {
  const Document doc = Import("id;name;price\n1;Чай;45\n2;Кофе;199\n", false);
  EXPECT_FALSE(doc.FirstLineHasNames);
  EXPECT_EQ(doc.RecordCount, 3);
  for (int i = 1; i <= kFieldTableSize; ++i) EXPECT_EQ(doc.Fields[i].Name, "") << i;
  EXPECT_EQ(doc.SampleValues[1][1], "id");
  EXPECT_EQ(doc.SampleValues[1][3], "price");
  EXPECT_EQ(doc.Fields[1].DataType, kTypeText);  // "id" is no number
}

TEST(CsvRecords, NamesAreCutButNotTrimmed) {
  const Document doc = Import("a; b;12345678901234567890\n1;2;3\n", true);
  EXPECT_EQ(doc.Fields[1].Name, "a");
  EXPECT_EQ(doc.Fields[2].Name, " b");
  EXPECT_EQ(doc.Fields[3].Name, "1234567890123456");
}

// One column of values and what the import makes of its field.
struct FieldCase {
  const char* label;
  std::string values;  // one value per line
  std::uint8_t data_type;
  std::uint8_t flags;
  std::uint8_t num_size;
  std::int32_t max_len;
  std::int32_t width;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.label; }

class CsvFieldDetection : public testing::TestWithParam<FieldCase> {};

TEST_P(CsvFieldDetection, TypeSizeLengthAndWidths) {
  const FieldCase& c = GetParam();
  const Document doc = Import(c.values, false);
  const TFieldDesc& field = doc.Fields[1];
  EXPECT_EQ(field.DataType, c.data_type);
  EXPECT_EQ(field.Flags, c.flags);
  EXPECT_EQ(field.NumSize, c.num_size);
  EXPECT_EQ(field.MaxLen, c.max_len);
  EXPECT_EQ(field.EditWidth, c.width);
  EXPECT_EQ(field.ResultWidth, c.width);
  EXPECT_EQ(field.QueryIndex, 0);
  EXPECT_EQ(field.ResultIndex, 1);
  EXPECT_EQ(field.DetailIndex, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CsvFieldDetection,
    testing::Values(FieldCase{"SmallNumber", "123\n", 2, 3, 1, 3, 27},
                    FieldCase{"TwoByteNumber", "256\n", 2, 3, 2, 3, 27},
                    FieldCase{"ThreeByteNumber", "65536\n", 2, 3, 3, 5, 45},
                    FieldCase{"ThreeByteLimit", "1677725\n", 2, 3, 3, 7, 63},
                    FieldCase{"FourBytesAboveLimit", "1677726\n", 2, 3, 4, 7, 63},
                    FieldCase{"LargestSizeWinsWhateverComesLast", "399\n5\n", 2, 3, 2, 3, 27},
                    FieldCase{"LargestSizeWhenItComesLast", "5\n399\n", 2, 3, 2, 3, 27},
                    FieldCase{"NineDigits", "123456789\n", 2, 3, 4, 9, 81},
                    FieldCase{"TenDigitsAreText", "1234567891\n", 1, 10, 0, 10, 90},
                    FieldCase{"ZeroMakesText", "15\n20\n", 1, 10, 0, 2, 18},
                    FieldCase{"EmptyValueMakesText", "12\n\n7\n", 1, 10, 0, 2, 18},
                    FieldCase{"TrimmedValueIsNumeric", "  7 \n", 2, 3, 1, 1, 9},
                    FieldCase{"ElevenCharactersAreWide", "abcdefghijk\n", 1, 10, 0, 11, 169},
                    FieldCase{"FinalBlankLineMakesText", "1\n2\n\n", 1, 10, 0, 1, 9},
                    FieldCase{"AllEmpty", "\n  \n", 1, 10, 0, 0, 0}),
    [](const testing::TestParamInfo<FieldCase>& info) { return info.param.label; });

TEST(CsvRecords, RecordCountFollowsTheLines) {
  struct Case {
    const char* text;
    bool has_names;
    int records;
  };
  for (const Case& c :
       {Case{"a\nb", false, 2}, Case{"a\nb\n", false, 2}, Case{"a\nb\n\n", false, 3},
        Case{"a\r\nb\r\n", false, 2}, Case{"a\n\nb\n", false, 3}, Case{"a\nb\n\x1A", false, 2},
        Case{"h\n", true, 1}, Case{"h", true, 1}, Case{"h\nx\n", true, 1}, Case{"", false, 1},
        Case{"", true, 1}}) {
    EXPECT_EQ(Import(c.text, c.has_names).RecordCount, c.records) << c.text;
  }
}

TEST(CsvRecords, HeaderOnlyGivesOneEmptyRecord) {
  const Document doc = Import("code;title\n", true);
  EXPECT_EQ(doc.RecordCount, 1);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(doc.Fields[i].DataType, kTypeText);
    EXPECT_EQ(doc.Fields[i].MaxLen, 0);
    EXPECT_EQ(doc.Fields[i].EditWidth, 0);
  }
}

TEST(CsvRecords, EmptyFileGivesOneUnnamedField) {
  const Document doc = Import("", false);
  EXPECT_EQ(doc.FieldCount, 1);
  EXPECT_EQ(doc.Fields[1].Name, "");
  EXPECT_EQ(doc.RecordCount, 1);
  EXPECT_EQ(doc.Fields[1].DataType, kTypeText);
}

TEST(CsvRecords, LastLineWithoutBreakLosesNothing) {
  const Document doc = Import("1;x\n22;yy", false);
  EXPECT_EQ(doc.RecordCount, 2);
  EXPECT_EQ(doc.SampleValues[2][1], "22");
  EXPECT_EQ(doc.SampleValues[2][2], "yy");
  EXPECT_EQ(doc.Fields[2].MaxLen, 2);
}

TEST(CsvRecords, EmptySplitterMakesOneFieldOfTheWholeLine) {
  const Document doc = Import("a;b;c\n  d;e  \n", false, "");
  EXPECT_EQ(doc.FieldCount, 1);
  EXPECT_EQ(doc.SampleValues[1][1], "a;b;c");
  EXPECT_EQ(doc.SampleValues[2][1], "d;e");
}

TEST(CsvRecords, OtherSplitterAndLoneCr) {
  const Document doc = Import("a\tb\r\n1\t2\r3\n", false, "\t");
  EXPECT_EQ(doc.FieldCount, 2);
  EXPECT_EQ(doc.RecordCount, 2);
  EXPECT_EQ(doc.SampleValues[2][2], "23");
  EXPECT_EQ(doc.Fields[2].DataType, kTypeText);  // "b" in record 1
}

TEST(CsvRecords, EntriesAboveTheFieldCountHoldTheDefaults) {
  const Document doc = Import("1;2;3\n", false);
  for (int i = 4; i <= kFieldTableSize; ++i) {
    TFieldDesc expected;
    expected.DataType = kTypeText;
    expected.Flags = 3;
    expected.ResultIndex = static_cast<std::uint8_t>(i);
    expected.DetailIndex = static_cast<std::uint8_t>(i);
    EXPECT_EQ(doc.Fields[i], expected) << i;
  }
}

TEST(CsvRecords, SamplesKeepTwentyRecordsAndEverythingElseIsEmptied) {
  Document doc;
  for (auto& record : doc.SampleValues) record.fill("old");
  doc.Fields[2].Name = "old";
  std::string text;
  for (int r = 1; r <= 25; ++r) text += std::to_string(r) + ";v" + std::to_string(r) + "\n";
  std::istringstream first_in(text), records_in(text);
  LineReader first_pass(first_in), records(records_in);
  const StatusOr<CsvFirstLine> first = ReadCsvFirstLine(first_pass, ";");
  ASSERT_TRUE(first.ok());
  ASSERT_TRUE(ReadCsvRecords(records, ";", first.value(), false, doc, nullptr).ok());

  EXPECT_EQ(doc.RecordCount, 25);
  EXPECT_EQ(doc.Fields[2].Name, "");
  EXPECT_EQ(doc.SampleValues[20][1], "20");
  EXPECT_EQ(doc.SampleValues[20][2], "v20");
  for (int r = 0; r <= kSampleRecords; ++r) {
    for (int i = 0; i <= kMaxDocumentFields; ++i) {
      if (r >= 1 && i >= 1 && i <= 2) continue;
      EXPECT_EQ(doc.SampleValues[r][i], "") << r << "," << i;
    }
  }
}

TEST(CsvRecords, ProgressEveryFiveHundredRecords) {
  std::string text;
  for (int r = 1; r <= 1000; ++r) text += "1\n";
  std::vector<int> progress;
  EXPECT_EQ(Import(text, false, ";", &progress).RecordCount, 1000);
  EXPECT_EQ(progress, (std::vector<int>{500, 1000}));

  progress.clear();
  EXPECT_EQ(Import(text + "1\n", true, ";", &progress).RecordCount, 1000);
  EXPECT_EQ(progress, (std::vector<int>{500, 1000}));
}

}  // namespace
}  // namespace designer
