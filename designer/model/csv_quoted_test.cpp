#include "designer/model/csv_quoted.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace designer {
namespace {

// A record as the reader hands it out, and what it tells about it.
struct Read {
  std::vector<std::string> cells;
  std::int64_t line = 0;
  int line_breaks = 0;
  bool quoted = false;
  bool well_formed = true;
  bool open = false;
  friend bool operator==(const Read&, const Read&) = default;
};

std::ostream& operator<<(std::ostream& out, const Read& read) {
  out << "line " << read.line << ":";
  for (const std::string& cell : read.cells) out << " [" << cell << "]";
  return out << (read.well_formed ? "" : " not well-formed") << (read.open ? " open" : "");
}

std::vector<Read> ReadAll(const std::string& text, const std::string& splitter = ",") {
  std::istringstream in(text);
  LineReader lines(in);
  QuotedRecordReader records(lines, splitter);
  std::vector<Read> all;
  std::vector<std::string_view> cells;
  while (records.Next(cells)) {
    all.push_back({std::vector<std::string>(cells.begin(), cells.end()), records.line(),
                   records.line_breaks(), records.has_quoted_value(), records.well_formed(),
                   records.quote_left_open()});
  }
  return all;
}

TEST(QuotedRecordReader, ReadsRecordsAsRfc4180WritesThem) {
  struct Case {
    const char* text;
    std::vector<Read> records;
  };
  const Case cases[] = {
      {"a,b,c\n", {{{"a", "b", "c"}, 1}}},
      {"a,b\r\n1,2", {{{"a", "b"}, 1}, {{"1", "2"}, 2}}},
      {"\"a,b\",c\n", {{{"a,b", "c"}, 1, 0, true}}},
      {"\"say \"\"hi\"\"\",x\n", {{{"say \"hi\"", "x"}, 1, 0, true}}},
      {"\"\",\"\"\"\"\n", {{{"", "\""}, 1, 0, true}}},
      // A line break inside quotes is text; the next record begins on the line after.
      {"\"two\r\nlines\",x\nnext,y\n", {{{"two\nlines", "x"}, 1, 1, true}, {{"next", "y"}, 3}}},
      {"a,\n", {{{"a", ""}, 1}}},
      {",\n", {{{"", ""}, 1}}},
      // An empty line is a record without cells.
      {"a\n\nb\n", {{{"a"}, 1}, {{}, 2}, {{"b"}, 3}}},
      // Leniency: a quote inside a value without quotes, text after a closing quote.
      {"12\" screen,x\n", {{{"12\" screen", "x"}, 1, 0, false, false}}},
      {"\"a\"b,c\n", {{{"ab", "c"}, 1, 0, true, false}}},
      {" \"a\",b\n", {{{" \"a\"", "b"}, 1, 0, false, false}}},
      // A quote left open takes the rest of the input.
      {"x,\"open\nrest,of\n", {{{"x", "open\nrest,of"}, 1, 1, true, false, true}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadAll(c.text), c.records) << c.text;
}

TEST(QuotedRecordReader, SplitsAtAnySplitterOrNone) {
  EXPECT_EQ(ReadAll("\"a;b\";c\n", ";"), (std::vector<Read>{{{"a;b", "c"}, 1, 0, true}}));
  EXPECT_EQ(ReadAll("a\t\"b\tc\"\n", "\t"), (std::vector<Read>{{{"a", "b\tc"}, 1, 0, true}}));
  // A splitter of several bytes: a Windows-1251 letter in a UTF-8 file.
  EXPECT_EQ(ReadAll("a\xC2\xA7\"b\xC2\xA7\"\n", "\xC2\xA7"),
            (std::vector<Read>{{{"a", "b\xC2\xA7"}, 1, 0, true}}));
  EXPECT_EQ(ReadAll("\"a,b\",c\n", ""), (std::vector<Read>{{{"a,b,c"}, 1, 0, true, false}}));
}

TEST(QuotedRecordReader, CountsLinesFromWhereTheRecordsBegin) {
  std::istringstream in("\"a\nb\",1\nc,2\n");
  LineReader lines(in);
  QuotedRecordReader records(lines, ",", 5);
  std::vector<std::string_view> cells;
  ASSERT_TRUE(records.Skip());
  EXPECT_EQ(records.line(), 5);
  ASSERT_TRUE(records.Next(cells));
  EXPECT_EQ(records.line(), 7);
  EXPECT_FALSE(records.Next(cells));
  EXPECT_TRUE(records.status().ok());
}

TEST(QuotedRecordReader, ValuesLongerThanABlockStayWhole) {
  const std::string big(3 * LineReader::kBlockSize, 'x');
  const std::vector<Read> all = ReadAll("\"" + big + "\n" + big + "\"," + big + "\n");
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].cells, (std::vector<std::string>{big + "\n" + big, big}));
}

}  // namespace
}  // namespace designer
