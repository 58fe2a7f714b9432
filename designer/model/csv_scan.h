// The two passes of a CSV import over a line source, without any window: the first line gives
// the field count and the candidate names, the records give the count, the samples and each
// field's type, number size, longest value and widths.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "designer/model/document.h"
#include "designer/model/text_file.h"

namespace designer {

// The running record count is reported every this many records.
inline constexpr int kCsvProgressStep = 500;

struct CsvFirstLine {
  int FieldCount = 0;              // 1 to 5
  std::vector<std::string> Names;  // FieldCount candidate names, each at most 16 bytes
  // For each name, the character Windows-1251 lacks that its "?" stands for (empty: none).
  std::vector<std::string> Unmappable;
};

// Both passes take a reader fresh at the start of the input, the splitter as document text (one
// Windows-1251 byte, or empty) and the encoding of the input: a UTF-8 input loses its byte-order
// mark, is split at the splitter's UTF-8 form, and its names and values are converted to document
// text ("?" for a character Windows-1251 cannot hold), so that lengths count characters.

// Reads the first line of `lines` (an empty input gives one empty line). A line of more than 5
// cells is refused with the limit message and yields no names.
Status ReadCsvFirstLine(LineReader& lines, std::string_view splitter, CsvFirstLine& first,
                        TextEncoding encoding = TextEncoding::kCp1251);

// Called with the running record count every kCsvProgressStep records.
using CsvProgress = std::function<void(int record_count)>;

// Reads the records of `lines`, a fresh reader at the start of the same input, into `doc`:
// entries 1 to 10 of the field table get the import's defaults, then FieldCount, the names and
// UnmappableNames (when `first_line_has_names`, which also skips the first line),
// FirstLineHasNames, SourceEncoding, RecordCount, SampleValues (every cell outside the records read
// emptied) and each field's detected members. Every line is a record, an empty one too, and there
// is at least one. QueryIndex stays 0: ticking the query boxes hands out the positions. Nothing
// else of `doc` changes. Fails only when the record count no longer fits the document.
Status ReadCsvRecords(LineReader& lines, std::string_view splitter, const CsvFirstLine& first,
                      bool first_line_has_names, Document& doc, const CsvProgress& progress,
                      TextEncoding encoding = TextEncoding::kCp1251);

}  // namespace designer
