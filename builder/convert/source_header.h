// The builder's reading of a source file's header into the two header records of the table
// database (format/table_layout.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "builder/convert/byte_io.h"
#include "common/status.h"
#include "format/table_layout.h"

namespace builder {

// Header value lines are read in pieces of this many bytes.
inline constexpr std::size_t kHeaderLineBytes = 254;

// Reads the next value line: comment lines (first byte ";") are skipped, a line longer than 254
// bytes comes in pieces, and the line end stays part of the value. False when the input ends or
// fails first.
bool ReadValueLine(LineReader& reader, std::string& value);

// Reads prefix, version, splitter (from version 13 on; ";" before), field count, record count,
// flags and database name from the start of the source file `input_path`. A refusal that says
// the file is no source file, and nothing filled, when the first value line is not the prefix or
// cannot be read; an error naming the file when the input ends (or fails) before the last value.
Status ReadSourceHeader(LineReader& reader, std::string_view input_path, format::DbHeader& header,
                        char& splitter);

// Reads one field block: name, six 8-bit values, three 16-bit values; fails as the header does.
StatusOr<format::DbFieldDesc> ReadFieldDesc(LineReader& reader, std::string_view input_path);

// The failure of a header the input ended (or failed) in.
Status HeaderCutShort(const LineReader& reader, std::string_view input_path);

}  // namespace builder
