// Whether a field can be made numeric: every value of it in the document's data, not only the
// samples, must be a number the builder stores as it stands. The data are read once, in constant
// memory, from the file the document was opened from.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/status.h"
#include "designer/model/document.h"
#include "designer/model/text_file.h"

namespace designer {

// Checks the value of field `field` (1..FieldCount) in every record of `doc`, split at
// `splitter` (one byte; unused for a table database): Ok when each is a 32-bit integer, else a
// Refusal naming the field, the first record that holds no such number (counted from 1, as the
// data lines) and its value. Reading errors of the data file are Errors. `progress` is told the
// records read so far every few thousand.
Status CheckNumericField(const Document& doc, int field, const std::string& splitter,
                         const std::function<void(std::int64_t records)>& progress);

// A value of a field that is no 32-bit integer: the record that holds it (counted from 1, as the
// data lines), the line of the file the record begins on, and the value (document text).
struct NonNumber {
  std::int64_t record = 0;
  std::int64_t line = 0;
  std::string value;
};

// What the values of one field are as numbers.
struct NumberCheck {
  std::optional<NonNumber> non_number;  // the first value that is no number, if any
  int number_size = 0;  // bytes the largest number takes on the handheld (NumberSize), 1..4
};

// Reads every value of field `field` (1..FieldCount) of the document `doc` read from a table, its
// records as cells (VisitCellRecords, table_source.h), up to the first that is no 32-bit integer.
// Reading errors are Errors.
StatusOr<NumberCheck> CheckNumbers(const Document& doc, int field,
                                   const std::function<void(std::int64_t records)>& progress);

// CheckNumericField for every numeric field of a document read from a source file, whose header
// may call a field numeric that its data lines contradict; the numeric fields of other documents
// were checked when they became numeric (or hold stored numbers).
Status CheckNumericFields(const Document& doc, const std::string& splitter,
                          const std::function<void(std::int64_t records)>& progress);

// CheckNumericField on `lines`, the lines of the document's text source (memory in tests and
// fuzz targets).
Status CheckNumericField(const Document& doc, int field, const std::string& splitter,
                         LineReader& lines,
                         const std::function<void(std::int64_t records)>& progress);

}  // namespace designer
