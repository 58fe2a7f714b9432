#include "designer/model/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "common/system_reason.h"

namespace designer {
namespace {

// How a test takes the lines: each copied whole, or in place where the reader allows it, as the
// import and the source-file copy do.
enum class Reading { kCopied, kInPlaceFirst };

std::vector<std::string> AllLines(const std::string& text, Reading reading = Reading::kCopied) {
  std::istringstream in(text);
  LineReader reader(in);
  std::vector<std::string> lines;
  std::string line;
  while (!reader.AtEnd()) {
    std::string_view in_place;
    if (reading == Reading::kInPlaceFirst && reader.ReadLineInPlace(in_place)) {
      lines.emplace_back(in_place);
      continue;
    }
    EXPECT_TRUE(reader.ReadLine(line));
    lines.push_back(line);
  }
  EXPECT_TRUE(reader.status().ok());
  return lines;
}

struct LineCase {
  const char* label;
  std::string text;
  std::vector<std::string> lines;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.label; }

class LineReaderCases : public testing::TestWithParam<LineCase> {};

TEST_P(LineReaderCases, SplitsTextIntoLines) {
  EXPECT_EQ(AllLines(GetParam().text), GetParam().lines);
}

TEST_P(LineReaderCases, LinesReadInPlaceFollowTheSameRules) {
  EXPECT_EQ(AllLines(GetParam().text, Reading::kInPlaceFirst), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, LineReaderCases,
    testing::Values(
        LineCase{"Empty", "", {}}, LineCase{"NoFinalBreak", "a\nb", {"a", "b"}},
        LineCase{"FinalBreakAddsNoLine", "a\nb\n", {"a", "b"}},
        LineCase{"FinalBlankLineIsALine", "a\n\n", {"a", ""}},
        LineCase{"CrLf", "a;1\r\nb;2\r\n", {"a;1", "b;2"}},
        LineCase{"LoneCrIsDropped", "a\rb\nc\r", {"ab", "c"}},
        LineCase{"CrCrLf", "a\r\r\nb", {"a", "b"}},
        LineCase{"CtrlZAtLineStartEndsText", "a\r\n\x1A", {"a"}},
        LineCase{"CtrlZEndsOnlyTheTextOfItsLine",
                 "ab\x1A"
                 "cd\r\nef\x1A\x1A\n\x1A"
                 "gh",
                 {"ab", "ef"}},
        LineCase{"CtrlZRestOfLineAcrossCrAndToTheEnd", "a\r\x1A\rb\nc\x1A", {"a", "c"}},
        LineCase{"OnlyCtrlZ", "\x1A\n", {}},
        LineCase{"Cp1251BytesUntouched", "\xC8\xE2\xE0\xED\t\x01\n", {"\xC8\xE2\xE0\xED\t\x01"}}),
    [](const testing::TestParamInfo<LineCase>& info) { return info.param.label; });

TEST(LineReader, LinesLongerThanTheBlockStayWhole) {
  const std::string long_line(1 << 20, 'x');  // 1 MB
  EXPECT_EQ(AllLines(long_line + "\r\nshort"), (std::vector<std::string>{long_line, "short"}));
}

TEST(LineReader, CrLfAcrossABlockBoundaryIsOneLineEnd) {
  const std::string before(LineReader::kBlockSize - 1, 'y');  // CR: last byte of the first block
  for (const Reading reading : {Reading::kCopied, Reading::kInPlaceFirst}) {
    EXPECT_EQ(AllLines(before + "\r\nz", reading), (std::vector<std::string>{before, "z"}));
    EXPECT_EQ(AllLines(before + "\rz", reading), (std::vector<std::string>{before + "z"}));
  }
}

TEST(LineReader, InPlaceLinesMixWithCopiedOnesAcrossBlocks) {
  // Short lines, a line across each block boundary, lone CRs and bare LFs in later blocks: the
  // lines read in place and the ones the reader copies together give every line once, in order.
  std::string text;
  std::vector<std::string> expected;
  for (int i = 0; text.size() < 3 * LineReader::kBlockSize; ++i) {
    std::string line = "record;" + std::to_string(i);
    if (i % 97 == 0) line += std::string(1000, 'w');
    text += line;
    if (i % 89 == 0) {  // a dropped CR inside the line
      text += "\r-";
      line += "-";
    }
    text += i % 7 == 0 ? "\n" : "\r\n";
    expected.push_back(line);
  }
  EXPECT_EQ(AllLines(text, Reading::kInPlaceFirst), expected);
}

TEST(LineReader, LineInPlaceIsNotTakenInTheMiddleOfALine) {
  std::istringstream in("abcdef\r\nnext\r\n");
  LineReader reader(in);
  std::string piece;
  bool ended = true;
  ASSERT_TRUE(reader.ReadPiece(2, piece, ended));
  std::string_view line;
  EXPECT_FALSE(reader.ReadLineInPlace(line));  // the rest of "abcdef" belongs to ReadPiece
  ASSERT_TRUE(reader.ReadLine(piece));
  EXPECT_EQ(piece, "cdef");
  ASSERT_TRUE(reader.ReadLineInPlace(line));
  EXPECT_EQ(line, "next");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.ReadLineInPlace(line));
}

TEST(LineReader, ReadingAtTheEndGivesAnEmptyLine) {
  std::istringstream in("only");
  LineReader reader(in);
  std::string line = "stale";
  EXPECT_TRUE(reader.ReadLine(line));
  EXPECT_EQ(line, "only");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.ReadLine(line));
  EXPECT_EQ(line, "");
}

TEST(LineReader, PiecesOfALineAndWhatIsKeptOfIt) {
  std::istringstream in("abcdefg\r\nhij\nlast");
  LineReader reader(in);
  std::string piece;
  bool ended = true;
  ASSERT_TRUE(reader.ReadPiece(3, piece, ended));
  EXPECT_EQ(piece, "abc");
  EXPECT_FALSE(ended);
  ASSERT_TRUE(reader.ReadPiece(4, piece, ended));
  EXPECT_EQ(piece, "defg");
  EXPECT_FALSE(ended);  // the line end has not been read yet
  ASSERT_TRUE(reader.ReadPiece(4, piece, ended));
  EXPECT_EQ(piece, "");
  EXPECT_TRUE(ended);
  ASSERT_TRUE(reader.ReadLine(2, piece));  // the rest of the line is read past
  EXPECT_EQ(piece, "hi");
  ASSERT_TRUE(reader.SkipLine());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.SkipLine());
}

TEST(LineReader, ByteOrderMarkIsDroppedOnlyAtTheStart) {
  {
    std::istringstream in(
        "\xEF\xBB\xBF"
        "a\n");
    LineReader reader(in);
    EXPECT_TRUE(reader.SkipByteOrderMark());
    EXPECT_FALSE(reader.SkipByteOrderMark());
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "a");
  }
  {
    std::istringstream in("a\n\xEF\xBB\xBF\n");  // within the text the bytes are text
    LineReader reader(in);
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_FALSE(reader.SkipByteOrderMark());
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "\xEF\xBB\xBF");
  }
  for (const std::string text : {"", "\xEF\xBB", "\xEF\xBB\xBE"}) {
    std::istringstream in(text);
    LineReader reader(in);
    EXPECT_FALSE(reader.SkipByteOrderMark()) << text;
    std::string line;
    reader.ReadLine(line);
    EXPECT_EQ(line, text);
  }
}

// A stream whose second block cannot be read.
class FailingBuffer : public std::streambuf {
 protected:
  int_type underflow() override {
    if (served_) {
      errno = EIO;
      throw std::runtime_error("device gone");
    }
    served_ = true;
    setg(text_, text_, text_ + sizeof text_ - 1);
    return traits_type::to_int_type(text_[0]);
  }

 private:
  char text_[8] = "a\nb\nc";
  bool served_ = false;
};

TEST(LineReader, AReadErrorIsNoEndOfText) {
  FailingBuffer buffer;
  std::istream in(&buffer);
  LineReader reader(in, "data.csv");
  std::string line;
  EXPECT_FALSE(reader.ReadLine(line));  // the block that failed is not trusted
  EXPECT_FALSE(reader.status().ok());
  EXPECT_NE(reader.status().message().find("«data.csv»"), std::string::npos)
      << reader.status().message();
  EXPECT_TRUE(reader.AtEnd());
}

// Serves its text a few bytes at a time and tells only those as available, as a pipe does.
class TrickleBuffer : public std::streambuf {
 public:
  explicit TrickleBuffer(std::string text) : text_(std::move(text)) {}

 protected:
  std::streamsize showmanyc() override { return egptr() - gptr(); }
  int_type underflow() override {
    if (served_ == text_.size()) return traits_type::eof();
    const std::size_t size = std::min<std::size_t>(10, text_.size() - served_);
    char* start = text_.data() + served_;
    setg(start, start, start + size);
    served_ += size;
    return traits_type::to_int_type(*start);
  }

 private:
  std::string text_;
  std::size_t served_ = 0;
};

TEST(LineReader, AnInputThatTellsLessThanItHoldsIsReadWhole) {
  std::string text;
  std::vector<std::string> expected;
  for (int i = 0; text.size() < 3 * LineReader::kSmallestBlock; ++i) {
    expected.push_back("record;" + std::to_string(i));
    text += expected.back() + "\r\n";
  }
  TrickleBuffer buffer(text);
  std::istream in(&buffer);
  in.peek();  // the first few bytes are all the stream tells of
  LineReader reader(in);
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(line)) lines.push_back(line);
  EXPECT_TRUE(reader.status().ok());
  EXPECT_EQ(lines, expected);
}

TEST(LineReader, AFileThatCannotBeOpenedIsNamed) {
  LineReader reader;
  const Status status = reader.Open("/nonexistent/folder/data.csv");
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("/nonexistent/folder/data.csv"), std::string::npos);
  EXPECT_NE(status.message().find(SystemReason(ENOENT)), std::string::npos);
  EXPECT_TRUE(reader.AtEnd());
}

TEST(LineReader, CtrlZInALaterBlockStillEndsTheTextOfItsLine) {
  // Each block is checked for Ctrl+Z once, when it is read; a later block must be checked too.
  std::string text;
  std::vector<std::string> expected;
  while (text.size() < 2 * LineReader::kBlockSize) {
    text += "line;1\r\n";
    expected.push_back("line;1");
  }
  // The rest of the line runs into the next block, so passing over it reads a block.
  text += "ab\x1A" + std::string(LineReader::kBlockSize, 'c') + "\r\nef\r\n";
  expected.push_back("ab");
  expected.push_back("ef");
  EXPECT_EQ(AllLines(text), expected);
}

TEST(LineReader, ANulByteInAnyBlockRefusesTheFileAsNoText) {
  for (const std::size_t at : {std::size_t{3}, LineReader::kBlockSize + 5}) {
    std::string text(2 * LineReader::kBlockSize, 'a');
    text[at] = '\0';
    std::istringstream in(text);
    LineReader reader(in, "photo.jpg");
    while (reader.SkipLine()) {
    }
    EXPECT_TRUE(reader.status().refusal()) << at;
    EXPECT_EQ(
        reader.status().message(),
        "Файл «photo.jpg» не является текстовым файлом: в нём есть байт с кодом 0 (смещение " +
            std::to_string(at) + ").");
  }
}

// `text` (ASCII and Cyrillic) as UTF-16 in the given byte order, behind a mark when asked.
std::string Utf16Bytes(const std::u16string& text, bool big_endian, bool mark) {
  std::string bytes;
  const auto put = [&](char16_t unit) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    if (big_endian) {
      bytes += high;
      bytes += low;
    } else {
      bytes += low;
      bytes += high;
    }
  };
  if (mark) put(0xFEFF);
  for (const char16_t unit : text) put(unit);
  return bytes;
}

std::vector<std::string> Utf16Lines(const std::string& bytes, LineReader::Utf16Input mode,
                                    Status* status = nullptr) {
  std::istringstream in(bytes);
  LineReader reader(in, "t.csv");
  reader.SetUtf16Input(mode);
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(line)) lines.push_back(line);
  if (status != nullptr) *status = reader.status();
  return lines;
}

TEST(LineReader, Utf16IsDecodedByItsMarkOrWhenAskedFor) {
  using Mode = LineReader::Utf16Input;
  const std::u16string text = u"Имя\tКод\r\nЁж\t1\r\n";
  const std::vector<std::string> lines = {"Имя\tКод", "Ёж\t1"};
  struct Case {
    bool big_endian;
    bool mark;
    Mode mode;
    bool decoded;  // else refused for its NUL bytes
  };
  for (const Case& c :
       {Case{false, true, Mode::kByMark, true}, Case{true, true, Mode::kByMark, true},
        Case{false, false, Mode::kByMark, false}, Case{false, false, Mode::kAlways, true},
        Case{true, true, Mode::kAlways, true}, Case{false, true, Mode::kNever, false}}) {
    Status status = Status::Ok();
    const std::vector<std::string> read =
        Utf16Lines(Utf16Bytes(text, c.big_endian, c.mark), c.mode, &status);
    if (c.decoded) {
      EXPECT_EQ(read, lines) << c.big_endian << c.mark;
      EXPECT_TRUE(status.ok());
    } else {
      EXPECT_TRUE(status.refusal()) << c.big_endian << c.mark;
    }
  }
}

TEST(LineReader, Utf16OfSeveralBlocksIsDecodedWhole) {
  std::u16string text;
  for (int i = 0; i < 100000; ++i) text += u"строка;" + std::u16string(1, u'0' + i % 10) + u"\n";
  std::istringstream in(Utf16Bytes(text, false, true));
  LineReader reader(in);
  reader.SetUtf16Input(LineReader::Utf16Input::kByMark);
  std::string line;
  int count = 0;
  while (reader.ReadLine(line)) {
    ASSERT_EQ(line, "строка;" + std::to_string(count % 10)) << count;
    ++count;
  }
  EXPECT_TRUE(reader.utf16());
  EXPECT_EQ(count, 100000);
}

TEST(LineReader, ANulCharacterOfUtf16TextStillRefusesTheFile) {
  Status status = Status::Ok();
  Utf16Lines(Utf16Bytes(std::u16string(u"a\0b", 3), false, true), LineReader::Utf16Input::kByMark,
             &status);
  EXPECT_TRUE(status.refusal());
}

TEST(LineWriter, TextOfSeveralBlocksArrivesWholeAndInOrder) {
  const std::string path = testing::TempDir() + "line_writer_blocks.txt";
  std::string expected;
  ReplacementFile file(path);
  LineWriter writer;
  ASSERT_TRUE(writer.Create(file).ok());
  for (int i = 0; expected.size() < 3 * LineReader::kBlockSize; ++i) {
    const std::string line = "record " + std::to_string(i);
    writer.WriteLine(line);
    expected += line + "\r\n";
  }
  ASSERT_TRUE(writer.Close().ok());
  ASSERT_TRUE(file.Commit().ok());
  std::ifstream in(path, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, expected);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace designer
