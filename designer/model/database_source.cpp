#include "designer/model/database_source.h"

#include <algorithm>
#include <climits>

#include "common/byte_source.h"
#include "designer/model/source_file.h"

namespace designer {
namespace {

// The running count shows in the status bar this often while a book is read.
constexpr std::uint32_t kProgressEvery = 500;

std::string BookName(const std::string& path) {
  return "Справочник «" + FileNameForMessage(path) + "»";
}

// The longest line record `record` may make.
std::size_t LineLimit(const format::DatabaseReader& reader, const format::BookRecord& record,
                      bool last_line_may_lack_end) {
  const bool last = record.number == reader.record_count();
  return last && last_line_may_lack_end ? format::kMaxLineLength : format::kMaxLineText;
}

Status CannotOpen(const std::string& path, const FileSource& source) {
  return Status::Error("Не удалось открыть файл «" + PathForMessage(path) +
                       "»: " + source.open_error());
}

// A refusal or fault of the book at `path`, with the book named.
Status AboutBook(const std::string& path, const Status& status) {
  const std::string text = BookName(path) + ": " + status.message();
  return status.refusal() ? Status::Refusal(text) : Status::Error(text);
}

// What a save of the document would change in the database: the designer holds 1 to 5 fields
// and writes version 13, flags 0 and a CR after the prefix; a phone book is no document at all.
Status CheckDocumentCanKeep(const format::DatabaseReader& reader, const std::string& path) {
  const std::string book = BookName(path);
  const std::string advice = " Выгрузите его в исходный файл командой bwick export.";
  if (reader.kind() == format::BookKind::kPhoneBook) {
    return Status::Refusal("Файл «" + FileNameForMessage(path) +
                           "» — телефонная книга, а не справочник; конструктор открывает только "
                           "справочники.");
  }
  const format::DbHeader& header = reader.header();
  if (header.field_count > kMaxDocumentFields) {
    return Status::Refusal(book + " содержит полей: " + std::to_string(header.field_count) +
                           "; конструктор работает не более чем с " +
                           std::to_string(kMaxDocumentFields) + " полями." + advice);
  }
  if (header.version != kSourceVersion) {
    return Status::Refusal(book + " собран из исходного файла версии " +
                           std::to_string(header.version) + ", а конструктор пишет версию " +
                           std::to_string(kSourceVersion) + "." + advice);
  }
  if (header.flags != 0) {
    return Status::Refusal(book + " хранит в заголовке флаги " + std::to_string(header.flags) +
                           ", а конструктор пишет 0." + advice);
  }
  if (const char end = format::PrefixLineEnd(header); end != '\r') {
    return Status::Refusal(book + " хранит в заголовке байт с кодом " +
                           std::to_string(static_cast<unsigned char>(end)) +
                           " из строки префикса, а конструктор пишет там код 13." + advice);
  }
  if (header.record_count > static_cast<std::uint32_t>(INT32_MAX)) {
    return Status::Refusal(book + " содержит больше " + std::to_string(INT32_MAX) + " записей.");
  }
  const Status carried = format::CheckSourceHeader(reader);
  return carried.ok() ? carried : AboutBook(path, carried);
}

// The sample text of a value, as the preview shows values read from a source file.
std::string SampleText(const format::StoredValue& value) {
  if (value.numeric()) return format::NumberText(value.number, value.number_size);
  const std::size_t start = std::min(value.text.find_first_not_of(' '), value.text.size());
  return std::string(value.text.substr(start));
}

// Reads every record once: each must have a data line (`maker` refuses it otherwise), the texts
// are shown to `choice`, and `each` sees every record with its line.
Status ScanRecords(
    format::DatabaseReader& reader, format::DataLineMaker& maker, format::SplitterChoice& choice,
    const std::function<void(const format::BookRecord&, std::string_view line)>& each) {
  format::BookRecord record;
  std::string line;
  while (reader.NextRecord(record)) {
    Status made = maker.Make(record, format::kMaxLineText, line);
    if (!made.ok()) return made;
    for (const format::StoredValue& value : record.values) {
      if (!value.numeric()) choice.See(value.text);
    }
    each(record, line);
  }
  return reader.status();
}

}  // namespace

TFieldDesc FieldFromDescriptor(const format::DbFieldDesc& descriptor) {
  TFieldDesc field;
  field.Name = descriptor.name;
  field.DataType = descriptor.type;
  field.Flags = descriptor.flags;
  field.NumSize = descriptor.num_size;
  field.QueryIndex = descriptor.query_index;
  field.ResultIndex = descriptor.result_index;
  field.DetailIndex = descriptor.detail_index;
  field.EditWidth = descriptor.edit_width;
  field.ResultWidth = descriptor.result_size;
  field.MaxLen = descriptor.max_size;
  return field;
}

std::vector<std::uint16_t> MaxSizes(const std::vector<format::DbFieldDesc>& fields) {
  std::vector<std::uint16_t> sizes;
  for (const format::DbFieldDesc& field : fields) sizes.push_back(field.max_size);
  return sizes;
}

StatusOr<CopiedLines> WriteRecordLines(format::DatabaseReader& reader, format::DataLineMaker& maker,
                                       LineWriter& out, const RecordLineOptions& options) {
  CopiedLines copied;
  format::BookRecord record;
  std::string line;
  while (reader.NextRecord(record)) {
    Status made =
        maker.Make(record, LineLimit(reader, record, options.last_line_may_lack_end), line);
    if (!made.ok()) return made;
    const bool cut = options.cut_long_lines && line.size() > kLongLineLength;
    if (cut) {
      WriteCutLine(out, line, copied);
    } else {
      out.Write(line);
    }
    if (cut || line.size() <= format::kMaxLineText) out.EndLine();
    if (!out.status().ok()) return out.status();
    ++copied.written;
    if (options.progress) options.progress(copied.written);
  }
  if (!reader.status().ok()) return reader.status();
  return copied;
}

Status LoadDB(Document& doc, const std::string& path, const ReadOptions& options,
              ReadResult& result) {
  FileSource source(path);
  if (!source.is_open()) return CannotOpen(path, source);
  format::DatabaseReader reader(source);
  if (Status header = reader.ReadHeader(); !header.ok()) return AboutBook(path, header);
  if (Status kept = CheckDocumentCanKeep(reader, path); !kept.ok()) return kept;

  Document loaded = doc;
  loaded.ClearFields();
  loaded.SampleValues = {};
  const int field_count = static_cast<int>(reader.fields().size());
  format::DataLineMaker maker(MaxSizes(reader.fields()), 0, /*exact=*/true);
  format::SplitterChoice choice;
  std::size_t longest_line = 0;
  const auto each = [&](const format::BookRecord& r, std::string_view line) {
    longest_line = std::max(longest_line, line.size());
    if (r.number <= kSampleRecords) {
      for (int i = 1; i <= field_count; ++i)
        loaded.SampleValues[r.number][i] = SampleText(r.values[i - 1]);
    }
    if (r.number % kProgressEvery == 0 && options.progress)
      options.progress(static_cast<int>(r.number));
  };
  const Status scanned = ScanRecords(reader, maker, choice, each);
  if (!scanned.ok()) {
    result.status = DocumentStatus(doc);
    return AboutBook(path, scanned);
  }
  const std::optional<char> splitter = choice.Choice();
  if (!splitter) {
    result.status = DocumentStatus(doc);
    return Status::Refusal(BookName(path) +
                           ": в его значениях встречаются все разделители: «;», «,», табуляция "
                           "и «|». Выгрузите его командой bwick export с разделителем --splitter.");
  }

  loaded.FieldCount = field_count;
  loaded.RecordCount = static_cast<std::int32_t>(reader.record_count());
  for (int i = 1; i <= field_count; ++i)
    loaded.Fields[i] = FieldFromDescriptor(reader.fields()[i - 1]);
  // The boxes show the positions as they stand: a field off a list stays off it.
  for (int row = 1; row <= kMaxDocumentFields; ++row) {
    loaded.BoxesShown[row] = row <= field_count;
    loaded.QueryBoxTicked[row] = row <= field_count && loaded.Fields[row].QueryIndex != 0;
    loaded.ResultBoxTicked[row] = row <= field_count && loaded.Fields[row].ResultIndex != 0;
  }
  loaded.SourceFileName = path;
  loaded.SourceIsFsr = false;
  loaded.SourceIsDatabase = true;
  loaded.ResetSourceReading();
  loaded.FirstLineHasNames = false;
  loaded.HeaderLineCount = 0;

  doc = std::move(loaded);
  if (longest_line > kLongLineLength) result.cut_long_lines = false;
  result.splitter = std::string(1, *splitter);
  result.database_name = reader.header().name;
  result.status = DocumentStatus(doc);
  result.encoding_label = "";
  return Status::Ok();
}

StatusOr<CopiedLines> CopyRecordLines(const Document& doc, char splitter, bool cut_long_lines,
                                      LineWriter& out,
                                      const std::function<void(std::int64_t written)>& progress) {
  FileSource source(doc.SourceFileName);
  if (!source.is_open()) return CannotOpen(doc.SourceFileName, source);
  format::DatabaseReader reader(source);
  if (Status header = reader.ReadHeader(); !header.ok())
    return AboutBook(doc.SourceFileName, header);
  if (reader.kind() != format::BookKind::kTable ||
      static_cast<int>(reader.fields().size()) != doc.FieldCount) {
    return Status::Error(BookName(doc.SourceFileName) +
                         " изменился после того, как был открыт: в нём другие поля.");
  }
  // The document's max sizes, which the builder starts with, choose the numbers' texts.
  std::vector<std::uint16_t> max_sizes;
  for (int i = 1; i <= doc.FieldCount; ++i)
    max_sizes.push_back(
        static_cast<std::uint16_t>(std::clamp(doc.Fields[i].MaxLen, 0, kMaxDescriptorValue)));
  format::DataLineMaker maker(std::move(max_sizes), splitter, /*exact=*/false);
  StatusOr<CopiedLines> copied =
      WriteRecordLines(reader, maker, out, {cut_long_lines, false, progress});
  if (copied.ok() || !out.status().ok()) return copied;
  return AboutBook(doc.SourceFileName, copied.status());
}

}  // namespace designer
