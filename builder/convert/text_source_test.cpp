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
  };
  testing::ScratchDir dir;
  for (const Case& c : cases) {
    testing::WriteBytes(dir.File("in.txt"), c.bytes);
    TextSource source(dir.File("in.txt"), c.given);
    std::string served;
    char buffer[16384];
    while (const std::size_t got = source.Read(buffer, sizeof buffer)) served.append(buffer, got);
    EXPECT_EQ(served, c.served) << c.what;
    EXPECT_EQ(source.failed(), !c.failure.empty()) << c.what;
    EXPECT_EQ(source.content_refused(), !c.failure.empty()) << c.what;
    EXPECT_EQ(source.failed() ? source.FailureText() : "", c.failure) << c.what;
  }
}

}  // namespace
}  // namespace builder
