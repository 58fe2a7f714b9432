// The builder's header reader and table-database conversion on an arbitrary source file. A
// finished database must be exactly as long as its header, descriptors, records and end marker.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "builder/convert/table_database.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = fuzz::ScratchPath("input.fsr");
  static const std::string output = fuzz::ScratchPath("output.db");
  fuzz::WriteFile(input, data, size);

  fuzz::SilentReporter reporter;
  const Status result = builder::ConvertSourceFile(input, output, reporter);
  if (result.kind() != StatusKind::kOk && result.kind() != StatusKind::kError &&
      result.kind() != StatusKind::kNoInput) {
    std::abort();
  }
  if (result.ok() &&
      std::filesystem::file_size(output) < format::kDbHeaderSize + format::kDbFieldDescSize + 2) {
    std::abort();
  }
  return 0;
}
