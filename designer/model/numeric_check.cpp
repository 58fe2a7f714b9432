#include "designer/model/numeric_check.h"

#include <algorithm>

#include "common/byte_source.h"
#include "common/codepage.h"
#include "designer/model/csv_record.h"
#include "designer/model/encoding.h"
#include "designer/model/int_text.h"
#include "designer/model/source_file.h"
#include "designer/model/table_source.h"
#include "format/database_reader.h"

namespace designer {
namespace {

constexpr std::int64_t kProgressEvery = 4096;
// The values a check needs stand at the start of a data line; the rest of a longer line is
// skipped unread.
constexpr std::size_t kLineHead = 64 * 1024;

bool IsNumber(std::string_view value) { return ParseInt32(value).ok(); }

// Bytes the number `value` (IsNumber) takes on the handheld: as the import sizes its numbers, and
// the largest size for a sign or more than nine digits.
int StoredSize(std::string_view value) {
  constexpr std::size_t kMostDigits = 9;
  const bool digits =
      value.size() <= kMostDigits &&
      std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digits ? NumberSize(value) : format::kMaxNumericSize;
}

Status NotANumber(const Document& doc, int field, std::int64_t record, std::string_view value) {
  return Status::Refusal("Поле «" + codepage::Cp1251ToUtf8(doc.Fields[field].Name) +
                         "» нельзя сделать числовым: в записи " + std::to_string(record) +
                         " значение «" + codepage::Cp1251ToUtf8(value) + "» — не целое число.");
}

// Reads the document's file, or the lines `given` of its source.
Status CheckTextSource(const Document& doc, int field, const std::string& splitter,
                       const std::function<void(std::int64_t)>& progress,
                       LineReader* given = nullptr) {
  LineReader file;
  if (given == nullptr) {
    if (Status opened = file.Open(doc.SourceFileName); !opened.ok()) return opened;
  }
  DocumentLineReader in(given != nullptr ? *given : file, doc.SourceEncoding, doc.SourceFileName);
  SkipToDataLines(doc, in);
  const int count = std::clamp(doc.FieldCount, 1, kMaxDocumentFields);
  std::string head;
  bool ended = false;
  RecordValues values;
  std::int64_t record = 0;
  while (in.ReadPiece(kLineHead, head, ended)) {
    if (!ended && !in.SkipLine()) break;
    if (head.empty()) continue;  // no record, as a save drops it
    ++record;
    SplitRecord(head, splitter, count, values);
    if (!IsNumber(values[field - 1])) return NotANumber(doc, field, record, values[field - 1]);
    if (record % kProgressEvery == 0 && progress) progress(record);
  }
  return in.status();
}

Status CheckCellSource(const Document& doc, int field,
                       const std::function<void(std::int64_t)>& progress) {
  const StatusOr<NumberCheck> check = CheckNumbers(doc, field, progress);
  if (!check.ok()) return check.status();
  if (!check->non_number) return Status::Ok();
  return NotANumber(doc, field, check->non_number->record, check->non_number->value);
}

Status CheckDatabaseSource(const Document& doc, int field,
                           const std::function<void(std::int64_t)>& progress) {
  FileSource source(doc.SourceFileName);
  format::DatabaseReader reader(source);
  if (Status header = reader.ReadHeader(); !header.ok()) return header;
  format::BookRecord record;
  while (reader.NextRecord(record)) {
    if (static_cast<int>(record.values.size()) < field) break;
    const format::StoredValue& value = record.values[field - 1];
    if (!value.numeric() && !IsNumber(TrimValue(value.text)))
      return NotANumber(doc, field, record.number, TrimValue(value.text));
    if (record.number % kProgressEvery == 0 && progress) progress(record.number);
  }
  return reader.status();
}

}  // namespace

StatusOr<NumberCheck> CheckNumbers(const Document& doc, int field,
                                   const std::function<void(std::int64_t records)>& progress) {
  NumberCheck check{std::nullopt, 1};
  std::int64_t record = 0;
  const Status visited = VisitCellRecords(doc, [&](const CellRecord& cells, std::int64_t line) {
    if (cells.line_length() == 0) return Status::Ok();  // no record, as a save drops it
    ++record;
    const std::string_view value = cells.values()[field - 1];
    if (!IsNumber(value)) {
      check.non_number = NonNumber{record, line, std::string(value)};
      return Status::Refusal("");  // ends the visit
    }
    check.number_size = std::max(check.number_size, StoredSize(value));
    if (record % kProgressEvery == 0 && progress) progress(record);
    return Status::Ok();
  });
  if (!check.non_number && !visited.ok()) return visited;
  return check;
}

Status CheckNumericField(const Document& doc, int field, const std::string& splitter,
                         const std::function<void(std::int64_t records)>& progress) {
  if (field < 1 || field > doc.FieldCount || doc.SourceFileName.empty()) return Status::Ok();
  if (doc.SourceIsDatabase) return CheckDatabaseSource(doc, field, progress);
  if (HasCellRecords(doc)) return CheckCellSource(doc, field, progress);
  return CheckTextSource(doc, field, splitter, progress);
}

Status CheckNumericFields(const Document& doc, const std::string& splitter,
                          const std::function<void(std::int64_t records)>& progress) {
  if (!doc.SourceIsFsr) return Status::Ok();
  for (int field = 1; field <= doc.FieldCount; ++field) {
    if (doc.Fields[field].DataType != kTypeNumeric) continue;
    if (Status checked = CheckNumericField(doc, field, splitter, progress); !checked.ok())
      return checked;
  }
  return Status::Ok();
}

Status CheckNumericField(const Document& doc, int field, const std::string& splitter,
                         LineReader& lines,
                         const std::function<void(std::int64_t records)>& progress) {
  if (field < 1 || field > doc.FieldCount) return Status::Ok();
  return CheckTextSource(doc, field, splitter, progress, &lines);
}

}  // namespace designer
