// The builder's reading of a source file's header into the two header records of the table
// database (format/table_layout.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "builder/convert/byte_io.h"
#include "format/table_layout.h"

namespace builder {

// Header value lines are read in pieces of this many bytes.
inline constexpr std::size_t kHeaderLineBytes = 254;

// Reads the next value line: comment lines (first byte ";") are skipped, a line longer than 254
// bytes comes in pieces, and the line end stays part of the value. False when the input ends or
// fails first.
bool ReadValueLine(LineReader& reader, std::string& value);

enum class HeaderRead {
  kOk,
  kWrongPrefix,  // nothing has been filled
  kTruncated,    // the input ended (or failed) before the last value
};

// Reads prefix, version, splitter (from version 13 on; ";" before), field count, record count,
// flags and database name from the start of a source file.
HeaderRead ReadSourceHeader(LineReader& reader, format::DbHeader& header, char& splitter);

// Reads one field block: name, six 8-bit values, three 16-bit values.
HeaderRead ReadFieldDesc(LineReader& reader, format::DbFieldDesc& field);

}  // namespace builder
