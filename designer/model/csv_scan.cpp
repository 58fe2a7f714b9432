#include "designer/model/csv_scan.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "common/codepage.h"
#include "designer/model/csv_record.h"
#include "designer/model/encoding.h"

namespace designer {
namespace {

constexpr std::uint8_t kNumericFlags = kFlagDigitsOnly | kFlagUpperCase;
constexpr std::uint8_t kTextFlags = (kNumericFlags & ~kFlagDigitsOnly) | kFlagIgnoreCase;
constexpr std::int32_t kWidePixels = 169;
constexpr std::int32_t kPixelsPerChar = 9;
constexpr std::int32_t kNarrowLimit = 10;  // longest value still sized by its characters

// What the records have shown so far about one field.
struct FieldFindings {
  bool numeric = true;
  int number_size = 0;
  std::size_t longest = 0;

  void Add(std::string_view value) {
    longest = std::max(longest, value.size());
    if (!numeric) return;
    if (!IsNumericValue(value)) {
      numeric = false;
    } else if (number_size < format::kMaxNumericSize) {  // past it, no value can raise the size
      number_size = std::max(number_size, NumberSize(value));
    }
  }
};

void ResetFieldTable(Document& doc) {
  doc.ClearFields();
  for (int i = 1; i <= kFieldTableSize; ++i) {
    TFieldDesc& field = doc.Fields[i];
    field.DataType = kTypeText;
    field.Flags = kNumericFlags;
    field.ResultIndex = static_cast<std::uint8_t>(i);
    field.DetailIndex = static_cast<std::uint8_t>(i);
  }
}

void ApplyFindings(const FieldFindings& findings, TFieldDesc& field) {
  field.DataType = findings.numeric ? kTypeNumeric : kTypeText;
  field.Flags = findings.numeric ? kNumericFlags : kTextFlags;
  field.NumSize = findings.numeric ? static_cast<std::uint8_t>(findings.number_size) : 0;
  field.MaxLen = static_cast<std::int32_t>(
      std::min<std::size_t>(findings.longest, std::numeric_limits<std::int32_t>::max()));
  const std::int32_t width =
      field.MaxLen <= kNarrowLimit ? field.MaxLen * kPixelsPerChar : kWidePixels;
  field.EditWidth = width;
  field.ResultWidth = width;
}

// The splitter as it stands in a line of the input.
std::string InputSplitter(std::string_view splitter, TextEncoding encoding) {
  return encoding == TextEncoding::kUtf8 ? codepage::Cp1251ToUtf8(splitter) : std::string(splitter);
}

}  // namespace

Status ReadCsvFirstLine(LineReader& lines, std::string_view splitter, CsvFirstLine& first,
                        TextEncoding encoding) {
  if (encoding == TextEncoding::kUtf8) lines.SkipByteOrderMark();
  const std::string input_splitter = InputSplitter(splitter, encoding);
  std::string line;
  lines.ReadLine(line);
  const std::size_t cells = CountCells(line, input_splitter);
  if (cells > static_cast<std::size_t>(kMaxDocumentFields)) {
    return Status::Refusal(
        "Ошибка! Настоящая версия поддерживает до 5 полей включительно!\n"
        "Ведутся работы по расширение до 10 полей, следите за новостями на сайте.");
  }
  first.FieldCount = static_cast<int>(cells);
  first.Unmappable.clear();
  first.Names = CellNames(line, input_splitter, encoding, &first.Unmappable);
  return Status::Ok();
}

Status ReadCsvRecords(LineReader& lines, std::string_view splitter, const CsvFirstLine& first,
                      bool first_line_has_names, Document& doc, const CsvProgress& progress,
                      TextEncoding encoding) {
  const int count = first.FieldCount;
  ResetFieldTable(doc);
  doc.FieldCount = count;
  doc.FirstLineHasNames = first_line_has_names;
  doc.SourceEncoding = encoding;
  if (first_line_has_names) {
    for (int i = 1; i <= count; ++i) {
      doc.Fields[i].Name = first.Names[i - 1];
      if (!first.Unmappable[i - 1].empty())
        doc.UnmappableNames[i] = UnmappableName{first.Names[i - 1], first.Unmappable[i - 1]};
    }
  }
  for (auto& record : doc.SampleValues) record.fill(std::string());

  if (encoding == TextEncoding::kUtf8) lines.SkipByteOrderMark();
  const std::string input_splitter = InputSplitter(splitter, encoding);
  std::string line;
  if (first_line_has_names) lines.SkipLine();
  std::array<FieldFindings, kMaxDocumentFields> findings{};
  RecordValues values;
  std::array<std::string, kMaxDocumentFields> converted;  // the values of a UTF-8 record
  doc.RecordCount = 0;
  do {
    if (doc.RecordCount == std::numeric_limits<std::int32_t>::max()) {
      return Status::Error("Слишком много записей: больше " + std::to_string(doc.RecordCount) +
                           ".");
    }
    std::string_view text;
    if (!lines.ReadLineInPlace(text)) {
      lines.ReadLine(line);
      text = line;
    }
    ++doc.RecordCount;
    SplitRecord(text, input_splitter, count, values);
    if (encoding == TextEncoding::kUtf8) {
      for (int i = 0; i < count; ++i) {
        converted[i] = ToDocumentText(values[i], encoding);
        values[i] = converted[i];
      }
    }
    for (int i = 0; i < count; ++i) {
      if (doc.RecordCount <= kSampleRecords) {
        doc.SampleValues[doc.RecordCount][i + 1] = std::string(values[i]);
      }
      findings[i].Add(values[i]);
    }
    if (doc.RecordCount % kCsvProgressStep == 0 && progress) progress(doc.RecordCount);
  } while (!lines.AtEnd());

  for (int i = 1; i <= count; ++i) ApplyFindings(findings[i - 1], doc.Fields[i]);
  return Status::Ok();
}

}  // namespace designer
