// The .xls reader on arbitrary bytes. Its library reads only files, so each input goes through
// a scratch file (memory-backed where the system offers it).
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "fuzz/spreadsheet_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::ScratchPath("input.xls");
  fuzz::WriteFile(path, data, size);
  std::unique_ptr<spreadsheet::Workbook> book;
  const Status opened = spreadsheet::OpenWorkbook(path, book);
  fuzz::ReadEverySheet(opened, book.get());
  return 0;
}
