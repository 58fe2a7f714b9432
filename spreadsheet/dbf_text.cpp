#include "spreadsheet/dbf_text.h"

#include <cerrno>

#include "common/codepage.h"

namespace spreadsheet {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

}  // namespace

int CodePageOfDriver(unsigned char language_driver) {
  switch (language_driver) {
    case 0x01:
      return 437;
    case 0x02:
      return 850;
    case 0x03:
      return 1252;
    case 0x26:
    case 0x65:
      return 866;
    case 0x64:
      return 852;
    case 0xC8:
      return 1250;
    default:  // 0xC9 and 0x57 (the system's own code page) among them
      return 1251;
  }
}

DbfDecoder::DbfDecoder(int code_page) {
  if (code_page != 1251)
    converter_ = iconv_open("UTF-8", ("CP" + std::to_string(code_page)).c_str());
}

DbfDecoder::~DbfDecoder() {
  if (converter_ != kNoConverter) iconv_close(converter_);
}

std::string DbfDecoder::ToUtf8(std::string_view bytes) {
  if (converter_ == kNoConverter) return codepage::Cp1251ToUtf8(bytes);
  std::string text;
  char out[256];
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  while (in_left > 0) {
    char* to = out;
    std::size_t out_left = sizeof out;
    const std::size_t result = iconv(converter_, &in, &in_left, &to, &out_left);
    text.append(out, to);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      text += "\xEF\xBF\xBD";  // U+FFFD for the byte the code page lacks
      ++in, --in_left;
    }
  }
  return text;
}

}  // namespace spreadsheet
