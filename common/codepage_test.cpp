#include "common/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

// The C library's own converter is the reference for every assigned byte.
std::string IconvCp1251ToUtf8(unsigned char byte) {
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inp = in;
  char* outp = out;
  size_t inleft = 1, outleft = sizeof out;
  const size_t rc = iconv(cd, &inp, &inleft, &outp, &outleft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return {};
  return std::string(out, sizeof out - outleft);
}

TEST(Codepage, EveryByteMatchesTheSystemConverterAndRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string utf8 = codepage::Cp1251ToUtf8(one);
    if (b != 0x98) {
      EXPECT_EQ(utf8, IconvCp1251ToUtf8(static_cast<unsigned char>(b))) << "byte " << b;
    }
    const auto back = codepage::Utf8ToCp1251(utf8);
    ASSERT_TRUE(back.has_value()) << "byte " << b;
    EXPECT_EQ(*back, one) << "byte " << b;
  }
}

TEST(Codepage, UnassignedByteKeepsItsValue) {
  EXPECT_EQ(codepage::Cp1251ToUtf8("\x98"), "\xC2\x98");
}

TEST(Codepage, ReportsWhereACharacterCannotBeHeld) {
  codepage::Unmappable bad;
  EXPECT_EQ(codepage::Utf8ToCp1251("\xE2\x82\xAC"), std::string("\x88"));  // the euro sign is held
  EXPECT_FALSE(codepage::Utf8ToCp1251("ab\xE4\xB8\xAD", &bad).has_value());
  EXPECT_EQ(bad.offset, 2u);
  EXPECT_EQ(bad.code_point, U'\u4E2D');
  EXPECT_FALSE(codepage::Utf8ToCp1251("a\xC3", &bad).has_value());
  EXPECT_EQ(bad.offset, 1u);
  EXPECT_EQ(bad.code_point, U'\uFFFD');
}

TEST(Codepage, Utf8Validity) {
  EXPECT_TRUE(codepage::IsValidUtf8("plain"));
  EXPECT_TRUE(codepage::IsValidUtf8("\xD0\x90\xD0\xB1"));
  EXPECT_FALSE(codepage::IsValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(codepage::IsValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(codepage::IsValidUtf8("\xE0\xEB\xEF"));  // Windows-1251 letters
}

TEST(Codepage, UpperCaseCoversAsciiAndEveryCyrillicLetter) {
  std::string text = "abz \xE0\xFF\xB8\xE9 \x90\x83\x9A\x9C\x9D\x9E\x9F\xA2\xB3\xB4\xBA\xBC\xBE\xBF 1;";
  codepage::UpperCp1251InPlace(text);
  EXPECT_EQ(text, "ABZ \xC0\xDF\xA8\xC9 \x80\x81\x8A\x8C\x8D\x8E\x8F\xA1\xB2\xA5\xAA\xA3\xBD\xAF 1;");
  EXPECT_EQ(codepage::UpperCp1251(0xB5), 0xB5);  // micro sign has no upper case in the code page
}

}  // namespace
