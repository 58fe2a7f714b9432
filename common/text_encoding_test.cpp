// The streaming conversion shared by the CSV import and the builder's text inputs. The rule of
// detection is tested through both readers (designer/model/encoding_test.cpp,
// builder/convert/text_source_test.cpp).
#include "common/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/codepage.h"
#include "common/test/cp1251.h"

namespace codepage {
namespace {

using testing_support::Cp;

// What the converter makes of `pieces`, joined piece after piece.
std::string ConvertPieces(const std::vector<std::string>& pieces, Utf8Converter& converter) {
  std::string out;
  for (const std::string& piece : pieces) converter.Add(piece, out);
  converter.Finish(out);
  return out;
}

TEST(Utf8Converter, ACharacterCutBetweenPiecesIsJoined) {
  const std::string text = "Жук € № 中 😀 end";
  const std::string expected = Cp("Жук € № ") + "? ? end";
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    for (std::size_t second = cut; second <= text.size(); ++second) {
      Utf8Converter converter;
      EXPECT_EQ(
          ConvertPieces({text.substr(0, cut), text.substr(cut, second - cut), text.substr(second)},
                        converter),
          expected)
          << cut << " " << second;
      ASSERT_TRUE(converter.first_bad().has_value());
      EXPECT_EQ(converter.first_bad()->bytes, "中");
      EXPECT_EQ(converter.first_bad()->code_point, U'中');
      EXPECT_FALSE(converter.first_bad()->malformed);
      EXPECT_EQ(converter.first_bad()->output_at, 8u);
    }
  }
}

TEST(Utf8Converter, EveryBadCharacterKeepsOnePlace) {
  struct Case {
    std::string text;
    std::string expected;
    bool malformed;
  };
  const std::vector<Case> cases = {
      {"a\xD0", "a?", true},                    // cut by the end
      {"\xE4\xB8z", "??z", true},               // a three-byte character without its last byte
      {"\xFF\xFE", "??", true},                 // bytes that begin no character
      {"\xEF\xBF\xBDx", "?x", false},           // U+FFFD itself is one character
      {"\xF0\x9F\x98\x80!", "?!", false},       // four bytes, one character
      {"\xC2\xA0\xC2\xA9", "\xA0\xA9", false},  // no-break space and ©, both in the code page
  };
  for (const Case& c : cases) {
    Utf8Converter converter;
    EXPECT_EQ(ConvertPieces({c.text}, converter), c.expected) << c.text;
    if (c.expected.find('?') == std::string::npos) {
      EXPECT_FALSE(converter.first_bad().has_value());
    } else {
      ASSERT_TRUE(converter.first_bad().has_value()) << c.text;
      EXPECT_EQ(converter.first_bad()->malformed, c.malformed) << c.text;
    }
  }
}

TEST(Utf8Converter, BadCharactersAreDescribedForMessages) {
  EXPECT_EQ(DescribeBadCharacter({"中", U'中', false, 0}),
            "символ U+4E2D «中», которого нет в кодировке Windows-1251");
  EXPECT_EQ(DescribeBadCharacter({"😀", U'😀', false, 0}),
            "символ U+1F600 «😀», которого нет в кодировке Windows-1251");
  EXPECT_EQ(DescribeBadCharacter({"\xC8", 0xFFFD, true, 0}),
            "байт 0xC8, который не является частью символа UTF-8");
}

// `utf8` as UTF-16 code units in `order`, behind a byte-order mark when `mark`.
std::string Utf16(const std::u16string& text, ByteOrder order, bool mark) {
  std::string bytes;
  const auto put = [&](char16_t unit) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += order == ByteOrder::kLittleEndian ? std::string{low, high} : std::string{high, low};
  };
  if (mark) put(0xFEFF);
  for (const char16_t unit : text) put(unit);
  return bytes;
}

TEST(Utf16Mark, NamesTheByteOrderOfAMarkOnly) {
  EXPECT_EQ(Utf16Mark("\xFF\xFE"
                      "a"),
            ByteOrder::kLittleEndian);
  EXPECT_EQ(Utf16Mark("\xFE\xFF"), ByteOrder::kBigEndian);
  EXPECT_EQ(Utf16Mark("\xEF\xBB\xBF"), std::nullopt);
  EXPECT_EQ(Utf16Mark("\xFF"), std::nullopt);
  EXPECT_EQ(Utf16Mark(std::string_view("a\0", 2)), std::nullopt);
}

TEST(Utf16Decoder, DecodesEitherByteOrderInPiecesCutAnywhere) {
  const std::u16string text = u"Имя\tГород\r\n\"ООО \"\"Ромашка\"\"\"\t😀 €\r\n";
  const std::string expected = "Имя\tГород\r\n\"ООО \"\"Ромашка\"\"\"\t😀 €\r\n";
  for (const ByteOrder order : {ByteOrder::kLittleEndian, ByteOrder::kBigEndian}) {
    for (const bool mark : {false, true}) {
      const std::string bytes = Utf16(text, order, mark);
      for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        Utf16Decoder decoder(order);
        std::string out;
        decoder.Add(bytes.substr(0, cut), out);
        decoder.Add(bytes.substr(cut), out);
        decoder.Finish(out);
        ASSERT_EQ(out, expected) << cut << (mark ? " with the mark" : "");
      }
    }
  }
}

TEST(Utf16Decoder, WhatIsNoUtf16BecomesTheReplacementCharacter) {
  struct Case {
    std::u16string units;
    std::string extra;  // bytes after the units
    std::string expected;
  };
  const Case cases[] = {
      {u"a\xD83D"
       u"b",
       "", "a\uFFFDb"},             // a high surrogate without its low half
      {u"a\xDE00", "", "a\uFFFD"},  // a low half alone
      {u"a\xD83D", "", "a\uFFFD"},  // a high surrogate at the end
      {u"ab", "x", "ab\uFFFD"},     // an odd last byte
      {u"\xFEFF\xFEFF"
       u"a",
       "", "\uFEFFa"},  // only the first mark is no text
  };
  for (const Case& c : cases) {
    Utf16Decoder decoder(ByteOrder::kLittleEndian);
    std::string out;
    decoder.Add(Utf16(c.units, ByteOrder::kLittleEndian, false) + c.extra, out);
    decoder.Finish(out);
    EXPECT_EQ(out, c.expected);
  }
}

}  // namespace
}  // namespace codepage
