// The texts of a dBASE table in its own code page, which the table names in its language-driver
// byte; tables that name none (or one not known here) are taken as Windows-1251, as Russian
// accounting programs write them.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace spreadsheet {

// The code page number (866, 1251 …) for a language-driver byte.
int CodePageOfDriver(unsigned char language_driver);

// Turns bytes of one code page into UTF-8; a byte the code page lacks becomes U+FFFD.
class DbfDecoder {
 public:
  explicit DbfDecoder(int code_page);
  ~DbfDecoder();
  DbfDecoder(const DbfDecoder&) = delete;
  DbfDecoder& operator=(const DbfDecoder&) = delete;

  std::string ToUtf8(std::string_view bytes);

 private:
  iconv_t converter_ = reinterpret_cast<iconv_t>(-1);  // none for Windows-1251
};

}  // namespace spreadsheet
