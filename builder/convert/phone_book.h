// Phone list -> phone-book database (".db"). docs/phone-book.md has the layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "builder/convert/byte_io.h"
#include "builder/convert/conversion_result.h"
#include "builder/convert/record_builder.h"
#include "builder/convert/record_sink.h"
#include "builder/convert/reporter.h"
#include "builder/convert/text_source.h"
#include "common/status.h"
#include "common/text_encoding.h"
#include "format/phone_book_layout.h"

namespace builder {

inline constexpr int kPhoneSplitters = 4;
// The bytes of the name that the phone book keeps.
using format::kMaxPhoneBookNameBytes;

// The first line must begin with a digit (a quote there means the list quotes its texts).
Status CheckPhoneFirstLine(std::string_view first_line);

// First check of a line: exactly four splitters.
Status CheckPhoneSplitters(std::int64_t record, std::string_view line, char splitter);

// The rest of a line (already upper-cased): its length, the phone field's length against
// `digits`, then the record of the four text fields into `state.record`.
Status BuildPhoneRecord(std::int64_t record, std::string_view line, std::uint8_t digits,
                        ConversionState& state);

// The record loop of a phone-book database: hands each line of the list to `sink` with its first
// fault or its record, and counts the lines in `records`. The sink begins once the first line
// passed its rule. Ends at the end of the input or on a read failure (the caller tells which),
// or with the sink's failure.
Status ReadPhoneRecords(LineReader& reader, char splitter, std::uint8_t digits, RecordSink& sink,
                        std::int64_t& records);

// Converts the phone list `input_path` into the phone-book database `output_path`. `name` is
// Windows-1251 (at most 22 bytes are kept), `digits` the length every phone field must have. The
// input is read as a TextSource in `encoding` (nullopt: detected).
// Returns how the conversion ended (database_output.h).
ConversionResult ConvertPhoneBook(const std::string& input_path, const std::string& output_path,
                                  std::string_view name, char splitter, int digits,
                                  Reporter& reporter,
                                  std::optional<codepage::TextEncoding> encoding = std::nullopt);
// The same on `input` (memory in tests and fuzz targets); messages name it `input_path`.
ConversionResult ConvertPhoneBook(TextSource& input, const std::string& input_path,
                                  const std::string& output_path, std::string_view name,
                                  char splitter, int digits, Reporter& reporter);

}  // namespace builder
