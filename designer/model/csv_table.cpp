#include "designer/model/csv_table.h"

#include <cstdint>
#include <vector>

#include "designer/model/csv_cells.h"
#include "designer/model/csv_quoted.h"
#include "designer/model/encoding.h"
#include "designer/model/source_file.h"
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

Status FindCsvEncoding(const std::string& path, std::optional<TextEncoding> encoding,
                       TextEncoding& found) {
  if (encoding) {
    found = *encoding;
    return Status::Ok();
  }
  LineReader scan;
  scan.SetUtf16Input(Utf16InputFor(std::nullopt));
  if (Status opened = scan.Open(path); !opened.ok()) return opened;
  found = DetectEncoding(scan);
  return scan.status();
}

Status ReadCsvHead(const std::string& path, const CsvSettings& settings, CsvHead& head) {
  // A pass of its own: the names in the first line must already be the file's text.
  if (Status found = FindCsvEncoding(path, settings.encoding, head.encoding); !found.ok())
    return found;
  LineReader lines;
  if (Status opened = OpenCsvText(path, head.encoding, settings.skip_lines, lines); !opened.ok())
    return opened;
  Status status = Status::Ok();
  if (settings.quoted) {
    QuotedRecordReader records(lines, InputSplitter(settings.splitter, head.encoding));
    std::vector<std::string_view> cells;
    if (!records.Next(cells)) cells.clear();
    status = FirstLineOfCells(cells, head.encoding, head.first);
  } else {
    status = ReadCsvFirstLine(lines, settings.splitter, head.first, head.encoding);
  }
  return lines.status().ok() ? status : lines.status();
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
  if (Status head = ReadCsvHead(path, settings, table.head); !head.ok()) return head;
  table.scan.emplace(table.head.first.FieldCount, settings.quoted, preview_records,
                     pass.find_free_splitter);
  return ScanCsvRecords(path, settings, table.head, pass, *table.scan);
}

namespace {

Status LineRefusal(const Document& doc, std::int64_t line, const std::string& what) {
  return Status::Refusal("Строка " + std::to_string(line) + " файла «" +
                         FileNameForMessage(doc.SourceFileName) + "» " + what);
}

}  // namespace

Status WriteCellRecords(const Document& doc, char splitter, bool cut_long_lines, LineWriter& out,
                        const std::function<void(std::int64_t written)>& progress,
                        std::int32_t& written, std::int64_t& lines_cut) {
  written = 0;
  const std::optional<Document::ColumnMap>& map = doc.SourceColumns;
  CsvCellReader records(doc, map ? map->columns : doc.FieldCount);
  Status status = records.Open();
  if (!status.ok()) return status;
  std::vector<std::string_view> cells;
  std::vector<std::string_view> fields;
  CellRecord record;
  std::string line;
  while (records.Next(cells)) {
    if (map && !cells.empty()) {
      // The fields' values in field order; a column the record lacks is an empty value.
      fields.assign(doc.FieldCount, std::string_view());
      for (int i = 1; i <= doc.FieldCount; ++i) {
        const auto column = static_cast<std::size_t>(map->of_field[i]);
        if (column >= 1 && column <= cells.size()) fields[i - 1] = cells[column - 1];
      }
      cells.swap(fields);
    }
    // Whether a value holds the splitter is asked of the values themselves (Holds).
    record.Set(cells, doc.FieldCount, doc.SourceEncoding, records.may_hold_controls(),
               /*find_splitters=*/false);
    record.MakeLine(splitter, line);
    if (line.empty()) continue;  // no source file keeps an empty line
    if (written == INT32_MAX) {
      return Status::Error("Слишком много строк данных: больше " + std::to_string(INT32_MAX) + ".");
    }
    if (record.Holds(splitter)) {
      return LineRefusal(doc, records.line(),
                         "содержит значение с разделителем " +
                             format::SplitterForMessage(splitter) +
                             ". Выберите другой разделитель и повторите сохранение.");
    }
    const bool cut = cut_long_lines && line.size() > kLongLineLength;
    // Only what is written must fit the code page: text cut away may hold anything.
    if (const auto& bad = record.unmappable();
        bad && bad->output_at < (cut ? kCutLineKeep : line.size())) {
      return LineRefusal(doc, records.line(),
                         "содержит " + codepage::DescribeBadCharacter(*bad) +
                             ". Замените его в файле и повторите сохранение.");
    }
    if (cut) {
      out.Write(std::string_view(line).substr(0, kCutLineKeep));
      out.Write("..");
      ++lines_cut;
    } else {
      out.Write(line);
    }
    out.EndLine();
    if (!out.status().ok()) return out.status();
    ++written;
    if (progress) progress(written);
  }
  if (!records.status().ok()) return records.status();
  return out.status();
}

}  // namespace designer
