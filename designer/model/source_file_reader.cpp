// LoadFSR and NextHeaderValue: the designer's reader of its own source files.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/codepage.h"
#include "designer/model/csv_record.h"
#include "designer/model/int_text.h"
#include "designer/model/source_file.h"

namespace designer {
namespace {

// The part of a header or sample line that is kept: far beyond any line the designer writes or
// the builder reads, and it keeps a damaged file from filling the memory.
constexpr std::size_t kKeptLineLength = 64 * 1024;

// Reads the next header value as a 32-bit integer.
Status NextNumber(LineReader& file, std::int32_t& header_line_count, std::int32_t& value) {
  const std::string text = NextHeaderValue(file, header_line_count);
  if (!file.status().ok()) return file.status();
  return ParseInt32(codepage::Cp1251ToUtf8(text), value);
}

// Reads the next header value as an 8-bit member: its low 8 bits are kept.
Status NextByte(LineReader& file, std::int32_t& header_line_count, std::uint8_t& value) {
  std::int32_t number = 0;
  Status status = NextNumber(file, header_line_count, number);
  if (status.ok()) value = static_cast<std::uint8_t>(number);
  return status;
}

// Splits one data line into the sample values of record `record`, at the first byte of
// `splitter` (SplitRecord).
void StoreSampleLine(Document& doc, int record, std::string_view line,
                     const std::string& splitter) {
  RecordValues values;
  SplitRecord(line, std::string_view(splitter).substr(0, 1), doc.FieldCount, values);
  for (int i = 1; i <= doc.FieldCount; ++i) doc.SampleValues[record][i] = values[i - 1];
}

// The header's values that live outside the document.
struct HeaderValues {
  bool has_splitter = false;
  std::string splitter;
  std::string database_name;
};

// Reads `path` into `doc` (a copy of the document), following the header's value order.
Status ReadSourceFile(const std::string& path, const std::string& current_splitter, Document& doc,
                      HeaderValues& values) {
  LineReader file;
  Status status = file.Open(path);
  if (!status.ok()) return status;
  std::int32_t& lines = doc.HeaderLineCount;
  lines = 0;

  if (NextHeaderValue(file, lines) != kSourcePrefix) {
    if (!file.status().ok()) return file.status();
    return Status::Refusal("Файл «" + FileNameForMessage(path) +
                           "» не является исходным файлом справочника.");
  }
  std::int32_t version = 0;
  status = NextNumber(file, lines, version);
  if (!status.ok()) return status;
  values.has_splitter = version > kLastVersionWithoutSplitter;
  values.splitter = current_splitter;
  if (values.has_splitter) {
    // The splitter stands between quotes; its character is the second of the value.
    const std::string quoted = NextHeaderValue(file, lines);
    if (quoted.size() < 2) {
      return Status::Refusal("В файле «" + FileNameForMessage(path) +
                             "» не задан символ-разделитель полей.");
    }
    values.splitter = quoted.substr(1, 1);
  }

  std::int32_t field_count = 0;
  status = NextNumber(file, lines, field_count);
  if (!status.ok()) return status;
  if (field_count < 1 || field_count > kMaxDocumentFields) {
    return Status::Refusal(
        "В файле «" + FileNameForMessage(path) + "» указано полей: " + std::to_string(field_count) +
        "; справочник может иметь от 1 до " + std::to_string(kMaxDocumentFields) + " полей.");
  }
  status = NextNumber(file, lines, doc.RecordCount);
  if (!status.ok()) return status;
  NextHeaderValue(file, lines);  // the flags value, which the designer does not use
  values.database_name = NextHeaderValue(file, lines);

  doc.ClearFields();
  doc.FieldCount = field_count;
  for (int i = 1; i <= field_count && status.ok(); ++i) {
    TFieldDesc& field = doc.Fields[i];
    field.Name = CutName(NextHeaderValue(file, lines));
    for (std::uint8_t* member : {&field.DataType, &field.Flags, &field.NumSize, &field.QueryIndex,
                                 &field.ResultIndex, &field.DetailIndex}) {
      if (status.ok()) status = NextByte(file, lines, *member);
    }
    for (std::int32_t* member : {&field.EditWidth, &field.ResultWidth, &field.MaxLen}) {
      if (status.ok()) status = NextNumber(file, lines, *member);
    }
  }
  if (!status.ok()) return status;
  if (lines == INT32_MAX) {
    return Status::Refusal("Заголовок файла «" + FileNameForMessage(path) + "» слишком длинный.");
  }

  doc.SampleValues = {};
  std::string line;
  for (int record = 1; record <= kSampleRecords && file.ReadLine(kKeptLineLength, line); ++record) {
    StoreSampleLine(doc, record, line, values.splitter);
  }
  return file.status();
}

}  // namespace

std::string NextHeaderValue(LineReader& file, std::int32_t& header_line_count) {
  std::string line;
  for (;;) {
    if (!file.ReadLine(kKeptLineLength, line)) line.clear();  // past the end the value is empty
    if (header_line_count < INT32_MAX) ++header_line_count;
    const bool comment = !line.empty() && line.front() == ';';
    if (!comment) return line;
    if (file.AtEnd()) return {};
  }
}

Status LoadFSR(Document& doc, const std::string& path, const ReadOptions& options,
               ReadResult& result) {
  // The read works on a copy, so that a refused or unreadable file leaves the document as it was.
  Document loaded = doc;
  for (int row = 1; row <= kMaxDocumentFields; ++row) loaded.SetQueryBox(row, false);
  loaded.SourceFileName = path;
  loaded.SourceIsFsr = true;
  loaded.SourceIsDatabase = false;
  loaded.ResetSourceReading();
  loaded.FirstLineHasNames = false;
  HeaderValues values;
  const Status status = ReadSourceFile(path, options.splitter, loaded, values);
  if (!status.ok()) return status;

  // Ticking a box that was unticked gives a field without a position the next free one; the
  // query boxes are all unticked above, result boxes still ticked from before are left alone.
  for (int row = 1; row <= loaded.FieldCount; ++row) {
    loaded.SetQueryBox(row, true);
    loaded.SetResultBox(row, true);
  }
  for (int row = 1; row <= kMaxDocumentFields; ++row) {
    loaded.BoxesShown[row] = row <= loaded.FieldCount;
  }

  doc = std::move(loaded);
  if (values.has_splitter) result.splitter = values.splitter;
  result.database_name = values.database_name;
  result.status = DocumentStatus(doc);
  result.encoding_label = "";  // the encoding panel speaks of CSV files only
  return Status::Ok();
}

}  // namespace designer
