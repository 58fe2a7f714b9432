// A CSV file read as the import dialog or the command line sets it up: the settings, the start of
// the file (its encoding and first line), its records through the scan (table_scan.h), and, for a
// file read with quotes, the data lines a save writes for its records.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/status.h"
#include "designer/model/csv_scan.h"
#include "designer/model/document.h"
#include "designer/model/table_scan.h"
#include "designer/model/text_file.h"

namespace designer {

// How the records of a CSV file are read.
struct CsvSettings {
  std::optional<TextEncoding> encoding = std::nullopt;  // none: the automatic rule
  std::string splitter = ";";                           // document text; empty: no line is split
  bool quoted = false;  // values may stand in double quotes (RFC 4180)
  bool first_line_has_names = false;
  std::int32_t skip_lines = 0;  // lines passed over before the first line (a title, say)
  // A workbook's sheet, by name or by number from 1 (empty: the first visible one); a workbook
  // reads no other member but the names and the lines (rows) passed over.
  std::string sheet{};
  friend bool operator==(const CsvSettings&, const CsvSettings&) = default;
};

// The start of a CSV file.
struct CsvHead {
  TextEncoding encoding = TextEncoding::kCp1251;  // settings.encoding, or the one detected
  CsvFirstLine first;
};

// The encoding of the CSV file `path`: `encoding` when given, else found by the automatic rule
// (a pass over the file up to the first byte that rules UTF-8 out). Fails as reading fails.
StatusOr<TextEncoding> FindCsvEncoding(const std::string& path,
                                       std::optional<TextEncoding> encoding);

// Opens the CSV file `path` in `encoding` and reads past what precedes its first line: a
// byte-order mark and `skip_lines` lines (fewer when the file has fewer).
Status OpenCsvText(const std::string& path, TextEncoding encoding, std::int32_t skip_lines,
                   LineReader& lines);

// Reads the head of `path`: its encoding (settings.encoding, else detected), then, past the lines
// to skip, its first line (the first record, with quotes). A Refusal for a file that is no text
// or whose first line has more than 5 cells; an Error when it cannot be read.
StatusOr<CsvHead> ReadCsvHead(const std::string& path, const CsvSettings& settings);

// Reads the records of `path` after its head (its first line among them when it holds no names)
// into `scan`, made for head.first.FieldCount fields and settings.quoted.
Status ScanCsvRecords(const std::string& path, const CsvSettings& settings, const CsvHead& head,
                      const RecordPass& pass, TableScan& scan);

// The head and the records of a CSV file, as far as a pass reads them.
struct CsvTable {
  CsvHead head;
  std::optional<TableScan> scan;  // set once the head was read
  std::string sheet;              // a workbook's: the sheet read, by name
};

// ReadCsvHead, then ScanCsvRecords keeping `preview_records` records for the preview.
Status ReadCsvTable(const std::string& path, const CsvSettings& settings, const RecordPass& pass,
                    std::size_t preview_records, CsvTable& table);

// A record of a source that delivers cells, with the line (a workbook's row) it began on; a
// Status other than Ok ends the visit with it.
using CellVisit = std::function<Status(const CellRecord& record, std::int64_t line)>;

// Gives `visit` the records of doc's CSV file, read with quotes as the document says
// (SourceSplitter, SourceSkipLines, FirstLineHasNames, SourceEncoding), each as doc.FieldCount
// values in field order (FieldCells; splitters_held not looked for).
Status VisitQuotedRecords(const Document& doc, const CellVisit& visit);

// The same for a CSV file read without quotes: each line split as the import splits it, into as
// many values as its columns (doc.SourceColumns), else doc.FieldCount.
Status VisitSplitRecords(const Document& doc, const CellVisit& visit);

}  // namespace designer
