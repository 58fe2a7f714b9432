// The records of a document's CSV source as cells, in the reading the document keeps (encoding,
// lines passed over, the line of names, quotes): for the passes that need each record's values by
// column rather than its line, such as a save that writes the columns in another order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "designer/model/csv_quoted.h"
#include "designer/model/csv_record.h"
#include "designer/model/document.h"
#include "designer/model/text_file.h"

namespace designer {

class CsvCellReader {
 public:
  // Reads the CSV file of `doc` (which must outlive the reader); a line without quotes is split
  // into `columns` values as the import splits it (the last holds the rest of the line).
  CsvCellReader(const Document& doc, int columns);
  CsvCellReader(const CsvCellReader&) = delete;
  CsvCellReader& operator=(const CsvCellReader&) = delete;

  // Opens the file and reads past what precedes the first record.
  Status Open();
  // The next record's cells, in the source's encoding; an empty line gives none. The views stay
  // valid until the next call. False when no record is left or reading failed (status()).
  bool Next(std::vector<std::string_view>& cells);
  // The line of the file the record read last began on, 1-based.
  std::int64_t line() const;
  // Whether the record's cells may hold a control character.
  bool may_hold_controls() const;
  const Status& status() const { return lines_.status(); }

 private:
  const Document& doc_;
  int columns_;
  std::string splitter_;  // as it stands in the input
  LineReader lines_;
  std::optional<QuotedRecordReader> quoted_;
  std::string line_;
  RecordValues values_{};
  std::int64_t line_number_ = 0;
};

}  // namespace designer
