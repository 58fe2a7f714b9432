// Source file (".fsr") -> table database (".db"). docs/table-database.md has the layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "builder/convert/byte_io.h"
#include "builder/convert/conversion_result.h"
#include "builder/convert/database_output.h"
#include "builder/convert/record_builder.h"
#include "builder/convert/record_sink.h"
#include "builder/convert/reporter.h"
#include "builder/convert/source_header.h"
#include "builder/convert/text_source.h"
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
// (1 to 10 fields, numeric sizes 1 to 4). A refusal that says the file is no source file when
// the prefix is wrong; an error with the reason otherwise.
StatusOr<SourceLayout> ReadSourceLayout(LineReader& reader, std::string_view input_path);

// First check of a data line: at least one splitter less than there are fields.
Status CheckTableSplitters(std::int64_t record, std::string_view line, const SourceLayout& layout);

// The rest of a data line: its length, then its encoding into `state.record` (length byte
// included), raising the fields' max sizes. Fails when the line or the record is too long.
Status BuildTableRecord(std::int64_t record, std::string_view line, SourceLayout& layout,
                        ConversionState& state);

// The record loop of a table database: hands each data line after the header to `sink` with
// its first fault or its record, raising the fields' max sizes, and counts the lines in
// `records`. Ends at the end of the input or on a read failure (the caller tells which), or with
// the sink's failure.
Status ReadTableRecords(LineReader& reader, SourceLayout& layout, RecordSink& sink,
                        std::int64_t& records);

// Converts the source file `input_path` into the table database `output_path`; status texts and
// notes go to `reporter`. The input is read as a TextSource in `encoding` (nullopt: detected).
// Returns how the conversion ended (database_output.h). On a failure after the output was created,
// the output holds what had been written before it; the magic that marks the database complete
// reaches the file only after the end marker did.
ConversionResult ConvertSourceFile(const std::string& input_path, const std::string& output_path,
                                   Reporter& reporter,
                                   std::optional<codepage::TextEncoding> encoding = std::nullopt);
// The same on `input` (memory in tests and fuzz targets); messages name it `input_path`.
ConversionResult ConvertSourceFile(TextSource& input, const std::string& input_path,
                                   const std::string& output_path, Reporter& reporter);

}  // namespace builder
