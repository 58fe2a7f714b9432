// The two passes of a CSV import over a text source, without any window: the first line (or the
// first record) gives the field count and the candidate names; the records go through the scan
// of table_scan.h, which gives the count, the samples and each field's type, number size,
// longest value and widths, the preview and the warnings.
//
// Two readings of the text: without quotes, every line is a record split at the splitter as the
// spec's import splits it (csv_record.h); with quotes, records are read as RFC 4180 writes them
// (csv_quoted.h) and their cells become values as every cell source's do (CellRecord).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "designer/model/csv_quoted.h"
#include "designer/model/document.h"
#include "designer/model/table_scan.h"
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

// The splitter (document text) as it stands in a line of an input in `encoding`.
std::string InputSplitter(std::string_view splitter, TextEncoding encoding);

// Reads the first line of `lines` (an empty input gives one empty line). A line of more than 5
// cells is refused with the limit message.
StatusOr<CsvFirstLine> ReadCsvFirstLine(LineReader& lines, std::string_view splitter,
                                        TextEncoding encoding = TextEncoding::kCp1251);

// The first record as cells (quoted values, spreadsheet cells) in `encoding`: as many fields as
// cells (one for a record without cells), each name its cell cut to 16 characters. More than 5
// cells are refused as by ReadCsvFirstLine.
StatusOr<CsvFirstLine> FirstLineOfCells(const std::vector<std::string_view>& cells,
                                        TextEncoding encoding);

// The first record of `lines` as the import reads it: quoted values when `quoted`, else a line.
StatusOr<CsvFirstLine> ReadFirstRecord(LineReader& lines, std::string_view splitter, bool quoted,
                                       TextEncoding encoding);

// Called with the running record count every kCsvProgressStep records.
using CsvProgress = std::function<void(int record_count)>;

// How far a pass over the records goes and whom it tells.
struct RecordPass {
  CsvProgress progress = nullptr;
  // Asked every kCsvProgressStep records; false stops the pass there (an Ok status).
  std::function<bool()> go_on = nullptr;
  std::int32_t max_records = 0;  // stops after this many records; 0: every record
  // A reading that wants no free splitter (TableScan::FreeSplitter) spares the look at every
  // byte of every value that finding one takes; ReadCsvTable makes its scan so.
  bool find_free_splitter = true;
};

// Whether another record may be added to `scan` in `pass`; an Error when the count would no
// longer fit.
StatusOr<bool> RoomForRecord(const TableScan& scan, const RecordPass& pass);
// Tells the pass's progress every kCsvProgressStep records; false when the pass is to stop.
bool Reported(const TableScan& scan, const RecordPass& pass);

// Reads the records of `lines` (the reader past the lines before them, a UTF-8 mark dropped),
// split by rule A into first.FieldCount values, into `scan`. The first record is on line
// `first_line`. Every line is a record, an empty one too, and there is at least one. Fails only
// on a read error (lines.status()) or when the record count no longer fits the document.
Status ScanLineRecords(LineReader& lines, std::string_view splitter, int field_count,
                       TextEncoding encoding, std::int64_t first_line, const RecordPass& pass,
                       TableScan& scan);

// The same for records read with quotes; there is at least one record too.
Status ScanQuotedRecords(QuotedRecordReader& records, int field_count, TextEncoding encoding,
                         const RecordPass& pass, TableScan& scan);

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

// What ReadCsvRecords sets in `doc` before the records: the field table's defaults, FieldCount,
// the names (when `first_line_has_names`), FirstLineHasNames and SourceEncoding.
void StartCsvDocument(const CsvFirstLine& first, bool first_line_has_names, TextEncoding encoding,
                      Document& doc);

}  // namespace designer
