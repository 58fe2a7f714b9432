// LoadFSR and NextHeaderValue: the designer's reader of its own source files.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/codepage.h"
#include "designer/model/csv_record.h"
#include "designer/model/int_text.h"
#include "designer/model/source_file.h"
#include "format/source_grammar.h"

namespace designer {
namespace {

// The part of a header or sample line that is kept: far beyond any line the designer writes or
// the builder reads, and it keeps a damaged file from filling the memory.
constexpr std::size_t kKeptLineLength = 64 * 1024;

// Reads the next header value of the file at `path` as a 32-bit integer; a value that is none is
// named with the file and its line.
StatusOr<std::int32_t> NextNumber(LineReader& file, const std::string& path,
                                  std::int32_t& header_line_count) {
  const std::string text = NextHeaderValue(file, header_line_count);
  if (!file.status().ok()) return file.status();
  StatusOr<std::int32_t> parsed = ParseInt32(codepage::Cp1251ToUtf8(text));
  if (parsed.ok()) return parsed;
  return Status::Error("Файл «" + FileNameForMessage(path) + "», строка " +
                       std::to_string(header_line_count) + ": " + parsed.status().message() + ".");
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

// Reads the next header value, `value`, into `doc` and `values`; a Refusal for a file that is no
// source file or declares no splitter or an unusable field count.
Status ReadHeaderValue(format::HeaderValue value, LineReader& file, const std::string& path,
                       Document& doc, HeaderValues& values, std::int32_t& field_count) {
  using format::HeaderValue;
  std::int32_t& lines = doc.HeaderLineCount;
  switch (value) {
    case HeaderValue::kPrefix:
      if (NextHeaderValue(file, lines) == kSourcePrefix) break;
      if (!file.status().ok()) return file.status();
      return Status::Refusal("Файл «" + FileNameForMessage(path) +
                             "» не является исходным файлом справочника.");
    case HeaderValue::kVersion: {
      const StatusOr<std::int32_t> version = NextNumber(file, path, lines);
      if (!version.ok()) return version.status();
      values.has_splitter = version.value() > kLastVersionWithoutSplitter;
      break;
    }
    case HeaderValue::kSplitter: {
      // The splitter stands between quotes; its character is the second of the value.
      const std::string quoted = NextHeaderValue(file, lines);
      if (quoted.size() < 2) {
        return Status::Refusal("В файле «" + FileNameForMessage(path) +
                               "» не задан символ-разделитель полей.");
      }
      values.splitter = quoted.substr(1, 1);
      break;
    }
    case HeaderValue::kFieldCount: {
      const StatusOr<std::int32_t> count = NextNumber(file, path, lines);
      if (!count.ok()) return count.status();
      field_count = count.value();
      if (field_count < 1 || field_count > kMaxDocumentFields) {
        return Status::Refusal("В файле «" + FileNameForMessage(path) + "» указано полей: " +
                               std::to_string(field_count) + "; справочник может иметь от 1 до " +
                               std::to_string(kMaxDocumentFields) + " полей.");
      }
      break;
    }
    case HeaderValue::kRecordCount: {
      const StatusOr<std::int32_t> records = NextNumber(file, path, lines);
      if (!records.ok()) return records.status();
      doc.RecordCount = records.value();
      break;
    }
    case HeaderValue::kFlags:
      NextHeaderValue(file, lines);
      break;  // the designer keeps none
    case HeaderValue::kName:
      values.database_name = NextHeaderValue(file, lines);
      break;
  }
  return Status::Ok();
}

// Reads `file`, named `path`, into `doc` (a copy of the document), following the header's value
// order.
Status ReadSourceFile(LineReader& file, const std::string& path,
                      const std::string& current_splitter, Document& doc, HeaderValues& values) {
  Status status = Status::Ok();
  std::int32_t& lines = doc.HeaderLineCount;
  lines = 0;

  values.splitter = current_splitter;
  std::int32_t field_count = 0;
  for (const auto& value : format::kHeaderValues) {
    if (value.value == format::HeaderValue::kSplitter && !values.has_splitter) continue;
    status = ReadHeaderValue(value.value, file, path, doc, values, field_count);
    if (!status.ok()) return status;
  }

  doc.ClearFields();
  doc.FieldCount = field_count;
  for (int i = 1; i <= field_count && status.ok(); ++i) {
    for (const auto& value : format::kFieldValues) {
      if (!status.ok()) break;
      if (value.value == format::FieldValue::kName) {
        doc.Fields[i].Name = CutName(NextHeaderValue(file, lines));
        continue;
      }
      const StatusOr<std::int32_t> number = NextNumber(file, path, lines);
      status = number.status();
      if (number.ok()) SetFieldNumber(doc.Fields[i], value.value, number.value());
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
    if (!format::IsCommentLine(line)) return line;
    if (file.AtEnd()) return {};
  }
}

namespace {

// LoadFSR on `file`, named `path`, the list positions handed out by the ticks or, with
// `keep_positions`, as the file gives them.
Status LoadSource(Document& doc, LineReader& file, const std::string& path,
                  const ReadOptions& options, bool keep_positions, ReadResult& result) {
  // The read works on a copy, so that a refused or unreadable file leaves the document as it was.
  Document loaded = doc;
  for (int row = 1; row <= kMaxDocumentFields; ++row) loaded.SetQueryBox(row, false);
  loaded.SourceFileName = path;
  loaded.SourceIsFsr = true;
  loaded.SourceIsDatabase = false;
  loaded.ResetSourceReading();
  loaded.FirstLineHasNames = false;
  HeaderValues values;
  const Status status = ReadSourceFile(file, path, options.splitter, loaded, values);
  if (!status.ok()) return status;

  // Ticking a box that was unticked gives a field without a position the next free one; the
  // query boxes are all unticked above, result boxes still ticked from before are left alone.
  for (int row = 1; row <= loaded.FieldCount; ++row) {
    if (keep_positions) {
      loaded.QueryBoxTicked[row] = loaded.Fields[row].QueryIndex > 0;
      loaded.ResultBoxTicked[row] = loaded.Fields[row].ResultIndex > 0;
    } else {
      loaded.SetQueryBox(row, true);
      loaded.SetResultBox(row, true);
    }
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

}  // namespace

Status LoadFSR(Document& doc, const std::string& path, const ReadOptions& options,
               ReadResult& result) {
  LineReader file;
  if (Status opened = file.Open(path); !opened.ok()) return opened;
  return LoadSource(doc, file, path, options, /*keep_positions=*/false, result);
}

Status LoadFSR(Document& doc, LineReader& file, const std::string& path, const ReadOptions& options,
               ReadResult& result) {
  return LoadSource(doc, file, path, options, /*keep_positions=*/false, result);
}

Status LoadFSRDesign(Document& doc, const std::string& path, ReadResult& result) {
  LineReader file;
  if (Status opened = file.Open(path); !opened.ok()) return opened;
  return LoadSource(doc, file, path, {}, /*keep_positions=*/true, result);
}

}  // namespace designer
