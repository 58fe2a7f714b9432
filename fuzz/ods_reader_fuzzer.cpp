// The .ods reader on arbitrary bytes, from memory. An odd first byte gives the rest as the
// archive itself; an even one makes it the content.xml of an archive made around it.
#include <cstddef>
#include <cstdint>

#include "fuzz/spreadsheet_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string archive =
      (data[0] & 1) ? std::move(input) : fuzz::StoredZip({{"content.xml", input}});
  fuzz::ReadEverySheet(spreadsheet::OpenWorkbookInMemory(spreadsheet::WorkbookKind::kOds,
                                                         std::move(archive), "fuzz.ods"));
  return 0;
}
