// The CSV import's two passes on arbitrary bytes held in memory. The first input byte is the
// splitter (0 for none); of the second, the lowest bit is the answer to the first-line question
// and the next one reads the file as UTF-8. The rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "designer/model/csv_scan.h"
#include "designer/model/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string splitter =
      data[0] == 0 ? std::string() : std::string(1, static_cast<char>(data[0]));
  const bool has_names = (data[1] & 1) != 0;
  const designer::TextEncoding encoding =
      (data[1] & 2) != 0 ? designer::TextEncoding::kUtf8 : designer::TextEncoding::kCp1251;
  const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);

  std::istringstream first_input(text);
  designer::LineReader first_pass(first_input);
  designer::CsvFirstLine first;
  if (!designer::ReadCsvFirstLine(first_pass, splitter, first, encoding).ok()) return 0;
  if (first.FieldCount < 1 || first.FieldCount > designer::kMaxDocumentFields ||
      first.Names.size() != static_cast<std::size_t>(first.FieldCount)) {
    std::abort();
  }

  std::istringstream record_input(text);
  designer::LineReader records(record_input);
  designer::Document doc;
  int last_progress = 0;
  const Status status = designer::ReadCsvRecords(
      records, splitter, first, has_names, doc,
      [&last_progress](int count) {
        if (count <= last_progress) std::abort();
        last_progress = count;
      },
      encoding);
  if (!status.ok()) return 0;
  if (doc.FieldCount != first.FieldCount || doc.RecordCount < 1) std::abort();
  for (int i = 1; i <= doc.FieldCount; ++i) {
    const designer::TFieldDesc& field = doc.Fields[i];
    if (field.DataType != designer::kTypeText && field.DataType != designer::kTypeNumeric)
      std::abort();
    if (field.DataType == designer::kTypeNumeric && (field.NumSize < 1 || field.NumSize > 4))
      std::abort();
    if (field.MaxLen < 0 || static_cast<std::size_t>(field.MaxLen) > text.size()) std::abort();
  }
  return 0;
}
