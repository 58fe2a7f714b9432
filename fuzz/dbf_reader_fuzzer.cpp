// The .dbf reader on arbitrary bytes, from memory.
#include <cstddef>
#include <cstdint>

#include "fuzz/spreadsheet_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ReadEverySheet(spreadsheet::OpenWorkbookInMemory(
      spreadsheet::WorkbookKind::kDbf, std::string(reinterpret_cast<const char*>(data), size),
      "fuzz.dbf"));
  return 0;
}
