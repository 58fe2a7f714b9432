// The phone-book conversion on an arbitrary list, and the check's reading of it, which goes on
// past every character Windows-1251 lacks. The first input byte is the splitter, the second the
// number of digits; the rest is the list, read from memory (the database goes to a scratch file).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "builder/convert/byte_io.h"
#include "builder/convert/phone_book.h"
#include "builder/convert/table_database.h"
#include "builder/convert/text_source.h"
#include "format/phone_book_layout.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static const std::string output = fuzz::ScratchPath("output.db");
  const std::string list(reinterpret_cast<const char*>(data) + 2, size - 2);
  builder::TextSource input(std::make_unique<MemorySource>(list), std::nullopt);

  builder::SilentReporter reporter;
  const char splitter = static_cast<char>(data[0]);
  const int digits = data[1] % 16;
  const builder::ConversionResult result =
      builder::ConvertPhoneBook(input, "input.txt", output, "Fuzz", splitter, digits, reporter);
  if (result.kind() != StatusKind::kOk && result.kind() != StatusKind::kError) std::abort();
  if (result.ok() && std::filesystem::file_size(output) < format::kPhoneBookHeaderSize + 2)
    std::abort();

  // Each character is told once, on a line already read, in the file's order.
  builder::TextSource source(std::make_unique<MemorySource>(list), std::nullopt);
  source.ReadPastUnmappable();
  builder::LineReader reader(source);
  std::string line;
  std::int64_t last = 0;
  while (reader.ReadLine(builder::kDataLineBytes, line)) {
    for (const auto& fault : source.TakeUnmappable(reader.line_number())) {
      if (fault.line < last || fault.line < 1 || fault.text.empty()) std::abort();
      last = fault.line;
    }
  }
  return 0;
}
