#include "designer/model/csv_table.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "designer/model/csv_quoted.h"
#include "designer/model/encoding.h"
#include "format/source_lines.h"

namespace designer {

Status OpenCsvText(const std::string& path, TextEncoding encoding, std::int32_t skip_lines,
                   LineReader& lines) {
  lines.SetUtf16Input(Utf16InputFor(encoding));
  if (Status opened = lines.Open(path); !opened.ok()) return opened;
  if (IsUtf8Text(encoding)) lines.SkipByteOrderMark();
  for (std::int32_t i = 0; i < skip_lines && lines.SkipLine(); ++i) {
  }
  return lines.status();
}

StatusOr<TextEncoding> FindCsvEncoding(const std::string& path,
                                       std::optional<TextEncoding> encoding) {
  if (encoding) return *encoding;
  LineReader scan;
  scan.SetUtf16Input(Utf16InputFor(std::nullopt));
  if (Status opened = scan.Open(path); !opened.ok()) return opened;
  const TextEncoding found = DetectEncoding(scan);
  if (!scan.status().ok()) return scan.status();
  return found;
}

StatusOr<CsvHead> ReadCsvHead(const std::string& path, const CsvSettings& settings) {
  CsvHead head;
  // A pass of its own: the names in the first line must already be the file's text.
  const StatusOr<TextEncoding> found = FindCsvEncoding(path, settings.encoding);
  if (!found.ok()) return found.status();
  head.encoding = found.value();
  LineReader lines;
  if (Status opened = OpenCsvText(path, head.encoding, settings.skip_lines, lines); !opened.ok())
    return opened;
  StatusOr<CsvFirstLine> first =
      ReadFirstRecord(lines, settings.splitter, settings.quoted, head.encoding);
  if (!lines.status().ok()) return lines.status();
  if (!first.ok()) return first.status();
  head.first = std::move(first).value();
  return head;
}

Status ScanCsvRecords(const std::string& path, const CsvSettings& settings, const CsvHead& head,
                      const RecordPass& pass, TableScan& scan) {
  LineReader lines;
  if (Status opened = OpenCsvText(path, head.encoding, settings.skip_lines, lines); !opened.ok())
    return opened;
  const std::int64_t first_line = settings.skip_lines + 1;
  const int field_count = head.first.FieldCount;
  if (settings.quoted) {
    QuotedRecordReader records(lines, InputSplitter(settings.splitter, head.encoding), first_line);
    if (settings.first_line_has_names) records.Skip();
    return ScanQuotedRecords(records, field_count, head.encoding, pass, scan);
  }
  if (settings.first_line_has_names) lines.SkipLine();
  return ScanLineRecords(lines, settings.splitter, field_count, head.encoding,
                         first_line + (settings.first_line_has_names ? 1 : 0), pass, scan);
}

Status ReadCsvTable(const std::string& path, const CsvSettings& settings, const RecordPass& pass,
                    std::size_t preview_records, CsvTable& table) {
  table.scan.reset();
  StatusOr<CsvHead> head = ReadCsvHead(path, settings);
  if (!head.ok()) return head.status();
  table.head = std::move(head).value();
  table.scan.emplace(table.head.first.FieldCount, settings.quoted, preview_records,
                     pass.find_free_splitter);
  return ScanCsvRecords(path, settings, table.head, pass, *table.scan);
}

Status VisitQuotedRecords(const Document& doc, const CellVisit& visit) {
  LineReader lines;
  Status status = OpenCsvText(doc.SourceFileName, doc.SourceEncoding, doc.SourceSkipLines, lines);
  if (!status.ok()) return status;
  QuotedRecordReader records(lines, InputSplitter(doc.SourceSplitter, doc.SourceEncoding),
                             doc.SourceSkipLines + 1);
  if (doc.FirstLineHasNames) records.Skip();
  std::vector<std::string_view> cells;
  std::vector<std::string_view> mapped;
  CellRecord record;
  while (records.Next(cells)) {
    record.Set(FieldCells(doc, cells, mapped), doc.FieldCount, doc.SourceEncoding,
               records.may_hold_controls(), /*find_splitters=*/false);
    if (status = visit(record, records.line()); !status.ok()) return status;
  }
  return records.status();
}

Status VisitSplitRecords(const Document& doc, const CellVisit& visit) {
  LineReader lines;
  Status status = OpenCsvText(doc.SourceFileName, doc.SourceEncoding, doc.SourceSkipLines, lines);
  if (!status.ok()) return status;
  std::int64_t line_number = doc.SourceSkipLines;
  if (doc.FirstLineHasNames && lines.SkipLine()) ++line_number;
  const int columns = std::clamp(doc.SourceColumns ? doc.SourceColumns->columns : doc.FieldCount, 1,
                                 kMaxDocumentFields);
  const std::string splitter = InputSplitter(doc.SourceSplitter, doc.SourceEncoding);
  std::string line;
  RecordValues values;
  std::vector<std::string_view> cells;
  std::vector<std::string_view> mapped;
  CellRecord record;
  while (lines.ReadLine(line)) {
    ++line_number;
    cells.clear();
    if (!line.empty()) {
      SplitRecord(line, splitter, columns, values);
      cells.assign(values.begin(), values.begin() + columns);
    }
    record.Set(FieldCells(doc, cells, mapped), doc.FieldCount, doc.SourceEncoding,
               /*may_hold_controls=*/true, /*find_splitters=*/false);
    if (status = visit(record, line_number); !status.ok()) return status;
  }
  return lines.status();
}

}  // namespace designer
