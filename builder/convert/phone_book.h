// Phone list -> phone-book database (".db"). docs/phone-book.md has the layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "builder/convert/record_builder.h"
#include "builder/convert/reporter.h"
#include "common/status.h"
#include "common/text_encoding.h"

namespace builder {

inline constexpr int kPhoneSplitters = 4;

// The first line must begin with a digit (a quote there means the list quotes its texts).
Status CheckPhoneFirstLine(std::string_view first_line);

// First check of a line: exactly four splitters.
Status CheckPhoneSplitters(std::int64_t record, std::string_view line, char splitter);

// The rest of a line (already upper-cased): its length, the phone field's length against
// `digits`, then the record of the four text fields into `state.record`.
Status BuildPhoneRecord(std::int64_t record, std::string_view line, std::uint8_t digits,
                        ConversionState& state);

// Converts the phone list `input_path` into the phone-book database `output_path`. `name` is
// Windows-1251 (at most 22 bytes are kept), `digits` the length every phone field must have. The
// input is read as a TextSource in `encoding` (nullopt: detected).
// Returns one of the kConvert results of database_output.h.
int ConvertPhoneBook(const std::string& input_path, const std::string& output_path,
                     std::string_view name, char splitter, int digits, Reporter& reporter,
                     std::optional<codepage::TextEncoding> encoding = std::nullopt);

}  // namespace builder
