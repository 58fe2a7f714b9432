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
  friend bool operator==(const CsvSettings&, const CsvSettings&) = default;
};

// The start of a CSV file.
struct CsvHead {
  TextEncoding encoding = TextEncoding::kCp1251;  // settings.encoding, or the one detected
  CsvFirstLine first;
};

// The encoding of the CSV file `path`: `encoding` when given, else found by the automatic rule
// (a pass over the file up to the first byte that rules UTF-8 out). Fails as reading fails.
Status FindCsvEncoding(const std::string& path, std::optional<TextEncoding> encoding,
                       TextEncoding& found);

// Opens the CSV file `path` in `encoding` and reads past what precedes its first line: a
// byte-order mark and `skip_lines` lines (fewer when the file has fewer).
Status OpenCsvText(const std::string& path, TextEncoding encoding, std::int32_t skip_lines,
                   LineReader& lines);

// Reads the head of `path`: its encoding (settings.encoding, else detected), then, past the lines
// to skip, its first line (the first record, with quotes). A Refusal for a file that is no text
// or whose first line has more than 5 cells; an Error when it cannot be read.
Status ReadCsvHead(const std::string& path, const CsvSettings& settings, CsvHead& head);

// Reads the records of `path` after its head (its first line among them when it holds no names)
// into `scan`, made for head.first.FieldCount fields and settings.quoted.
Status ScanCsvRecords(const std::string& path, const CsvSettings& settings, const CsvHead& head,
                      const RecordPass& pass, TableScan& scan);

// The head and the records of a CSV file, as far as a pass reads them.
struct CsvTable {
  CsvHead head;
  std::optional<TableScan> scan;  // set once the head was read
};

// ReadCsvHead, then ScanCsvRecords keeping `preview_records` records for the preview.
Status ReadCsvTable(const std::string& path, const CsvSettings& settings, const RecordPass& pass,
                    std::size_t preview_records, CsvTable& table);

// Writes the records of doc's CSV file (csv_cells.h), read with quotes or through a column map as
// the document says (SourceQuoted, SourceColumns), as data lines: each record's field values
// joined by `splitter`, a line longer than kLongLineLength cut as the copy of lines cuts it when
// asked, an empty line dropped. A value that holds the splitter, or a written character that
// Windows-1251 lacks, refuses the save with the line's number. `written` counts the lines written,
// `lines_cut` those cut.
Status WriteCellRecords(const Document& doc, char splitter, bool cut_long_lines, LineWriter& out,
                        const std::function<void(std::int64_t written)>& progress,
                        std::int32_t& written, std::int64_t& lines_cut);

}  // namespace designer
