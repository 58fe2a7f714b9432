#include "builder/convert/record_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/convert/test/test_support.h"

namespace builder {
namespace {

using testing::Hex;

std::vector<std::string> CutAll(std::string_view line, char splitter, int count) {
  std::vector<std::string> values;
  std::size_t position = 0;
  for (int i = 0; i < count; ++i) {
    std::string_view value;
    position = NextField(line, position, splitter, value);
    values.emplace_back(value);
  }
  return values;
}

TEST(NextField, CutsValuesAsTheFormatSays) {
  struct Case {
    const char* what;
    std::string line;
    char splitter;
    std::vector<std::string> values;
  };
  const Case cases[] = {
      {"plain values, CR LF ends the last", "a;b;c\r\n", ';', {"a", "b", "c"}},
      {"trailing blanks dropped, leading kept", " ab  ;c\r\n", ';', {" ab", "c"}},
      {"a tab ends a value like a splitter", "a\tb;c\r\n", ';', {"a", "b", "c"}},
      {"bytes 128..255 are ordinary", "\xC0\xFF;\xE0\r\n", ';', {"\xC0\xFF", "\xE0"}},
      {"more splitters than values: rest unused", "a;b;c;d\r\n", ';', {"a", "b"}},
      {"values missing at the line's end read empty", "a\r\n", ';', {"a", "", "", ""}},
      {"a line without line end", "a;b", ';', {"a", "b", ""}},
      {"only blanks give an empty value", "   ;x\n", ';', {"", "x"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CutAll(c.line, c.splitter, static_cast<int>(c.values.size())), c.values) << c.what;
  }
}

TEST(ParseLeadingInt, ReadsLeadingDigitsOnly) {
  struct Case {
    const char* text;
    std::int32_t value;
  };
  const Case cases[] = {{"300", 300},
                        {"-1", -1},
                        {"  42x", 42},
                        {"+7", 7},
                        {"abc", 0},
                        {"", 0},
                        {"13\r\n", 13},
                        {"- 5", 0},
                        {"99999999999", 2147483647},
                        {"-99999999999", -2147483647 - 1}};
  for (const Case& c : cases) EXPECT_EQ(ParseLeadingInt(c.text), c.value) << c.text;
}

TEST(AppendFields, EncodeTextWithNulAndNumbersLittleEndian) {
  struct Case {
    const char* value;
    int size;
    std::string bytes;
  };
  const Case numbers[] = {{"300", 2, Hex("2C 01")},
                          {"-1", 2, Hex("FF FF")},
                          {"abc", 2, Hex("00 00")},
                          {"70000", 2, Hex("70 11")},
                          {"16909060", 4, Hex("04 03 02 01")},
                          {"5", 1, Hex("05")}};
  for (const Case& c : numbers) {
    ConversionState state;
    state.StartRecord();
    AppendNumberField(state, c.value, c.size);
    EXPECT_EQ(state.record.substr(1), c.bytes) << c.value;
    EXPECT_EQ(state.record_length, 1 + c.size);
  }

  ConversionState state;
  state.StartRecord();
  AppendTextField(state, "Ivanov");
  AppendNumberField(state, "300", 2);
  state.FinishRecord();
  EXPECT_EQ(state.record, Hex("0A 49 76 61 6E 6F 76 00 2C 01"));
}

TEST(AppendFields, RunningLengthDoesNotWrapPastTheLengthByte) {
  ConversionState state;
  state.StartRecord();
  for (int i = 0; i < 70; ++i) AppendNumberField(state, "1", 4);
  EXPECT_EQ(state.record_length, 281);
}

}  // namespace
}  // namespace builder
