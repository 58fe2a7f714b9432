// Source file (".fsr") -> table database (".db"). docs/table-database.md has the layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "builder/convert/byte_io.h"
#include "builder/convert/database_output.h"
#include "builder/convert/record_builder.h"
#include "builder/convert/reporter.h"
#include "builder/convert/source_header.h"
#include "common/status.h"
#include "common/text_encoding.h"

namespace builder {

// Data lines are read in pieces of this many bytes.
inline constexpr std::size_t kDataLineBytes = 510;

// Everything the header of a source file says.
struct SourceLayout {
  format::DbHeader header;
  char splitter = format::kDefaultSplitter;
  std::vector<format::DbFieldDesc> fields;
};

// Reads the header and the field blocks and checks that they describe a database we can write
// (1 to 10 fields, numeric sizes 1 to 4). Returns kConvertDone, kConvertNoInput when the prefix
// is wrong, or kConvertFailed with the reason in `message`.
int ReadSourceLayout(LineReader& reader, std::string_view input_path, SourceLayout& layout,
                     std::string& message);

// First check of a data line: at least one splitter less than there are fields.
Status CheckTableSplitters(std::int64_t record, std::string_view line, const SourceLayout& layout);

// The rest of a data line: its length, then its encoding into `state.record` (length byte
// included), raising the fields' max sizes. Fails when the line or the record is too long.
Status BuildTableRecord(std::int64_t record, std::string_view line, SourceLayout& layout,
                        ConversionState& state);

// Converts the source file `input_path` into the table database `output_path`; status texts and
// messages go to `reporter`. The input is read as a TextSource in `encoding` (nullopt: detected).
// Returns one of the kConvert results of database_output.h. On a failure after the output was
// created, the output holds what had been written before it; the magic that marks the database
// complete reaches the file only after the end marker did.
int ConvertSourceFile(const std::string& input_path, const std::string& output_path,
                      Reporter& reporter,
                      std::optional<codepage::TextEncoding> encoding = std::nullopt);

}  // namespace builder
