// The builder's header reader and table-database conversion on an arbitrary source file, read
// from memory (the database goes to a scratch file). A
// finished database must be exactly as long as its header, descriptors, records and end marker.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "builder/convert/table_database.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string output = fuzz::ScratchPath("output.db");
  builder::TextSource input(
      std::make_unique<MemorySource>(std::string(reinterpret_cast<const char*>(data), size)),
      std::nullopt);

  builder::SilentReporter reporter;
  const builder::ConversionResult result =
      builder::ConvertSourceFile(input, "input.fsr", output, reporter);
  // Bytes in memory always open, and a file that is no source file is refused with a message.
  if (result.kind() != StatusKind::kOk && result.kind() != StatusKind::kError) std::abort();
  if (result.ok() &&
      std::filesystem::file_size(output) < format::kDbHeaderSize + format::kDbFieldDescSize + 2) {
    std::abort();
  }
  return 0;
}
