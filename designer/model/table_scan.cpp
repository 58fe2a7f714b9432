#include "designer/model/table_scan.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "common/codepage.h"
#include "designer/model/csv_quoted.h"
#include "designer/model/source_file.h"
#include "spreadsheet/workbook.h"

namespace designer {
namespace {

constexpr std::uint8_t kNumericFlags = kFlagDigitsOnly | kFlagUpperCase;
constexpr std::uint8_t kTextFlags = (kNumericFlags & ~kFlagDigitsOnly) | kFlagIgnoreCase;
constexpr std::int32_t kWidePixels = 169;
constexpr std::int32_t kPixelsPerChar = 9;
constexpr std::int32_t kNarrowLimit = 10;  // longest value still sized by its characters

bool IsControl(char c) { return static_cast<unsigned char>(c) < ' '; }

constexpr std::uint8_t kControl = kControlMark;

// Eight bytes at a time ("SWAR"): a byte of the word below 32, or equal to `byte`, sets the high
// bit of some byte of the result. Bytes of 128 and above never count, so Cyrillic text (either
// encoding) does not either.
constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;
constexpr std::uint64_t HasBelow32(std::uint64_t word) {
  return (word - 32 * kOnes) & ~word & kHighBits;
}
constexpr std::uint64_t HasByte(std::uint64_t word, char byte) {
  const std::uint64_t zeroed = word ^ (kOnes * static_cast<unsigned char>(byte));
  return (zeroed - kOnes) & ~zeroed & kHighBits;
}

// A value that stands in double quotes, as a quoted CSV value does before it is read as one.
bool LooksQuoted(std::string_view value) {
  return value.size() >= 2 && value.front() == kQuote && value.back() == kQuote;
}

}  // namespace

std::uint8_t ValueMarks(std::string_view value) {
  static_assert(format::kSplitterChoices[2] == '\t', "the tab is a control character");
  std::uint64_t control = 0, first = 0, second = 0, fourth = 0;
  const auto look = [&](std::uint64_t word) {
    control |= HasBelow32(word);
    first |= HasByte(word, format::kSplitterChoices[0]);
    second |= HasByte(word, format::kSplitterChoices[1]);
    fourth |= HasByte(word, format::kSplitterChoices[3]);
  };
  const char* bytes = value.data();
  std::size_t left = value.size();
  std::uint64_t word = 0;
  if (left >= sizeof word) {
    for (; left > sizeof word; bytes += sizeof word, left -= sizeof word) {
      std::memcpy(&word, bytes, sizeof word);
      look(word);
    }
    // The last eight bytes, some of them looked at before: a second look changes nothing.
    std::memcpy(&word, bytes + left - sizeof word, sizeof word);
  } else {
    // Fewer bytes: shifted into a word of bytes that count for nothing, in registers.
    word = kOnes * 'a';
    for (std::size_t i = 0; i < left; ++i)
      word = (word << 8) | static_cast<unsigned char>(bytes[i]);
  }
  look(word);
  return static_cast<std::uint8_t>((control != 0 ? kControl : 0) | (first != 0 ? 1 : 0) |
                                   (second != 0 ? 2 : 0) | (fourth != 0 ? 8 : 0));
}

void CellRecord::Set(const std::vector<std::string_view>& cells, int field_count,
                     TextEncoding encoding, bool may_hold_controls, bool find_splitters) {
  field_count_ = field_count;
  empty_ = cells.empty();
  line_breaks_ = false;
  const bool look = may_hold_controls || find_splitters;
  splitters_held_ = 0;
  unmappable_.reset();
  std::size_t line_at = 0;  // where the value starts in the data line
  for (int i = 0; i < field_count; ++i) {
    std::string_view value =
        static_cast<std::size_t>(i) < cells.size() ? TrimValue(cells[i]) : std::string_view();
    const std::uint8_t value_marks = look ? ValueMarks(value) : 0;
    splitters_held_ |= value_marks & ~kControl;
    // Most values are used as they stand; the others are made into texts_[i].
    if ((value_marks & kControl) != 0 || encoding != TextEncoding::kCp1251) {
      MakeText(i, value, (value_marks & kControl) != 0, encoding, line_at);
      value = texts_[i];
    }
    values_[i] = value;
    line_at += value.size() + 1;
  }
}

void CellRecord::MakeText(int field, std::string_view value, bool controls, TextEncoding encoding,
                          std::size_t line_at) {
  std::string& text = texts_[field];
  if (encoding == TextEncoding::kCp1251) {
    text.assign(value);
  } else {
    codepage::Utf8Converter converter;
    text.clear();
    converter.Add(value, text);
    converter.Finish(text);
    if (!unmappable_ && converter.first_bad()) {
      unmappable_ = converter.first_bad();
      unmappable_field_ = field;
      unmappable_->output_at += line_at;
    }
  }
  // Control characters are ASCII in either encoding, and stay where they were.
  if (controls) {
    std::replace_if(text.begin(), text.end(), IsControl, ' ');
    line_breaks_ = true;
  }
}

std::size_t CellRecord::line_length() const {
  if (empty_) return 0;
  std::size_t length = static_cast<std::size_t>(field_count_ - 1);
  for (int i = 0; i < field_count_; ++i) length += values_[i].size();
  return length;
}

void CellRecord::MakeLine(char splitter, std::string& line) const {
  line.clear();
  if (empty_) return;
  for (int i = 0; i < field_count_; ++i) {
    if (i > 0) line.push_back(splitter);
    line.append(values_[i]);
  }
}

bool CellRecord::Holds(char splitter) const {
  return std::any_of(values_.begin(), values_.begin() + field_count_, [splitter](auto value) {
    return value.find(splitter) != std::string_view::npos;
  });
}

void TableScan::FieldFindings::Add(std::string_view value) {
  longest = std::max(longest, value.size());
  if (!numeric) return;
  if (!IsNumericValue(value)) {
    numeric = false;
  } else if (number_size < format::kMaxNumericSize) {  // past it, no value can raise the size
    number_size = std::max(number_size, NumberSize(value));
  }
}

TableScan::TableScan(int field_count, bool quoted, std::size_t preview_records,
                     bool find_free_splitter)
    : field_count_(field_count),
      quoted_(quoted),
      preview_records_(preview_records),
      find_free_splitter_(find_free_splitter) {}

void TableScan::Add(const RecordValues& values, const RecordFacts& facts) {
  ++record_count_;
  const bool sample = record_count_ <= kSampleRecords;
  const bool preview = preview_.size() < preview_records_;
  if (preview) {
    preview_.emplace_back(values.begin(), values.begin() + field_count_);
    preview_lines_.push_back(facts.line);
  }
  bool looks_quoted = false;
  for (int i = 0; i < field_count_; ++i) {
    const std::string_view value = values[i];
    if (sample) samples_[record_count_ - 1][i] = value;
    findings_[i].Add(value);
    if (!quoted_ && LooksQuoted(value)) looks_quoted = true;
  }
  splitters_held_ |= facts.splitters_held;
  if (looks_quoted) warnings_.looks_quoted.Add(facts.line);
  if (facts.other_field_count) warnings_.other_field_count.Add(facts.line);
  if (facts.line_length > kLongLineLength) warnings_.long_lines.Add(facts.line);
  if (facts.unmappable != nullptr) {
    if (warnings_.unmappable.count == 0) {
      warnings_.first_unmappable = codepage::DescribeBadCharacter(*facts.unmappable);
      warnings_.first_unmappable_cell = facts.unmappable_cell;
    }
    warnings_.unmappable.Add(facts.line);
  }
  if (facts.line_breaks) warnings_.line_breaks.Add(facts.line);
  if (facts.bad_quotes) warnings_.bad_quotes.Add(facts.line);
}

void TableScan::AddSheetWarnings(const spreadsheet::SheetWarnings& sheet) {
  if (sheet.error_cells > 0) {
    warnings_.error_cells.count = static_cast<std::int64_t>(sheet.error_cells);
    warnings_.error_cells.first_line = sheet.first_error_row;
    warnings_.first_error_cell = sheet.first_error_cell;
  }
  warnings_.deleted_records = static_cast<std::int64_t>(sheet.deleted_records);
}

std::optional<char> TableScan::FreeSplitter() const {
  if (!find_free_splitter_) return std::nullopt;
  for (std::size_t i = 0; i < format::kSplitterChoices.size(); ++i) {
    if ((splitters_held_ & (1u << i)) == 0) return format::kSplitterChoices[i];
  }
  return std::nullopt;
}

void TableScan::ApplyTo(Document& doc) const {
  doc.RecordCount = record_count_;
  for (auto& record : doc.SampleValues) record.fill(std::string());
  for (int r = 0; r < std::min<std::int32_t>(record_count_, kSampleRecords); ++r) {
    for (int i = 0; i < field_count_; ++i) doc.SampleValues[r + 1][i + 1] = samples_[r][i];
  }
  for (int i = 1; i <= field_count_; ++i) {
    const FieldFindings& found = findings_[i - 1];
    TFieldDesc& field = doc.Fields[i];
    field.DataType = found.numeric ? kTypeNumeric : kTypeText;
    field.Flags = found.numeric ? kNumericFlags : kTextFlags;
    field.NumSize = found.numeric ? static_cast<std::uint8_t>(found.number_size) : 0;
    field.MaxLen = static_cast<std::int32_t>(
        std::min<std::size_t>(found.longest, std::numeric_limits<std::int32_t>::max()));
    const std::int32_t width =
        field.MaxLen <= kNarrowLimit ? field.MaxLen * kPixelsPerChar : kWidePixels;
    field.EditWidth = width;
    field.ResultWidth = width;
  }
}

const std::vector<std::string_view>& FieldCells(const Document& doc,
                                                const std::vector<std::string_view>& cells,
                                                std::vector<std::string_view>& mapped) {
  if (!doc.SourceColumns || cells.empty()) return cells;
  mapped.assign(doc.FieldCount, std::string_view());
  for (int field = 1; field <= doc.FieldCount; ++field) {
    const auto column = static_cast<std::size_t>(doc.SourceColumns->of_field[field]);
    if (column >= 1 && column <= cells.size()) mapped[field - 1] = cells[column - 1];
  }
  return mapped;
}

}  // namespace designer
