#include "designer/model/csv_line_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace designer {
namespace {

std::vector<std::string> AllLines(const std::string& text) {
  std::istringstream in(text);
  CsvLineReader reader(in);
  std::vector<std::string> lines;
  std::string line;
  while (!reader.AtEnd()) {
    reader.ReadLine(line);
    lines.push_back(line);
  }
  EXPECT_FALSE(reader.failed());
  return lines;
}

struct LineCase {
  const char* label;
  std::string text;
  std::vector<std::string> lines;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.label; }

class CsvLineReaderCases : public testing::TestWithParam<LineCase> {};

TEST_P(CsvLineReaderCases, SplitsTextIntoLines) {
  EXPECT_EQ(AllLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, CsvLineReaderCases,
    testing::Values(
        LineCase{"Empty", "", {}}, LineCase{"NoFinalBreak", "a\nb", {"a", "b"}},
        LineCase{"FinalBreakAddsNoLine", "a\nb\n", {"a", "b"}},
        LineCase{"FinalBlankLineIsALine", "a\n\n", {"a", ""}},
        LineCase{"CrLf", "a;1\r\nb;2\r\n", {"a;1", "b;2"}},
        LineCase{"LoneCrIsDropped", "a\rb\nc\r", {"ab", "c"}},
        LineCase{"CrCrLf", "a\r\r\nb", {"a", "b"}},
        LineCase{"CtrlZAtLineStartEndsText", "a\r\n\x1A", {"a"}},
        LineCase{"CtrlZEndsTextWithinALine",
                 "ab\x1A"
                 "cd\nef\n",
                 {"ab"}},
        LineCase{"OnlyCtrlZ", "\x1A\n", {}},
        LineCase{"Cp1251BytesUntouched", "\xC8\xE2\xE0\xED\t\x01\n", {"\xC8\xE2\xE0\xED\t\x01"}},
        LineCase{"NulIsAnOrdinaryByte", std::string("a\0b\n", 4), {std::string("a\0b", 3)}}),
    [](const testing::TestParamInfo<LineCase>& info) { return info.param.label; });

TEST(CsvLineReader, LinesLongerThanTheBlockStayWhole) {
  const std::string long_line(1 << 20, 'x');  // 1 MB
  EXPECT_EQ(AllLines(long_line + "\r\nshort"), (std::vector<std::string>{long_line, "short"}));
}

TEST(CsvLineReader, CrLfAcrossABlockBoundaryIsOneLineEnd) {
  const std::string before(64 * 1024 - 1, 'y');  // the CR is the last byte of the first block
  EXPECT_EQ(AllLines(before + "\r\nz"), (std::vector<std::string>{before, "z"}));
  EXPECT_EQ(AllLines(before + "\rz"), (std::vector<std::string>{before + "z"}));
}

TEST(CsvLineReader, ReadingAtTheEndGivesAnEmptyLine) {
  std::istringstream in("only");
  CsvLineReader reader(in);
  std::string line = "stale";
  reader.ReadLine(line);
  EXPECT_EQ(line, "only");
  EXPECT_TRUE(reader.AtEnd());
  reader.ReadLine(line);
  EXPECT_EQ(line, "");
}

}  // namespace
}  // namespace designer
