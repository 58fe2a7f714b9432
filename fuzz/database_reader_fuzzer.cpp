// The database reader on arbitrary bytes, from memory. An odd first byte packs the rest with gzip
// first, so that the packed path reaches the same parser; an even one gives it as it is.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/byte_source.h"
#include "common/test/gzip.h"
#include "format/database_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  MemorySource source((data[0] & 1) ? testing_support::Gzip(bytes) : std::string(bytes));
  format::DatabaseReader reader(source);
  if (!reader.ReadHeader().ok()) return 0;
  if (reader.kind() == format::BookKind::kTable) {
    if (reader.header().name.size() > format::kMaxDbNameBytes) std::abort();
    for (const format::DbFieldDesc& field : reader.fields())
      if (field.name.size() > format::kMaxFieldNameBytes) std::abort();
  } else if (reader.phone_book().name.size() > format::kMaxPhoneBookNameBytes) {
    std::abort();
  }
  format::BookRecord record;
  std::uint64_t records = 0;
  while (reader.NextRecord(record)) {
    if (record.number != ++records) std::abort();
    for (const format::StoredValue& value : record.values)
      if (value.text.size() > 255) std::abort();
  }
  if (reader.status().ok() && records != reader.record_count()) std::abort();
  if (!reader.status().ok() && reader.status().message().empty()) std::abort();
  return 0;
}
