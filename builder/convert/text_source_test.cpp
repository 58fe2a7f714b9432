#include "builder/convert/text_source.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "builder/convert/test/test_support.h"
#include "common/codepage.h"
#include "common/test/cp1251.h"

namespace builder {
namespace {

using codepage::TextEncoding;

using testing_support::Cp;

// `text` as UTF-16 code units, little- or big-endian.
std::string Utf16(const std::u16string& text, bool big_endian = false) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST(TextSource, HandsOutTheTextBeforeWhatMakesItNoText) {
  struct Case {
    const char* what;
    std::string bytes;
    std::optional<TextEncoding> given;
    std::string served;  // Windows-1251
    std::string failure;
  };
  const std::string block(16384, 'x');
  const Case cases[] = {
      {"NUL in Windows-1251", Cp("ab\r\nИмя") + '\0' + "rest", std::nullopt, Cp("ab\r\nИмя"),
       "не является текстовым файлом: в нём есть байт с кодом 0 (смещение 7)"},
      {"NUL first", std::string("\0abc", 4), std::nullopt, "",
       "не является текстовым файлом: в нём есть байт с кодом 0 (смещение 0)"},
      {"NUL in UTF-8, offset in the file", "Имя\n" + block + '\0', std::nullopt,
       Cp("Имя\n") + block,
       "не является текстовым файлом: в нём есть байт с кодом 0 (смещение 16391)"},
      {"character outside the code page, line counted in a later block",
       "Имя\n" + block + "\nПётр 中\n", std::nullopt, Cp("Имя\n") + block + Cp("\nПётр "),
       "строка 3 содержит символ U+4E2D «中», которого нет в кодировке Windows-1251"},
      {"Windows-1251 given as UTF-8", Cp("Имя\n"), TextEncoding::kUtf8, "",
       "строка 1 содержит байт 0xC8, который не является частью символа UTF-8"},
      {"UTF-8 given as Windows-1251 stays as it stands", "\xEF\xBB\xBFИмя\n", TextEncoding::kCp1251,
       "\xEF\xBB\xBFИмя\n", ""},
      {"character cut by the block boundary", std::string(16383, 'x') + "ЖЖ", std::nullopt,
       std::string(16383, 'x') + Cp("ЖЖ"), ""},
      {"UTF-16 LE behind its mark", "\xFF\xFE" + Utf16(u"Имя\tКод\r\nЁж\t1\r\n"), std::nullopt,
       Cp("Имя\tКод\r\nЁж\t1\r\n"), ""},
      {"UTF-16 BE behind its mark", "\xFE\xFF" + Utf16(u"Имя\r\n", true), std::nullopt,
       Cp("Имя\r\n"), ""},
      {"UTF-16 of several blocks", "\xFF\xFE" + Utf16(std::u16string(20000, u'ж')), std::nullopt,
       std::string(20000, '\xE6'), ""},
      {"UTF-16 without its mark is no text", Utf16(u"ab"), std::nullopt, "a",
       "не является текстовым файлом: в нём есть байт с кодом 0 (смещение 1)"},
      {"UTF-16 given, without a mark: little-endian", Utf16(u"ab\r\n"), TextEncoding::kUtf16,
       "ab\r\n", ""},
      {"a NUL character in UTF-16", "\xFF\xFE" + Utf16(std::u16string(u"ab\0c", 4)), std::nullopt,
       "ab", "не является текстовым файлом: в нём есть байт с кодом 0 (смещение 2)"},
      {"UTF-16 with a character outside the code page", "\xFF\xFE" + Utf16(u"Имя\n中\n"),
       std::nullopt, Cp("Имя\n"),
       "строка 2 содержит символ U+4E2D «中», которого нет в кодировке Windows-1251"},
  };
  testing::ScratchDir dir;
  for (const Case& c : cases) {
    testing::WriteBytes(dir.File("in.txt"), c.bytes);
    TextSource source(dir.File("in.txt"), c.given);
    std::string served;
    char buffer[16384];
    StatusOr<std::size_t> got = 0;
    while ((got = source.Read(buffer, sizeof buffer)).ok() && got.value() > 0)
      served.append(buffer, got.value());
    EXPECT_EQ(served, c.served) << c.what;
    EXPECT_EQ(got.status().message(), c.failure) << c.what;
    EXPECT_EQ(source.status().refusal(), !c.failure.empty()) << c.what;
    EXPECT_EQ(source.status().message(), c.failure) << c.what;
  }
}

}  // namespace
}  // namespace builder
