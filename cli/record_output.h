// How bwick dump and bwick find print records, for a reader and for a script (--format):
// - text: "запись N: value | value", UTF-8, with every control byte of a value written as
//   "\x0A", and "|" and "\" inside values as "\|" and "\\", so one record is one line and its
//   columns can be told apart;
// - tsv: a heading row of the field names, then one row per record; a Tab, line feed, carriage
//   return or "\" inside a value is written "\t", "\n", "\r", "\\"; UTF-8;
// - csv: RFC 4180: the heading row, values that hold a comma, quote or line break in quotes with
//   quotes doubled, CR LF after every row; UTF-8, or Windows-1251 with --encoding cp1251;
// - json: one JSON object per line for every record: "запись" the record's number, then one
//   member per field named as the field (an empty or repeated name becomes "поле N"), every
//   value a string; UTF-8.
// Values come in as Windows-1251 bytes; numbers as their decimal text.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "common/text_encoding.h"

namespace cli {

enum class OutputFormat { kText, kTsv, kCsv, kJson };

inline constexpr OptionSpec kFormatOption = {"format", 0, "ВИД",
                                             "text (по умолчанию), tsv, csv или json"};
inline constexpr OptionSpec kCsvEncodingOption = {
    "encoding", 0, "КОДИРОВКА", "кодировка --format csv: utf-8 (по умолчанию) или cp1251"};

struct RecordOutputOptions {
  OutputFormat format = OutputFormat::kText;
  codepage::TextEncoding encoding = codepage::TextEncoding::kUtf8;  // csv only
};

// --format and --encoding; --encoding is refused for any format but csv.
StatusOr<RecordOutputOptions> ReadRecordOutputOptions(const ParsedArguments& parsed);

class RecordPrinter {
 public:
  // `names`: the fields' names (Windows-1251), one per value of every record.
  RecordPrinter(RecordOutputOptions options, std::vector<std::string> names, std::ostream& out);

  // The heading row of tsv and csv; nothing for the others.
  void Heading();
  void Record(std::int64_t number, std::span<const std::string_view> values);

 private:
  std::string Value(std::string_view cp1251) const;
  // One row of tsv or csv.
  void Row(std::span<const std::string_view> values);

  RecordOutputOptions options_;
  std::vector<std::string> names_;
  std::vector<std::string> json_keys_;  // UTF-8, quoted
  std::ostream& out_;
};

}  // namespace cli
