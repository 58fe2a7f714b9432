#include "designer/model/csv_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace designer {
namespace {

std::vector<std::string> Split(std::string_view line, std::string_view splitter, int count) {
  RecordValues values;
  SplitRecord(line, splitter, count, values);
  return std::vector<std::string>(values.begin(), values.begin() + count);
}

using Values = std::vector<std::string>;

TEST(SplitRecord, ShortAndLongRecords) {
  EXPECT_EQ(Split("a;b;c", ";", 3), (Values{"a", "b", "c"}));
  // Too few splitters: the middle value that found none is empty, the rest is the last value.
  EXPECT_EQ(Split("a;b", ";", 3), (Values{"a", "", "b"}));
  EXPECT_EQ(Split("a", ";", 3), (Values{"", "", "a"}));
  // Too many: the surplus stays in the last value.
  EXPECT_EQ(Split("a;b;c;d", ";", 3), (Values{"a", "b", "c;d"}));
  EXPECT_EQ(Split(";;", ";", 3), (Values{"", "", ""}));
}

TEST(SplitRecord, ValuesAreTrimmedOfBlanksAndControlCodesOnly) {
  EXPECT_EQ(Split("  7 ;\t x\x01 ; \xA0y\xA0 ", ";", 3), (Values{"7", "x", "\xA0y\xA0"}));
  EXPECT_EQ(Split(std::string("\0a\x1F", 3), ";", 1), (Values{"a"}));
}

TEST(SplitRecord, QuotesHaveNoMeaning) {
  EXPECT_EQ(Split("\"a;b\";c", ";", 2), (Values{"\"a", "b\";c"}));
}

TEST(SplitRecord, EmptySplitterNeverSplits) {
  EXPECT_EQ(Split(" a;b ", "", 1), (Values{"a;b"}));
  EXPECT_EQ(Split("a;b", "", 2), (Values{"", "a;b"}));
}

TEST(FirstLineCells, CountAndNames) {
  EXPECT_EQ(CountCells("id;name;price", ";"), 3u);
  EXPECT_EQ(CountCells("", ";"), 1u);
  EXPECT_EQ(CountCells("a;b;c", ""), 1u);
  EXPECT_EQ(CountCells(";;;;;", ";"), 6u);
  // Names are not trimmed, and are cut to 16 bytes.
  EXPECT_EQ(CellNames("a; b;12345678901234567890", ";"), (Values{"a", " b", "1234567890123456"}));
  EXPECT_EQ(CellNames("", ";"), (Values{""}));
}

TEST(NumericValue, OnlyDigitsOneToNineUpToNineCharacters) {
  for (const char* numeric : {"1", "123", "999999999", "123456789"}) {
    EXPECT_TRUE(IsNumericValue(numeric)) << numeric;
  }
  for (const char* text : {"", "0", "10", "205", "1234567891", "12a", "-5", "+5", "1 2", "1.5"}) {
    EXPECT_FALSE(IsNumericValue(text)) << text;
  }
}

TEST(NumericValue, NumberSizesAtTheirLimits) {
  struct Case {
    const char* value;
    int size;
  };
  for (const Case& c : {Case{"1", 1}, Case{"123", 1}, Case{"255", 1}, Case{"256", 2},
                        Case{"65535", 2}, Case{"65536", 3}, Case{"1677725", 3}, Case{"1677726", 4},
                        Case{"16777215", 4}, Case{"999999999", 4}, Case{"123456789", 4}}) {
    EXPECT_EQ(NumberSize(c.value), c.size) << c.value;
  }
}

}  // namespace
}  // namespace designer
