// The database reader of `bwick dump` on arbitrary bytes. An odd first byte packs the rest with
// gzip first, so that the packed path reaches the same parser; an even one gives it as it is.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "builder/convert/database_reader.h"
#include "builder/convert/phone_book.h"
#include "fuzz/fuzz_support.h"

namespace {

struct CheckingVisitor : builder::DatabaseVisitor {
  void TableHeader(const builder::DbHeader& header) override {
    if (header.name.size() > builder::kMaxDbNameBytes) std::abort();
  }
  void TableField(int, const builder::DbFieldDesc& field) override {
    if (field.name.size() > builder::kMaxFieldNameBytes) std::abort();
  }
  void Record(std::int64_t number, const std::vector<std::string>& values) override {
    if (number != last_record + 1) std::abort();
    last_record = number;
    for (const std::string& value : values) {
      if (value.size() > 255) std::abort();
    }
  }
  void PhoneBookHeader(std::uint32_t, int, const std::string& name) override {
    if (name.size() > builder::kMaxPhoneBookNameBytes) std::abort();
  }
  void End(std::int64_t records) override {
    if (records != last_record) std::abort();
  }
  std::int64_t last_record = 0;
};

void WritePacked(const std::string& path, const std::uint8_t* data, std::size_t size) {
  gzFile file = gzopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && gzwrite(file, data, static_cast<unsigned>(size)) != static_cast<int>(size))
    std::abort();
  if (gzclose(file) != Z_OK) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const std::string path = fuzz::ScratchPath("input.db");
  if (data[0] & 1) {
    WritePacked(path, data + 1, size - 1);
  } else {
    fuzz::WriteFile(path, data + 1, size - 1);
  }
  CheckingVisitor visitor;
  bool packed = false;
  builder::ReadFailure failure;
  if (!builder::ReadDatabase(path, visitor, packed, failure) && failure.reason.empty())
    std::abort();
  return 0;
}
