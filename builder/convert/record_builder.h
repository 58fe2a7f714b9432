// Field cutting and record building, shared by the table-database and phone-book conversions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/status.h"
#include "format/table_layout.h"

namespace builder {

// The state of one conversion: the splitter that values are cut at and the record being built.
struct ConversionState {
  char splitter = format::kDefaultSplitter;
  // Length of the record being built, its length byte included. Wider than the length byte so
  // that an overlong record is seen instead of wrapping.
  int record_length = 1;
  std::string record;  // the encoded record; byte 0 is the length byte, set by FinishRecord

  // Starts a new record: running length 1, buffer holding only the length byte.
  void StartRecord();
  // Puts the running length into byte 0. Only valid when record_length <= format::kMaxRecordLength.
  void FinishRecord();
};

// Refuses a data line too long to become record `record`.
Status CheckLineLength(std::int64_t record, std::string_view line);

// Finishes the record built from `line`, or refuses it when its length byte could not hold it.
Status FinishCheckedRecord(std::int64_t record, std::string_view line, ConversionState& state);

// Cuts the value that begins at `start` off `line`: it runs up to the first control byte (0 to
// 31) or splitter, and loses its trailing blanks (leading blanks stay). Returns where the next
// value begins, one byte after the one that ended this value. A start at or past the end of the
// line gives an empty value, so values missing at the end of a line read as empty.
std::size_t NextField(std::string_view line, std::size_t start, char splitter,
                      std::string_view& value);

// Appends the value and one NUL; the running length grows by its length + 1.
void AppendTextField(ConversionState& state, std::string_view value);

// Appends the `size` lowest bytes of the value read as a decimal integer, least significant
// first; the running length grows by `size` (0 to 4).
void AppendNumberField(ConversionState& state, std::string_view value, int size);

// Reads a decimal integer the way the builder reads numbers: leading white space skipped, an
// optional sign, then digits up to the first other character; no digits give 0. A number beyond
// the 32-bit range is held at its nearest end.
std::int32_t ParseLeadingInt(std::string_view text);

// How many bytes of `line` equal `splitter`.
int CountSplitters(std::string_view line, char splitter);

}  // namespace builder
