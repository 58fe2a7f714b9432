#include "designer/model/csv_import.h"

#include "common/codepage.h"
#include "designer/model/encoding.h"
#include "designer/model/sheet_table.h"
#include "designer/model/table_source.h"
#include "format/source_lines.h"

namespace designer {

std::string FirstLineQuestion(const CsvFirstLine& first) {
  std::string text = "Первая строка содержит названия полей?\n";
  for (std::size_t i = 0; i < first.Names.size(); ++i) {
    if (i > 0) text += '\n';
    text += codepage::Cp1251ToUtf8(first.Names[i]);
  }
  return text;
}

namespace {

// Reads the table `path` as `settings` and `options` say into `table`; `settings` ends with the
// answer about the names and the encoding read.
Status ReadForImport(const std::string& path, const ReadOptions& options, CsvSettings& settings,
                     CsvTable& table) {
  const RecordPass pass{.progress = options.progress};
  const auto ask = [&options, &settings](const CsvFirstLine& first) {
    settings.first_line_has_names = options.ask && options.ask(FirstLineQuestion(first));
    return settings.first_line_has_names;
  };
  if (IsWorkbookPath(path)) {
    settings.quoted = true;  // cells are whole values, as quoted ones are
    return ReadSheetTable(path, settings, pass, 0, table, ask);
  }
  StatusOr<CsvHead> head = ReadCsvHead(path, settings);
  if (!head.ok()) return head.status();
  table.head = std::move(head).value();
  settings.encoding = table.head.encoding;
  ask(table.head.first);
  table.scan.emplace(table.head.first.FieldCount, settings.quoted);
  return ScanCsvRecords(path, settings, table.head, pass, *table.scan);
}

// The import proper, on `next`, a copy of the document that becomes it only on success.
Status ImportInto(Document& next, const std::string& path, const ReadOptions& options,
                  ReadResult& result) {
  // Every field leaves the input list; the ticks at the end hand out positions in field order.
  for (int row = 1; row <= kMaxDocumentFields; ++row) next.SetQueryBox(row, false);

  CsvSettings settings{.encoding = options.encoding,
                       .splitter = options.splitter,
                       .quoted = options.quoted,
                       .skip_lines = options.skip_lines,
                       .sheet = options.sheet};
  CsvTable table;
  if (Status read = ReadForImport(path, options, settings, table); !read.ok()) return read;
  const TableScan& scan = *table.scan;
  // Read as cells, the records are written as their values joined by a splitter none holds.
  std::optional<char> splitter;
  if (settings.quoted) {
    splitter = scan.FreeSplitter();
    if (!splitter) {
      return Status::Refusal("В значениях файла «" + FileNameForMessage(path) +
                             "» встречаются все разделители: «;», «,», табуляция и «|».");
    }
  }

  StartCsvDocument(table.head.first, settings.first_line_has_names, table.head.encoding, next);
  scan.ApplyTo(next);
  next.SourceFileName = path;
  next.SourceIsFsr = false;
  next.SourceIsDatabase = false;
  next.SourceSplitter = settings.splitter;
  next.SourceQuoted = settings.quoted && table.sheet.empty();
  next.SourceSkipLines = settings.skip_lines;
  next.SourceColumns.reset();
  next.SourceSheet = table.sheet;
  for (int row = 1; row <= kMaxDocumentFields; ++row) {
    next.BoxesShown[row] = row <= next.FieldCount;
    if (row > next.FieldCount) continue;
    next.SetQueryBox(row, true);
    next.SetResultBox(row, true);
  }
  result.splitter = splitter ? std::string(1, *splitter) : settings.splitter;
  result.warnings = scan.warnings();
  // A workbook's cells have no encoding the user chose.
  result.encoding_label = table.sheet.empty() ? EncodingLabel(table.head.encoding) : "";
  return Status::Ok();
}

}  // namespace

Status LoadCSV(Document& doc, const std::string& path, const ReadOptions& options,
               ReadResult& result) {
  Document next = doc;
  ReadResult found;
  const Status status = ImportInto(next, path, options, found);
  if (status.ok()) {
    doc = std::move(next);
    result.splitter = found.splitter;
    result.warnings = found.warnings;
    result.encoding_label = found.encoding_label;
  }
  result.status = DocumentStatus(doc);
  return status;
}

Status RereadCSV(const Document& doc, const std::string& splitter,
                 const std::function<void(int records)>& progress, Document& reread,
                 ReadResult& result) {
  reread = doc;
  const bool names = doc.FirstLineHasNames;
  const ReadOptions options{.splitter = splitter,
                            .encoding = doc.SourceEncoding,
                            .ask = [names](const std::string&) { return names; },
                            .progress = progress,
                            .quoted = doc.SourceQuoted,
                            .skip_lines = doc.SourceSkipLines,
                            .sheet = doc.SourceSheet};
  const Status status = LoadCSV(reread, doc.SourceFileName, options, result);
  if (!status.ok() || reread.FieldCount != doc.FieldCount) return status;
  reread.Fields = doc.Fields;
  reread.UnmappableNames = doc.UnmappableNames;
  reread.QueryBoxTicked = doc.QueryBoxTicked;
  reread.ResultBoxTicked = doc.ResultBoxTicked;
  return status;
}

}  // namespace designer
