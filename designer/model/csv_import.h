// Import of a delimited text file (CSV) into a fresh document of the designer.
#pragma once

#include <functional>
#include <string>

#include "common/status.h"
#include "designer/model/csv_scan.h"
#include "designer/model/document.h"
#include "designer/model/document_io.h"

namespace designer {

// The first-line question of a file whose first line is `first`: "Первая строка содержит названия
// полей?" and the candidate names, one per line.
std::string FirstLineQuestion(const CsvFirstLine& first);

// Imports the CSV file `path` as `options` say (csv_table.h), or, for a workbook by its extension,
// the sheet options.sheet names, its rows read as cells as quoted values are (sheet_table.h;
// SourceSheet names the sheet, the encoding label is empty). For a CSV file, the file's encoding is
// options.encoding when given, else detected; options.skip_lines lines are passed over; the records
// are split at options.splitter, read with quotes when options.quoted; options.ask is asked
// whether the first line holds the names. On success the document is replaced, with
// SourceFileName = path, SourceIsFsr = false and the reading in SourceEncoding, SourceSplitter,
// SourceQuoted and SourceSkipLines; result.encoding_label names the encoding, result.warnings
// tells what the records would lose, and result.splitter is the splitter a save writes: the one
// read with, or with quotes the first of ";", ",", tab and "|" that no value holds (a file whose
// values hold all four is refused). A refused file (a Refusal status) or an unreadable one (an
// Error status) leaves the previous document as it was. Either way result.status is the
// document's.
Status LoadCSV(Document& doc, const std::string& path, const ReadOptions& options,
               ReadResult& result);

// Reads the CSV file of `doc` again as it was read (encoding, quotes, lines passed over, names),
// but split at `splitter`, into `reread`, which starts as a copy of `doc`. When the field count
// stays the same, the field settings stay as `doc` has them: the field table (names, flags,
// positions, widths) and the ticks. Otherwise, and for the rest, as LoadCSV.
Status RereadCSV(const Document& doc, const std::string& splitter,
                 const std::function<void(int records)>& progress, Document& reread,
                 ReadResult& result);

}  // namespace designer
