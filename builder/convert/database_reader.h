// Reads a table database or phone-book database, packed or not, in one pass and constant
// memory, checking every length against the data it has. Each part read goes to a visitor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "builder/convert/source_header.h"

namespace builder {

class DatabaseVisitor {
 public:
  virtual ~DatabaseVisitor() = default;
  virtual void TableHeader(const DbHeader& header) = 0;
  virtual void TableField(int index, const DbFieldDesc& field) = 0;
  // Text values as Windows-1251 bytes, numbers as their decimal text.
  virtual void Record(std::int64_t number, const std::vector<std::string>& values) = 0;
  virtual void PhoneBookHeader(std::uint32_t records, int digits, const std::string& name) = 0;
  virtual void End(std::int64_t records) = 0;
};

struct ReadFailure {
  std::uint64_t offset = 0;  // offset in the unpacked data where the fault lies
  std::string reason;
};

// Reads the file at `path`; returns false with `failure` set when it cannot be opened or is
// malformed. `packed` tells whether the file is gzip-packed.
bool ReadDatabase(const std::string& path, DatabaseVisitor& visitor, bool& packed,
                  ReadFailure& failure);
// The same from `descriptor`, open for reading (a pipe such as standard input will do: the data
// is read once, from its start); the descriptor is closed at the end.
bool ReadDatabase(int descriptor, DatabaseVisitor& visitor, bool& packed, ReadFailure& failure);

// Whether `path` holds a whole unpacked database, as a conversion that finished leaves it: header,
// descriptors, records and end marker agree, and nothing follows. False with `failure` set
// otherwise, a packed file included.
bool CheckUnpackedDatabase(const std::string& path, ReadFailure& failure);

}  // namespace builder
