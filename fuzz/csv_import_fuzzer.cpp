// The CSV import's two passes on arbitrary bytes held in memory. The first input byte is the
// splitter (0 for none); of the second, the lowest bit is the answer to the first-line question,
// the next one reads the file as UTF-8, the next as records with quoted values (RFC 4180), and
// the next as UTF-16 decoded to UTF-8 (before the UTF-8 bit). The rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "designer/model/csv_scan.h"
#include "designer/model/text_file.h"

namespace {

// The reader of the file as the import sets it up.
void SetUp(designer::LineReader& lines, designer::TextEncoding encoding) {
  lines.SetUtf16Input(encoding == designer::TextEncoding::kUtf16
                          ? designer::LineReader::Utf16Input::kAlways
                          : designer::LineReader::Utf16Input::kNever);
  if (encoding != designer::TextEncoding::kCp1251) lines.SkipByteOrderMark();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string splitter =
      data[0] == 0 ? std::string() : std::string(1, static_cast<char>(data[0]));
  const bool has_names = (data[1] & 1) != 0;
  const bool quoted = (data[1] & 4) != 0;
  const designer::TextEncoding encoding = (data[1] & 8) != 0   ? designer::TextEncoding::kUtf16
                                          : (data[1] & 2) != 0 ? designer::TextEncoding::kUtf8
                                                               : designer::TextEncoding::kCp1251;
  const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::string input_splitter = designer::InputSplitter(splitter, encoding);

  std::istringstream first_input(text);
  designer::LineReader first_pass(first_input);
  SetUp(first_pass, encoding);
  const StatusOr<designer::CsvFirstLine> read =
      designer::ReadFirstRecord(first_pass, splitter, quoted, encoding);
  if (!read.ok()) return 0;
  const designer::CsvFirstLine& first = read.value();
  if (first.FieldCount < 1 || first.FieldCount > designer::kMaxDocumentFields ||
      first.Names.size() != static_cast<std::size_t>(first.FieldCount)) {
    std::abort();
  }

  std::istringstream record_input(text);
  designer::LineReader lines(record_input);
  SetUp(lines, encoding);
  designer::Document doc;
  designer::StartCsvDocument(first, has_names, encoding, doc);
  designer::TableScan scan(first.FieldCount, quoted, designer::kPreviewRecords);
  int last_progress = 0;
  const designer::RecordPass pass{.progress = [&last_progress](int count) {
    if (count <= last_progress) std::abort();
    last_progress = count;
  }};
  Status status = Status::Ok();
  if (quoted) {
    designer::QuotedRecordReader records(lines, input_splitter);
    if (has_names) records.Skip();
    status = designer::ScanQuotedRecords(records, first.FieldCount, encoding, pass, scan);
  } else {
    if (has_names) lines.SkipLine();
    status = designer::ScanLineRecords(lines, splitter, first.FieldCount, encoding, 1, pass, scan);
  }
  if (!status.ok()) return 0;
  scan.ApplyTo(doc);
  if (doc.FieldCount != first.FieldCount || doc.RecordCount < 1) std::abort();
  if (scan.preview().size() > designer::kPreviewRecords) std::abort();
  for (int i = 1; i <= doc.FieldCount; ++i) {
    const designer::TFieldDesc& field = doc.Fields[i];
    if (field.DataType != designer::kTypeText && field.DataType != designer::kTypeNumeric)
      std::abort();
    if (field.DataType == designer::kTypeNumeric && (field.NumSize < 1 || field.NumSize > 4))
      std::abort();
    // Every character of a value comes from at least one byte of the file.
    if (field.MaxLen < 0 || static_cast<std::size_t>(field.MaxLen) > text.size()) std::abort();
  }
  return 0;
}
