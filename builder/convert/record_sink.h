// Where a record loop hands the data lines it read: the conversion writes each record and stops
// at the first fault; `bwick check` lists every fault and reads on. One loop per database kind
// (table_database.h, phone_book.h) holds the order of the line rules for both.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/status.h"

namespace builder {

// Records between two reports of the progress.
inline constexpr std::int64_t kProgressEvery = 1000;

class RecordSink {
 public:
  virtual ~RecordSink() = default;
  // The input has shown its kind: before the first data line of a source file, once the first
  // line of a phone list passed its own rule. A failure ends the loop with it.
  virtual Status Begin() { return Status::Ok(); }
  // Line `record` passed its first check; its record is built next.
  virtual void Building(std::int64_t /*record*/) {}
  // Line `record`, which began on line `file_line` of the file, with its first fault, or ok with
  // its encoded record. A failure ends the loop with it.
  virtual Status Take(std::int64_t record, std::int64_t file_line, const Status& line,
                      std::string_view encoded) = 0;
};

}  // namespace builder
