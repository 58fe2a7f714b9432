#include "designer/model/table_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/test/cp1251.h"

namespace designer {
namespace {

using testing_support::Cp;

std::vector<std::string> Values(const CellRecord& record) {
  return {record.values().begin(), record.values().begin() + record.field_count()};
}

TEST(CellRecord, CellsBecomeTheValuesOfTheFields) {
  struct Case {
    std::vector<std::string_view> cells;
    int fields;
    std::vector<std::string> values;
    std::string line;  // joined by ";"
    bool line_breaks;
  };
  const Case cases[] = {
      {{"a", "b"}, 2, {"a", "b"}, "a;b", false},
      {{" a ", "\tb"}, 2, {"a", "b"}, "a;b", false},        // trimmed as every value
      {{"a"}, 3, {"a", "", ""}, "a;;", false},              // missing cells are empty
      {{"a", "b", "c", "d"}, 2, {"a", "b"}, "a;b", false},  // surplus cells are dropped
      {{"two\nlines", "x\ty"}, 2, {"two lines", "x y"}, "two lines;x y", true},
      {{"a\r\n"}, 1, {"a"}, "a", false},  // line breaks at the ends go
      {{}, 2, {"", ""}, "", false},       // an empty line writes nothing
  };
  for (const Case& c : cases) {
    CellRecord record;
    record.Set(c.cells, c.fields, TextEncoding::kCp1251);
    EXPECT_EQ(Values(record), c.values) << c.line;
    std::string line;
    record.MakeLine(';', line);
    EXPECT_EQ(line, c.line);
    EXPECT_EQ(record.line_length(), c.line.size()) << c.line;
    EXPECT_EQ(record.line_breaks(), c.line_breaks) << c.line;
  }
}

TEST(CellRecord, Utf8CellsBecomeDocumentTextWithTheFirstCharacterTheCodePageLacks) {
  CellRecord record;
  record.Set({"Ёлка", "中 и 😀"}, 2, TextEncoding::kUtf8);
  EXPECT_EQ(Values(record), (std::vector<std::string>{Cp("Ёлка"), Cp("? и ?")}));
  ASSERT_TRUE(record.unmappable().has_value());
  EXPECT_EQ(record.unmappable()->code_point, U'中');
  EXPECT_EQ(record.unmappable()->output_at, 5u);  // its place in the line "Ёлка;? и ?"
  EXPECT_TRUE(record.Holds(' '));
  EXPECT_FALSE(record.Holds(';'));
}

TEST(TableScan, CountsEveryWarningWithItsFirstLine) {
  TableScan scan(2, /*quoted=*/false);
  const RecordValues plain{"a", "b"};
  const RecordValues quoted{"\"a\"", "b"};
  const codepage::BadCharacter bad{"中", U'中', false, 0};
  scan.Add(plain, {.line = 2});
  scan.Add(quoted, {.line = 3, .other_field_count = true});
  scan.Add(plain, {.line = 4, .line_length = 251, .unmappable = &bad});
  scan.Add(quoted, {.line = 7, .other_field_count = true, .line_length = 250});
  const TableWarnings& found = scan.warnings();
  EXPECT_EQ(found.other_field_count, (TableFinding{2, 3}));
  EXPECT_EQ(found.looks_quoted, (TableFinding{2, 3}));
  EXPECT_EQ(found.long_lines, (TableFinding{1, 4}));
  EXPECT_EQ(found.unmappable, (TableFinding{1, 4}));
  EXPECT_EQ(scan.record_count(), 4);
}

TEST(TableScan, KeepsThePreviewAndChoosesAFreeSplitter) {
  TableScan scan(2, /*quoted=*/true, 2);
  CellRecord record;
  for (const std::vector<std::string_view>& cells :
       std::vector<std::vector<std::string_view>>{{"a;b", "1"}, {"c", "2,5"}, {"\"d\"", "3\t4"}}) {
    record.Set(cells, 2, TextEncoding::kCp1251);
    scan.Add(record.values(),
             {.line = scan.record_count() + 1, .splitters_held = record.splitters_held()});
  }
  EXPECT_EQ(scan.preview(), (std::vector<std::vector<std::string>>{{"a;b", "1"}, {"c", "2,5"}}));
  EXPECT_EQ(scan.preview_lines(), (std::vector<std::int64_t>{1, 2}));
  EXPECT_EQ(scan.FreeSplitter(), '\t');              // the tab of "3\t4" became a blank
  EXPECT_EQ(scan.warnings().looks_quoted.count, 0);  // read with quotes, "d" was meant so
}

TEST(DescribeWarnings, EveryKindInItsOrderLongLinesOnlyWhenCut) {
  TableWarnings warnings;
  warnings.other_field_count = {3, 17};
  warnings.long_lines = {1, 5};
  warnings.unmappable = {2, 9};
  warnings.first_unmappable = "символ U+4E2D «中», которого нет в кодировке Windows-1251";
  warnings.looks_quoted = {4, 2};
  warnings.line_breaks = {1, 11};
  warnings.bad_quotes = {1, 12};
  const std::vector<WarningLine> lines = DescribeWarnings(warnings, true);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0].text, "другое число полей, чем в первой строке");
  EXPECT_EQ(lines[0].first_line, 17);
  EXPECT_EQ(lines[0].count, 3);
  EXPECT_EQ(lines[1].text, "строка длиннее 250 символов, при сохранении она будет обрезана");
  EXPECT_EQ(lines[2].text, "содержит символ U+4E2D «中», которого нет в кодировке Windows-1251");
  EXPECT_EQ(lines[3].text, "значение в двойных кавычках, а кавычки не учитываются");
  EXPECT_EQ(lines[4].text, "перевод строки внутри значения станет пробелом");
  EXPECT_EQ(lines[5].text, "кавычки расставлены не по правилам CSV (RFC 4180)");
  EXPECT_EQ(DescribeWarnings(warnings, false).size(), 5u);
  EXPECT_TRUE(DescribeWarnings({}, true).empty());
}

}  // namespace
}  // namespace designer
