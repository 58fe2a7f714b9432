// The steps of a CSV import that follow the reading of a record, whatever the record came from:
// a line of a text file split at the splitter (csv_record.h), a record of quoted values
// (csv_quoted.h), and, in time, a row of a spreadsheet. Each record arrives as the values of its
// fields in document text; the scan counts the records, keeps the samples and the preview, finds
// each field's type, number size and longest value, chooses a splitter that no value holds, and
// counts what a save or the handheld would lose (TableWarnings).
//
// A source that delivers cells (quoted records, spreadsheet rows) turns them into values with
// CellRecord, which also makes the data line a save writes for them: the values joined by a
// splitter. The scan and the save use the same CellRecord, so the warnings speak of the lines the
// save writes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_encoding.h"
#include "designer/model/csv_record.h"
#include "designer/model/document.h"
#include "designer/model/table_warnings.h"
#include "format/source_lines.h"

namespace spreadsheet {
struct SheetWarnings;
}

namespace designer {

// Records the import dialog shows before the whole file is read.
inline constexpr std::size_t kPreviewRecords = 100;

// What one record shows besides its values.
struct RecordFacts {
  std::int64_t line = 0;           // where it begins in its source, 1-based
  bool other_field_count = false;  // it held another number of values than the first line
  // Characters of the data line a save writes for it.
  std::size_t line_length = 0;
  // The first character of its written text that Windows-1251 lacks, when there is one, and for
  // a workbook's record the cell that holds it.
  const codepage::BadCharacter* unmappable = nullptr;
  std::string_view unmappable_cell{};
  bool line_breaks = false;  // a value's line break became a blank
  bool bad_quotes = false;   // its quotes are not as RFC 4180 writes them
  // Bit i: format::kSplitterChoices[i] stands in one of its values (values read with quotes).
  std::uint8_t splitters_held = 0;
};

// What `text` holds, in one look: bit i when format::kSplitterChoices[i] stands in it, and
// kControlMark when a control character does (a tab counts as one, not as a splitter: in a value
// it becomes a blank).
inline constexpr std::uint8_t kControlMark = 0x80;
std::uint8_t ValueMarks(std::string_view text);

// The values of a record given as cells (quoted values, spreadsheet cells) in the source's
// encoding, for `field_count` fields: value i is cell i trimmed like every value, with each
// control character inside it (a line break, a tab) made a blank, since the builder would end the
// value there; a missing cell gives an empty value, and cells beyond the fields are dropped (the
// builder drops them too). The values are document text, a character that Windows-1251 lacks
// made "?".
class CellRecord {
 public:
  // `may_hold_controls`: false when the source knows that no cell holds a control character;
  // `find_splitters`: whether splitters_held() is wanted. Without either, no value is looked at
  // byte by byte.
  void Set(const std::vector<std::string_view>& cells, int field_count, TextEncoding encoding,
           bool may_hold_controls = true, bool find_splitters = true);

  const RecordValues& values() const { return values_; }
  int field_count() const { return field_count_; }
  bool line_breaks() const { return line_breaks_; }
  // The first character Windows-1251 lacks, with its place in the data line (output_at), and the
  // value that holds it (from 0).
  const std::optional<codepage::BadCharacter>& unmappable() const { return unmappable_; }
  int unmappable_field() const { return unmappable_field_; }
  // Bit i: format::kSplitterChoices[i] stands in a value (when Set was to find them).
  std::uint8_t splitters_held() const { return splitters_held_; }
  // The data line for the record: its values joined by `splitter`. Empty for a record without
  // cells (an empty line), which no source file keeps.
  void MakeLine(char splitter, std::string& line) const;
  std::size_t line_length() const;
  // Whether any value holds `splitter`.
  bool Holds(char splitter) const;

 private:
  // Makes value `field` into texts_[field]: document text, its control characters blanks.
  // `line_at`: where the value starts in the data line.
  void MakeText(int field, std::string_view value, bool controls, TextEncoding encoding,
                std::size_t line_at);

  std::array<std::string, kMaxDocumentFields> texts_;
  RecordValues values_{};
  int field_count_ = 0;
  bool empty_ = true;
  bool line_breaks_ = false;
  std::uint8_t splitters_held_ = 0;
  std::optional<codepage::BadCharacter> unmappable_;
  int unmappable_field_ = 0;
};

// The cells of a record in the order of doc's fields: `cells` as they are, or through
// doc.SourceColumns into `mapped` (field i the cell of column of_field[i], an empty value where
// the record lacks it). A record without cells stays without.
const std::vector<std::string_view>& FieldCells(const Document& doc,
                                                const std::vector<std::string_view>& cells,
                                                std::vector<std::string_view>& mapped);

// The scan of a table's records, in order.
class TableScan {
 public:
  // `quoted`: the values were read with quotes, so no value should look quoted.
  // `preview_records`: records kept for the preview. `find_free_splitter`: whether FreeSplitter
  // is wanted, for which the sources of cells look at every value byte by byte.
  TableScan(int field_count, bool quoted, std::size_t preview_records = 0,
            bool find_free_splitter = true);
  bool finds_free_splitter() const { return find_free_splitter_; }

  // One record's values (the first field_count of `values`, trimmed document text).
  void Add(const RecordValues& values, const RecordFacts& facts);
  // What a workbook's reader noticed besides the records.
  void AddSheetWarnings(const spreadsheet::SheetWarnings& sheet);

  std::int32_t record_count() const { return record_count_; }
  const TableWarnings& warnings() const { return warnings_; }
  // The preview's records, each with field_count values, and the line each began on.
  const std::vector<std::vector<std::string>>& preview() const { return preview_; }
  const std::vector<std::int64_t>& preview_lines() const { return preview_lines_; }
  // The first of format::kSplitterChoices that no value holds, as the records' facts tell
  // (RecordFacts::splitters_held); none when the scan was not to find it.
  std::optional<char> FreeSplitter() const;

  // Puts the scan's results into `doc`: RecordCount, SampleValues (every cell outside the records
  // read emptied) and each field's type, flags, number size, longest value and widths.
  void ApplyTo(Document& doc) const;

 private:
  // What the records have shown so far about one field.
  struct FieldFindings {
    bool numeric = true;
    int number_size = 0;
    std::size_t longest = 0;
    void Add(std::string_view value);
  };

  int field_count_;
  bool quoted_;
  std::size_t preview_records_;
  bool find_free_splitter_;
  std::int32_t record_count_ = 0;
  std::array<FieldFindings, kMaxDocumentFields> findings_{};
  std::array<std::array<std::string, kMaxDocumentFields>, kSampleRecords> samples_{};
  std::vector<std::vector<std::string>> preview_;
  std::vector<std::int64_t> preview_lines_;
  TableWarnings warnings_;
  std::uint8_t splitters_held_ = 0;
};

}  // namespace designer
