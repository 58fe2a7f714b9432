#include "designer/model/encoding.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/test/cp1251.h"

namespace designer {
namespace {

using testing_support::Cp;

TextEncoding Detect(const std::string& bytes) {
  std::istringstream in(bytes);
  LineReader lines(in);
  const TextEncoding encoding = DetectEncoding(lines);
  EXPECT_TRUE(lines.status().ok());
  return encoding;
}

struct DetectCase {
  const char* label;
  std::string bytes;
  TextEncoding expected;
};

void PrintTo(const DetectCase& c, std::ostream* os) { *os << c.label; }

class DetectEncodingCases : public testing::TestWithParam<DetectCase> {};

TEST_P(DetectEncodingCases, FollowsTheRule) {
  EXPECT_EQ(Detect(GetParam().bytes), GetParam().expected);
}

constexpr TextEncoding kUtf8 = TextEncoding::kUtf8;
constexpr TextEncoding kCp1251 = TextEncoding::kCp1251;

INSTANTIATE_TEST_SUITE_P(
    Files, DetectEncodingCases,
    testing::Values(DetectCase{"Empty", "", kCp1251},
                    DetectCase{"AsciiAloneStaysWindows1251", "id;name\r\n1;Smith\r\n", kCp1251},
                    DetectCase{"MarkMakesUtf8EvenForAscii",
                               "\xEF\xBB\xBF"
                               "id;name\r\n",
                               kUtf8},
                    DetectCase{"MarkAlone", "\xEF\xBB\xBF", kUtf8},
                    DetectCase{"Utf8CyrillicWithoutMark", "id;Имя\r\n1;Пётр\r\n", kUtf8},
                    DetectCase{"Utf8OfEveryLength", "Ж € 中 😀\n", kUtf8},
                    DetectCase{"Windows1251Cyrillic", Cp("id;Имя\r\n1;Пётр\r\n"), kCp1251},
                    DetectCase{"OneWindows1251ByteAfterUtf8", "Имя\nПётр\n" + Cp("ж") + "\n",
                               kCp1251},
                    DetectCase{"CharacterCutByALineEnd", "\xD0\n\x96\n", kCp1251},
                    DetectCase{"CharacterCutByTheEnd", "Имя\xD0", kCp1251},
                    DetectCase{"OverlongIsNoUtf8", "\xC0\xAF\n", kCp1251},
                    DetectCase{"SurrogateIsNoUtf8", "\xED\xA0\x80\n", kCp1251},
                    // The import reads what the line reader gives: a lone CR is dropped, and what
                    // follows Ctrl+Z is no text.
                    DetectCase{"LoneCrInsideACharacterIsDropped", "\xD0\r\x96\n", kUtf8},
                    DetectCase{"BytesAfterCtrlZAreNoText", "Имя\n\x1A" + Cp("имя") + "\n", kUtf8},
                    // The rule's blind spot: a capital letter В..Я followed by a sign of 0x80..0xBF
                    // is a well-formed two-byte character. "В№" is 0xC2 0xB9, U+00B9.
                    DetectCase{"Windows1251ThatHappensToBeUtf8", Cp("В№5;Гё\n"), kUtf8}),
    [](const testing::TestParamInfo<DetectCase>& info) { return info.param.label; });

// Every pair of Cyrillic letters, the smallest piece of a Russian word, rules UTF-8 out: a file
// is taken for UTF-8 by mistake only when it has no two letters side by side.
TEST(DetectEncoding, TwoCyrillicLettersSideBySideAreNeverUtf8) {
  for (int first = 0xC0; first <= 0xFF; ++first) {
    for (int second = 0xC0; second <= 0xFF; ++second) {
      const std::string word{static_cast<char>(first), static_cast<char>(second)};
      ASSERT_EQ(Detect("x;" + word + "\n"), kCp1251) << first << " " << second;
    }
  }
}

// Characters of two, three and four bytes laid across the reader's block boundary, in one long
// line and among short lines: the detection reads block by block and must join them.
TEST(DetectEncoding, CharactersAcrossTheBlockBoundary) {
  const std::vector<std::string> characters = {"Ж", "€", "😀"};
  for (const std::string& character : characters) {
    for (std::size_t before = 1; before < character.size(); ++before) {
      for (const bool short_lines : {false, true}) {
        std::string text = short_lines ? std::string() : "Пётр;";
        while (text.size() < LineReader::kBlockSize - before) {
          text += short_lines && text.size() % 100 == 99 ? '\n' : 'x';
        }
        text.resize(LineReader::kBlockSize - before);
        const std::string whole = text + character + std::string(3 * LineReader::kBlockSize, 'y');
        EXPECT_EQ(Detect(whole), kUtf8) << character << " " << before << " " << short_lines;

        // The same with the character's last byte missing: no longer UTF-8.
        std::string broken = text + character.substr(0, character.size() - 1) + "y";
        broken += std::string(LineReader::kBlockSize, 'y');
        EXPECT_EQ(Detect(broken), kCp1251) << character << " " << before << " " << short_lines;
      }
    }
  }
}

TEST(DetectEncoding, AReadErrorIsReported) {
  std::istringstream in("Имя\n");
  in.setstate(std::ios::badbit);
  LineReader lines(in, "broken.csv");
  DetectEncoding(lines);
  EXPECT_FALSE(lines.status().ok());
}

TEST(Encoding, DocumentTextAndStatusLabel) {
  EXPECT_EQ(ToDocumentText("Пётр", kUtf8), Cp("Пётр"));
  const std::string cp1251 = Cp("Пётр") + "\xC0\xAF";
  EXPECT_EQ(ToDocumentText(cp1251, kCp1251), cp1251);  // taken as it stands, however it looks

  EXPECT_EQ(EncodingLabel(kUtf8), "UTF-8");
  EXPECT_EQ(EncodingLabel(kCp1251), "1251");
}

// Reads every line of `text` through a DocumentLineReader in pieces of `piece_size`.
std::vector<std::string> DocumentLines(const std::string& text, TextEncoding encoding,
                                       std::size_t piece_size, Status* status) {
  std::istringstream in(text);
  LineReader lines(in);
  DocumentLineReader reader(lines, encoding, "/data/staff.csv");
  std::vector<std::string> result;
  std::string line;
  std::string piece;
  bool ended = true;
  while (reader.ReadPiece(piece_size, piece, ended)) {
    EXPECT_LE(piece.size(), piece_size);
    line += piece;
    if (ended) result.push_back(std::move(line)), line.clear();
  }
  *status = reader.status();
  return result;
}

TEST(DocumentLineReader, Utf8LinesArriveConvertedAndCountedInCharacters) {
  Status status = Status::Ok();
  const std::string text =
      "\xEF\xBB\xBF"
      "Жук;1\r\n\r\nЁж;€\n";
  for (std::size_t piece_size : {std::size_t{1}, std::size_t{2}, std::size_t{100}}) {
    EXPECT_EQ(DocumentLines(text, kUtf8, piece_size, &status),
              (std::vector<std::string>{Cp("Жук;1"), "", Cp("Ёж;€")}))
        << piece_size;
    EXPECT_TRUE(status.ok());
  }

  // Windows-1251 lines pass as they stand, a leading mark included.
  const std::string cp1251 = "\xEF\xBB\xBF" + Cp("Жук") + "\n";
  EXPECT_EQ(DocumentLines(cp1251, kCp1251, 100, &status),
            (std::vector<std::string>{"\xEF\xBB\xBF" + Cp("Жук")}));
}

TEST(DocumentLineReader, ABadCharacterHandedOutIsRefusedWithItsLine) {
  std::istringstream in("id;name\nЖук;1\n\n1;Ли 中\n2;ok\n");
  LineReader lines(in);
  DocumentLineReader reader(lines, kUtf8, "/data/staff.csv");
  ASSERT_TRUE(reader.SkipLine());
  std::string piece;
  bool ended = false;
  ASSERT_TRUE(reader.ReadPiece(100, piece, ended));
  ASSERT_TRUE(reader.ReadPiece(100, piece, ended));  // the empty line 3
  ASSERT_TRUE(reader.ReadPiece(5, piece, ended));    // "1;Ли " is clean
  EXPECT_EQ(piece, Cp("1;Ли "));
  EXPECT_FALSE(reader.ReadPiece(5, piece, ended));
  EXPECT_TRUE(reader.status().refusal());
  EXPECT_EQ(reader.status().message(),
            "Строка 4 файла «staff.csv» содержит символ U+4E2D «中», которого нет в кодировке "
            "Windows-1251. Замените его в файле и повторите сохранение.");
  EXPECT_FALSE(reader.ReadPiece(5, piece, ended));  // the refusal stays
}

TEST(DocumentLineReader, ABadCharacterInTheSkippedRestOfALineIsNotRead) {
  std::istringstream in("Жук中\nok\n");
  LineReader lines(in);
  DocumentLineReader reader(lines, kUtf8, "staff.csv");
  std::string piece;
  bool ended = true;
  ASSERT_TRUE(reader.ReadPiece(3, piece, ended));
  EXPECT_EQ(piece, Cp("Жук"));
  EXPECT_FALSE(ended);
  ASSERT_TRUE(reader.SkipLine());
  ASSERT_TRUE(reader.ReadPiece(3, piece, ended));
  EXPECT_EQ(piece, "ok");
  EXPECT_TRUE(ended);
  EXPECT_TRUE(reader.status().ok());
}

}  // namespace
}  // namespace designer
