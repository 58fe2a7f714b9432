#include "designer/model/csv_scan.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "common/codepage.h"
#include "designer/model/csv_record.h"
#include "designer/model/encoding.h"

namespace designer {
namespace {

constexpr std::uint8_t kResetFlags = kFlagDigitsOnly | kFlagUpperCase;

void ResetFieldTable(Document& doc) {
  doc.ClearFields();
  for (int i = 1; i <= kFieldTableSize; ++i) {
    TFieldDesc& field = doc.Fields[i];
    field.DataType = kTypeText;
    field.Flags = kResetFlags;
    field.ResultIndex = static_cast<std::uint8_t>(i);
    field.DetailIndex = static_cast<std::uint8_t>(i);
  }
}

Status FieldLimit() {
  return Status::Refusal(
      "Ошибка! Настоящая версия поддерживает до 5 полей включительно!\n"
      "Ведутся работы по расширение до 10 полей, следите за новостями на сайте.");
}

// Characters of UTF-8 text, each of which becomes one character of document text.
std::size_t Utf8Characters(std::string_view text) {
  std::size_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return characters;
}

}  // namespace

StatusOr<bool> RoomForRecord(const TableScan& scan, const RecordPass& pass) {
  const bool more = pass.max_records <= 0 || scan.record_count() < pass.max_records;
  if (more && scan.record_count() == std::numeric_limits<std::int32_t>::max()) {
    return Status::Error("Слишком много записей: больше " + std::to_string(scan.record_count()) +
                         ".");
  }
  return more;
}

bool Reported(const TableScan& scan, const RecordPass& pass) {
  if (scan.record_count() % kCsvProgressStep != 0) return true;
  if (pass.progress) pass.progress(scan.record_count());
  return !pass.go_on || pass.go_on();
}

std::string InputSplitter(std::string_view splitter, TextEncoding encoding) {
  return IsUtf8Text(encoding) ? codepage::Cp1251ToUtf8(splitter) : std::string(splitter);
}

StatusOr<CsvFirstLine> ReadCsvFirstLine(LineReader& lines, std::string_view splitter,
                                        TextEncoding encoding) {
  if (IsUtf8Text(encoding)) lines.SkipByteOrderMark();
  const std::string input_splitter = InputSplitter(splitter, encoding);
  std::string line;
  lines.ReadLine(line);
  const std::size_t cells = CountCells(line, input_splitter);
  if (cells > static_cast<std::size_t>(kMaxDocumentFields)) return FieldLimit();
  CsvFirstLine first;
  first.FieldCount = static_cast<int>(cells);
  first.Names = CellNames(line, input_splitter, encoding, &first.Unmappable);
  return first;
}

StatusOr<CsvFirstLine> FirstLineOfCells(const std::vector<std::string_view>& cells,
                                        TextEncoding encoding) {
  if (cells.size() > static_cast<std::size_t>(kMaxDocumentFields)) return FieldLimit();
  const std::vector<std::string_view> one_empty = {std::string_view()};
  CsvFirstLine first;
  first.Names = NamesOfCells(cells.empty() ? one_empty : cells, encoding, &first.Unmappable);
  first.FieldCount = static_cast<int>(first.Names.size());
  return first;
}

StatusOr<CsvFirstLine> ReadFirstRecord(LineReader& lines, std::string_view splitter, bool quoted,
                                       TextEncoding encoding) {
  if (!quoted) return ReadCsvFirstLine(lines, splitter, encoding);
  QuotedRecordReader records(lines, InputSplitter(splitter, encoding));
  std::vector<std::string_view> cells;
  if (!records.Next(cells)) cells.clear();
  return FirstLineOfCells(cells, encoding);
}

Status ScanLineRecords(LineReader& lines, std::string_view splitter, int field_count,
                       TextEncoding encoding, std::int64_t first_line, const RecordPass& pass,
                       TableScan& scan) {
  const std::string input_splitter = InputSplitter(splitter, encoding);
  const bool utf8 = IsUtf8Text(encoding);
  std::string line;
  RecordValues values;
  std::array<std::string, kMaxDocumentFields> converted;  // the values of a UTF-8 record
  std::optional<codepage::BadCharacter> unmappable;
  std::int64_t number = first_line;
  do {
    const StatusOr<bool> room = RoomForRecord(scan, pass);
    if (!room.ok()) return room.status();
    if (!room.value()) break;
    std::string_view text;
    if (!lines.ReadLineInPlace(text)) {
      lines.ReadLine(line);
      text = line;
    }
    RecordFacts facts;
    facts.line = number++;
    facts.other_field_count =
        !SplitRecord(text, input_splitter, field_count, values) && !text.empty();
    facts.line_length = utf8 ? Utf8Characters(text) : text.size();
    if (utf8) {
      unmappable.reset();
      for (int i = 0; i < field_count; ++i) {
        codepage::Utf8Converter converter;
        converted[i].clear();
        converter.Add(values[i], converted[i]);
        converter.Finish(converted[i]);
        if (!unmappable && converter.first_bad()) unmappable = converter.first_bad();
        values[i] = converted[i];
      }
      if (unmappable) facts.unmappable = &*unmappable;
    }
    scan.Add(values, facts);
    if (!Reported(scan, pass)) break;
  } while (!lines.AtEnd());
  return lines.status();
}

Status ScanQuotedRecords(QuotedRecordReader& records, int field_count, TextEncoding encoding,
                         const RecordPass& pass, TableScan& scan) {
  std::vector<std::string_view> cells;
  CellRecord record;
  bool any = false;
  for (;;) {
    const StatusOr<bool> room = RoomForRecord(scan, pass);
    if (!room.ok()) return room.status();
    if (!room.value()) break;
    if (!records.Next(cells)) {
      if (any || !records.status().ok()) break;
      cells.clear();  // an input without records gives one empty record, as a text without lines
    }
    any = true;
    record.Set(cells, field_count, encoding, records.may_hold_controls(),
               scan.finds_free_splitter());
    RecordFacts facts;
    facts.line = records.line();
    facts.other_field_count =
        !cells.empty() && cells.size() != static_cast<std::size_t>(field_count);
    facts.line_length = record.line_length();
    if (record.unmappable()) facts.unmappable = &*record.unmappable();
    facts.line_breaks = record.line_breaks();
    facts.bad_quotes = !records.well_formed();
    facts.splitters_held = record.splitters_held();
    scan.Add(record.values(), facts);
    if (!Reported(scan, pass)) break;
  }
  return records.status();
}

void StartCsvDocument(const CsvFirstLine& first, bool first_line_has_names, TextEncoding encoding,
                      Document& doc) {
  const int count = first.FieldCount;
  ResetFieldTable(doc);
  doc.FieldCount = count;
  doc.FirstLineHasNames = first_line_has_names;
  doc.SourceEncoding = encoding;
  if (!first_line_has_names) return;
  for (int i = 1; i <= count; ++i) {
    doc.Fields[i].Name = first.Names[i - 1];
    if (!first.Unmappable[i - 1].empty())
      doc.UnmappableNames[i] = UnmappableName{first.Names[i - 1], first.Unmappable[i - 1]};
  }
}

Status ReadCsvRecords(LineReader& lines, std::string_view splitter, const CsvFirstLine& first,
                      bool first_line_has_names, Document& doc, const CsvProgress& progress,
                      TextEncoding encoding) {
  StartCsvDocument(first, first_line_has_names, encoding, doc);
  if (IsUtf8Text(encoding)) lines.SkipByteOrderMark();
  if (first_line_has_names) lines.SkipLine();
  TableScan scan(first.FieldCount, /*quoted=*/false);
  const Status status = ScanLineRecords(lines, splitter, first.FieldCount, encoding,
                                        first_line_has_names ? 2 : 1, {.progress = progress}, scan);
  if (!status.ok()) return status;
  scan.ApplyTo(doc);
  return Status::Ok();
}

}  // namespace designer
