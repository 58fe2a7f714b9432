// The .dbf reader on arbitrary bytes, from memory.
#include <cstddef>
#include <cstdint>

#include "fuzz/spreadsheet_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<spreadsheet::Workbook> book;
  const Status opened = spreadsheet::OpenWorkbookInMemory(
      spreadsheet::WorkbookKind::kDbf, std::string(reinterpret_cast<const char*>(data), size),
      "fuzz.dbf", book);
  fuzz::ReadEverySheet(opened, book.get());
  return 0;
}
