#include "format/source_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace format {
namespace {

StoredValue Text(std::string_view text) { return {text, 0, 0}; }
StoredValue Number(std::uint32_t bits, int size) { return {{}, bits, size}; }

TEST(DataLineMaker, WritesEveryRecordSoThatTheBuilderStoresItAgain) {
  const std::string long_text(250, 'x');
  const std::string longest_text(253, 'y');
  struct Case {
    const char* what;
    std::vector<StoredValue> values;
    std::vector<std::uint16_t> max_sizes;
    char splitter;
    bool exact;
    std::string line;  // the line, or the start of the refusal
  };
  const Case cases[] = {
      {"text and number", {Text("Ab"), Number(300, 2)}, {10, 10}, ';', true, "Ab;300"},
      {"zero in a field whose max size is 0", {Text("a"), Number(0, 1)}, {5, 0}, ';', true, "a;"},
      {"a usual text that would raise the max size", {Number(0xFFFF, 2)}, {2}, ';', true, "-1"},
      {"one empty value", {Text("")}, {0}, ';', true, " "},
      {"a line too long with usual numbers",
       {Text(long_text), Number(0xFF, 1)},
       {250, 3},
       ';',
       true,
       long_text + ";-1"},
      {"a longer text than the max size, not exact", {Text("abc")}, {2}, ';', false, "abc"},
      {"control character",
       {Text("a\tb")},
       {9},
       ';',
       true,
       "Запись 1, поле 1: значение содержит управляющий символ (код 9)"},
      {"trailing blank",
       {Text("a ")},
       {9},
       ';',
       true,
       "Запись 1, поле 1: значение кончается пробелом"},
      {"splitter in a text",
       {Text("a"), Text("b;c")},
       {9, 9},
       ';',
       true,
       "Запись 1, поле 2: значение содержит разделитель «;»"},
      {"splitter in a number",
       {Number(15, 1)},
       {9},
       '5',
       true,
       "Запись 1, поле 1: число содержит разделитель «5»"},
      {"a longer text than the max size",
       {Text("abc")},
       {2},
       ';',
       true,
       "Запись 1, поле 1: значение длиннее размера поля (2)"},
      {"too long whatever the numbers",
       {Text(longest_text), Number(200, 1)},
       {253, 3},
       ';',
       true,
       "Запись 1: строка данных заняла бы 257 символов"},
  };
  for (const Case& c : cases) {
    DataLineMaker maker(c.max_sizes, c.splitter, c.exact);
    const BookRecord record{1, 0, c.values};
    std::string line;
    const Status status = maker.Make(record, kMaxLineText, line);
    if (c.line.rfind("Запись", 0) != 0) {
      EXPECT_TRUE(status.ok()) << c.what << ": " << status.message();
      EXPECT_EQ(line, c.line) << c.what;
    } else {
      EXPECT_TRUE(status.refusal()) << c.what;
      EXPECT_EQ(status.message().rfind(c.line, 0), 0u) << c.what << ": " << status.message();
    }
  }
}

TEST(SplitterChoice, TheFirstCandidateInNoText) {
  SplitterChoice choice;
  EXPECT_EQ(choice.Choice(), ';');
  choice.See("a;b,c");
  EXPECT_EQ(choice.Choice(), '\t');
  choice.See("\t|");
  EXPECT_EQ(choice.Choice(), std::nullopt);
}

std::string Bytes(const auto& array) { return std::string(array.begin(), array.end()); }

TEST(CheckSourceHeader, RefusesWhatNoSourceFileGivesTheBuilder) {
  struct Case {
    const char* what;
    std::string name;
    char prefix_end;
    std::string first_field;
    std::size_t changed_offset;  // a byte set to 1 there; 0: none
    std::string refusal;         // empty: accepted
  };
  const Case cases[] = {
      {"a short name shows the prefix line's last byte", "AB", '\n', "A", 0, ""},
      {"a long name hides it", "Longer", '\r', "A", 0, ""},
      {"control character in the name", "A\x01", '\r', "A", 0,
       "Название справочника содержит управляющий символ (код 1)"},
      {"field name read as a comment", "AB", '\r', ";A", 0, "Название поля 1 начинается с «;»"},
      {"byte 6 not of the prefix line", "AB", '\r', "A", 6,
       "байт заголовка по смещению 6 не может прийти из исходного файла"},
      {"a byte after a long name's NUL", "Longer", '\r', "A", 21, "байт заголовка по смещению 21"},
      {"a byte after a field name's NUL", "AB", '\r', "A", 66, "байт заголовка по смещению 66"},
  };
  for (const Case& c : cases) {
    DbHeader header;
    const std::string prefix = std::string(kSourcePrefix) + c.prefix_end;
    std::copy(prefix.begin(), prefix.end(), header.prefix_line.begin());
    header.version = 13;
    header.field_count = 1;
    header.name = c.name;
    std::string bytes = Bytes(EncodeDbHeader(header, true)) +
                        Bytes(EncodeDbFieldDesc({.name = c.first_field, .type = kTypeText})) +
                        kEndMarker;
    if (c.changed_offset != 0) bytes[c.changed_offset] = 1;
    MemorySource source(bytes);
    DatabaseReader reader(source);
    ASSERT_TRUE(reader.ReadHeader().ok()) << c.what;
    const Status status = CheckSourceHeader(reader);
    if (c.refusal.empty()) {
      EXPECT_TRUE(status.ok()) << c.what << ": " << status.message();
      EXPECT_EQ(PrefixLineEnd(reader.header()), c.prefix_end) << c.what;
    } else {
      EXPECT_EQ(status.message().rfind(c.refusal, 0), 0u) << c.what << ": " << status.message();
    }
  }
}

}  // namespace
}  // namespace format
